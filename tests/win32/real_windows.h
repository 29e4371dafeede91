// Forms on real windows in this process: each user action is sent as the window messages a user's
// keyboard or mouse would produce, and the host turns them into the model's user operations.
#pragma once

#include <windows.h>

#include <future>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_host.h"
#include "shared/program_harness.h"
#include "win32/real_system.h"

namespace sarnex::testing {

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
