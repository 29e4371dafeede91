// Starts sarnexcfg.exe as a user would and watches its top-level windows from outside.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace sarnex::testing {

class ProgramRun {
public:
    // `arguments` is the text after the program's name, passed exactly (trailing blanks included).
    explicit ProgramRun(const std::string& arguments) {
        std::string line = std::string("\"") + SARNEX_EXE_PATH + "\"" + (arguments.empty() ? "" : " " + arguments);
        STARTUPINFOA si{};
        si.cb = sizeof si;
        started_ = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_);
    }
    ~ProgramRun() {
        if (!started_) return;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 1);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Started() const { return started_ != 0; }

    // The visible top-level window of this process with the given title, waiting for it to appear.
    HWND WaitForWindow(const wchar_t* title, int milliseconds = 15000) const {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        do {
            if (HWND h = FindOwnWindow(title)) return h;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        } while (std::chrono::steady_clock::now() < until && Running());
        return FindOwnWindow(title);
    }

    // Every visible top-level window of the process, by title.
    std::vector<std::wstring> VisibleWindows() const {
        Listing listing{pi_.dwProcessId, {}};
        EnumWindows(AddVisibleWindow, reinterpret_cast<LPARAM>(&listing));
        return listing.titles;
    }

    // Presses the button captioned `caption` in window `window`, as a click does.
    static bool PressButton(HWND window, const wchar_t* caption) {
        HWND button = FindWindowExW(window, nullptr, L"Button", caption);
        if (button == nullptr) return false;
        PostMessageW(button, BM_CLICK, 0, 0);
        return true;
    }

    bool Running() const { return started_ && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

    // Waits for the program to end; its exit code, or -1 when it is still running.
    int WaitForExit(int milliseconds = 15000) const {
        if (!started_ || WaitForSingleObject(pi_.hProcess, static_cast<DWORD>(milliseconds)) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(pi_.hProcess, &code);
        return static_cast<int>(code);
    }

private:
    struct Listing {
        DWORD processId;
        std::vector<std::wstring> titles;
    };
    static BOOL CALLBACK AddVisibleWindow(HWND h, LPARAM p) {
        auto* listing = reinterpret_cast<Listing*>(p);
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == listing->processId && IsWindowVisible(h)) {
            wchar_t title[256] = {};
            GetWindowTextW(h, title, 256);
            listing->titles.emplace_back(title);
        }
        return TRUE;
    }

    HWND FindOwnWindow(const wchar_t* title) const {
        HWND h = nullptr;
        while ((h = FindWindowExW(nullptr, h, L"SarnexForm", title)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == pi_.dwProcessId && IsWindowVisible(h)) return h;
        }
        return nullptr;
    }

    PROCESS_INFORMATION pi_{};
    BOOL started_ = FALSE;
};

}  // namespace sarnex::testing
