// sarnex-setup.exe run silently, as a deployment runs it: what it puts in place, what its uninstaller
// takes away, and the driver's settings that both leave alone unless told otherwise.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "version.h"

namespace {

constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Sarnex";
constexpr const char* kDriverKey = "Software\\Sarnex";
const std::string kScratch = SARNEX_SETUP_SCRATCH_DIR;
// A folder name with a blank, as under Program Files: every command line must quote it.
const std::string kInstallDir = kScratch + "\\Program Files\\Sarnex";

using Handle = std::unique_ptr<void, decltype(&CloseHandle)>;

struct StoredValue {
    DWORD type;
    std::string bytes;
    bool operator==(const StoredValue&) const = default;
};
using KeyValues = std::map<std::string, StoredValue>;

StoredValue Text(const std::string& text) { return {REG_SZ, text + '\0'}; }
StoredValue Number(DWORD number) { return {REG_DWORD, std::string(reinterpret_cast<const char*>(&number), 4)}; }

// Every value of a key under HKLM, or nothing when the key is absent.
std::optional<KeyValues> ReadKey(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    KeyValues values;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name, type = 0, size = 0;
        if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        std::string bytes(size, '\0');
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(bytes.data()), &size);
        values[name] = {type, bytes};
    }
    RegCloseKey(key);
    return values;
}

void WriteKey(const char* path, const KeyValues& values) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0);
    for (const auto& [name, value] : values)
        RegSetValueExA(key, name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(value.bytes.data()),
                       static_cast<DWORD>(value.bytes.size()));
    RegCloseKey(key);
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : std::string("<missing>");
}

std::set<std::string> FolderListing(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..") names.insert(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ShortcutPath() {
    char programs[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs);
    return std::string(programs) + "\\Sarnex Configuration.lnk";
}

// The program a shortcut starts, as the shell resolves it.
std::string ShortcutTarget(const std::string& link) {
    IShellLinkA* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shellLink))))
        return "<no shell link>";
    std::string target = "<unreadable>";
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        const std::wstring wide(link.begin(), link.end());
        char path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) && SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0)))
            target = path;
        file->Release();
    }
    shellLink->Release();
    return target;
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
    Handle processHandle(process.hProcess, &CloseHandle), thread(process.hThread, &CloseHandle);
    AssignProcessToJobObject(job.get(), process.hProcess);
    ResumeThread(process.hThread);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION jobState{};
    do {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        QueryInformationJobObject(job.get(), JobObjectBasicAccountingInformation, &jobState, sizeof jobState, nullptr);
    } while (jobState.ActiveProcesses > 0 && std::chrono::steady_clock::now() < deadline);
    DWORD code = 0;
    if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0 || jobState.ActiveProcesses > 0) return -1;
    GetExitCodeProcess(process.hProcess, &code);
    return static_cast<int>(code);
}

int RunSetup(const std::string& options, const std::string& folder = kInstallDir) {
    // /D= comes last and unquoted, as NSIS wants it.
    return RunToTheEnd("\"" + std::string(SARNEX_SETUP_PATH) + "\" /S " + options + (folder.empty() ? "" : " /D=" + folder));
}

class SilentSetup : public ::testing::Test {
protected:
    // The prefix's own driver settings are put aside and come back afterwards; each test starts
    // with no installation.
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        savedSettings_ = ReadKey(kDriverKey);
        RemoveInstallation();
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kDriverKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kDriverKey);
    }
    void TearDown() override {
        RemoveInstallation();
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kDriverKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kDriverKey);
        if (savedSettings_) WriteKey(kDriverKey, *savedSettings_);
        CoUninitialize();
    }
    static void RemoveInstallation() {
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
        DeleteFileA(ShortcutPath().c_str());
        for (const std::string& name : FolderListing(kInstallDir)) DeleteFileA((kInstallDir + "\\" + name).c_str());
        RemoveDirectoryA(kInstallDir.c_str());
        RemoveDirectoryA((kScratch + "\\Program Files").c_str());
        RemoveDirectoryA(kScratch.c_str());
    }

    // Settings as a driver installation leaves them, including a value this program does not know.
    const KeyValues settings_{{"DiskSize", Number(64)}, {"DriveLetter", Text("R")}, {"Unknown", {REG_BINARY, "\x01\x02"}}};

private:
    std::optional<KeyValues> savedSettings_;
};

TEST_F(SilentSetup, PutsTheProgramsTheShortcutAndEveryUninstallValueInPlace) {
    ASSERT_EQ(RunSetup(""), 0);

    std::set<std::string> files{"sarnexcfg.exe", "uninstall.exe"};
    if (SARNEX_SETUP_CARRIES_CTL) files.insert("sarnexctl.exe");
    EXPECT_EQ(FolderListing(kInstallDir), files);
    const std::string program = FileBytes(SARNEX_EXE_PATH);
    EXPECT_TRUE(FileBytes(kInstallDir + "\\sarnexcfg.exe") == program);
    EXPECT_EQ(ShortcutTarget(ShortcutPath()), kInstallDir + "\\sarnexcfg.exe");

    auto values = ReadKey(kUninstallKey).value_or(KeyValues{});
    // The estimate is in KB, of the programs installed.
    ASSERT_EQ(values["EstimatedSize"].type, static_cast<DWORD>(REG_DWORD));
    DWORD estimate = 0;
    values["EstimatedSize"].bytes.copy(reinterpret_cast<char*>(&estimate), 4);
    std::size_t programBytes = 0;
    for (const std::string& name : files)
        if (name != "uninstall.exe") programBytes += FileBytes(kInstallDir + "\\" + name).size();
    EXPECT_NEAR(estimate, programBytes / 1024.0, 2.0);
    values.erase("EstimatedSize");
    const std::string uninstaller = "\"" + kInstallDir + "\\uninstall.exe\"";
    EXPECT_EQ(values, (KeyValues{{"DisplayName", Text("Sarnex Configuration Utility")},
                                 {"DisplayVersion", Text(SARNEX_VERSION_TEXT)},
                                 {"Publisher", Text("Sarnex")},
                                 {"DisplayIcon", Text(kInstallDir + "\\sarnexcfg.exe,0")},
                                 {"InstallLocation", Text(kInstallDir)},
                                 {"UninstallString", Text(uninstaller)},
                                 {"QuietUninstallString", Text(uninstaller + " /S")},
                                 {"NoModify", Number(1)},
                                 {"NoRepair", Number(1)}}));
    EXPECT_EQ(ReadKey(kDriverKey), std::nullopt) << "installing alone creates no driver settings";
}

struct UninstallCase {
    const char* options;
    bool settingsKept;
};

class SilentUninstall : public SilentSetup, public ::testing::WithParamInterface<UninstallCase> {};

TEST_P(SilentUninstall, RemovesEverythingAndTheSettingsOnlyWhenPurging) {
    WriteKey(kDriverKey, settings_);
    ASSERT_EQ(RunSetup(""), 0);
    const auto uninstall = ReadKey(kUninstallKey).value_or(KeyValues{})["QuietUninstallString"].bytes;
    ASSERT_FALSE(uninstall.empty());

    // The command the uninstall entry gives, as a deployment tool runs it.
    EXPECT_EQ(RunToTheEnd(uninstall.c_str() + std::string(" ") + GetParam().options), 0);
    EXPECT_FALSE(Exists(kInstallDir));
    EXPECT_FALSE(Exists(ShortcutPath()));
    EXPECT_EQ(ReadKey(kUninstallKey), std::nullopt);
    EXPECT_EQ(ReadKey(kDriverKey), GetParam().settingsKept ? std::optional(settings_) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Options, SilentUninstall,
                         ::testing::Values(UninstallCase{"", true}, UninstallCase{"/PURGE", false}),
                         [](const auto& info) { return info.param.settingsKept ? "Plain" : "Purge"; });

TEST_F(SilentSetup, UpgradeReplacesTheProgramsWhereTheyAreAndKeepsTheSettings) {
    ASSERT_EQ(RunSetup(""), 0);
    WriteKey(kDriverKey, settings_);
    const std::string installed = kInstallDir + "\\sarnexcfg.exe";
    std::ofstream(installed, std::ios::binary | std::ios::trunc) << "an older version";

    // No /D: the installed version's folder is the one an upgrade uses.
    ASSERT_EQ(RunSetup("", ""), 0);
    EXPECT_TRUE(FileBytes(installed) == FileBytes(SARNEX_EXE_PATH));
    EXPECT_EQ(ReadKey(kDriverKey), settings_);
    EXPECT_EQ(ReadKey(kUninstallKey).value_or(KeyValues{})["InstallLocation"], Text(kInstallDir));
}

TEST_F(SilentSetup, ARunningProgramStopsTheUpgradeBeforeAnythingChanges) {
    ASSERT_EQ(RunSetup(""), 0);
    ASSERT_TRUE(DeleteFileA(ShortcutPath().c_str()));  // put back by any install that goes ahead
    std::string line = "\"" + kInstallDir + "\\sarnexcfg.exe\" install";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    Handle running(process.hProcess, &CloseHandle), thread(process.hThread, &CloseHandle);

    EXPECT_EQ(RunSetup(""), 3);
    EXPECT_FALSE(Exists(ShortcutPath()));
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the program was left running";
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
}

TEST_F(SilentSetup, RefusedConfigurationFailsTheInstallWithNothingWritten) {
    WriteKey(kDriverKey, settings_);
    EXPECT_EQ(RunSetup("/CONFIG=\"size=64 fat32=maybe\""), 4);
    EXPECT_FALSE(Exists(kInstallDir));
    EXPECT_FALSE(Exists(ShortcutPath()));
    EXPECT_EQ(ReadKey(kUninstallKey), std::nullopt);
    EXPECT_EQ(ReadKey(kDriverKey), settings_);
}

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
    if (module == nullptr) return found;
    EnumResourceNamesA(module, type, AddResource, reinterpret_cast<LONG_PTR>(&found));
    FreeLibrary(module);
    return found;
}

// The setup program carries the programs' own version, icon, and asks for administrator rights.
TEST(SetupProgram, CarriesTheProgramsVersionIconAndAsksForAdministratorRights) {
    const auto versionText = [](const char* file, const char* name) {
        DWORD ignored = 0;
        std::vector<char> block(GetFileVersionInfoSizeA(file, &ignored));
        char* value = nullptr;
        UINT size = 0;
        const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
        return !block.empty() && GetFileVersionInfoA(file, 0, static_cast<DWORD>(block.size()), block.data()) &&
                       VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &size)
                   ? std::string(value)
                   : "<missing>";
    };
    for (const char* name : {"FileVersion", "ProductVersion", "ProductName", "CompanyName"})
        EXPECT_EQ(versionText(SARNEX_SETUP_PATH, name), versionText(SARNEX_EXE_PATH, name)) << name;

    const auto programIcons = Resources(SARNEX_EXE_PATH, RT_ICON);
    ASSERT_FALSE(programIcons.empty());
    EXPECT_EQ(Resources(SARNEX_SETUP_PATH, RT_ICON), programIcons);
    const auto manifests = Resources(SARNEX_SETUP_PATH, RT_MANIFEST);
    ASSERT_EQ(manifests.size(), 1u);
    EXPECT_NE(manifests[0].find("level=\"requireAdministrator\""), std::string::npos);
}

}  // namespace
