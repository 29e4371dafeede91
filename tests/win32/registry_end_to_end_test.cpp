// The editor on the real registry through real windows: values stored by the system's own reg
// tool are what the editor shows, an edit saved through the windows is what reg reads back (types
// and bytes), and a missing key brings the read notice up in front of the editor.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "notices/registry_notices.h"
#include "platform/win32/advapi32_registry.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "startup/program.h"
#include "win32/win32_program.h"


namespace sarnex::testing {
namespace {

constexpr const char* kKey = "Software\\Sarnex";
constexpr const char* kRegKey = "HKLM\\Software\\Sarnex";

std::string SystemTool(const char* name) {
    char dir[MAX_PATH] = {};
    GetSystemDirectoryA(dir, MAX_PATH);
    return std::string("\"") + dir + "\\" + name + "\"";
}

std::string TempFile(const char* prefix) {
    char dir[MAX_PATH] = {};
    char file[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    GetTempFileNameA(dir, prefix, 0, file);
    return file;
}

struct ToolRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;
};

// Runs one of the system's tools, its output going to a file (no pipe a helper process could hold).
ToolRun RunTool(const std::string& commandLine) {
    const std::string outputPath = TempFile("reg");
    ToolRun run;
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        const win32::KernelHandle output(CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (output.get() == INVALID_HANDLE_VALUE) return run;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output.get();
        startup.hStdError = output.get();
        PROCESS_INFORMATION started{};
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                            &startup, &started))
            return run;
        const win32::KernelHandle process(started.hProcess);
        const win32::KernelHandle thread(started.hThread);
        if (WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0) return run;
        GetExitCodeProcess(process.get(), &run.exitCode);
    }
    std::ifstream in(outputPath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    run.output = text.str();
    DeleteFileA(outputPath.c_str());
    return run;
}

void RegAdd(const std::string& name, const char* type, const std::string& data) {
    const ToolRun run = RunTool(SystemTool("reg.exe") + " add " + kRegKey + " /v " + name + " /t " + type + " /d \"" +
                                data + "\" /f");
    ASSERT_EQ(run.exitCode, 0u) << name << ": " << run.output;
}

// One value as `reg query` lists it: its type name and its data as reg writes them.
struct Listed {
    std::string type;
    std::string data;
};

Listed RegQuery(const std::string& name) {
    const ToolRun run = RunTool(SystemTool("reg.exe") + " query " + kRegKey + " /v " + name);
    EXPECT_EQ(run.exitCode, 0u) << name << ": " << run.output;
    std::istringstream lines(run.output);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream fields(line);
        std::string first, type;
        if (!(fields >> first >> type) || first != name) continue;
        std::string data;
        std::getline(fields, data);
        const auto start = data.find_first_not_of(' ');
        return {type, start == std::string::npos ? std::string() : data.substr(start)};
    }
    ADD_FAILURE() << "reg query lists no " << name << ":\n" << run.output;
    return {};
}

// The value's exact type and bytes through advapi32.
struct RawValue {
    DWORD type = 0;
    std::string bytes;
};

RawValue ReadRaw(const char* name) {
    RawValue raw;
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, kKey, &key) != ERROR_SUCCESS) return raw;
    char buffer[512];
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key, name, nullptr, &raw.type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS)
        raw.bytes.assign(buffer, size);
    RegCloseKey(key);
    return raw;
}

std::string Dword(std::uint32_t v) {
    return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                       static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
}

bool KeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyA(HKEY_LOCAL_MACHINE, kKey, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

using RealProgram = Win32Program<win32::Advapi32Registry, win32::AnsiCodePage>;

class RegistryEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey); }
    void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey); }
};

TEST_F(RegistryEndToEnd, ValuesStoredByTheRegToolAreShownByTheEditor) {
    RegAdd("DiskType", "REG_SZ", "FDC14");
    RegAdd("LoadImageOnStart", "REG_DWORD", "1");
    RegAdd("LoadImageFile", "REG_SZ", "C:\\images\\disk one.img");
    RegAdd("SaveImageOnExit", "REG_DWORD", "0");
    RegAdd("SaveImageFile", "REG_SZ", "C:\\images\\saved.img");
    RegAdd("SizeIn4kPages", "REG_DWORD", "360");
    RegAdd("DiskFormatFAT32", "REG_DWORD", "1");
    RegAdd("AutoSaveEnabled", "REG_DWORD", "0");
    RegAdd("AutoSaveTrigger", "REG_DWORD", "0x1f");
    RegAdd("UserDriveLetter", "REG_DWORD", "16777240");
    RegAdd("MakeTempDir", "REG_DWORD", "0");
    RegAdd("DiskLabel", "REG_SZ", "RAM DISK");
    RegAdd("UseDiskLabel", "REG_DWORD", "0");

    RealProgram p;
    editor::Editor& e = p.ShowEditor();
    EXPECT_EQ(e.diskTypeList.ListIndex(), 1);
    EXPECT_EQ(p.Shown(e.diskTypeList), "1.44MB Floppy");
    EXPECT_EQ(p.Shown(e.versionLabel), "Version 1.0.41");
    EXPECT_TRUE(p.Ticked(e.loadImageCheck));
    EXPECT_EQ(p.Shown(e.loadImageFileBox), "C:\\images\\disk one.img");
    EXPECT_TRUE(p.Usable(e.loadImageFileBox));
    EXPECT_FALSE(p.Ticked(e.saveImageCheck));
    EXPECT_EQ(p.Shown(e.saveImageFileBox), "C:\\images\\saved.img");
    EXPECT_FALSE(p.Usable(e.saveImageFileBox));
    EXPECT_EQ(p.Shown(e.diskSizeBox), " 1.40625");
    EXPECT_FALSE(p.Usable(e.diskSizeBox));
    EXPECT_TRUE(p.Ticked(e.fat32Check));
    EXPECT_FALSE(p.Usable(e.fat32Check));
    EXPECT_EQ(p.Shown(e.autoSaveIntervalBox), " 124");
    EXPECT_FALSE(p.Usable(e.autoSaveIntervalBox));
    EXPECT_TRUE(p.Ticked(e.driveLetterCheck));
    EXPECT_EQ(p.Shown(e.driveLetterBox), "Y");
    EXPECT_EQ(p.Shown(e.volumeLabelBox), "RAM DISK");
    EXPECT_FALSE(p.Usable(e.volumeLabelBox));
    EXPECT_EQ(e.AcceptedPositions().size, 2047);
    EXPECT_EQ(e.AcceptedPositions().interval, 32643);
    EXPECT_EQ(p.runtime.ExistingInstance<notices::RegistryReadFailedNotice>(), nullptr);
}

TEST_F(RegistryEndToEnd, ImportedFileWithOddValuesLoadsWhatFits) {
    const std::string file = TempFile("sx");
    {
        std::ofstream reg(file, std::ios::binary);
        reg << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Sarnex]\r\n"
               "\"DiskType\"=\"hdc\"\r\n"
               "\"LoadImageOnStart\"=\"1\"\r\n"
               "\"SizeIn4kPages\"=hex(b):00,40,00,00,00,00,00,00\r\n"
               "\"AutoSaveTrigger\"=hex:05\r\n"
               "\"DiskLabel\"=hex:41,42,00,43,44,00\r\n\r\n";
    }
    const ToolRun imported = RunTool(SystemTool("reg.exe") + " import \"" + file + "\"");
    DeleteFileA(file.c_str());
    ASSERT_EQ(imported.exitCode, 0u) << imported.output;

    RealProgram p;
    editor::Editor& e = p.ShowEditor();
    EXPECT_EQ(e.diskTypeList.ListIndex(), -1) << "\"hdc\" is no disk type";
    EXPECT_FALSE(p.Ticked(e.loadImageCheck)) << "the text \"1\" reads as 49";
    EXPECT_EQ(p.Shown(e.diskSizeBox), "Text3") << "an 8-byte number is not read";
    EXPECT_EQ(p.Shown(e.autoSaveIntervalBox), " 20") << "a 1-byte number is";
    EXPECT_EQ(p.Shown(e.volumeLabelBox), "ABCD");
}

TEST_F(RegistryEndToEnd, AnEditSavedThroughTheWindowsIsWhatRegReadsBack) {
    RegAdd("DiskType", "REG_SZ", "HDC");
    RegAdd("SizeIn4kPages", "REG_DWORD", "16384");
    RegAdd("UserDriveLetter", "REG_DWORD", "3");
    RegAdd("SaveImageOnExit", "REG_DWORD", "1");
    RegAdd("UseDiskLabel", "REG_DWORD", "1");
    RegAdd("DiskLabel", "REG_SZ", "OLD");

    RealProgram p;
    editor::Editor& e = p.ShowEditor();
    p.user.Retype(e.diskSizeBox, "100.7");
    p.user.Click(e.driveLetterCheck);
    p.user.Retype(e.driveLetterBox, "q");
    p.user.Retype(e.saveImageFileBox, "C:\\saved image.img");
    p.user.Retype(e.volumeLabelBox, "NEW LABEL");
    p.user.Retype(e.autoSaveIntervalBox, "22");
    p.user.Click(e.saveButton);
    EXPECT_EQ(p.Shown(e.diskSizeBox), " 100");
    EXPECT_EQ(p.runtime.ExistingInstance<notices::RegistrySaveFailedNotice>(), nullptr);

    struct Expected {
        const char* name;
        const char* listedType;
        std::string listed;
        DWORD type;
        std::string bytes;
    };
    const Expected expected[] = {
        {"DiskType", "REG_SZ", "HDC", REG_SZ, std::string("HDC\0", 4)},
        {"SizeIn4kPages", "REG_DWORD", "0x6400", REG_DWORD, Dword(25600)},
        {"UserDriveLetter", "REG_DWORD", "0x1000010", REG_DWORD, Dword(16777232)},
        {"SaveImageFile", "REG_SZ", "C:\\saved image.img", REG_SZ, std::string("C:\\saved image.img\0", 19)},
        {"DiskLabel", "REG_SZ", "NEW LABEL", REG_SZ, std::string("NEW LABEL\0", 10)},
        {"AutoSaveTrigger", "REG_DWORD", "0x6", REG_DWORD, Dword(6)},
        {"SaveImageOnExit", "REG_DWORD", "0x1", REG_DWORD, Dword(1)},
        {"UseDiskLabel", "REG_DWORD", "0x1", REG_DWORD, Dword(1)},
        {"LoadImageOnStart", "REG_DWORD", "0x0", REG_DWORD, Dword(0)},
        {"MakeTempDir", "REG_DWORD", "0x0", REG_DWORD, Dword(0)},
    };
    for (const Expected& x : expected) {
        SCOPED_TRACE(x.name);
        const Listed listed = RegQuery(x.name);
        EXPECT_EQ(listed.type, x.listedType);
        EXPECT_EQ(listed.data, x.listed);
        const RawValue raw = ReadRaw(x.name);
        EXPECT_EQ(raw.type, x.type);
        EXPECT_EQ(raw.bytes, x.bytes);
    }
    // Text values the editor never touched hold their design text and are stored as such.
    EXPECT_EQ(ReadRaw("LoadImageFile").bytes, std::string("Text1\0", 6));

    p.user.Click(e.cancelButton);
    EXPECT_TRUE(p.runtime.ProgramEnded());
}

TEST_F(RegistryEndToEnd, MissingKeyShowsTheReadNoticeInFrontAndSavingCreatesNothing) {
    ASSERT_FALSE(KeyExists());
    RealProgram p;
    p.ShowEditor();
    auto* notice = p.runtime.ExistingInstance<notices::RegistryReadFailedNotice>();
    ASSERT_NE(notice, nullptr);
    HWND noticeWindow = p.host.WindowOf(*notice);
    HWND editorWindow = p.host.WindowOf(p.program.Editor());
    ASSERT_NE(noticeWindow, nullptr);
    ASSERT_NE(editorWindow, nullptr);
    EXPECT_TRUE(IsWindowVisible(noticeWindow));
    EXPECT_TRUE(IsWindowVisible(editorWindow));
    EXPECT_NE(GetWindowLongW(noticeWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindowLongW(editorWindow, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(p.Shown(p.program.Editor().diskSizeBox), "5");
    EXPECT_EQ(p.Shown(p.program.Editor().volumeLabelBox), "Sarnexia");

    p.user.Click(p.program.Editor().okButton);
    auto* saveNotice = p.runtime.ExistingInstance<notices::RegistrySaveFailedNotice>();
    ASSERT_NE(saveNotice, nullptr);
    EXPECT_TRUE(IsWindowVisible(p.host.WindowOf(*saveNotice)));
    EXPECT_TRUE(p.program.Editor().Loaded()) << "OK keeps the editor when nothing could be saved";
    EXPECT_FALSE(KeyExists());
}

}  // namespace
}  // namespace sarnex::testing
