// sarnex-setup.exe and its uninstaller run as deployment tools run them, on the real registry and file
// system: silently, with /CONFIG, over an installed version, and removed again.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "version.h"
#include "win32/real_system.h"

namespace sarnex::testing {
namespace {

constexpr const wchar_t* kEditor = L"Sarnex Configuration Utility";

namespace fs = std::filesystem;

const std::string kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sarnex";
const std::string kScratch = SARNEX_SETUP_SCRATCH_DIR;
// A folder name with a blank, as under Program Files: every command line must quote it.
const std::string kInstallDir = kScratch + "\\Program Files\\Sarnex";

fs::path Shortcut() {
    char programs[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs);
    return fs::path(programs) / "Sarnex Configuration.lnk";
}

// /D= comes last and unquoted, as NSIS wants it; without it an upgrade goes where the installed version is.
int RunSetup(const std::string& options, const std::string& folder = kInstallDir) {
    return RunToTheEnd("\"" SARNEX_SETUP_PATH "\" /S " + options + (folder.empty() ? "" : " /D=" + folder)).exitCode;
}

// Each test starts with no installation; the prefix's own driver settings are put aside and come back.
class SilentSetup : public ::testing::Test {
protected:
    void SetUp() override { Uninstall(settings); }
    void TearDown() override { Uninstall(saved); }
    static void Uninstall(const std::optional<StoredValues>& settings) {
        ReplaceKey(settings);
        ReplaceKey(std::nullopt, kUninstallKey);
        std::error_code ignored;
        fs::remove(Shortcut(), ignored);
        fs::remove_all(kScratch, ignored);
    }
    static bool NothingInstalled() {
        return !fs::exists(kInstallDir) && !fs::exists(Shortcut()) && !ReadKey(kUninstallKey);
    }

    const std::optional<StoredValues> saved = ReadKey();
    // Settings as the driver's installation left them, including a value this program does not know.
    const StoredValues settings = With(TypicalRecord(), {{"Unknown", Raw(REG_BINARY, "\x01\x02")}});
};

TEST_F(SilentSetup, PutsTheProgramsTheShortcutAndEveryUninstallValueInPlaceAndConfigWritesTheSettings) {
    ReplaceKey(std::nullopt);
    ASSERT_EQ(RunSetup("/CONFIG=\"size=64 letter=R\""), 0);
    std::set<std::string> found;
    std::uintmax_t programBytes = 0;
    for (const auto& entry : fs::directory_iterator(kInstallDir)) {
        found.insert(entry.path().filename().string());
        programBytes += entry.path().filename() == "uninstall.exe" ? 0 : entry.file_size();
    }
    EXPECT_EQ(found, (std::set<std::string>{"sarnexcfg.exe", "sarnexctl.exe", "uninstall.exe"}));
    EXPECT_TRUE(FileBytes(kInstallDir + "\\sarnexcfg.exe") == FileBytes(SARNEX_EXE_PATH));
    EXPECT_TRUE(fs::exists(Shortcut()));
    auto values = ReadKey(kUninstallKey).value_or(StoredValues{});
    const auto size = values["EstimatedSize"].value_or(StoredValue{});  // in KB, of the programs
    ASSERT_TRUE(size.type == REG_DWORD && size.bytes.size() == 4);
    EXPECT_NEAR(*reinterpret_cast<const DWORD*>(size.bytes.data()), programBytes / 1024.0, 2.0);
    values.erase("EstimatedSize");
    const std::string uninstaller = "\"" + kInstallDir + "\\uninstall.exe\"";
    EXPECT_EQ(values, (StoredValues{{"DisplayName", Text("Sarnex Configuration Utility")},
                                    {"DisplayVersion", Text(SARNEX_VERSION_TEXT)}, {"Publisher", Text("Sarnex")},
                                    {"DisplayIcon", Text(kInstallDir + "\\sarnexcfg.exe,0")},
                                    {"InstallLocation", Text(kInstallDir)}, {"UninstallString", Text(uninstaller)},
                                    {"QuietUninstallString", Text(uninstaller + " /S")}, {"NoModify", Number(1)},
                                    {"NoRepair", Number(1)}}));
    // From the editor's defaults for a new key, through the installed sarnexctl's rules.
    auto written = ReadKey().value_or(StoredValues{});
    EXPECT_EQ(written.size(), 13u);
    EXPECT_EQ(written["SizeIn4kPages"], Number(16384));
    EXPECT_EQ(written["UserDriveLetter"], Number(0x01000000 + 17));
}

TEST_F(SilentSetup, ARefusedConfigFailsTheInstallWithNothingWritten) {
    // A rule's refusal and an unknown value, as typed at a prompt and as deployment tools quote blanks.
    for (const char* config : {"/CONFIG=\"type=floppy1.44 size=64\"", "\"/CONFIG=size=64 fat32=maybe\""}) {
        EXPECT_EQ(RunSetup(config), 4) << config;
        EXPECT_TRUE(NothingInstalled()) << config;
        EXPECT_EQ(ReadKey(), settings) << config;
    }
}

TEST_F(SilentSetup, UpgradesInPlaceAndUninstallsAllButTheSettingsUnlessPurging) {
    ASSERT_EQ(RunSetup(""), 0);
    const std::string installed = kInstallDir + "\\sarnexcfg.exe";
    {  // an editor running from that folder stops the upgrade before a file is replaced
        const Process running("\"" + installed + "\"");
        ASSERT_NE(running.WaitForWindow(kEditor), nullptr);
        EXPECT_EQ(RunSetup("", ""), 3);
    }
    WriteFileBytes(installed, "an older version");
    ASSERT_EQ(RunSetup("", ""), 0);
    EXPECT_TRUE(FileBytes(installed) == FileBytes(SARNEX_EXE_PATH));
    for (const char* purge : {"", " /PURGE"}) {
        ASSERT_EQ(RunSetup(""), 0);
        EXPECT_EQ(ReadKey(), settings) << purge;
        // The command of the uninstall entry, as a deployment tool runs it.
        const auto quiet = ReadKey(kUninstallKey).value_or(StoredValues{})["QuietUninstallString"].value_or(Text(""));
        EXPECT_EQ(RunToTheEnd(quiet.bytes.c_str() + std::string(purge)).exitCode, 0);
        EXPECT_TRUE(NothingInstalled()) << purge;
    }
    EXPECT_EQ(ReadKey(), std::nullopt) << "purged";
}

}  // namespace
}  // namespace sarnex::testing
