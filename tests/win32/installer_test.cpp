// sarnex-setup.exe and its uninstaller run as deployment tools run them, on the real registry and file
// system: waited for as processes, judged by their exit codes and their logs.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "version.h"
#include "win32/real_windows.h"

namespace sarnex::testing {
namespace {

namespace fs = std::filesystem;

constexpr const wchar_t* kEditor = L"Sarnex Configuration Utility";
const std::string kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sarnex";
const std::string kScratch = SARNEX_SETUP_SCRATCH_DIR;
// A folder name with a blank, as under Program Files: every command line must quote it.
const std::string kInstallDir = kScratch + "\\Program Files\\Sarnex";
const std::string kInstalled = kInstallDir + "\\sarnexcfg.exe";
// What the editor shows for a key it cannot open.
const StoredValues kEditorDefaults = {
    {"DiskType", Text("HDC")},        {"LoadImageOnStart", Number(0)}, {"LoadImageFile", Text("")},
    {"SaveImageOnExit", Number(0)},   {"SaveImageFile", Text("")},     {"SizeIn4kPages", Number(1280)},
    {"AutoSaveEnabled", Number(0)},   {"DiskFormatFAT32", Number(0)},  {"AutoSaveTrigger", Number(5)},
    {"UserDriveLetter", Number(3)},   {"MakeTempDir", Number(0)},      {"UseDiskLabel", Number(0)},
    {"DiskLabel", Text("Sarnexia")}};
const std::string kRegFile = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Sarnex]\r\n";

fs::path KnownFolder(int id, const char* name) {
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, id, nullptr, 0, folder);
    return fs::path(folder) / name;
}
fs::path Shortcut() { return KnownFolder(CSIDL_COMMON_PROGRAMS, "Sarnex Configuration.lnk"); }

// /D= comes last and unquoted, as NSIS wants it; without it an upgrade goes where the installed version is.
int RunSetup(const std::string& options, const std::string& folder = kInstallDir) {
    return Process("\"" SARNEX_SETUP_PATH "\" /S " + options + (folder.empty() ? "" : " /D=" + folder)).WaitForExit();
}
// The installer's log, as UTF-8.
std::string SetupLog() {
    const std::string bytes = FileBytes(KnownFolder(CSIDL_WINDOWS, "Logs\\sarnex-setup.log").string());
    return bytes.size() < 2 ? "" : win32::Narrow({reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2});
}
// The command of the uninstall entry that deployment tools run.
std::string QuietUninstall() {
    auto entry = ReadKey(kUninstallKey).value_or(StoredValues{});
    return entry["QuietUninstallString"].value_or(Text("")).bytes.c_str();
}

// Each test starts with no installation; the prefix's own driver settings are put aside and come back.
class SilentSetup : public ::testing::Test {
protected:
    void SetUp() override { Uninstall(TypicalRecord()); }
    void TearDown() override { Uninstall(saved); }
    static void Uninstall(const std::optional<StoredValues>& settings) {
        ReplaceKey(settings);
        ReplaceKey(std::nullopt, kUninstallKey);
        std::error_code ignored;
        fs::remove(Shortcut(), ignored);
        fs::remove_all(kScratch, ignored);
        fs::create_directories(kScratch);
    }
    static bool NothingInstalled() {
        return !fs::exists(kInstallDir) && !fs::exists(KnownFolder(CSIDL_PROGRAM_FILES, "Sarnex")) &&
               !fs::exists(Shortcut()) && !ReadKey(kUninstallKey);
    }

    const std::optional<StoredValues> saved = ReadKey();
};

// Folders that cannot be made, or quoted, are refused. A fresh machine gets every file, the uninstall entry
// and a key the editor opens without a notice and saves; another folder is then refused. A running editor
// stops an upgrade and an uninstall before a file changes; an upgrade in place replaces the programs and
// applies /IMPORT, then /CONFIG, with blanks in their values; installing again keeps the settings, and the
// quiet uninstall returns when done, removing them only with /PURGE.
TEST_F(SilentSetup, AFreshInstallationUpgradesInPlaceAndTheQuietUninstallEndsWhenDone) {
    ReplaceKey(std::nullopt);
    WriteFileBytes(kScratch + "\\a file", "");
    for (const std::string& folder : {std::string("Q:\\no drive\\Sarnex"), kScratch + "\\a file\\Sarnex"}) {
        EXPECT_EQ(RunSetup("", folder), 2) << folder;
        EXPECT_TRUE(NothingInstalled()) << folder;
        EXPECT_NE(SetupLog().find("/D=" + folder + " cannot be made"), std::string::npos) << SetupLog();
    }
    EXPECT_EQ(RunSetup("\"/D=" + kInstallDir + "\"", ""), 2) << "quoted, which NSIS does not take";
    EXPECT_TRUE(NothingInstalled() && !ReadKey()) << "nor the driver's key made";
    ASSERT_EQ(RunSetup(""), 0) << SetupLog();
    std::set<std::string> found;
    std::uintmax_t bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(kInstallDir)) {
        found.insert(fs::relative(entry.path(), kInstallDir).string());
        bytes += entry.is_regular_file() ? entry.file_size() : 0;
    }
    EXPECT_EQ(found, (std::set<std::string>{"sarnexcfg.exe", "sarnexctl.exe", "uninstall.exe", "sarnex.admx",
                                            "en-US", "en-US\\sarnex.adml"}));
    EXPECT_TRUE(FileBytes(kInstalled) == FileBytes(SARNEX_EXE_PATH));
    EXPECT_TRUE(fs::exists(Shortcut()));
    const auto entry = ReadKey(kUninstallKey);
    auto values = entry.value_or(StoredValues{});
    const auto size = values["EstimatedSize"].value_or(StoredValue{});  // in KB, rounded up file by file
    ASSERT_TRUE(size.type == REG_DWORD && size.bytes.size() == 4);
    EXPECT_NEAR(*reinterpret_cast<const DWORD*>(size.bytes.data()), bytes / 1024.0, 5.0);
    values.erase("EstimatedSize");
    const std::string uninstaller = "\"" + kInstallDir + "\\uninstall.exe\"";
    EXPECT_EQ(values, (StoredValues{{"DisplayName", Text("Sarnex Configuration Utility")},
                                    {"DisplayVersion", Text(SARNEX_VERSION_TEXT)}, {"Publisher", Text("Sarnex")},
                                    {"DisplayIcon", Text(kInstalled + ",0")},
                                    {"InstallLocation", Text(kInstallDir)}, {"UninstallString", Text(uninstaller)},
                                    {"QuietUninstallString", Text(uninstaller + " /S")}, {"NoModify", Number(1)},
                                    {"NoRepair", Number(1)}}));
    EXPECT_EQ(ReadKey(), kEditorDefaults) << "the driver's key, made as the editor would show it";
    // One installed copy: another folder is refused until it is uninstalled.
    EXPECT_EQ(RunSetup("", kScratch + "\\Tools\\Sarnex"), 2);
    EXPECT_FALSE(fs::exists(kScratch + "\\Tools"));
    EXPECT_EQ(ReadKey(kUninstallKey), entry);
    EXPECT_NE(SetupLog().find("installed in \"" + kInstallDir + "\""), std::string::npos) << SetupLog();
    {  // the editor the last page offers, running from the installation folder
        const Process editor("\"" + kInstalled + "\" install");
        ASSERT_NE(editor.WaitForWindow(kEditor), nullptr);
        EXPECT_EQ(RunSetup("", ""), 3);
        EXPECT_EQ(Process(QuietUninstall()).WaitForExit(), 3);
        EXPECT_TRUE(fs::exists(kInstalled) && ReadKey(kUninstallKey));
        ASSERT_TRUE(Press(editor.WaitForWindow(kEditor), L"OK"));
        EXPECT_EQ(editor.WaitForExit(15), 0);
        EXPECT_EQ(ReadKey(), kEditorDefaults);
    }

    WriteFileBytes(kInstalled, "an older version");
    const std::string files = kScratch + "\\My Files", images = kScratch + "\\My Images";
    fs::create_directories(files);
    fs::create_directories(images);
    WriteFileBytes(files + "\\disk.reg", kRegFile + "\"SizeIn4kPages\"=dword:00008000\r\n\"DiskLabel\"=\"Imported\"\r\n");
    // Quoted as typed at a prompt and as deployment tools quote a whole argument.
    ASSERT_EQ(RunSetup("/IMPORT=\"" + files + "\\disk.reg\" \"/CONFIG=label='My Disk' save-image=on save-file='" + images +
                       "\\r.img'\"", ""), 0) << SetupLog();
    EXPECT_TRUE(FileBytes(kInstalled) == FileBytes(SARNEX_EXE_PATH));
    EXPECT_EQ(ReadKey(), With(kEditorDefaults, {{"SizeIn4kPages", Number(32768)}, {"DiskLabel", Text("My Disk")}, {"UseDiskLabel", Number(1)},
                                                {"SaveImageOnExit", Number(1)}, {"SaveImageFile", Text(images + "\\r.img")}}));
    const auto settings = With(*ReadKey(), {{"Unknown", Raw(REG_BINARY, "\x01\x02")}});  // a value the editor does not know
    ReplaceKey(settings);
    for (const char* purge : {"", " /PURGE"}) {
        ASSERT_EQ(RunSetup(""), 0);
        EXPECT_EQ(ReadKey(), settings) << purge;
        const Process uninstall(QuietUninstall() + purge);
        EXPECT_EQ(uninstall.WaitForExit(), 0) << purge;
        EXPECT_FALSE(fs::exists(kInstalled) || fs::exists(Shortcut()) || ReadKey(kUninstallKey)) << purge;
        EXPECT_TRUE(WaitFor(NothingInstalled)) << "and its own file as soon as it has ended" << purge;
    }
    EXPECT_EQ(ReadKey(), std::nullopt) << "purged";
}

TEST_F(SilentSetup, RefusedSettingsInstallAndWriteNothingAndTheLogSaysWhy) {
    const std::string small = kScratch + "\\small.reg", bad = kScratch + "\\bad.reg";
    const struct { std::string options, reason; } cases[] = {
        {"/CONFIG=\"type=floppy1.44 size=64\"", "size=64: the size is fixed for a floppy disk"},
        {"\"/CONFIG=size=64 fat32=maybe\"", "fat32 is on or off, not \"maybe\""},
        {"/CONFIG=size=64 /CONFIG=letter=R", "/CONFIG is given twice"},
        {"/IMPORT=\"" + bad + "\"", "SizeIn4kPages: 0.00390625 MB is outside 5 to 2048 MB"},
        // Each alone passes its dry run; after the import's 16 MB, FAT32 is refused and the import undone.
        {"/IMPORT=\"" + small + "\" /CONFIG=fat32=on", "fat32=on: FAT32 is available only above 32 MB"},
    };
    for (const auto& c : cases) {
        Uninstall(TypicalRecord());  // and the files, with the install folder's parent
        WriteFileBytes(small, kRegFile + "\"SizeIn4kPages\"=dword:00001000\r\n\"DiskFormatFAT32\"=dword:0\r\n");
        WriteFileBytes(bad, kRegFile + "\"SizeIn4kPages\"=dword:00000001\r\n");
        EXPECT_EQ(RunSetup(c.options), 4) << c.options;
        EXPECT_TRUE(NothingInstalled()) << c.options;
        EXPECT_EQ(ReadKey(), TypicalRecord()) << c.options;
        EXPECT_NE(SetupLog().find(c.reason), std::string::npos) << c.options << "\n" << SetupLog();
    }
}

}  // namespace
}  // namespace sarnex::testing
