#include "platform/win32/win32_host.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/failure_report.h"
#include "platform/win32/form_window.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_error.h"

namespace sarnex::win32 {

namespace {

// Runs before the class is registered, so the common controls' classes exist for every window.
HINSTANCE LoadCommonControls(HINSTANCE instance) {
    const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    SetLastError(ERROR_SUCCESS);
    if (!InitCommonControlsEx(&icc)) throw WindowsError("Cannot load the common controls.", GetLastError());
    return instance;
}

int ScreenDpi() {
    DeviceContext screen(nullptr);
    const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

Win32Host::Win32Host(HINSTANCE instance, int dpi)
    : instance_(LoadCommonControls(instance)),
      dpi_(dpi > 0 ? dpi : ScreenDpi()),
      dpiGiven_(dpi > 0),
      dpiForWindow_(reinterpret_cast<UINT(WINAPI*)(HWND)>(
          reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")))),
      formClass_(FormWindow::RegisterWindowClass(instance)) {}

int Win32Host::DpiOf(HWND window) const {
    const UINT dpi = dpiGiven_ || dpiForWindow_ == nullptr ? 0 : dpiForWindow_(window);
    return dpi > 0 ? static_cast<int>(dpi) : dpi_;
}

Win32Host::~Win32Host() {
    windows_.clear();
    unloaded_.clear();
}

HWND Win32Host::HiddenOwner() {
    if (!hiddenOwner_) {
        SetLastError(ERROR_SUCCESS);
        hiddenOwner_.reset(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_,
                                           nullptr));
        if (!hiddenOwner_)
            throw WindowsError("Cannot create the hidden owner of the program's notices.", GetLastError());
    }
    return hiddenOwner_.get();
}

FormWindow* Win32Host::Find(const forms::Form& form) const {
    auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second.get();
}

void Win32Host::CreateWindowFor(forms::Form& form) {
    auto window = std::make_unique<FormWindow>(*this, form);
    windows_[&form] = std::move(window);
}

void Win32Host::ShowWindowFor(forms::Form& form) {
    FormWindow* w = Find(form);
    if (w == nullptr) return;
    // A window shown while a topmost one is active opens behind it and leaves it the activation.
    // Windows keeps a topmost window in front anyway; with no window manager, Wine raises whichever
    // window takes the focus, and X stacks a window by when it was made, so the topmost ones are
    // put back on top as well.
    bool topmostActive = false;
    for (const auto& [other, window] : windows_)
        if (other != &form && other->Topmost() && window->Handle() == GetActiveWindow()) topmostActive = true;
    ShowWindow(w->Handle(), topmostActive ? SW_SHOWNA : SW_SHOWNORMAL);
    w->FinishAfterShow();
    if (!topmostActive) SetForegroundWindow(w->Handle());
    for (const auto& [other, window] : windows_)
        if (other->Topmost()) MakeTopmost(*window);
}

void Win32Host::RefreshWindowFor(forms::Form& form) {
    if (FormWindow* w = Find(form))
        RedrawWindow(w->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Win32Host::DestroyWindowFor(forms::Form& form) {
    auto it = windows_.find(&form);
    if (it == windows_.end()) return;
    form.SetObserver(nullptr);
    // The window may be unloading from inside one of its own notifications: hide it now and
    // destroy it once that message is done.
    // A window that is already gone leaves its owner object until the host goes.
    HWND h = it->second->Handle();
    unloaded_.push_back(std::move(it->second));
    windows_.erase(it);
    if (h == nullptr) return;
    ShowWindow(h, SW_HIDE);
    PostMessageW(h, FormWindow::kDisposeMessage, 0, 0);
}

void Win32Host::Dispose(FormWindow* window) {
    auto it = std::find_if(unloaded_.begin(), unloaded_.end(), [&](const auto& w) { return w.get() == window; });
    if (it == unloaded_.end()) return;
    auto doomed = std::move(*it);
    unloaded_.erase(it);
    doomed.reset();
}

void Win32Host::MakeTopmost(forms::Form& form) {
    if (FormWindow* w = Find(form)) MakeTopmost(*w);
}

// Being made topmost does not activate a window.
void Win32Host::MakeTopmost(const FormWindow& window) {
    SetWindowPos(window.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

// The system's message box, owned by the form's window: modal to it, and never behind it. A box that
// cannot be shown counts as No, so nothing happens that the user did not agree to.
bool Win32Host::AskYesNo(forms::Form& owner, const std::string& title, const std::string& text) {
    return MessageBoxW(WindowOf(owner), Widen(text).c_str(), Widen(title).c_str(),
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void Win32Host::Tell(forms::Form& owner, const std::string& title, const std::string& text) {
    MessageBoxW(WindowOf(owner), Widen(text).c_str(), Widen(title).c_str(), MB_OK | MB_ICONWARNING);
}

HWND Win32Host::WindowOf(const forms::Form& form) const {
    FormWindow* w = Find(form);
    return w == nullptr ? nullptr : w->Handle();
}

HWND Win32Host::WindowOf(const forms::Control& control) const {
    FormWindow* w = Find(control.Parent());
    return w == nullptr ? nullptr : w->ChildOf(control);
}

int Win32Host::Run(const forms::FormsRuntime& runtime) {
    MSG msg;
    while (!runtime.ProgramEnded() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    RethrowFailure();
    return 0;
}

void Win32Host::PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    RethrowFailure();
}

void Win32Host::Fail(std::exception_ptr failure) {
    if (failure_) return;
    failure_ = std::move(failure);
    PostQuitMessage(kFailedExitCode);
}

void Win32Host::RethrowFailure() {
    if (!failure_) return;
    // A quit still pending would close the message box that reports the failure at once.
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    std::rethrow_exception(failure_);
}

}  // namespace sarnex::win32
