// Forms on real windows in this process: each user action is sent as the window messages a user's
// keyboard or mouse would produce, and the host turns them into the model's user operations. The
// whole program is wired as its entry point wires it, over a registry and code page of the test's
// choosing; the shell only records what it is asked.
#pragma once

#include <windows.h>

#include <future>

#include "editor/editor.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_host.h"
#include "shared/user_driver.h"
#include "startup/program.h"
#include "support/fixed_system_facts.h"
#include "support/recording_shell.h"
#include "win32/real_system.h"

namespace sarnex::testing {

// After every action, each control's window shows what its model holds.
class Win32Driver final : public UserDriver {
public:
    explicit Win32Driver(win32::Win32Host& host) : host_(host) {}

    void Type(forms::TextBox& box, std::string_view characters) override {
        TypeAtEnd(Usable(box), characters, false);
        ExpectShown(box.Parent());
    }
    void Clear(forms::TextBox& box) override {  // Backspace on it all
        TypeAtEnd(Usable(box), "\b", true);
        ExpectShown(box.Parent());
    }
    void Click(forms::CheckBox& box) override { Send(box, Usable(box), BM_CLICK); }
    void Click(forms::CommandButton& button) override { Send(button, Usable(button), BM_CLICK); }
    void Click(forms::Label& label) override {
        HWND h = Usable(label);
        if (h) SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)), host_.PumpMessages();
        Send(label, h, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    void Pick(forms::ComboBox& combo, int index) override {  // the list selects the item and tells the parent
        if (HWND h = Usable(combo)) {
            SetFocus(h);
            SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
            Send(combo, GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(h));
        }
    }
    void TypeInCombo(forms::ComboBox& combo, std::string_view characters) override {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (HWND h = Usable(combo); h && GetComboBoxInfo(h, &info)) TypeAtEnd(info.hwndItem, characters, true);
        ExpectShown(combo.Parent());
    }
    void Arrow(forms::VScrollBar& bar, forms::VScrollBar::Arrow arrow) override {
        // The bar tracks the mouse in a loop of its own: queue the release first, then press.
        HWND h = host_.WindowOf(bar);
        RECT rc;
        GetClientRect(h, &rc);
        const LPARAM at = MAKELPARAM(rc.right / 2, arrow == forms::VScrollBar::Arrow::Up ? 2 : rc.bottom - 3);
        PostMessageW(h, WM_LBUTTONUP, 0, at);
        Send(bar, h, WM_LBUTTONDOWN, MK_LBUTTON, at);
    }
    void Focus(forms::Control& control) override {
        SetFocus(host_.WindowOf(control));
        host_.PumpMessages();
        ExpectShown(control.Parent());
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
    void Send(const forms::Control& c, HWND h, UINT message, WPARAM w = 0, LPARAM l = 0) {
        Send(c.Parent(), h, message, w, l);
    }
    void Send(const forms::Form& form, HWND h, UINT message, WPARAM w = 0, LPARAM l = 0) {
        if (h == nullptr) return;
        SendMessageW(h, message, w, l);
        host_.PumpMessages();
        ExpectShown(form);
    }
    // Each character goes at the end, the first over the whole text when `overSelection`.
    void TypeAtEnd(HWND h, std::string_view characters, bool overSelection) {
        if (h == nullptr) return;
        SetFocus(h);
        SendMessageW(h, EM_SETSEL, 0, -1);
        for (wchar_t c : win32::Widen(characters)) {
            const auto end = static_cast<WPARAM>(GetWindowTextLengthW(h));
            if (!overSelection) SendMessageW(h, EM_SETSEL, end, static_cast<LPARAM>(end));
            SendMessageW(h, WM_CHAR, c, 1);
            overSelection = false;
        }
        host_.PumpMessages();
    }
    void ExpectShown(const forms::Form& form) const {
        if (!form.Loaded()) return;
        for (const auto& c : form.Controls()) {
            HWND h = host_.WindowOf(*c);
            if (h == nullptr) continue;  // a line
            SCOPED_TRACE(c->Name());
            EXPECT_EQ(IsWindowEnabled(h) != 0, c->Enabled());
            const std::string text = win32::WindowText(h);
            if (auto* label = dynamic_cast<const forms::Label*>(c.get())) {
                EXPECT_EQ(text, label->Caption());
            } else if (auto* box = dynamic_cast<const forms::TextBox*>(c.get())) {
                EXPECT_EQ(text, box->Text());
            } else if (auto* tick = dynamic_cast<const forms::CheckBox*>(c.get())) {
                EXPECT_EQ(SendMessageW(h, BM_GETCHECK, 0, 0), tick->Value());
            } else if (auto* bar = dynamic_cast<const forms::VScrollBar*>(c.get())) {
                EXPECT_EQ(GetScrollPos(h, SB_CTL), bar->Value());
            } else if (auto* combo = dynamic_cast<const forms::ComboBox*>(c.get())) {
                EXPECT_EQ(std::tuple(text, SendMessageW(h, CB_GETCURSEL, 0, 0), SendMessageW(h, CB_GETCOUNT, 0, 0)),
                          std::tuple(combo->Text(), LRESULT{combo->ListIndex()}, LRESULT{combo->ListCount()}));
            }
        }
    }

    win32::Win32Host& host_;
};

template <class Registry, class CodePage>
struct Win32Program {
    win32::Win32Host host;
    Registry registry;
    CodePage codePage;
    RecordingShell shell;
    FixedSystemFacts facts;
    forms::FormsRuntime runtime{host};
    startup::Program program{runtime, {registry, codePage, facts, {1, 0, 41}}, shell};
    Win32Driver user{host};

    // At the screen's DPI, or at `dpi`; with room for the image, so that saves ask nothing.
    explicit Win32Program(int dpi = 0) : host(GetModuleHandleW(nullptr), dpi) { facts.AddFolder("C:\\", 1024 * kMegabyte); }
    // The driver's key holding `values`, in a registry of the test's own.
    Win32Program& Holding(const StoredValues& values) {
        StoreKey(registry, values);
        return *this;
    }
    // Starts the program as a plain run does and returns its editor, shown.
    editor::Editor& ShowEditor() {
        program.Start("");
        host.PumpMessages();
        return program.Editor();
    }
    // What the windows show, as a user sees it.
    std::string Shown(const forms::Control& c) const { return win32::WindowText(host.WindowOf(c)); }
    // The harness of the forms contract.
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
