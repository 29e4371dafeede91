// The shipped programs as their users run them, on the real registry and file system: sarnexcfg.exe from
// any folder, its checks before saving and the bytes it saves; sarnexctl.exe on this machine's drives and
// power settings, round trips with Wine's regedit and a double-byte code page; and the version resource
// and manifest Windows reads from them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "version.h"
#include "win32/real_windows.h"

namespace sarnex::testing {
namespace {

constexpr const wchar_t* kEditor = L"Sarnex Configuration Utility";

Ran Ctl(const std::string& arguments) { return RunToTheEnd("\"" SARNEX_CTL_PATH "\" " + arguments); }

class StartedPrograms : public ::testing::Test {
protected:
    void SetUp() override { ReplaceKey(std::nullopt); }
    void TearDown() override {
        ReplaceKey(std::nullopt);
        for (const std::string& file : {image, ours, theirs, copy}) DeleteFileW(win32::Widen(file).c_str());
        RemoveDirectoryW(win32::Widen(folder).c_str());
    }
    // A 5 MB hard disk that loads the image ("€" reaches the file system through the ANSI code page), its
    // label stored as binary, which a save keeps as it is, and AutoSave without image saving, which loading
    // ticks and a save writes.
    StoredValues ImageLoading(int saving = 0) const {
        std::string ansi = image;
        ansi.replace(ansi.find("\xE2\x82\xAC"), 3, "\x80");
        return With(TypicalRecord(), {{"SizeIn4kPages", Number(1280)}, {"LoadImageOnStart", Number(1)},
                                      {"LoadImageFile", Text(ansi)}, {"MakeTempDir", Number(0)},
                                      {"UseDiskLabel", Number(0)}, {"DiskLabel", Raw(REG_BINARY, {"RAMDISK", 8})},
                                      {"SaveImageOnExit", Number(saving)}});
    }

    const std::string image = TempPath("sarnex \xE2\x82\xAC check.img");
    const std::string folder = TempPath("\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 \xD0\x96\xD1\x83\xD0\xBA");  // Ωμέγα Жук
    const std::string copy = folder + "\\sarnexcfg.exe";
    const std::string ours = TempPath("sarnex ours.reg"), theirs = TempPath("sarnex theirs.reg");
};

// Copied into a folder the ANSI code page cannot spell, the editor shows its real version all the same; it
// finds the image one byte too large on OK and asks in a box it owns, whose Enter is No; Yes saves.
TEST_F(StartedPrograms, AnImageOneByteLargerThanTheDiskIsFoundOnOkAndYesSavesTheSettingsShown) {
    WriteFileBytes(image, std::string(5242881, 0));
    ReplaceKey(ImageLoading());
    CreateDirectoryW(win32::Widen(folder).c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(win32::Widen(SARNEX_EXE_PATH).c_str(), win32::Widen(copy).c_str(), FALSE));
    const Process run("\"" + copy + "\"");
    HWND editor = run.WaitForWindow(kEditor);
    EXPECT_TRUE(FindWindowExW(editor, nullptr, nullptr, win32::Widen("Version " SARNEX_VERSION_TEXT).c_str()));
    ASSERT_TRUE(Press(editor, L"OK"));
    HWND box = WaitForWindow(run.Id(), L"#32770", L"Sarnex Settings Check");
    EXPECT_EQ(GetWindow(box, GW_OWNER), editor) << "the editor owns its question";
    EXPECT_FALSE(IsWindowEnabled(editor)) << "and takes no input while it is asked";
    EXPECT_EQ(BoxText(box), "The image file to load, \"" + image +
                                "\", is larger than the disk: 5,242,881 bytes against 5,242,880 bytes.\n\n"
                                "Save these settings anyway?");
    ASSERT_TRUE(Answer(box, 0));
    EXPECT_EQ(VisibleWindows(run.Id()), std::vector<HWND>{editor});
    EXPECT_EQ(ReadKey(), ImageLoading()) << "Enter answers No, which writes nothing";
    ASSERT_TRUE(Press(editor, L"OK"));
    ASSERT_TRUE(Answer(WaitForWindow(run.Id(), L"#32770", L"Sarnex Settings Check"), IDYES));
    ASSERT_TRUE(Press(run.WaitForWindow(L"Settings Saved"), L"Cancel"));
    EXPECT_EQ(ReadKey(), ImageLoading(1));
    EXPECT_EQ(run.WaitForExit(15), 0);
}

// regedit ticks the TEMP directory of a key that loads an image: with the editor's settings that is a
// record loading would change, so the editor asks, in a box it owns; Yes writes its own, No keeps regedit's.
TEST_F(StartedPrograms, AChangeMeanwhileThatBreaksARuleIsAskedAbout) {
    WriteFileBytes(image, std::string(5242880, 0));
    ReplaceKey(With(ImageLoading(1), {{"DiskLabel", Text("RAMDISK")}, {"SizeIn4kPages", Number(16384)}}));
    const Process run("\"" SARNEX_EXE_PATH "\"");
    HWND editor = run.WaitForWindow(kEditor);
    WriteFileBytes(ours, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Sarnex]\r\n\"MakeTempDir\"=dword:1\r\n\r\n");
    for (int answer : {IDYES, 0}) {  // Enter answers No
        ASSERT_EQ(RunToTheEnd("regedit.exe /S \"" + ours + "\"").exitCode, 0);
        ASSERT_TRUE(Press(editor, L"Save"));
        HWND box = WaitForWindow(run.Id(), L"#32770", L"Sarnex Settings Changed");
        EXPECT_EQ(GetWindow(box, GW_OWNER), editor);
        EXPECT_EQ(BoxText(box), "Since the editor read these settings, another program has changed them:\nCreate TEMP "
                                "directory: stored now ticked, here unticked\n\nReplace the stored values with the ones "
                                "shown here? No keeps the other program's.");
        ASSERT_TRUE(Answer(box, answer));
        EXPECT_TRUE(WaitFor([&] { return (*ReadKey())["MakeTempDir"] == Number(answer == IDYES ? 0 : 1); }));
    }
}

// Z: is Wine's own drive for the Unix root; Fast Startup is seeded the way Windows 8 and later keep it; a
// folder is not a file to import. What the console shows ends its lines as Windows does.
TEST_F(StartedPrograms, SarnexctlNamesATakenDriveLetterNotesFastStartupAndRefusesAFolder) {
    ReplaceKey(TypicalRecord());
    const Ran set = Ctl("set letter=Z");
    EXPECT_EQ(set.exitCode, 0);
    const std::string taken = "The drive letter Z: is already taken by a local disk";
    EXPECT_NE(set.output.find("warning: " + taken), std::string::npos) << set.output;
    const char* power = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Power";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, power, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), 0);
    const DWORD on = 1;
    RegSetValueExA(key, "HiberbootEnabled", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on), sizeof on);
    const Ran check = Ctl("check");
    RegDeleteValueA(key, "HiberbootEnabled");
    RegCloseKey(key);
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_TRUE(check.output.starts_with(taken)) << check.output;
    EXPECT_TRUE(check.output.ends_with("note: Fast Startup is on, so \"Shut down\" does not start the driver again: "
                                       "it takes new settings at the next \"Restart\".\r\n")) << check.output;
    const auto written = ReadKey();
    EXPECT_EQ(Ctl("import C:\\windows").output, "sarnexctl: cannot read C:\\windows: it is a folder, not a file; "
                                                "nothing was written to HKEY_LOCAL_MACHINE\\Software\\Sarnex\r\n");
    EXPECT_EQ(ReadKey(), written);
}

TEST_F(StartedPrograms, SarnexctlAndRegeditReadEachOthersFilesByteForByte) {
    // Values Wine's regedit both writes and reads exactly: plain texts and numbers, the other types as hex.
    const StoredValues plain = {
        {"DiskType", Text("HDC")}, {"SizeIn4kPages", Number(16384)}, {"", Text("default")},
        {"Quote\"Back\\slash", Text("C:\\\"caf\xE9\" \x80")}, {"Expand", Raw(REG_EXPAND_SZ, {"%TEMP%\\x", 9})},
        {"Extra", Raw(REG_BINARY, "0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrstuvwxyz")},
        {"Multi", Raw(REG_MULTI_SZ, {"a\0b\0", 5})}, {"Unknown", Raw(0xFFFF0000u, "\x01")}, {"Nothing", Raw(3, "")}};
    ReplaceKey(plain);
    ASSERT_EQ(Ctl("export \"" + ours + "\"").exitCode, 0);
    ASSERT_EQ(RunToTheEnd("regedit.exe /E \"" + theirs + "\" HKEY_LOCAL_MACHINE\\Software\\Sarnex").exitCode, 0);
    EXPECT_EQ(FileBytes(ours), FileBytes(theirs)) << "export writes what regedit writes";
    ReplaceKey(std::nullopt);
    ASSERT_EQ(RunToTheEnd("regedit.exe /S \"" + ours + "\"").exitCode, 0);
    EXPECT_EQ(ReadKey(), plain) << "regedit reads what export writes";
    ReplaceKey(StoredValues{});  // a key that exists: into a missing one import starts from the editor's defaults
    EXPECT_EQ(Ctl("import \"" + theirs + "\"").exitCode, 0);
    EXPECT_EQ(ReadKey(), plain) << "import reads what regedit writes";
}

// What Windows reads from the programs: the version, and in the manifest the rights each asks for
// (sarnexctl as its caller, so that its writes are refused without elevation rather than virtualized),
// the systems each knows (Vista to 11), the editor's DPI awareness and common controls.
TEST(ShippedPrograms, EachProgramCarriesTheProjectsVersionAndTheManifestWindowsNeedsFromIt) {
    const std::vector<std::string> systems = {
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"};
    const struct { const char* file; std::vector<std::string> parts; bool allSystems; } programs[] = {
        {SARNEX_EXE_PATH, {"level=\"requireAdministrator\"", ">true</dpiAware>", ">PerMonitorV2</dpiAwareness>",
                           "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""}, true},
        {SARNEX_CTL_PATH, {"level=\"asInvoker\""}, true},
        {SARNEX_SETUP_PATH, {"level=\"requireAdministrator\""}, false}};
    for (const auto& c : programs) {
        SCOPED_TRACE(c.file);
        std::vector<char> block(GetFileVersionInfoSizeA(c.file, nullptr));
        ASSERT_TRUE(!block.empty() && GetFileVersionInfoA(c.file, 0, static_cast<DWORD>(block.size()), block.data()));
        for (const std::string name : {"FileVersion", "ProductVersion"}) {
            char* value = nullptr;
            UINT length = 0;
            const std::string query = "\\StringFileInfo\\040904B0\\" + name;
            ASSERT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length));
            EXPECT_STREQ(value, SARNEX_VERSION_TEXT) << name;
        }
        const win32::ModuleHandle module(LoadLibraryExA(c.file, nullptr, LOAD_LIBRARY_AS_DATAFILE));
        HRSRC found = FindResourceA(module.get(), MAKEINTRESOURCEA(1), RT_MANIFEST);
        HGLOBAL bytes = found ? LoadResource(module.get(), found) : nullptr;
        const std::string manifest(bytes ? static_cast<const char*>(LockResource(bytes)) : "",
                                   bytes ? SizeofResource(module.get(), found) : 0);
        std::vector<std::string> parts = c.parts;
        if (c.allSystems) parts.insert(parts.end(), systems.begin(), systems.end());
        for (const std::string& part : parts) EXPECT_NE(manifest.find(part), std::string::npos) << part;
    }
}

// On a double-byte ANSI code page (Japanese, 932), which Wine takes from the environment (ctest runs this in
// a process of its own started with LANG=ja_JP.UTF-8; elsewhere it skips): every character the code page
// holds is stored, whatever its width; a name within the box's characters but beyond the record's 254 bytes
// is refused with its count, and nothing is written; a Japanese path regedit stored loads and saves silently.
TEST(JapaneseCodePage, TwoByteCharactersAreStoredAndTheByteLimitNamed) {
    if (GetACP() != 932) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 932";
    const std::string ctl = "\"" SARNEX_CTL_PATH "\" ";
    ReplaceKey(TypicalRecord());
    EXPECT_EQ(RunToTheEnd(ctl + "set label=\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E").exitCode, 0);  // 日本語
    EXPECT_EQ((*ReadKey())["DiskLabel"], Text("\x93\xFA\x96\x7B\x8C\xEA")) << "in the code page's own bytes";
    std::string name = "C:\\";
    for (int i = 0; i < 130; ++i) name += "\xE6\x97\xA5";
    const auto labelled = ReadKey();
    const Ran refused = RunToTheEnd(ctl + "set \"save-file=" + name + "\"");
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.output.find("the text takes 263 bytes in the ANSI code page; at most 254 can be stored"),
              std::string::npos) << refused.output;
    EXPECT_EQ(ReadKey(), labelled);

    ReplaceKey(With(TypicalRecord(), {{"LoadImageFile", Wide(u"C:\\\u65E5\u672C\\disk.img")}}));
    auto before = ReadKey();
    EXPECT_EQ((*before)["LoadImageFile"], Text("C:\\\x93\xFA\x96\x7B\\disk.img"));
    const Process run("\"" SARNEX_EXE_PATH "\"");
    ASSERT_TRUE(Press(run.WaitForWindow(kEditor), L"Save"));
    EXPECT_FALSE(WaitFor([&] { return !VisibleWindows(run.Id(), nullptr, L"Registry Save Failed").empty(); }, 3));
    EXPECT_EQ(ReadKey(), before);
    ReplaceKey(std::nullopt);
}

}  // namespace
}  // namespace sarnex::testing
