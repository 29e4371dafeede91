// Drives forms through real windows: each user action is sent as the window messages a user's
// keyboard or mouse would produce, and the host turns them into the model's user operations.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_host.h"
#include "shared/user_driver.h"

namespace sarnex::testing {

class Win32Driver final : public UserDriver {
public:
    explicit Win32Driver(win32::Win32Host& host) : host_(host) {}

    void Type(forms::TextBox& box, std::string_view characters) override {
        HWND h = Window(box);
        if (!IsWindowEnabled(h)) return;
        SetFocus(h);
        for (wchar_t c : win32::Widen(characters)) {
            const auto end = static_cast<WPARAM>(GetWindowTextLengthW(h));
            SendMessageW(h, EM_SETSEL, end, static_cast<LPARAM>(end));
            SendMessageW(h, WM_CHAR, c, 1);
        }
        host_.PumpMessages();
    }
    void Clear(forms::TextBox& box) override {
        HWND h = Window(box);
        if (!IsWindowEnabled(h)) return;
        SetFocus(h);
        SendMessageW(h, EM_SETSEL, 0, -1);
        SendMessageW(h, WM_CHAR, VK_BACK, 1);
        host_.PumpMessages();
    }
    void Click(forms::CheckBox& box) override { ClickButton(Window(box)); }
    void Click(forms::CommandButton& button) override { ClickButton(Window(button)); }
    void Click(forms::Label& label) override {
        HWND h = Window(label);
        if (!IsWindowEnabled(h)) return;
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        host_.PumpMessages();
    }
    void Pick(forms::ComboBox& combo, int index) override {
        // Choosing from the list: the list selects the item and tells the parent.
        HWND h = Window(combo);
        if (!IsWindowEnabled(h)) return;
        SetFocus(h);
        SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), CBN_SELCHANGE), reinterpret_cast<LPARAM>(h));
        host_.PumpMessages();
    }
    void TypeInCombo(forms::ComboBox& combo, std::string_view characters) override {
        HWND h = Window(combo);
        if (!IsWindowEnabled(h)) return;
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(h, &info);
        HWND edit = info.hwndItem;
        SetFocus(edit);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        bool first = true;
        for (wchar_t c : win32::Widen(characters)) {
            if (!first) {
                const auto end = static_cast<WPARAM>(GetWindowTextLengthW(edit));
                SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
            }
            SendMessageW(edit, WM_CHAR, c, 1);
            first = false;
        }
        host_.PumpMessages();
    }
    void Arrow(forms::VScrollBar& bar, forms::VScrollBar::Arrow arrow) override {
        // The bar tracks the mouse in a loop of its own: queue the release first, then press.
        HWND h = Window(bar);
        RECT rc;
        GetClientRect(h, &rc);
        const int x = rc.right / 2;
        const int y = arrow == forms::VScrollBar::Arrow::Up ? 2 : rc.bottom - 3;
        PostMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        host_.PumpMessages();
    }
    void Focus(forms::Control& control) override {
        SetFocus(Window(control));
        host_.PumpMessages();
    }
    void Tab(forms::Form&, bool backwards) override {
        BYTE keys[256];
        GetKeyboardState(keys);
        const BYTE shift = keys[VK_SHIFT];
        if (backwards) keys[VK_SHIFT] = 0x80;
        SetKeyboardState(keys);
        SendMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
        keys[VK_SHIFT] = shift;
        SetKeyboardState(keys);
        host_.PumpMessages();
    }
    void Close(forms::Form& form) override {
        SendMessageW(host_.WindowOf(form), WM_CLOSE, 0, 0);
        host_.PumpMessages();
    }

    // Keys pressed in whatever window has the focus now.
    void Key(WPARAM key) {
        HWND h = GetFocus();
        SendMessageW(h, WM_KEYDOWN, key, 1);
        SendMessageW(h, WM_CHAR, key, 1);
        SendMessageW(h, WM_KEYUP, key, 0xC0000001);
        host_.PumpMessages();
    }

private:
    HWND Window(const forms::Control& c) const { return host_.WindowOf(c); }
    void ClickButton(HWND h) {
        if (!IsWindowEnabled(h)) return;
        SendMessageW(h, BM_CLICK, 0, 0);
        host_.PumpMessages();
    }

    win32::Win32Host& host_;
};

}  // namespace sarnex::testing
