// The real program's checks before saving, on the real registry and file system: an image that
// does not fit the disk brings up the editor's own question on "OK", and a value that regedit
// changes while the editor is open brings up the other one on "Save".
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "win32/program_run.h"

namespace sarnex::testing {
namespace {

constexpr const char* kKey = "Software\\Sarnex";
constexpr const wchar_t* kEditorTitle = L"Sarnex Configuration Utility";
constexpr const wchar_t* kPromptTitle = L"Settings Saved";

std::string TempPath(const char* name) {
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

void Store(const char* name, const std::string& text) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kKey, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1)),
              ERROR_SUCCESS);
}
void Store(const char* name, DWORD number) {
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kKey, name, REG_DWORD, &number, sizeof number), ERROR_SUCCESS);
}

std::string StoredText(const char* name) {
    char text[256] = {};
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kKey, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return "?";
    return text;
}

DWORD ValueCount() {
    HKEY key = nullptr;
    DWORD values = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return values;
}

template <class Condition>
bool WaitFor(Condition condition) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// A message box is a dialog of the system's class "#32770".
HWND WaitForBox(const wchar_t* title) {
    HWND box = nullptr;
    WaitFor([&] {
        box = FindWindowW(L"#32770", title);
        return box != nullptr && IsWindowVisible(box);
    });
    return box;
}

std::string BoxText(HWND box) {
    std::string text;
    for (HWND child = nullptr; (child = FindWindowExW(box, child, L"Static", nullptr)) != nullptr;)
        text += win32::WindowText(child);
    return text;
}

void Answer(HWND box, int button) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); })) << "the box closes";
}

// Imports a .reg file with the system's regedit, as an administrator would.
void Regedit(const std::string& regFile) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::string line = std::string("\"") + windows + "\\regedit.exe\" /S \"" + regFile + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
    const win32::KernelHandle process(started.hProcess);
    const win32::KernelHandle thread(started.hThread);
    ASSERT_EQ(WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0);
}

class SaveCheckEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey);
        DeleteFileA(image.c_str());
        DeleteFileA(regFile.c_str());
    }

    // A 5 MB hard disk that loads an image of `imageSize` bytes: four values, so that a save shows
    // by the other nine appearing.
    void StoreImageLoading(std::uint64_t imageSize) {
        std::ofstream(image, std::ios::binary | std::ios::trunc).close();
        std::filesystem::resize_file(image, imageSize);
        Store("DiskType", "HDC");
        Store("SizeIn4kPages", 1280);
        Store("LoadImageOnStart", 1);
        Store("LoadImageFile", image);
    }

    std::string image = TempPath("sarnex check.img");
    std::string regFile = TempPath("sarnex check.reg");
};

TEST_F(SaveCheckEndToEnd, AnImageOneByteLargerThanTheDiskIsFoundOnOk) {
    StoreImageLoading(5242881);
    ProgramRun run("");
    HWND editor = run.WaitForWindow(kEditorTitle);
    ASSERT_NE(editor, nullptr);

    ASSERT_TRUE(ProgramRun::PressButton(editor, L"OK"));
    HWND box = WaitForBox(L"Sarnex Settings Check");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), editor) << "the editor owns its question";
    EXPECT_FALSE(IsWindowEnabled(editor)) << "and takes no input while it is asked";
    EXPECT_EQ(BoxText(box), "The image file to load, \"" + image +
                                "\", is larger than the disk: 5,242,881 bytes against 5,242,880 bytes.\n\n"
                                "Save these settings anyway?");
    Answer(box, IDNO);
    EXPECT_EQ(run.VisibleWindows(), std::vector<std::wstring>{kEditorTitle});
    EXPECT_EQ(ValueCount(), 4u) << "No writes nothing";

    ASSERT_TRUE(ProgramRun::PressButton(editor, L"OK"));
    box = WaitForBox(L"Sarnex Settings Check");
    ASSERT_NE(box, nullptr);
    Answer(box, IDYES);
    HWND prompt = run.WaitForWindow(kPromptTitle);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(ValueCount(), 13u);
    ASSERT_TRUE(ProgramRun::PressButton(prompt, L"Cancel"));
    EXPECT_EQ(run.WaitForExit(), 0);
}

TEST_F(SaveCheckEndToEnd, AnImageThatFitsAsksNothing) {
    StoreImageLoading(5242880);
    ProgramRun run("");
    HWND editor = run.WaitForWindow(kEditorTitle);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(ProgramRun::PressButton(editor, L"OK"));
    HWND prompt = run.WaitForWindow(kPromptTitle);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(run.VisibleWindows(), std::vector<std::wstring>{kPromptTitle});
    EXPECT_EQ(ValueCount(), 13u);
    ASSERT_TRUE(ProgramRun::PressButton(prompt, L"Cancel"));
    EXPECT_EQ(run.WaitForExit(), 0);
}

TEST_F(SaveCheckEndToEnd, AValueChangedWithRegeditIsNamedOnSave) {
    Store("DiskType", "HDC");
    Store("SizeIn4kPages", 1280);
    Store("DiskLabel", "RAMDISK");
    ProgramRun run("");
    HWND editor = run.WaitForWindow(kEditorTitle);
    ASSERT_NE(editor, nullptr);
    std::ofstream(regFile, std::ios::binary) << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Sarnex]\r\n"
                                                "\"DiskLabel\"=\"REGEDIT\"\r\n\r\n";
    Regedit(regFile);
    ASSERT_EQ(StoredText("DiskLabel"), "REGEDIT");

    ASSERT_TRUE(ProgramRun::PressButton(editor, L"Save"));
    HWND box = WaitForBox(L"Sarnex Settings Changed");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), editor);
    EXPECT_EQ(BoxText(box), "Since these settings were read, another program has changed:\nDiskLabel\n\n"
                            "Replace them with the settings shown here?");
    Answer(box, IDNO);
    EXPECT_EQ(StoredText("DiskLabel"), "REGEDIT") << "No leaves what regedit stored";
    EXPECT_EQ(ValueCount(), 3u);

    ASSERT_TRUE(ProgramRun::PressButton(editor, L"Save"));
    box = WaitForBox(L"Sarnex Settings Changed");
    ASSERT_NE(box, nullptr);
    Answer(box, IDYES);
    EXPECT_TRUE(WaitFor([] { return StoredText("DiskLabel") == "RAMDISK"; })) << StoredText("DiskLabel");
    EXPECT_TRUE(WaitFor([] { return ValueCount() == 13; }));
    ASSERT_TRUE(ProgramRun::PressButton(editor, L"Cancel"));
    EXPECT_EQ(run.WaitForExit(), 0);
}

}  // namespace
}  // namespace sarnex::testing
