// The version comes from the program's own resource, whatever folder it was started from: a copy in
// a folder the ANSI code page cannot spell shows the real version, read from its window.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "version.h"

namespace {

BOOL CALLBACK FindEditor(HWND h, LPARAM p) {
    auto* e = reinterpret_cast<std::pair<DWORD, HWND>*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == e->first && IsWindowVisible(h) && sarnex::win32::WindowText(h) == "Sarnex Configuration Utility")
        e->second = h;
    return e->second == nullptr;
}

BOOL CALLBACK FindVersionLine(HWND child, LPARAM shown) {
    const std::string text = sarnex::win32::WindowText(child);
    if (text.rfind("Version ", 0) == 0) *reinterpret_cast<std::string*>(shown) = text;
    return TRUE;
}

TEST(VersionFromAnyFolder, ACopyInANonAnsiFolderShowsTheRealVersion) {
    const std::wstring shipped = sarnex::win32::Widen(SARNEX_EXE_PATH);
    const std::wstring folder = shipped.substr(0, shipped.rfind(L'\\')) + L"\\Ωμέγα Жук 日本";
    const std::wstring copy = folder + L"\\sarnexcfg.exe";
    BOOL unspellable = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, folder.c_str(), -1, nullptr, 0, nullptr, &unspellable);
    ASSERT_TRUE(unspellable);
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(shipped.c_str(), copy.c_str(), FALSE));
    HKEY key = nullptr;  // no notice in front: closing the editor ends the run
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Sarnex", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegCloseKey(key);

    std::wstring line = L"\"" + copy + L"\"";
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
    const sarnex::win32::KernelHandle process(started.hProcess), thread(started.hThread);
    std::pair<DWORD, HWND> editor{started.dwProcessId, nullptr};
    for (int i = 0; i < 1000 && editor.second == nullptr; ++i, Sleep(15)) {
        EnumWindows(FindEditor, reinterpret_cast<LPARAM>(&editor));
    }
    std::string shown;
    EnumChildWindows(editor.second, FindVersionLine, reinterpret_cast<LPARAM>(&shown));
    EXPECT_EQ(shown, "Version " SARNEX_VERSION_TEXT);

    PostMessageW(editor.second, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.get(), 15000) != WAIT_OBJECT_0) TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), 5000);
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
