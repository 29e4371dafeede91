// The native child window of one control, made from its design row: each kind shows its control's
// changes in its window, and turns the notifications its form window hands back to it into the
// control's user operations. Its id is the control's place in the focus order, by which the form
// window finds it again; the form window destroys it with itself.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/forms/controls.h"

namespace sarnex::win32 {

class FormWindow;

class ControlWindow {
public:
    // Throws WindowsError when the window cannot be created.
    static std::unique_ptr<ControlWindow> Make(FormWindow& form, forms::Control& control);
    static constexpr int kFirstId = 100;  // clear of IDOK and IDCANCEL, which nothing here may raise
    static int IdOf(const forms::Control& control) { return kFirstId + control.TabIndex(); }
    virtual ~ControlWindow() = default;
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    HWND Handle() const { return window_; }
    forms::Control& Model() const { return control_; }
    // A window inside this one that takes the keyboard in its place (a combo box's edit field).
    virtual HWND Field() const { return nullptr; }

    // At its twips, in its font, at the form window's DPI.
    void Layout();
    // The model changed: the window shows it (the form window ignores the notifications this causes).
    void Mirror(forms::Property property);

    // What the form window hands back: a WM_COMMAND notification code, a WM_VSCROLL request.
    virtual void OnCommand(int /*code*/) {}
    virtual void OnScroll(int /*code*/) {}
    // Enter pressed on it: true when it used the key.
    virtual bool OnEnter() { return false; }
    // Enter and Esc as characters press nothing, unless the window has a use for them now; then its own
    // procedure gets them, and this hears of it afterwards.
    virtual bool UsesEnterAndEsc() const { return false; }
    virtual void EnterOrEscUsed(WPARAM /*key*/) {}
    // The colour of its text, when the form window draws its background.
    virtual void Colour(HDC /*dc*/) const {}

protected:
    // `dropDown`: how much taller than the control the window is, for a list that drops down.
    ControlWindow(FormWindow& form, forms::Control& control, const wchar_t* windowClass, DWORD style,
                  DWORD exStyle, const std::string& text, forms::Twips dropDown = 0);
    // The window's rectangle in the form's client area.
    RECT Rect() const;
    // In its font, and sized as its kind needs once it has that.
    void Dress();
    virtual void Fit() {}
    virtual void Show(forms::Property /*property*/) {}

    FormWindow& form_;
    forms::Control& control_;
    const forms::Twips dropDown_;
    HWND window_ = nullptr;
};

}  // namespace sarnex::win32
