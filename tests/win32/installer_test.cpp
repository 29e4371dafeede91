// sarnex-setup.exe run silently, as a deployment runs it: what it puts in place, the settings /CONFIG
// writes or refuses, what its uninstaller takes away, and the driver's settings, which both leave alone
// unless told otherwise.
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

namespace fs = std::filesystem;

const std::string kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sarnex";
const std::string kScratch = SARNEX_SETUP_SCRATCH_DIR;
// A folder name with a blank, as under Program Files: every command line must quote it.
const std::string kInstallDir = kScratch + "\\Program Files\\Sarnex";

fs::path ShortcutPath() {
    char programs[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs);
    return fs::path(programs) / "Sarnex Configuration.lnk";
}

// /D= comes last and unquoted, as NSIS wants it; without it an upgrade goes where the installed version is.
int RunSetup(const std::string& options, const std::string& folder = kInstallDir) {
    return Run("\"" SARNEX_SETUP_PATH "\" /S " + options + (folder.empty() ? "" : " /D=" + folder)).exitCode;
}

// Each test starts with no installation; the prefix's own driver settings are put aside and come back.
class SilentSetup : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveInstallation();
        ReplaceKey(std::nullopt);
    }
    void TearDown() override {
        RemoveInstallation();
        ReplaceKey(savedSettings_);
    }
    static void RemoveInstallation() {
        ReplaceKey(std::nullopt, kUninstallKey);
        std::error_code ignored;
        fs::remove(ShortcutPath(), ignored);
        fs::remove_all(kScratch, ignored);
    }
    bool NothingInstalled() const {
        return !fs::exists(kInstallDir) && !fs::exists(ShortcutPath()) && !ReadKey(kUninstallKey);
    }

    const std::optional<StoredValues> savedSettings_ = ReadKey();
    // Settings as the driver's installation left them, including a value this program does not know.
    const StoredValues settings_ = With(TypicalRecord(), {{"Unknown", Raw(REG_BINARY, "\x01\x02")}});
};

TEST_F(SilentSetup, PutsTheProgramsTheShortcutAndEveryUninstallValueInPlace) {
    ASSERT_EQ(RunSetup(""), 0);
    std::set<std::string> found;
    std::uintmax_t programBytes = 0;
    for (const auto& entry : fs::directory_iterator(kInstallDir)) {
        found.insert(entry.path().filename().string());
        if (entry.path().filename() != "uninstall.exe") programBytes += entry.file_size();
    }
    EXPECT_EQ(found, (std::set<std::string>{"sarnexcfg.exe", "sarnexctl.exe", "uninstall.exe"}));
    EXPECT_TRUE(FileBytes(kInstallDir + "\\sarnexcfg.exe") == FileBytes(SARNEX_EXE_PATH));
    EXPECT_TRUE(FileBytes(kInstallDir + "\\sarnexctl.exe") == FileBytes(SARNEX_CTL_PATH));
    EXPECT_TRUE(fs::exists(ShortcutPath()));

    auto values = ReadKey(kUninstallKey).value_or(StoredValues{});
    const auto size = values["EstimatedSize"].value_or(StoredValue{});  // in KB, of the programs
    ASSERT_TRUE(size.type == REG_DWORD && size.bytes.size() == 4);
    EXPECT_NEAR(*reinterpret_cast<const DWORD*>(size.bytes.data()), programBytes / 1024.0, 2.0);
    values.erase("EstimatedSize");
    const std::string uninstaller = "\"" + kInstallDir + "\\uninstall.exe\"";
    EXPECT_EQ(values, (StoredValues{{"DisplayName", Text("Sarnex Configuration Utility")},
                                    {"DisplayVersion", Text(SARNEX_VERSION_TEXT)},
                                    {"Publisher", Text("Sarnex")},
                                    {"DisplayIcon", Text(kInstallDir + "\\sarnexcfg.exe,0")},
                                    {"InstallLocation", Text(kInstallDir)},
                                    {"UninstallString", Text(uninstaller)},
                                    {"QuietUninstallString", Text(uninstaller + " /S")},
                                    {"NoModify", Number(1)},
                                    {"NoRepair", Number(1)}}));
    EXPECT_EQ(ReadKey(), std::nullopt) << "installing alone creates no driver settings";
}

TEST_F(SilentSetup, ConfigWritesTheSettingsThroughSarnexctl) {
    ASSERT_EQ(RunSetup("/CONFIG=\"size=64 letter=R\""), 0);
    auto settings = ReadKey().value_or(StoredValues{});
    EXPECT_EQ(settings["SizeIn4kPages"], Number(16384));
    EXPECT_EQ(settings["UserDriveLetter"], Number(0x01000000 + 17));
    EXPECT_EQ(settings.size(), 13u);
    EXPECT_TRUE(fs::exists(kInstallDir + "\\sarnexctl.exe"));
}

TEST_F(SilentSetup, ARefusedConfigFailsTheInstallWithNothingWritten) {
    ReplaceKey(settings_);
    // A rule's refusal and an unknown value; as typed at a prompt, and as deployment tools quote an
    // argument that holds a blank.
    for (const char* config : {"/CONFIG=\"type=floppy1.44 size=64\"", "\"/CONFIG=size=64 fat32=maybe\""}) {
        EXPECT_EQ(RunSetup(config), 4) << config;
        EXPECT_TRUE(NothingInstalled()) << config;
        EXPECT_EQ(ReadKey(), settings_) << config;
    }
}

TEST_F(SilentSetup, TheUninstallerRemovesEverythingAndTheSettingsOnlyWhenPurging) {
    for (const char* purge : {"", " /PURGE"}) {
        SCOPED_TRACE(purge);
        ReplaceKey(settings_);
        ASSERT_EQ(RunSetup(""), 0);
        // The command of the uninstall entry, as a deployment tool runs it.
        const auto quiet = ReadKey(kUninstallKey).value_or(StoredValues{})["QuietUninstallString"].value_or(Text(""));
        EXPECT_EQ(testing::Run(quiet.bytes.c_str() + std::string(purge)).exitCode, 0);
        EXPECT_TRUE(NothingInstalled());
        EXPECT_EQ(ReadKey(), *purge ? std::nullopt : std::optional(settings_));
    }
}

TEST_F(SilentSetup, UpgradeReplacesTheProgramsWhereTheyAreAndKeepsTheSettings) {
    ASSERT_EQ(RunSetup(""), 0);
    ReplaceKey(settings_);
    const std::string installed = kInstallDir + "\\sarnexcfg.exe";
    WriteFileBytes(installed, "an older version");
    ASSERT_EQ(RunSetup("", ""), 0);
    EXPECT_TRUE(FileBytes(installed) == FileBytes(SARNEX_EXE_PATH));
    EXPECT_EQ(ReadKey(), settings_);
}

TEST_F(SilentSetup, ARunningProgramStopsTheUpgradeBeforeAnythingChanges) {
    ASSERT_EQ(RunSetup(""), 0);
    ASSERT_TRUE(fs::remove(ShortcutPath()));  // an install that went ahead would put it back
    const Process running("\"" + kInstallDir + "\\sarnexcfg.exe\" install");
    ASSERT_TRUE(running.Running());
    EXPECT_EQ(RunSetup(""), 3);
    EXPECT_FALSE(fs::exists(ShortcutPath()));
    EXPECT_TRUE(running.Running()) << "the program was ended";
}

}  // namespace
}  // namespace sarnex::testing
