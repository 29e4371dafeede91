// One loaded form as real windows: the top-level window with a child window per control (see
// control_windows.h), the fonts, the frame pens and the tooltips. It owns their lifecycle, the
// keyboard focus, the layout at the window's DPI and the painting of the frame lines; it hands each
// child its model's changes and its own notifications. A window or control that cannot be created
// throws WindowsError; what the model throws inside a window procedure is handed to the host, never
// through user32.
#pragma once

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/window_host.h"
#include "platform/win32/control_windows.h"
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
    HINSTANCE Instance() const;
    forms::Form& Model() const { return form_; }
    HWND ChildOf(const forms::Control& control) const;

    int Dpi() const { return dpi_; }
    int Pixels(forms::Twips twips) const { return MulDiv(twips, dpi_, 1440); }
    // The font at the window's DPI, made once and kept while the window lives at that DPI.
    HFONT FontFor(const forms::Font& font);
    static COLORREF ColorOf(const forms::Color& color);

    // Registers the forms' window class; it stays registered while the returned owner lives.
    static WindowClass RegisterWindowClass(HINSTANCE instance);
    // What the user only meets once the window is on screen: its icon, the tooltips, and the
    // subclassing that turns keys and focus changes into user operations. Called right after the
    // window is shown, before any input can reach it; the window shows that much sooner.
    void FinishAfterShow();
    static constexpr UINT kDisposeMessage = WM_APP + 1;

    void ControlChanged(forms::Control& control, forms::Property property) override;
    void FocusChanged(forms::Form& form, forms::Control* focused) override;

private:
    // Notifications caused by mirroring the model are the program's own echoes: ignore them.
    struct Mirroring {
        explicit Mirroring(FormWindow& w) : w_(w) { ++w_.mirroring_; }
        ~Mirroring() { --w_.mirroring_; }
        FormWindow& w_;
    };

    void Build();
    void DpiChanged(int dpi, const RECT& suggested);
    void Release();
    void CreateChildren();
    void CreateFramePens();
    void AddToolTip(HWND child, const std::string& tip);
    // The child window `window` belongs to (a combo box's edit field belongs to the combo box), by its id.
    ControlWindow* ChildWith(HWND window) const;

    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnChildMessage(ControlWindow& child, HWND window, UINT msg, WPARAM wp, LPARAM lp);
    void OnPaint();
    void FocusActiveControl();
    void WindowDestroyed();

    static LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);

    Win32Host& host_;
    forms::Form& form_;
    int dpi_;
    WindowHandle window_;
    WindowHandle toolTip_;
    std::vector<std::unique_ptr<ControlWindow>> children_;  // by focus order, as their ids go
    std::vector<std::pair<forms::Font, FontHandle>> fonts_;
    std::vector<PenHandle> pens_;                                     // one per width and colour
    std::vector<std::pair<const forms::Control*, HPEN>> frameLines_;  // each line with its pen
    bool finished_ = false;
    int mirroring_ = 0;
};

}  // namespace sarnex::win32
