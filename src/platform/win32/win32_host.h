// The Win32 window host: a real top-level window for every loaded form and a native child window
// of its standard class for every control. User input reaches the model through the same user
// operations the headless tests call; model changes are mirrored back into the windows with the
// controls' own notifications suppressed.
#pragma once

#include <windows.h>

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
    explicit Win32Host(HINSTANCE instance);
    ~Win32Host() override;
    Win32Host(const Win32Host&) = delete;
    Win32Host& operator=(const Win32Host&) = delete;

    void CreateWindowFor(forms::Form& form) override;
    void ShowWindowFor(forms::Form& form) override;
    void RefreshWindowFor(forms::Form& form) override;
    void DestroyWindowFor(forms::Form& form) override;
    void MakeTopmost(forms::Form& form) override;
    bool AskYesNo(forms::Form& owner, const std::string& title, const std::string& text) override;

    // Runs the message loop until no form is loaded any more.
    int Run(const forms::FormsRuntime& runtime);
    // Handles the messages waiting now (tests use it after posting input).
    void PumpMessages();

    HWND WindowOf(const forms::Form& form) const;
    HWND WindowOf(const forms::Control& control) const;
    int Dpi() const { return dpi_; }
    int Pixels(forms::Twips twips) const { return MulDiv(twips, dpi_, 1440); }
    HINSTANCE Instance() const { return instance_; }
    // Owner of windows that must not show a taskbar button.
    HWND HiddenOwner();

private:
    friend class FormWindow;
    FormWindow* Find(const forms::Form& form) const;
    void Dispose(FormWindow* window);

    HINSTANCE instance_;
    int dpi_;
    std::map<const forms::Form*, std::unique_ptr<FormWindow>> windows_;
    std::vector<std::unique_ptr<FormWindow>> unloaded_;  // destroyed once their messages are done
    WindowHandle hiddenOwner_;
};

}  // namespace sarnex::win32
