// Answers, from a thread of its own, the first dialog box this process shows (a message box, the
// shell's restart question) with one button, noting its title, text and owner first; so a test can
// call code that waits in such a box.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

namespace sarnex::testing {

class DialogWatch {
public:
    struct Seen {
        HWND box = nullptr;
        std::wstring title, text;
        HWND owner = nullptr;
    };

    explicit DialogWatch(int answer = IDOK) : thread_([this, answer] { Watch(answer); }) {}
    ~DialogWatch() { Result(); }
    DialogWatch(const DialogWatch&) = delete;
    DialogWatch& operator=(const DialogWatch&) = delete;

    // Once the box is answered, or 15 s have passed.
    const Seen& Result() {
        if (thread_.joinable()) thread_.join();
        return seen_;
    }

private:
    static BOOL CALLBACK FindBox(HWND h, LPARAM box) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        wchar_t cls[8] = {};
        GetClassNameW(h, cls, 8);
        if (pid == GetCurrentProcessId() && IsWindowVisible(h) && std::wstring(cls) == L"#32770")
            *reinterpret_cast<HWND*>(box) = h;
        return *reinterpret_cast<HWND*>(box) == nullptr;
    }
    void Watch(int answer) {
        for (int i = 0; i < 1500 && seen_.box == nullptr; ++i, Sleep(10)) {
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(&seen_.box));
        }
        if (seen_.box == nullptr) return;
        wchar_t text[1024] = {};
        GetWindowTextW(seen_.box, text, 1024);
        seen_.title = text;
        GetDlgItemTextW(seen_.box, 0xFFFF, text, 1024);  // a message box's text
        seen_.text = text;
        seen_.owner = GetWindow(seen_.box, GW_OWNER);
        PostMessageW(seen_.box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    }

    Seen seen_;
    std::thread thread_;
};

}  // namespace sarnex::testing
