// sarnex-setup.exe run silently, as a deployment runs it, and the programs it ships as Windows reads
// them: what it puts in place, the settings /CONFIG writes or refuses, upgrades, what its uninstaller
// takes away, and the driver's settings, which both leave alone unless told otherwise.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "version.h"
#include "win32/real_system.h"

namespace sarnex::testing {
namespace {

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
    return Run("\"" SARNEX_SETUP_PATH "\" /S " + options + (folder.empty() ? "" : " /D=" + folder)).exitCode;
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
    static bool NothingInstalled() { return !fs::exists(kInstallDir) && !fs::exists(Shortcut()) && !ReadKey(kUninstallKey); }

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
    // A rule's refusal and an unknown value; as typed at a prompt, and as deployment tools quote an
    // argument that holds a blank.
    for (const char* config : {"/CONFIG=\"type=floppy1.44 size=64\"", "\"/CONFIG=size=64 fat32=maybe\""}) {
        EXPECT_EQ(RunSetup(config), 4) << config;
        EXPECT_TRUE(NothingInstalled()) << config;
        EXPECT_EQ(ReadKey(), settings) << config;
    }
}

TEST_F(SilentSetup, UpgradesInPlaceUnlessTheProgramRunsAndUninstallsAllButTheSettingsUnlessPurging) {
    ASSERT_EQ(RunSetup(""), 0);
    const std::string installed = kInstallDir + "\\sarnexcfg.exe";
    WriteFileBytes(installed, "an older version");
    ASSERT_EQ(RunSetup("", ""), 0);
    EXPECT_TRUE(FileBytes(installed) == FileBytes(SARNEX_EXE_PATH));
    {
        ASSERT_TRUE(fs::remove(Shortcut()));  // an install that went ahead would put it back
        const Process running("\"" + installed + "\" install");
        EXPECT_EQ(RunSetup(""), 3);
        EXPECT_FALSE(fs::exists(Shortcut()));
        EXPECT_TRUE(running.Running()) << "the program was ended";
    }
    for (const char* purge : {"", " /PURGE"}) {
        ASSERT_EQ(RunSetup(""), 0);
        EXPECT_EQ(ReadKey(), settings) << purge;
        // The command of the uninstall entry, as a deployment tool runs it.
        const auto quiet = ReadKey(kUninstallKey).value_or(StoredValues{})["QuietUninstallString"].value_or(Text(""));
        EXPECT_EQ(testing::Run(quiet.bytes.c_str() + std::string(purge)).exitCode, 0);
        EXPECT_TRUE(NothingInstalled()) << purge;
    }
    EXPECT_EQ(ReadKey(), std::nullopt) << "purged";
}

BOOL CALLBACK AddResource(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR list) {
    HRSRC r = FindResourceA(module, name, type);
    reinterpret_cast<std::vector<std::string>*>(list)->emplace_back(
        static_cast<const char*>(LockResource(LoadResource(module, r))), SizeofResource(module, r));
    return TRUE;
}
// Every resource of one type in a program file, by its bytes.
std::vector<std::string> Resources(const char* file, LPCSTR type) {
    std::vector<std::string> found;
    HMODULE module = LoadLibraryExA(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EnumResourceNamesA(module, type, AddResource, reinterpret_cast<LONG_PTR>(&found));
    FreeLibrary(module);
    return found;
}

TEST(ShippedPrograms, TheEditorAndItsInstallerCarryTheProjectsVersionIconAndManifest) {
    for (const char* file : {SARNEX_EXE_PATH, SARNEX_SETUP_PATH}) {
        std::vector<char> block(GetFileVersionInfoSizeA(file, nullptr));
        ASSERT_TRUE(!block.empty() && GetFileVersionInfoA(file, 0, static_cast<DWORD>(block.size()), block.data()));
        for (const std::string name : {"FileVersion", "ProductVersion"}) {
            char* value = nullptr;
            UINT length = 0;
            const std::string query = "\\StringFileInfo\\040904B0\\" + name;
            ASSERT_TRUE(VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)) << file;
            EXPECT_STREQ(value, SARNEX_VERSION_TEXT) << file << name;
        }
        EXPECT_NE(Resources(file, RT_MANIFEST).at(0).find("level=\"requireAdministrator\""), std::string::npos) << file;
    }
    // The icon directory: type 1, one image of 32 x 32 pixels in 16 colours; the installer has the same.
    EXPECT_EQ(Resources(SARNEX_EXE_PATH, RT_GROUP_ICON).at(0).substr(2, 7), std::string("\x01\0\x01\0\x20\x20\x10", 7));
    EXPECT_EQ(Resources(SARNEX_SETUP_PATH, RT_ICON), Resources(SARNEX_EXE_PATH, RT_ICON));
    const std::string manifest = Resources(SARNEX_EXE_PATH, RT_MANIFEST).at(0);
    for (const char* part : {">true</dpiAware>", "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""})
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
}

}  // namespace
}  // namespace sarnex::testing
