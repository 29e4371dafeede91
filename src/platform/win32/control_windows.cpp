#include "platform/win32/control_windows.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/form_window.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_error.h"

namespace sarnex::win32 {

namespace {

DWORD Aligned(forms::Alignment a, DWORD left, DWORD centre, DWORD right) {
    return a == forms::Alignment::Centre ? centre : a == forms::Alignment::Right ? right : left;
}

// Shows a text box's or combo box's text in `window`, whose edit field is `field`, the caret kept
// where the user types. `before` runs once the caret is known, before the text is compared.
template <class Before>
void ReplaceText(HWND window, HWND field, const std::string& text, Before before) {
    // In the field being typed into, the caret stays as far from the end as it was, so a character
    // put right or refused leaves it where the typing goes on.
    const bool typing = field != nullptr && GetFocus() == field;
    DWORD caret = 0;
    if (typing) SendMessageW(field, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    const int fromEnd = GetWindowTextLengthW(field) - static_cast<int>(caret);
    before();
    // Rewriting an unchanged text would move the caret while the user types; a window not yet shown
    // has no caret, and is spared reading its text back.
    if (IsWindowVisible(window) && WindowText(window) == text) return;
    SetWindowTextW(window, Widen(text).c_str());
    if (!typing) return;
    const auto at = static_cast<WPARAM>(std::max(0, GetWindowTextLengthW(field) - fromEnd));
    SendMessageW(field, EM_SETSEL, at, static_cast<LPARAM>(at));
}

// What a caption's text takes in a font: its width and height, and how much of that height is the
// last line's descent, which may reach below the window as the design has it at 96 dpi.
struct Extent {
    int width, height, descent;
};

// `flags`: DT_SINGLELINE, or DT_WORDBREAK to wrap the text at `width`. Blanks at the end, which show
// nothing, take no room.
Extent TextExtent(HWND window, HFONT font, const std::string& text, int width, UINT flags) {
    DeviceContext dc(window);
    HGDIOBJ old = SelectObject(dc.get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    RECT calc{0, 0, width, 0};
    std::wstring wide = Widen(text);
    wide.erase(wide.find_last_not_of(L' ') + 1);
    DrawTextW(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &calc, DT_CALCRECT | DT_EXPANDTABS | flags);
    SelectObject(dc.get(), old);
    return {static_cast<int>(calc.right), static_cast<int>(calc.bottom), static_cast<int>(metrics.tmDescent)};
}

// At 96 dpi every caption has its designed size. Above it a text does not scale exactly as the twips
// do: a caption it would not fit grows to the right, up to the end of the form's client area, as
// little as makes it fit, and then down; it never shrinks or moves. `needs(width)` is the extent the
// caption's window needs at that width.
template <class Needs>
void GrowToFit(HWND window, const FormWindow& form, const forms::ControlDesign& d, Needs needs) {
    if (form.Dpi() <= 96) return;
    RECT r;
    GetClientRect(window, &r);
    const auto fits = [&](int width) {
        const Extent e = needs(width);
        return e.width <= width && e.height - e.descent <= r.bottom;
    };
    if (fits(r.right)) return;
    const int room = std::max<int>(r.right, form.Pixels(form.Model().Design().clientWidth - d.left));
    int width = room;
    if (fits(room))  // the narrowest width that fits, between the designed one and the room
        for (int tooNarrow = r.right; width - tooNarrow > 1;) {
            const int middle = (tooNarrow + width) / 2;
            (fits(middle) ? width : tooNarrow) = middle;
        }
    const Extent e = needs(width);
    SetWindowPos(window, nullptr, 0, 0, std::max(width, e.width), std::max<int>(r.bottom, e.height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The child window of one kind of control, which it knows as that kind.
template <class Kind>
class WindowOf : public ControlWindow {
protected:
    WindowOf(FormWindow& form, forms::Control& control, const wchar_t* windowClass, DWORD style, DWORD exStyle,
             const std::string& text, forms::Twips dropDown = 0)
        : ControlWindow(form, control, windowClass, style, exStyle, text, dropDown),
          model_(static_cast<Kind&>(control)) {}
    Kind& model_;
};

class LabelWindow final : public WindowOf<forms::Label> {
public:
    // A caption may reach into the box below it: it paints only where no other control is.
    LabelWindow(FormWindow& form, forms::Control& c)
        : WindowOf(form, c, L"STATIC",
                   WS_CLIPSIBLINGS | SS_NOTIFY | Aligned(c.Design().alignment, SS_LEFT, SS_CENTER, SS_RIGHT), 0,
                   static_cast<forms::Label&>(c).Caption()) {
        SetWindowPos(window_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    void OnCommand(int code) override {
        if (code == STN_CLICKED) model_.UserClick();
    }
    void Colour(HDC dc) const override {
        if (model_.Enabled()) SetTextColor(dc, FormWindow::ColorOf(model_.Design().foreColor));
    }

private:
    void Fit() override {
        HFONT font = form_.FontFor(model_.Design().font);
        if (!model_.Design().autoSize) {
            GrowToFit(window_, form_, model_.Design(), [&](int width) {
                return TextExtent(window_, font, model_.Caption(), width, DT_WORDBREAK);
            });
            return;
        }
        const Extent e = TextExtent(window_, font, model_.Caption(), 0, DT_SINGLELINE);
        SetWindowPos(window_, nullptr, 0, 0, e.width, e.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void Show(forms::Property property) override {
        if (property != forms::Property::Caption) return;
        SetWindowTextW(window_, Widen(model_.Caption()).c_str());
        Layout();  // sized for the new text
    }
};

class TextBoxWindow final : public WindowOf<forms::TextBox> {
public:
    TextBoxWindow(FormWindow& form, forms::Control& c)
        : WindowOf(form, c, L"EDIT",
                   WS_TABSTOP | ES_AUTOHSCROLL | Aligned(c.Design().alignment, ES_LEFT, ES_CENTER, ES_RIGHT),
                   WS_EX_CLIENTEDGE, static_cast<forms::TextBox&>(c).Text()) {
        SendMessageW(window_, EM_LIMITTEXT, static_cast<WPARAM>(model_.MaxLength()), 0);  // 0 means no limit
    }
    void OnCommand(int code) override {
        // A box that does not take an edit as it came has shown its own text again.
        if (code == EN_CHANGE && !model_.UserEdit(WindowText(window_))) MessageBeep(MB_OK);
    }

private:
    void Show(forms::Property property) override {
        if (property == forms::Property::Text) ReplaceText(window_, window_, model_.Text(), [] {});
    }
};

class CheckBoxWindow final : public WindowOf<forms::CheckBox> {
public:
    CheckBoxWindow(FormWindow& form, forms::Control& c)  // the model decides the tick
        : WindowOf(form, c, L"BUTTON", WS_TABSTOP | BS_CHECKBOX, 0, c.Design().caption) {}
    void OnCommand(int code) override {
        if (code == BN_CLICKED) model_.UserClick();
    }
    // The box and the gap before the text: 13 and 6 pixels at 96 dpi.
    static int MarkWidth(int dpi) { return MulDiv(19, dpi, 96); }

private:
    void Fit() override {
        HFONT font = form_.FontFor(model_.Design().font);
        GrowToFit(window_, form_, model_.Design(), [&](int) {
            Extent e = TextExtent(window_, font, model_.Caption(), 0, DT_SINGLELINE);
            e.width += MarkWidth(form_.Dpi());
            return e;
        });
    }
    void Show(forms::Property property) override {
        const int v = model_.Value();
        if (property == forms::Property::Value)
            SendMessageW(window_, BM_SETCHECK, v == 1 ? BST_CHECKED : v == 2 ? BST_INDETERMINATE : BST_UNCHECKED, 0);
    }
};

class ButtonWindow final : public WindowOf<forms::CommandButton> {
public:
    ButtonWindow(FormWindow& form, forms::Control& c)  // never a default button: Enter presses no other
        : WindowOf(form, c, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0, c.Design().caption) {}
    void OnCommand(int code) override {
        if (code == BN_CLICKED) model_.UserClick();
    }
    bool OnEnter() override {  // as the space bar does
        model_.UserClick();
        return true;
    }
};

class ComboBoxWindow final : public WindowOf<forms::ComboBox> {
public:
    ComboBoxWindow(FormWindow& form, forms::Control& c)  // with room below for the list
        : WindowOf(form, c, L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, "", 1800) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(window_, &info)) field_ = info.hwndItem;
        SetWindowTextW(window_, Widen(model_.Text()).c_str());
    }
    HWND Field() const override { return field_; }
    void OnCommand(int code) override {
        if (code == CBN_DROPDOWN) listOpenedOn_ = model_.ListIndex();
        if (code == CBN_SELCHANGE) model_.UserPick(static_cast<int>(SendMessageW(window_, CB_GETCURSEL, 0, 0)));
        if (code == CBN_EDITCHANGE) model_.UserEdit(WindowText(window_));
    }
    // In an open drop-down list Enter and Esc close it, as in any combo box: Enter keeps the item
    // moved to, Esc goes back to the item the list opened on.
    bool UsesEnterAndEsc() const override { return SendMessageW(window_, CB_GETDROPPEDSTATE, 0, 0) != 0; }
    void EnterOrEscUsed(WPARAM key) override {
        if (key == VK_ESCAPE && listOpenedOn_ >= 0 && model_.ListIndex() != listOpenedOn_) model_.UserPick(listOpenedOn_);
    }

private:
    // The closed combo box is as tall as its selection field plus a frame whose size depends on the
    // system: size the field, measure, and correct until the whole box has its designed height.
    void Fit() override {
        const int height = form_.Pixels(model_.Design().height);
        for (int attempt = 0; attempt < 3; ++attempt) {
            RECT rc;
            GetWindowRect(window_, &rc);
            const int off = height - (rc.bottom - rc.top);
            const LRESULT field = SendMessageW(window_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
            if (off == 0 || field <= 0 || field + off <= 0) return;
            SendMessageW(window_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field + off);
        }
    }
    void Show(forms::Property property) override {
        if (property == forms::Property::Text) {
            // A typed text belongs to no item. Taking the selection away empties the edit field, so that
            // comes first.
            ReplaceText(window_, field_, model_.Text(), [this] {
                if (SendMessageW(window_, CB_GETCURSEL, 0, 0) != CB_ERR)
                    SendMessageW(window_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            });
        } else if (property == forms::Property::ListIndex) {
            SendMessageW(window_, CB_SETCURSEL, static_cast<WPARAM>(model_.ListIndex()), 0);
            if (WindowText(window_) != model_.Text()) SetWindowTextW(window_, Widen(model_.Text()).c_str());
        } else if (property == forms::Property::List) {
            const auto& list = model_.List();
            // An item added at the end, the list's usual change, is all that needs sending.
            const LRESULT shown = SendMessageW(window_, CB_GETCOUNT, 0, 0);
            const bool added = shown >= 0 && static_cast<std::size_t>(shown) + 1 == list.size();
            if (!added) SendMessageW(window_, CB_RESETCONTENT, 0, 0);
            for (std::size_t i = added ? list.size() - 1 : 0; i < list.size(); ++i)
                SendMessageW(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(list[i]).c_str()));
            if (added) return;
            SendMessageW(window_, CB_SETCURSEL, static_cast<WPARAM>(model_.ListIndex()), 0);
            SetWindowTextW(window_, Widen(model_.Text()).c_str());
        }
    }

    HWND field_ = nullptr;
    int listOpenedOn_ = -1;  // the item the drop-down list showed when it opened
};

class ScrollBarWindow final : public WindowOf<forms::VScrollBar> {
public:
    ScrollBarWindow(FormWindow& form, forms::Control& c) : WindowOf(form, c, L"SCROLLBAR", WS_TABSTOP | SBS_VERT, 0, "") {
        SetScrollRange(window_, SB_CTL, model_.Min(), model_.Max(), FALSE);
        SetScrollPos(window_, SB_CTL, model_.Value(), FALSE);
    }
    void OnScroll(int code) override {
        using Arrow = forms::VScrollBar::Arrow;
        if (code == SB_LINEUP || code == SB_PAGEUP) model_.UserArrow(Arrow::Up);
        if (code == SB_LINEDOWN || code == SB_PAGEDOWN) model_.UserArrow(Arrow::Down);
        if (code == SB_TOP) model_.UserMoveToEnd(Arrow::Up);       // Home
        if (code == SB_BOTTOM) model_.UserMoveToEnd(Arrow::Down);  // End
    }

private:
    void Show(forms::Property property) override {
        if (property == forms::Property::Value) SetScrollPos(window_, SB_CTL, model_.Value(), IsWindowVisible(window_));
    }
};

}  // namespace

std::unique_ptr<ControlWindow> ControlWindow::Make(FormWindow& form, forms::Control& c) {
    std::unique_ptr<ControlWindow> made;
    switch (c.Type()) {
        case forms::ControlType::Label: made = std::make_unique<LabelWindow>(form, c); break;
        case forms::ControlType::TextBox: made = std::make_unique<TextBoxWindow>(form, c); break;
        case forms::ControlType::CheckBox: made = std::make_unique<CheckBoxWindow>(form, c); break;
        case forms::ControlType::ComboBox: made = std::make_unique<ComboBoxWindow>(form, c); break;
        case forms::ControlType::CommandButton: made = std::make_unique<ButtonWindow>(form, c); break;
        case forms::ControlType::VScrollBar: made = std::make_unique<ScrollBarWindow>(form, c); break;
        case forms::ControlType::Line: return nullptr;  // drawn by the form window
    }
    made->Dress();
    if (!c.Enabled()) EnableWindow(made->Handle(), FALSE);
    return made;
}

ControlWindow::ControlWindow(FormWindow& form, forms::Control& control, const wchar_t* windowClass, DWORD style,
                             DWORD exStyle, const std::string& text, forms::Twips dropDown)
    : form_(form), control_(control), dropDown_(dropDown) {
    const RECT r = Rect();
    SetLastError(ERROR_SUCCESS);  // a failure without a reason of its own must not show a stale one
    window_ = CreateWindowExW(exStyle, windowClass, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                              r.right - r.left, r.bottom - r.top, form.Handle(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(control))), form.Instance(), nullptr);
    if (window_ == nullptr)
        throw WindowsError("Cannot create the " + Narrow(windowClass) + " control \"" + control.Name() +
                               "\" of the window \"" + form.Model().Caption() + "\".",
                           GetLastError());
}

RECT ControlWindow::Rect() const {
    const auto& d = control_.Design();
    const int left = form_.Pixels(d.left), top = form_.Pixels(d.top);
    return {left, top, left + form_.Pixels(d.width), top + form_.Pixels(d.height + dropDown_)};
}

void ControlWindow::Layout() {
    const RECT r = Rect();
    SetWindowPos(window_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Dress();
}

void ControlWindow::Dress() {
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(form_.FontFor(control_.Design().font)), FALSE);
    Fit();
}

void ControlWindow::Mirror(forms::Property property) {
    if (property == forms::Property::Enabled)
        EnableWindow(window_, control_.Enabled() ? TRUE : FALSE);
    else
        Show(property);
}

}  // namespace sarnex::win32
