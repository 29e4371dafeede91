// The real system around the code under test: forms on real windows in this process, each user action
// sent as the window messages a user's keyboard or mouse would produce; processes started as a user or a
// deployment starts them, their windows and message boxes found and answered; files; HKEY_LOCAL_MACHINE.
#pragma once

#include <windows.h>

#include <chrono>
#include <fstream>
#include <future>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_host.h"
#include "shared/program_harness.h"
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


// After every action, each control's window shows what its model holds.
class Win32Driver final : public UserDriver {
public:
    explicit Win32Driver(win32::Win32Host& host) : host_(host) {}

    void Type(forms::TextBox& box, std::string_view characters) override { TypeAtEnd(box, Usable(box), characters, false); }
    void Clear(forms::TextBox& box) override { TypeAtEnd(box, Usable(box), "\b", true); }  // Backspace on it all
    void Click(forms::CheckBox& box) override { Send(box.Parent(), Usable(box), BM_CLICK); }
    void Click(forms::CommandButton& button) override { Send(button.Parent(), Usable(button), BM_CLICK); }
    void Click(forms::Label& label) override {
        HWND h = Usable(label);
        if (h) SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)), host_.PumpMessages();
        Send(label.Parent(), h, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    void Pick(forms::ComboBox& combo, int index) override {  // the list selects the item and tells the parent
        if (HWND h = Usable(combo)) {
            SetFocus(h);
            SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
            Send(combo.Parent(), GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(h));
        }
    }
    void TypeInCombo(forms::ComboBox& combo, std::string_view characters) override {
        COMBOBOXINFO info{sizeof info};
        HWND h = Usable(combo);
        TypeAtEnd(combo, h && GetComboBoxInfo(h, &info) ? info.hwndItem : nullptr, characters, true);
    }
    void Arrow(forms::VScrollBar& bar, forms::VScrollBar::Arrow arrow) override {
        // The bar tracks the mouse in a loop of its own: queue the release first, then press.
        HWND h = host_.WindowOf(bar);
        RECT rc;
        GetClientRect(h, &rc);
        const LPARAM at = MAKELPARAM(rc.right / 2, arrow == forms::VScrollBar::Arrow::Up ? 2 : rc.bottom - 3);
        PostMessageW(h, WM_LBUTTONUP, 0, at);
        Send(bar.Parent(), h, WM_LBUTTONDOWN, MK_LBUTTON, at);
    }
    void Focus(forms::Control& control) override {
        SetFocus(host_.WindowOf(control));
        Settled(control.Parent());
    }
    void Tab(forms::Form& form, bool backwards) override {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = backwards ? 0x80 : 0;
        SetKeyboardState(keys);
        Send(form, GetFocus(), WM_KEYDOWN, VK_TAB, 1);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
    void Close(forms::Form& form) override { Send(form, host_.WindowOf(form), WM_CLOSE); }

    // A key as the keyboard sends it to the focused window: down, the character it makes, up.
    void Key(WPARAM key) {
        HWND h = GetFocus();
        SendMessageW(h, WM_KEYDOWN, key, 1);
        if (key == VK_RETURN || key == VK_ESCAPE || key == VK_BACK) SendMessageW(h, WM_CHAR, key, 1);
        SendMessageW(h, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
        host_.PumpMessages();
    }

private:
    HWND Usable(const forms::Control& c) const {
        HWND h = host_.WindowOf(c);
        return IsWindowEnabled(h) ? h : nullptr;
    }
    void Send(const forms::Form& form, HWND h, UINT message, WPARAM w = 0, LPARAM l = 0) {
        if (h == nullptr) return;
        SendMessageW(h, message, w, l);
        Settled(form);
    }
    // Each character goes at the end, the first over the whole text when `overSelection`.
    void TypeAtEnd(const forms::Control& c, HWND h, std::string_view characters, bool overSelection) {
        if (h == nullptr) return Settled(c.Parent());
        SetFocus(h);
        SendMessageW(h, EM_SETSEL, 0, -1);
        for (wchar_t character : win32::Widen(characters)) {
            const auto end = static_cast<WPARAM>(GetWindowTextLengthW(h));
            if (!overSelection) SendMessageW(h, EM_SETSEL, end, static_cast<LPARAM>(end));
            SendMessageW(h, WM_CHAR, character, 1);
            overSelection = false;
        }
        Settled(c.Parent());
    }
    // What a control's window shows and what its model holds, each as one text.
    static std::pair<std::string, std::string> ShownAndHeld(HWND h, const forms::Control& c) {
        const std::string text = win32::WindowText(h);
        const auto asked = [h](UINT message) { return std::to_string(SendMessageW(h, message, 0, 0)); };
        if (auto* label = dynamic_cast<const forms::Label*>(&c)) return {text, label->Caption()};
        if (auto* box = dynamic_cast<const forms::TextBox*>(&c)) return {text, box->Text()};
        if (auto* tick = dynamic_cast<const forms::CheckBox*>(&c)) return {asked(BM_GETCHECK), std::to_string(tick->Value())};
        if (auto* bar = dynamic_cast<const forms::VScrollBar*>(&c))
            return {std::to_string(GetScrollPos(h, SB_CTL)), std::to_string(bar->Value())};
        if (auto* combo = dynamic_cast<const forms::ComboBox*>(&c))
            return {text + "|" + asked(CB_GETCURSEL) + "|" + asked(CB_GETCOUNT),
                    combo->Text() + "|" + std::to_string(combo->ListIndex()) + "|" + std::to_string(combo->ListCount())};
        return {};
    }
    // Handles what the action queued, then compares every control's window with its model.
    void Settled(const forms::Form& form) const {
        host_.PumpMessages();
        if (!form.Loaded()) return;
        for (const auto& c : form.Controls()) {
            HWND h = host_.WindowOf(*c);
            if (h == nullptr) continue;  // a line
            const auto [shown, held] = ShownAndHeld(h, *c);
            EXPECT_EQ(std::pair(IsWindowEnabled(h) != 0, shown), std::pair(c->Enabled(), held)) << c->Name();
        }
    }

    win32::Win32Host& host_;
};

// The program on real windows, at the screen's DPI or at `dpi`; also the forms contract's harness.
struct Win32Program : ProgramHarness<win32::Win32Host, Win32Driver> {
    explicit Win32Program(const std::optional<StoredValues>& values = TypicalRecord(), int dpi = 0)
        : ProgramHarness(values, 1252, GetModuleHandleW(nullptr), dpi) {}
    // Starts the program as a plain run does and returns its editor, shown.
    editor::Editor& ShowEditor() {
        Start();
        Settle();
        return Editor();
    }
    // What a control's window shows, as a user sees it.
    std::string Shown(const forms::Control& c) const { return win32::WindowText(host.WindowOf(c)); }
    forms::FormsRuntime& Runtime() { return runtime; }
    UserDriver& Driver() { return user; }
    void Settle() { host.PumpMessages(); }
};

// Closes, from a thread of its own, the first message box this process shows, with its one button, so
// that a test can call code that waits in such a box; get() gives its title and text.
inline std::future<std::pair<std::string, std::string>> CloseFirstBox() {
    return std::async(std::launch::async, [] {
        HWND box = WaitForWindow(GetCurrentProcessId(), L"#32770");
        std::pair shown{win32::WindowText(box), BoxText(box)};
        Answer(box, IDOK);
        return shown;
    });
}

}  // namespace sarnex::testing
