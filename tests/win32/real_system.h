// The real system around the programs under test: processes started as a user or a deployment
// starts them, their windows and message boxes found and answered, files, and HKEY_LOCAL_MACHINE.
#pragma once

#include <windows.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "shared/stored_values.h"

namespace sarnex::testing {

template <class Condition>
bool WaitFor(Condition condition, int seconds = 15) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    for (; !condition(); std::this_thread::sleep_for(std::chrono::milliseconds(20)))
        if (std::chrono::steady_clock::now() > until) return false;
    return true;
}

inline std::string TempPath(const std::string& name) {
    wchar_t folder[MAX_PATH] = {};
    return win32::Narrow({folder, GetTempPathW(MAX_PATH, folder)}) + name;
}
inline std::string FileBytes(const std::string& path) {
    std::ifstream in(win32::Widen(path).c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(win32::Widen(path).c_str(), std::ios::binary) << bytes;
}
// A file of `size` bytes, created afresh and held without sharing while the result lives.
inline win32::FileHandle CreateSizedFile(const std::string& path, LONGLONG size) {
    win32::FileHandle file(CreateFileW(win32::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, 0));
    SetFilePointerEx(file.get(), LARGE_INTEGER{.QuadPart = size}, nullptr, FILE_BEGIN);
    SetEndOfFile(file.get());
    return file;
}

// The visible top-level windows of process `id`, of one class and title where given.
inline std::vector<HWND> VisibleWindows(DWORD id, const wchar_t* windowClass = nullptr, const wchar_t* title = {}) {
    std::vector<HWND> found;
    DWORD owner = 0;
    for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, windowClass, title)) != nullptr;)
        if (GetWindowThreadProcessId(h, &owner) && owner == id && IsWindowVisible(h)) found.push_back(h);
    return found;
}
// One of them, waited for; a message box is a dialog of the system's class "#32770".
inline HWND WaitForWindow(DWORD id, const wchar_t* windowClass, const wchar_t* title = nullptr) {
    std::vector<HWND> found;
    WaitFor([&] { return !(found = VisibleWindows(id, windowClass, title)).empty(); });
    return found.empty() ? nullptr : found.front();
}
// A message box's text is in its static controls.
inline std::string BoxText(HWND box) {
    std::string text;
    for (HWND child = nullptr; (child = FindWindowExW(box, child, L"Static", nullptr)) != nullptr;)
        text += win32::WindowText(child);
    return text;
}
// Answers a box with a button, or (0) with Enter as the keyboard gives it, which presses the default button.
inline bool Answer(HWND box, int button) {
    if (button == 0) PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
    else PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    return WaitFor([&] { return !IsWindow(box); });
}
// Presses a window's button as a click does.
inline bool Press(HWND window, const wchar_t* caption) {
    HWND button = FindWindowExW(window, nullptr, L"Button", caption);
    return button && PostMessageW(button, BM_CLICK, 0, 0);
}

// A program started from a command line, waited for as deployment tools wait: on it alone, not on the
// processes it starts (an uninstaller hands over to a copy of itself); whatever still runs is ended with it.
class Process {
public:
    // `output`: a file for its standard output and error, or none.
    explicit Process(const std::string& commandLine, HANDLE output = nullptr) {
        STARTUPINFOW startup{sizeof startup};
        startup.dwFlags = output ? STARTF_USESTDHANDLES : 0;
        startup.hStdOutput = startup.hStdError = output;
        std::wstring line = win32::Widen(commandLine);
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, output != nullptr,
                            CREATE_SUSPENDED | (output ? CREATE_NO_WINDOW : 0), nullptr, nullptr, &startup, &started))
            return;
        process_.reset(started.hProcess);
        const win32::KernelHandle thread(started.hThread);
        id_ = started.dwProcessId;
        AssignProcessToJobObject(job_.get(), started.hProcess);
        ResumeThread(started.hThread);
    }
    ~Process() {
        TerminateJobObject(job_.get(), 1);
        WaitForSingleObject(process_.get(), 10000);  // its files are free again
    }

    DWORD Id() const { return id_; }
    // Its exit code; -1 when it did not end in time.
    int WaitForExit(int seconds = 60) const {
        DWORD code = 0;
        return process_ && WaitForSingleObject(process_.get(), seconds * 1000) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(process_.get(), &code) ? static_cast<int>(code) : -1;
    }
    // A visible form of its own with this title, waited for.
    HWND WaitForWindow(const wchar_t* title) const { return testing::WaitForWindow(id_, L"SarnexForm", title); }

private:
    win32::KernelHandle job_{CreateJobObjectW(nullptr, nullptr)};
    win32::KernelHandle process_;
    DWORD id_ = 0;
};

// A command line run to its end: its exit code and its output (standard output and error, as written),
// put in a file so that no helper process holds a pipe.
struct Ran {
    int exitCode = -1;
    std::string output;
};
inline Ran RunToTheEnd(const std::string& commandLine) {
    const std::string path = TempPath("sarnex-test-output.txt");
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    win32::FileHandle output(
        CreateFileW(win32::Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
    const int exitCode = Process(commandLine, output.get()).WaitForExit();
    output.reset();
    Ran ran{exitCode, FileBytes(path)};
    DeleteFileW(win32::Widen(path).c_str());
    return ran;
}

// Every value of a key under HKEY_LOCAL_MACHINE as the ANSI calls read it; nothing when it is absent.
inline std::optional<StoredValues> ReadKey(const std::string& path = std::string(kKey)) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    StoredValues values;
    char name[256], bytes[1024];
    DWORD nameLength = sizeof name, type = 0, size = sizeof bytes;
    for (DWORD i = 0; !RegEnumValueA(key, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(bytes), &size);
         ++i, nameLength = sizeof name, size = sizeof bytes)
        values[name] = StoredValue{type, std::string(bytes, size)};
    RegCloseKey(key);
    return values;
}

// Deletes the key and, given values, creates it again with exactly them: as the ANSI calls set them, or
// as kept, in UTF-16, as regedit sets them.
inline void ReplaceKey(const std::optional<StoredValues>& values, const std::string& path = std::string(kKey)) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
    HKEY key = nullptr;
    if (!values || RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                   nullptr) != ERROR_SUCCESS)
        return;
    for (const auto& [name, v] : *values) {
        const auto* bytes = reinterpret_cast<const BYTE*>(v->bytes.data());
        const auto size = static_cast<DWORD>(v->bytes.size());
        if (v->kept) RegSetValueExW(key, win32::Widen(name).c_str(), 0, v->type, bytes, size);
        else RegSetValueExA(key, name.c_str(), 0, v->type, bytes, size);
    }
    RegCloseKey(key);
}

}  // namespace sarnex::testing
