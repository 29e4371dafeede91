// The program's version comes from its own version resource, so the folder it was started from
// does not matter: a copy in a folder whose name the ANSI code page cannot spell shows the real
// version, read from the running program's window.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "version.h"

namespace {

struct Found {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK FindEditor(HWND h, LPARAM p) {
    auto* found = reinterpret_cast<Found*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    wchar_t title[64] = {};
    GetWindowTextW(h, title, 64);
    if (pid != found->processId || !IsWindowVisible(h) || std::wstring(title) != L"Sarnex Configuration Utility")
        return TRUE;
    found->window = h;
    return FALSE;
}

BOOL CALLBACK FindVersionLine(HWND child, LPARAM p) {
    const std::string text = sarnex::win32::WindowText(child);
    if (text.rfind("Version ", 0) != 0) return TRUE;
    *reinterpret_cast<std::string*>(p) = text;
    return FALSE;
}

TEST(VersionFromAnyFolder, ACopyInANonAnsiFolderShowsTheRealVersion) {
    const std::wstring shipped = sarnex::win32::Widen(SARNEX_EXE_PATH);
    const std::wstring folder = shipped.substr(0, shipped.rfind(L'\\')) + L"\\Ωμέγα Жук 日本";
    BOOL unspellable = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, folder.c_str(), -1, nullptr, 0, nullptr, &unspellable);
    ASSERT_TRUE(unspellable) << "the folder's name must lie outside the ANSI code page";
    const std::wstring copy = folder + L"\\sarnexcfg.exe";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(shipped.c_str(), copy.c_str(), FALSE));

    HKEY key = nullptr;  // with the driver's key in place no notice stands in front, and closing the editor ends the run
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Sarnex", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegCloseKey(key);
    std::wstring line = L"\"" + copy + L"\" install";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
    const sarnex::win32::KernelHandle process(started.hProcess), thread(started.hThread);
    Found found{started.dwProcessId, nullptr};
    for (int i = 0; i < 1000 && found.window == nullptr; ++i, Sleep(15)) EnumWindows(FindEditor, reinterpret_cast<LPARAM>(&found));
    std::string shown;
    if (found.window != nullptr) EnumChildWindows(found.window, FindVersionLine, reinterpret_cast<LPARAM>(&shown));
    EXPECT_EQ(shown, std::string("Version " SARNEX_VERSION_TEXT));

    if (found.window != nullptr) PostMessageW(found.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), 15000) != WAIT_OBJECT_0) TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), 5000);
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
