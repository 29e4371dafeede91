// Waits on a thread of its own for a dialog box of this process (a message box, the shell's restart
// question), notes its text and owner, and answers it with a button, so a test can call code that
// blocks in such a box.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

namespace sarnex::testing {

class DialogWatch {
public:
    explicit DialogWatch(int answer = IDOK) : thread_([this, answer] { Watch(answer); }) {}
    ~DialogWatch() { Join(); }
    DialogWatch(const DialogWatch&) = delete;
    DialogWatch& operator=(const DialogWatch&) = delete;

    struct Seen {
        bool shown = false;
        std::wstring title;
        std::wstring text;  // a message box's text
        HWND owner = nullptr;
    };
    // What was seen; waits until the box has been answered (or 15 s have passed).
    const Seen& Result() {
        Join();
        return seen_;
    }

private:
    void Join() {
        if (thread_.joinable()) thread_.join();
    }
    static BOOL CALLBACK Match(HWND h, LPARAM found) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        wchar_t cls[16] = {};
        GetClassNameW(h, cls, 16);
        if (pid != GetCurrentProcessId() || !IsWindowVisible(h) || std::wstring(cls) != L"#32770") return TRUE;
        *reinterpret_cast<HWND*>(found) = h;
        return FALSE;
    }
    void Watch(int answer) {
        for (int i = 0; i < 1500; ++i, Sleep(10)) {
            HWND box = nullptr;
            EnumWindows(Match, reinterpret_cast<LPARAM>(&box));
            if (box == nullptr) continue;
            wchar_t text[1024] = {};
            GetWindowTextW(box, text, 1024);
            seen_.title = text;
            text[0] = L'\0';
            GetDlgItemTextW(box, 0xFFFF, text, 1024);  // a message box's text control
            seen_ = {true, seen_.title, text, GetWindow(box, GW_OWNER)};
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
            return;
        }
    }

    Seen seen_;
    std::thread thread_;
};

}  // namespace sarnex::testing
