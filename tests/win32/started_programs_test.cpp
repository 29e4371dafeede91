// sarnexcfg.exe and sarnexctl.exe started as users start them, on the real registry and file system:
// the version from any folder; the checks before saving, which find an image that does not fit the
// disk, and a value regedit changed meanwhile; the bytes the programs write, what a refused set leaves,
// and round trips with Wine's own regedit in both directions.
#include <gtest/gtest.h>

#include <windows.h>

#include "version.h"
#include "win32/real_system.h"

namespace sarnex::testing {
namespace {

constexpr const wchar_t* kEditor = L"Sarnex Configuration Utility";

Ran Ctl(const std::string& arguments) { return Run("\"" SARNEX_CTL_PATH "\" " + arguments); }
Ran Regedit(const std::string& arguments) { return Run("regedit.exe " + arguments); }

class StartedPrograms : public ::testing::Test {
protected:
    void SetUp() override { ReplaceKey(std::nullopt); }
    void TearDown() override {
        ReplaceKey(std::nullopt);
        for (const std::string& file : {image, ours, theirs}) DeleteFileW(win32::Widen(file).c_str());
    }
    static HWND WaitForBox(const Process& run, const wchar_t* title, HWND owner) {
        HWND box = WaitForWindow(run.Id(), L"#32770", title);
        EXPECT_EQ(GetWindow(box, GW_OWNER), owner) << "the editor owns its question";
        EXPECT_FALSE(IsWindowEnabled(owner)) << "and takes no input while it is asked";
        return box;
    }
    // A 5 MB hard disk that loads the image, its label stored as binary, which a save writes as text.
    // "€" reaches the file system through the ANSI code page.
    StoredValues ImageLoading() const {
        std::string ansi = image;
        ansi.replace(ansi.find("\xE2\x82\xAC"), 3, "\x80");
        return With(TypicalRecord(), {{"SizeIn4kPages", Number(1280)}, {"LoadImageOnStart", Number(1)},
                                      {"LoadImageFile", Text(ansi)}, {"MakeTempDir", Number(0)},
                                      {"UseDiskLabel", Number(0)}, {"DiskLabel", Raw(REG_BINARY, {"RAMDISK", 8})}});
    }
    StoredValues Saved() const { return With(ImageLoading(), {{"DiskLabel", Text("RAMDISK")}}); }

    const std::string image = TempPath("sarnex \xE2\x82\xAC check.img");
    const std::string ours = TempPath("sarnex ours.reg"), theirs = TempPath("sarnex theirs.reg");
};

TEST_F(StartedPrograms, ACopyInAFolderTheAnsiCodePageCannotSpellShowsTheRealVersion) {
    const std::string shipped = SARNEX_EXE_PATH;  // "Ωμέγα Жук 日本"
    const std::string folder = shipped.substr(0, shipped.rfind('\\')) +
                               "\\\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 \xD0\x96\xD1\x83\xD0\xBA \xE6\x97\xA5\xE6\x9C\xAC";
    CreateDirectoryW(win32::Widen(folder).c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(win32::Widen(shipped).c_str(), win32::Widen(folder + "\\sarnexcfg.exe").c_str(), FALSE));
    ReplaceKey(StoredValues{});  // no notice in front
    {
        const Process run("\"" + folder + "\\sarnexcfg.exe\"");
        HWND editor = run.WaitForWindow(kEditor);
        std::string shown;
        for (HWND child = nullptr; (child = FindWindowExW(editor, child, nullptr, nullptr)) != nullptr;)
            shown += win32::WindowText(child).starts_with("Version ") ? win32::WindowText(child) : "";
        EXPECT_EQ(shown, "Version " SARNEX_VERSION_TEXT);
    }
    DeleteFileW(win32::Widen(folder + "\\sarnexcfg.exe").c_str());
    RemoveDirectoryW(win32::Widen(folder).c_str());
}

TEST_F(StartedPrograms, AnImageOneByteLargerThanTheDiskIsFoundOnOkAndYesSavesTheSettingsShown) {
    CreateSizedFile(image, 5242881);
    ReplaceKey(ImageLoading());
    const Process run("\"" SARNEX_EXE_PATH "\"");
    HWND editor = run.WaitForWindow(kEditor);
    ASSERT_TRUE(Press(editor, L"OK"));
    HWND box = WaitForBox(run, L"Sarnex Settings Check", editor);
    EXPECT_EQ(BoxText(box), "The image file to load, \"" + image +
                                "\", is larger than the disk: 5,242,881 bytes against 5,242,880 bytes.\n\n"
                                "Save these settings anyway?");
    ASSERT_TRUE(Answer(box, IDNO));
    EXPECT_EQ(VisibleWindows(run.Id()), std::vector<HWND>{editor});
    EXPECT_EQ(ReadKey(), ImageLoading()) << "No writes nothing";
    ASSERT_TRUE(Press(editor, L"OK"));
    ASSERT_TRUE(Answer(WaitForBox(run, L"Sarnex Settings Check", editor), IDYES));
    ASSERT_TRUE(Press(run.WaitForWindow(L"Settings Saved"), L"Cancel"));
    EXPECT_EQ(ReadKey(), Saved());
    EXPECT_EQ(run.WaitForExit(15), 0);
}

TEST_F(StartedPrograms, AnImageThatFitsAsksNothingAndInstallingOffersNoRestart) {
    CreateSizedFile(image, 5242880);
    ReplaceKey(ImageLoading());
    const Process run("\"" SARNEX_EXE_PATH "\" install");
    ASSERT_TRUE(Press(run.WaitForWindow(kEditor), L"OK"));
    EXPECT_EQ(run.WaitForExit(15), 0);
    EXPECT_EQ(ReadKey(), Saved());
}

TEST_F(StartedPrograms, AValueChangedWithRegeditMeanwhileIsNamedOnSave) {
    ReplaceKey(TypicalRecord());
    const Process run("\"" SARNEX_EXE_PATH "\"");
    HWND editor = run.WaitForWindow(kEditor);
    WriteFileBytes(ours, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Sarnex]\r\n\"DiskLabel\"=\"REGEDIT\"\r\n\r\n");
    ASSERT_EQ(Regedit("/S \"" + ours + "\"").exitCode, 0);
    const auto changed = With(TypicalRecord(), {{"DiskLabel", Text("REGEDIT")}});
    ASSERT_EQ(ReadKey(), changed);
    for (int answer : {IDNO, IDYES}) {
        ASSERT_TRUE(Press(editor, L"Save"));
        HWND box = WaitForBox(run, L"Sarnex Settings Changed", editor);
        EXPECT_EQ(BoxText(box), "Since these settings were read, another program has changed:\nDiskLabel\n\n"
                                "Replace them with the settings shown here?");
        ASSERT_TRUE(Answer(box, answer));
        // No leaves what regedit stored, Yes writes what the editor shows.
        EXPECT_TRUE(WaitFor([&] { return ReadKey() == (answer == IDNO ? changed : TypicalRecord()); }));
    }
}

TEST_F(StartedPrograms, SarnexctlWritesTheDriversBytesAndARefusedSetNothing) {
    EXPECT_EQ(Ctl("show").exitCode, 3) << "no key: a registry error";
    ASSERT_EQ(Ctl("set type=hard size=48 letter=r \"label=RAM DISK\" autosave=60").exitCode, 0);
    auto written = ReadKey().value_or(StoredValues{});
    EXPECT_EQ(written.size(), 13u);
    EXPECT_EQ(written["SizeIn4kPages"], Number(12288));
    EXPECT_EQ(written["UserDriveLetter"], Number(0x01000000 + 17));
    EXPECT_EQ(written["AutoSaveTrigger"], Number(15));
    EXPECT_EQ(written["DiskLabel"], Text("RAM DISK"));
    const Ran refused = Ctl("set fat32=on size=32 load-image=on");
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.output, "sarnexctl: refused: fat32=on: FAT32 is available only above 32 MB\r\n"
                              "sarnexctl: nothing was written to HKEY_LOCAL_MACHINE\\Software\\Sarnex\r\n");
    EXPECT_EQ(ReadKey(), written);
}

TEST_F(StartedPrograms, SarnexctlCheckFindsAnImageLargerThanTheDisk) {
    const std::string plain = TempPath("sarnex ctl.img");  // the console's code page may not hold "€"
    CreateSizedFile(plain, 5242881);
    ASSERT_EQ(Ctl("set type=hard size=5 load-image=on \"load-file=" + plain + "\"").exitCode, 0);
    const Ran check = Ctl("check");
    DeleteFileW(win32::Widen(plain).c_str());
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_EQ(check.output, "The image file to load, \"" + plain +
                                "\", is larger than the disk: 5,242,881 bytes against 5,242,880 bytes.\r\n");
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
    ASSERT_EQ(Regedit("/E \"" + theirs + "\" HKEY_LOCAL_MACHINE\\Software\\Sarnex").exitCode, 0);
    EXPECT_EQ(FileBytes(ours), FileBytes(theirs)) << "export writes what regedit writes";
    ReplaceKey(std::nullopt);
    const Ran imported = Ctl("import \"" + theirs + "\"");
    EXPECT_EQ(imported.exitCode, 0) << imported.output;
    EXPECT_EQ(ReadKey(), plain) << "import reads what regedit writes";

    // Values regedit could not write itself, but reads exactly: a text with a zero inside, a short number.
    const auto odd = With(plain, {{"Inner", Raw(REG_SZ, {"a\0b", 4})}, {"Short", Raw(REG_DWORD, "\x01\x02")}});
    ReplaceKey(odd);
    ASSERT_EQ(Ctl("export \"" + ours + "\"").exitCode, 0);
    ReplaceKey(std::nullopt);
    ASSERT_EQ(Regedit("/S \"" + ours + "\"").exitCode, 0);
    EXPECT_EQ(ReadKey(), odd) << "regedit reads what export writes";
}

}  // namespace
}  // namespace sarnex::testing
