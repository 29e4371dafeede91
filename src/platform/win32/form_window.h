// One loaded form as real windows: the top-level window, a native child per control, the fonts,
// the frame pens, the tooltips; it mirrors the model into the windows and turns notifications into
// user operations. A window or control that cannot be created throws WindowsError; what the model
// throws inside a window procedure is handed to the host, never through user32.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/window_host.h"
#include "platform/win32/unique_handle.h"

namespace sarnex::win32 {

class Win32Host;

class FormWindow final : public forms::FormObserver {
public:
    FormWindow(Win32Host& host, forms::Form& form);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND Handle() const { return window_.get(); }
    forms::Form& Model() const { return form_; }
    HWND ChildOf(const forms::Control& control) const;
    forms::Control* ControlOf(HWND child) const;  // the combo box's inner edit maps to the combo box

    // Registers the forms' window class; it stays registered while the returned owner lives.
    static WindowClass RegisterWindowClass(HINSTANCE instance);
    // What the user only meets once the window is on screen: its icon, the tooltips, and the
    // subclassing that turns keys and focus changes into user operations. Called right after the
    // window is shown, before any input can reach it; the window shows that much sooner.
    void FinishAfterShow();
    static constexpr UINT kDisposeMessage = WM_APP + 1;

    void ControlChanged(forms::Control& control, forms::Property property) override;
    void ControlRefreshed(forms::Control& control) override;
    void FocusChanged(forms::Form& form, forms::Control* focused) override;

private:
    // Notifications caused by mirroring the model are the program's own echoes: ignore them.
    struct Mirroring {
        explicit Mirroring(FormWindow& w) : w_(w) { ++w_.mirroring_; }
        ~Mirroring() { --w_.mirroring_; }
        FormWindow& w_;
    };

    void Build();
    void Release();
    void CreateChildren();
    HWND CreateChild(forms::Control& control);
    void CreateFramePens();
    HFONT FontFor(const forms::Font& font);
    void AddToolTip(HWND child, const std::string& tip);
    void FitComboHeight(HWND combo, int height);
    void FillCombo(forms::ComboBox& combo);
    // Shows a text box's or combo box's text, the caret kept where the user types.
    void ReplaceText(HWND window, const std::string& text, bool combo);
    RECT PixelRect(const forms::ControlDesign& d) const;

    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnChildMessage(HWND child, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnEnterOrEsc(HWND child, UINT msg, WPARAM wp, LPARAM lp);
    void OnCommand(HWND child, int code);
    void OnVScroll(HWND bar, int code);
    void OnPaint();
    LRESULT OnColorStatic(HDC dc, HWND child);
    void FocusActiveControl();
    void WindowDestroyed();

    static LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);

    Win32Host& host_;
    forms::Form& form_;
    WindowHandle window_;
    WindowHandle toolTip_;
    std::vector<std::pair<forms::Control*, HWND>> children_;
    std::vector<std::pair<forms::Font, FontHandle>> fonts_;
    std::vector<PenHandle> pens_;                              // one per width and colour
    std::vector<std::pair<const forms::Control*, HPEN>> frameLines_;  // each line with its pen
    bool finished_ = false;
    int mirroring_ = 0;
    int listOpenedOn_ = -1;  // the item a drop-down list showed when it opened
};

}  // namespace sarnex::win32
