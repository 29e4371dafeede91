// The Win32 window host: a real top-level window for every loaded form and a native child window
// of its standard class for every control. User input reaches the model through the same user
// operations the headless tests call; model changes are mirrored back into the windows with the
// controls' own notifications suppressed. Whatever cannot be created, and whatever the model throws
// inside a window procedure, ends the message loop: Run then throws it to the entry point.
#pragma once

#include <windows.h>

#include <exception>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/forms_runtime.h"
#include "platform/forms/window_host.h"
#include "platform/win32/unique_handle.h"

namespace sarnex::win32 {

class FormWindow;

class Win32Host final : public forms::WindowHost {
public:
    // Loads the common controls and registers the forms' window class; throws WindowsError when
    // either fails. Windows open at the DPI of their monitor, or all at `dpi` when one is given.
    explicit Win32Host(HINSTANCE instance, int dpi = 0);
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    void CreateWindowFor(forms::Form& form) override;
    void ShowWindowFor(forms::Form& form) override;
    void RefreshWindowFor(forms::Form& form) override;
    void DestroyWindowFor(forms::Form& form) override;
    void MakeTopmost(forms::Form& form) override;
    bool AskYesNo(forms::Form& owner, const std::string& title, const std::string& text) override;
    void Tell(forms::Form& owner, const std::string& title, const std::string& text) override;

    // Runs the message loop until no form is loaded any more; rethrows a failure of a window procedure.
    int Run(const forms::FormsRuntime& runtime);
    // Handles the messages waiting now (tests use it after posting input); rethrows as Run does.
    void PumpMessages();

    // A window procedure caught `failure`: the first one is kept, the model is not called any more,
    // and the message loop ends.
    void Fail(std::exception_ptr failure);
    bool Failed() const { return failure_ != nullptr; }

    HWND WindowOf(const forms::Form& form) const;
    HWND WindowOf(const forms::Control& control) const;
    // The system's DPI, or the one given.
    int Dpi() const { return dpi_; }
    int Pixels(forms::Twips twips) const { return MulDiv(twips, dpi_, 1440); }
    // The DPI a window shows at: its monitor's, where Windows tells it (from Windows 10 1607 on).
    int DpiOf(HWND window) const;
    HINSTANCE Instance() const { return instance_; }
    // Owner of windows that must not show a taskbar button.
    HWND HiddenOwner();

private:
    friend class FormWindow;
    FormWindow* Find(const forms::Form& form) const;
    static void MakeTopmost(const FormWindow& window);
    void Dispose(FormWindow* window);

    void RethrowFailure();

    HINSTANCE instance_;
    int dpi_;
    bool dpiGiven_;
    UINT(WINAPI* dpiForWindow_)(HWND);
    WindowClass formClass_;
    std::map<const forms::Form*, std::unique_ptr<FormWindow>> windows_;
    std::vector<std::unique_ptr<FormWindow>> unloaded_;  // destroyed once their messages are done
    WindowHandle hiddenOwner_;
    std::exception_ptr failure_;
};

}  // namespace sarnex::win32
