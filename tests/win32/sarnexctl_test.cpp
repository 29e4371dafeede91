// sarnexctl.exe as administrators run it, on the real registry: its exit codes, a refused set that
// writes nothing, the bytes a set writes, and round trips with Wine's own regedit in both
// directions.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/code_page_utf8.h"
#include "platform/registry.h"
#include "platform/win32/advapi32_registry.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "version.h"

namespace sarnex::testing {
namespace {

using namespace std::string_view_literals;
using platform::StoredValue;

constexpr const char* kKey = "Software\\Sarnex";

std::string TempPath(const wchar_t* prefix) {
    wchar_t dir[MAX_PATH] = {};
    wchar_t file[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, prefix, 0, file);
    return win32::Narrow(file);
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(win32::Widen(path).c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Ran {
    int exitCode = -1;
    std::string output;  // standard output and error, as the program wrote them
};

// Runs a program with its output in a file, so that no helper process can hold a pipe open.
Ran RunProgram(const std::string& commandLine) {
    const std::string outputPath = TempPath(L"ctl");
    Ran ran;
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        const win32::FileHandle output(CreateFileW(win32::Widen(outputPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                                   &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!output) return ran;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = output.get();
        PROCESS_INFORMATION started{};
        std::wstring line = win32::Widen(commandLine);
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                            &started))
            return ran;
        const win32::KernelHandle process(started.hProcess);
        const win32::KernelHandle thread(started.hThread);
        DWORD code = 0;
        if (WaitForSingleObject(process.get(), 60000) == WAIT_OBJECT_0 && GetExitCodeProcess(process.get(), &code))
            ran.exitCode = static_cast<int>(code);
    }
    ran.output = FileBytes(outputPath);
    DeleteFileW(win32::Widen(outputPath).c_str());
    return ran;
}

Ran Ctl(const std::string& arguments) { return RunProgram(std::string("\"") + SARNEX_CTL_PATH + "\" " + arguments); }

Ran Regedit(const std::string& arguments) {
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    return RunProgram("\"" + win32::Narrow(windows) + "\\regedit.exe\" " + arguments);
}

std::vector<StoredValue> Kept() {
    win32::Advapi32Registry registry;
    std::vector<StoredValue> values;
    auto [status, key] = platform::RegistryKey::Open(registry, kKey, platform::KeyAccess::Query);
    EXPECT_EQ(key.ReadStored(values), 0);
    std::sort(values.begin(), values.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return values;
}

void Keep(const std::vector<StoredValue>& values) {
    win32::Advapi32Registry registry;
    ASSERT_EQ(registry.CreateKey(kKey), 0);
    auto [status, key] = platform::RegistryKey::Open(registry, kKey, platform::KeyAccess::Set);
    for (const StoredValue& value : values) ASSERT_EQ(key.SetStored(value), 0) << value.name;
}

std::vector<std::byte> Bytes(std::string_view bytes) {
    const auto* data = reinterpret_cast<const std::byte*>(bytes.data());
    return {data, data + bytes.size()};
}
std::vector<std::byte> Wide(std::u16string_view text) { return platform::Utf16LeBytes(text); }

// Values Wine's regedit both writes and reads exactly: plain texts and numbers, the other types as hex.
const std::vector<StoredValue> kPlainValues = {
    {"DiskType", 1, Wide(u"HDC\0"sv)},
    {"SizeIn4kPages", 4, Bytes("\x00\x40\x00\x00"sv)},
    {"", 1, Wide(u"default\0"sv)},
    {"Quote\"Back\\slash", 1, Wide(u"C:\\\"caf\u00E9\" \u20AC\0"sv)},
    {"Extra", 3, Bytes("0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrstuvwxyz"sv)},
    {"Expand", 2, Wide(u"%TEMP%\\x\0"sv)},
    {"Multi", 7, Wide(u"a\0b\0\0"sv)},
    {"Unknown", 0xFFFF0000u, Bytes("\x01"sv)},
    {"Nothing", 3, {}},
};

class Sarnexctl : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey); }
    void TearDown() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey);
        for (const std::string& file : files_) DeleteFileW(win32::Widen(file).c_str());
    }
    std::string File(const wchar_t* prefix) { return files_.emplace_back(TempPath(prefix)); }

private:
    std::vector<std::string> files_;
};

TEST_F(Sarnexctl, ExitCodesAndVersion) {
    const Ran version = Ctl("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output, std::string("sarnexctl ") + SARNEX_VERSION_TEXT + "\r\n");
    EXPECT_EQ(Ctl("set size").exitCode, 2);
    const Ran missing = Ctl("show");
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_EQ(missing.output, "sarnexctl: cannot read HKEY_LOCAL_MACHINE\\Software\\Sarnex: it does not exist (error "
                              "2); nothing was changed\r\n");
    EXPECT_EQ(Ctl("set type=hard size=64 fat32=on letter=R save-image=on \"save-file=C:\\disk one.img\"").exitCode, 0);
    EXPECT_EQ(Ctl("check").exitCode, 0);
    Keep({{"MakeTempDir", 1, Wide(u"1\0"sv)}});
    EXPECT_EQ(Ctl("check").output, "MakeTempDir: it is a REG_SZ, not a REG_DWORD; the editor would save off\r\n");
    EXPECT_EQ(Ctl("check").exitCode, 1);
    EXPECT_EQ(Ctl("set load-file= save-file=").exitCode, 2) << "load-file needs load-image=on";
}

TEST_F(Sarnexctl, SetWritesTheDriversBytesAndARefusedSetWritesNothing) {
    ASSERT_EQ(Ctl("set type=hard size=48 letter=r \"label=RAM DISK\" autosave=60").exitCode, 0);
    const auto written = Kept();
    const auto find = [&](std::string_view name) {
        return *std::find_if(written.begin(), written.end(), [&](const auto& v) { return v.name == name; });
    };
    EXPECT_EQ(find("SizeIn4kPages"), (StoredValue{"SizeIn4kPages", 4, Bytes("\x00\x30\x00\x00"sv)}));
    EXPECT_EQ(find("UserDriveLetter"), (StoredValue{"UserDriveLetter", 4, Bytes("\x11\x00\x00\x01"sv)}));
    EXPECT_EQ(find("AutoSaveTrigger"), (StoredValue{"AutoSaveTrigger", 4, Bytes("\x0f\x00\x00\x00"sv)}));
    EXPECT_EQ(find("SaveImageOnExit"), (StoredValue{"SaveImageOnExit", 4, Bytes("\x01\x00\x00\x00"sv)}));
    EXPECT_EQ(find("DiskLabel"), (StoredValue{"DiskLabel", 1, Wide(u"RAM DISK\0"sv)}));
    EXPECT_EQ(written.size(), 13u);

    const Ran refused = Ctl("set fat32=on size=32 load-image=on");
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.output, "sarnexctl: refused: fat32=on: FAT32 is available only above 32 MB\r\n"
                              "sarnexctl: nothing was written to HKEY_LOCAL_MACHINE\\Software\\Sarnex\r\n");
    EXPECT_EQ(Kept(), written);
}

TEST_F(Sarnexctl, ExportIsWhatRegeditWritesAndRegeditImportsItByteForByte) {
    Keep(kPlainValues);
    const std::string ours = File(L"our");
    const std::string theirs = File(L"reg");
    ASSERT_EQ(Ctl("export \"" + ours + "\"").exitCode, 0);
    ASSERT_EQ(Regedit("/E \"" + theirs + "\" HKEY_LOCAL_MACHINE\\Software\\Sarnex").exitCode, 0);
    EXPECT_EQ(FileBytes(ours), FileBytes(theirs));

    // Values regedit could not write itself, but reads exactly: a text with a zero inside, a short number.
    Keep({{"Inner", 1, Wide(u"a\0b\0"sv)}, {"Short", 4, Bytes("\x01\x02"sv)}});
    const auto before = Kept();
    ASSERT_EQ(Ctl("export \"" + ours + "\"").exitCode, 0);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey);
    ASSERT_EQ(Regedit("/S \"" + ours + "\"").exitCode, 0);
    EXPECT_EQ(Kept(), before);
}

TEST_F(Sarnexctl, WhatRegeditExportsIsImportedByteForByte) {
    Keep(kPlainValues);
    const auto before = Kept();
    const std::string theirs = File(L"reg");
    ASSERT_EQ(Regedit("/E \"" + theirs + "\" HKEY_LOCAL_MACHINE\\Software\\Sarnex").exitCode, 0);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey);
    const Ran imported = Ctl("import \"" + theirs + "\"");
    EXPECT_EQ(imported.exitCode, 0) << imported.output;
    EXPECT_EQ(Kept(), before);
}

}  // namespace
}  // namespace sarnex::testing
