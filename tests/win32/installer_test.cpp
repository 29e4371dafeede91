// sarnex-setup.exe run silently, as a deployment runs it: what it puts in place, what its uninstaller
// takes away, and the driver's settings, which both leave alone unless told otherwise.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "shared/stored_values.h"
#include "version.h"

namespace sarnex::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sarnex";
const std::string kScratch = SARNEX_SETUP_SCRATCH_DIR;
// A folder name with a blank, as under Program Files: every command line must quote it.
const std::string kInstallDir = kScratch + "\\Program Files\\Sarnex";

using Handle = std::unique_ptr<void, decltype(&CloseHandle)>;

// Every value of a key under HKLM, or nothing when the key is absent.
std::optional<StoredValues> ReadKey(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    StoredValues values;
    char name[256];
    DWORD nameLength = sizeof name, type = 0, size = 0;
    for (DWORD i = 0; RegEnumValueA(key, i, name, &nameLength, nullptr, &type, nullptr, &size) == 0; ++i) {
        std::string bytes(size, '\0');
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(bytes.data()), &size);
        values[name] = StoredValue{type, bytes};
        nameLength = sizeof name;
    }
    RegCloseKey(key);
    return values;
}

void ReplaceKey(const std::string& path, const std::optional<StoredValues>& values) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
    HKEY key = nullptr;
    if (!values || RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                   nullptr) != ERROR_SUCCESS)
        return;
    for (const auto& [name, value] : *values)
        RegSetValueExA(key, name.c_str(), 0, value->type, reinterpret_cast<const BYTE*>(value->bytes.data()),
                       static_cast<DWORD>(value->bytes.size()));
    RegCloseKey(key);
}

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

fs::path ShortcutPath() {
    char programs[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs);
    return fs::path(programs) / "Sarnex Configuration.lnk";
}

// Runs a command line until it and every process it started have ended (the uninstaller hands over
// to a copy of itself and returns at once); the first process's exit code, or -1.
int RunToTheEnd(std::string commandLine) {
    Handle job(CreateJobObjectA(nullptr, nullptr), &CloseHandle);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                        &startup, &process))
        return -1;
    Handle owner(process.hProcess, &CloseHandle), thread(process.hThread, &CloseHandle);
    AssignProcessToJobObject(job.get(), process.hProcess);
    ResumeThread(process.hThread);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION state{};
    do {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        QueryInformationJobObject(job.get(), JobObjectBasicAccountingInformation, &state, sizeof state, nullptr);
    } while (state.ActiveProcesses > 0 && std::chrono::steady_clock::now() < deadline);
    DWORD code = 0;
    return state.ActiveProcesses == 0 && GetExitCodeProcess(process.hProcess, &code) ? static_cast<int>(code) : -1;
}

// /D= comes last and unquoted, as NSIS wants it.
int RunSetup(const std::string& options, const std::string& folder = kInstallDir) {
    return RunToTheEnd("\"" SARNEX_SETUP_PATH "\" /S " + options + (folder.empty() ? "" : " /D=" + folder));
}

// Each test starts with no installation; the prefix's own driver settings are put aside and come
// back afterwards.
class SilentSetup : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveInstallation();
        ReplaceKey(kKey.data(), std::nullopt);
    }
    void TearDown() override {
        RemoveInstallation();
        ReplaceKey(kKey.data(), savedSettings_);
    }
    static void RemoveInstallation() {
        ReplaceKey(kUninstallKey, std::nullopt);
        std::error_code ignored;
        fs::remove(ShortcutPath(), ignored);
        fs::remove_all(kScratch, ignored);
    }

    const std::optional<StoredValues> savedSettings_ = ReadKey(kKey.data());
    // Settings as the driver's installation left them, including a value this program does not know.
    const StoredValues settings_ = With(TypicalRecord(), {{"Unknown", Raw(REG_BINARY, "\x01\x02")}});
};

TEST_F(SilentSetup, PutsTheProgramsTheShortcutAndEveryUninstallValueInPlace) {
    ASSERT_EQ(RunSetup(""), 0);

    std::set<std::string> files{"sarnexcfg.exe", "uninstall.exe"}, found;
    if (SARNEX_SETUP_CARRIES_CTL) files.insert("sarnexctl.exe");
    std::uintmax_t programBytes = 0;
    for (const auto& entry : fs::directory_iterator(kInstallDir)) {
        found.insert(entry.path().filename().string());
        if (entry.path().filename() != "uninstall.exe") programBytes += entry.file_size();
    }
    EXPECT_EQ(found, files);
    EXPECT_TRUE(FileBytes(kInstallDir + "\\sarnexcfg.exe") == FileBytes(SARNEX_EXE_PATH));
    EXPECT_TRUE(fs::exists(ShortcutPath()));

    auto values = ReadKey(kUninstallKey).value_or(StoredValues{});
    // In KB, of the programs.
    const auto size = values["EstimatedSize"].value_or(StoredValue{});
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
    EXPECT_EQ(ReadKey(kKey.data()), std::nullopt) << "installing alone creates no driver settings";
}

class SilentUninstall : public SilentSetup, public ::testing::WithParamInterface<bool> {};

TEST_P(SilentUninstall, RemovesEverythingAndTheSettingsOnlyWhenPurging) {
    const bool purge = GetParam();
    ReplaceKey(kKey.data(), settings_);
    ASSERT_EQ(RunSetup(""), 0);
    // The command of the uninstall entry, as a deployment tool runs it.
    const auto quiet = ReadKey(kUninstallKey).value_or(StoredValues{})["QuietUninstallString"].value_or(Text(""));
    EXPECT_EQ(RunToTheEnd(quiet.bytes.c_str() + std::string(purge ? " /PURGE" : "")), 0);
    EXPECT_FALSE(fs::exists(kInstallDir));
    EXPECT_FALSE(fs::exists(ShortcutPath()));
    EXPECT_EQ(ReadKey(kUninstallKey), std::nullopt);
    EXPECT_EQ(ReadKey(kKey.data()), purge ? std::nullopt : std::optional(settings_));
}

INSTANTIATE_TEST_SUITE_P(Options, SilentUninstall, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Purge" : "Plain"; });

TEST_F(SilentSetup, UpgradeReplacesTheProgramsWhereTheyAreAndKeepsTheSettings) {
    ASSERT_EQ(RunSetup(""), 0);
    ReplaceKey(kKey.data(), settings_);
    const std::string installed = kInstallDir + "\\sarnexcfg.exe";
    std::ofstream(installed, std::ios::binary | std::ios::trunc) << "an older version";

    // No /D: an upgrade goes where the installed version is.
    ASSERT_EQ(RunSetup("", ""), 0);
    EXPECT_TRUE(FileBytes(installed) == FileBytes(SARNEX_EXE_PATH));
    EXPECT_EQ(ReadKey(kKey.data()), settings_);
}

TEST_F(SilentSetup, ARunningProgramStopsTheUpgradeBeforeAnythingChanges) {
    ASSERT_EQ(RunSetup(""), 0);
    ASSERT_TRUE(fs::remove(ShortcutPath()));  // an install that went ahead would put it back
    std::string line = "\"" + kInstallDir + "\\sarnexcfg.exe\" install";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    Handle running(process.hProcess, &CloseHandle), thread(process.hThread, &CloseHandle);

    EXPECT_EQ(RunSetup(""), 3);
    EXPECT_FALSE(fs::exists(ShortcutPath()));
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the program was ended";
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
}

// As typed at a prompt, and as deployment tools quote an argument that holds a blank.
class RefusedConfiguration : public SilentSetup, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedConfiguration, FailsTheInstallWithNothingWritten) {
    ReplaceKey(kKey.data(), settings_);
    EXPECT_EQ(RunSetup(GetParam()), 4);
    EXPECT_FALSE(fs::exists(kInstallDir));
    EXPECT_FALSE(fs::exists(ShortcutPath()));
    EXPECT_EQ(ReadKey(kUninstallKey), std::nullopt);
    EXPECT_EQ(ReadKey(kKey.data()), settings_);
}

INSTANTIATE_TEST_SUITE_P(Spellings, RefusedConfiguration,
                         ::testing::Values("/CONFIG=\"size=64 fat32=maybe\"", "\"/CONFIG=size=64 fat32=maybe\""));

BOOL CALLBACK AddResource(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR list) {
    HRSRC resource = FindResourceA(module, name, type);
    reinterpret_cast<std::vector<std::string>*>(list)->emplace_back(
        static_cast<const char*>(LockResource(LoadResource(module, resource))), SizeofResource(module, resource));
    return TRUE;
}

// The bytes of every resource of one type in a program file.
std::vector<std::string> Resources(const char* file, LPCSTR type) {
    std::vector<std::string> found;
    HMODULE module = LoadLibraryExA(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EnumResourceNamesA(module, type, AddResource, reinterpret_cast<LONG_PTR>(&found));
    FreeLibrary(module);
    return found;
}

std::string VersionText(const char* file, const std::string& name) {
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(file, &ignored) + 1);
    char* value = nullptr;
    UINT size = 0;
    return GetFileVersionInfoA(file, 0, static_cast<DWORD>(block.size()), block.data()) &&
                   VerQueryValueA(block.data(), ("\\StringFileInfo\\040904B0\\" + name).c_str(),
                                  reinterpret_cast<void**>(&value), &size)
               ? std::string(value)
               : "<missing>";
}

TEST(SetupProgram, CarriesTheProgramsVersionAndIconAndAsksForAdministratorRights) {
    for (const char* name : {"FileVersion", "ProductVersion", "ProductName", "CompanyName"})
        EXPECT_EQ(VersionText(SARNEX_SETUP_PATH, name), VersionText(SARNEX_EXE_PATH, name)) << name;
    const auto icons = Resources(SARNEX_EXE_PATH, RT_ICON);
    ASSERT_FALSE(icons.empty());
    EXPECT_EQ(Resources(SARNEX_SETUP_PATH, RT_ICON), icons);
    const auto manifests = Resources(SARNEX_SETUP_PATH, RT_MANIFEST);
    ASSERT_EQ(manifests.size(), 1u);
    EXPECT_NE(manifests[0].find("level=\"requireAdministrator\""), std::string::npos);
}

}  // namespace
}  // namespace sarnex::testing
