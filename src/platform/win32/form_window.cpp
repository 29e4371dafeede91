#include "platform/win32/form_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/windows_error.h"

namespace sarnex::win32 {

namespace {

constexpr wchar_t kFormClass[] = L"SarnexForm";
constexpr int kIconResource = 1;

DWORD FormStyle(const forms::FormDesign& d) {
    return d.border == forms::Border::Sizable ? WS_OVERLAPPEDWINDOW : (WS_POPUP | WS_CAPTION | WS_SYSMENU);
}

DWORD FormExStyle(const forms::FormDesign& d) {
    return d.border == forms::Border::Sizable ? 0 : WS_EX_DLGMODALFRAME;
}

}  // namespace

COLORREF FormWindow::ColorOf(const forms::Color& c) {
    switch (c.kind) {
        case forms::Color::Kind::Rgb: return RGB(c.r, c.g, c.b);
        case forms::Color::Kind::ButtonText: return GetSysColor(COLOR_BTNTEXT);
        case forms::Color::Kind::Highlight: return GetSysColor(COLOR_HIGHLIGHT);
        case forms::Color::Kind::WindowText: return GetSysColor(COLOR_WINDOWTEXT);
    }
    return GetSysColor(COLOR_BTNTEXT);
}

WindowClass FormWindow::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FormProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    SetLastError(ERROR_SUCCESS);  // a failure without a reason of its own must not show a stale one
    const ATOM atom = RegisterClassExW(&wc);
    if (atom == 0)
        throw WindowsError("Cannot register the window class \"" + Narrow(kFormClass) + "\".", GetLastError());
    return WindowClass(atom, instance);
}

FormWindow::FormWindow(Win32Host& host, forms::Form& form) : host_(host), form_(form), dpi_(host.Dpi()) {
    // Whatever was created before a failure is destroyed again before the failure is passed on.
    try {
        Build();
    } catch (...) {
        Release();
        throw;
    }
    form_.SetObserver(this);
}

HINSTANCE FormWindow::Instance() const { return host_.Instance(); }

void FormWindow::Build() {
    const auto& d = form_.Design();
    const DWORD style = FormStyle(d);
    const DWORD exStyle = FormExStyle(d);
    RECT rc{0, 0, Pixels(d.clientWidth), Pixels(d.clientHeight)};
    AdjustWindowRectEx(&rc, style, FALSE, exStyle);
    const int x = d.defaultPosition ? CW_USEDEFAULT : Pixels(d.left);
    const int y = d.defaultPosition ? CW_USEDEFAULT : Pixels(d.top);
    // A window without a taskbar button is owned by a hidden window of the host.
    HWND owner = d.showInTaskbar ? nullptr : host_.HiddenOwner();
    // The window procedure takes ownership of the handle as soon as the window exists.
    SetLastError(ERROR_SUCCESS);
    if (CreateWindowExW(exStyle, kFormClass, Widen(d.caption).c_str(), style, x, y, rc.right - rc.left,
                        rc.bottom - rc.top, owner, nullptr, host_.Instance(), this) == nullptr)
        throw WindowsError("Cannot create the window \"" + d.caption + "\".", GetLastError());
    // Made at the system's DPI, it may have opened on a monitor of another; its frame may differ from
    // the system's metrics at that DPI. Its client area gets the size the twips give.
    dpi_ = host_.DpiOf(window_.get());
    RECT client, frame;
    GetClientRect(window_.get(), &client);
    GetWindowRect(window_.get(), &frame);
    const int wider = Pixels(d.clientWidth) - client.right, taller = Pixels(d.clientHeight) - client.bottom;
    if (wider != 0 || taller != 0)
        SetWindowPos(window_.get(), nullptr, 0, 0, frame.right - frame.left + wider, frame.bottom - frame.top + taller,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CreateChildren();
    CreateFramePens();
}

// Moved to a monitor of another DPI: the children are laid out again from their twips in fonts made
// for that DPI, and the window takes the place Windows suggests.
void FormWindow::DpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    const auto old = std::move(fonts_);  // in use until every child has its new one
    fonts_.clear();
    {
        Mirroring quiet(*this);
        for (const auto& child : children_)
            if (child) child->Layout();
    }
    SetWindowPos(window_.get(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_.get(), nullptr, TRUE);
}

FormWindow::~FormWindow() { Release(); }

void FormWindow::Release() {
    // The form may already be gone at program end: nothing here touches it any more.
    for (const auto& child : children_) {
        if (!child) continue;
        RemoveWindowSubclass(child->Handle(), ChildProc, 1);
        if (child->Field() != nullptr) RemoveWindowSubclass(child->Field(), ChildProc, 1);
    }
    if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    toolTip_.reset();
    window_.reset();  // destroys the children with it
    children_.clear();
}

void FormWindow::FinishAfterShow() {
    if (finished_ || !window_) return;
    finished_ = true;
    if (form_.Design().hasIcon) {
        if (HICON icon = LoadIconW(host_.Instance(), MAKEINTRESOURCEW(kIconResource))) {
            SendMessageW(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
            SendMessageW(window_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        }
    }
    SetLastError(ERROR_SUCCESS);
    toolTip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_.get(), nullptr,
                                   host_.Instance(), nullptr));
    if (!toolTip_)
        throw WindowsError("Cannot create the tooltips of the window \"" + form_.Caption() + "\".", GetLastError());
    for (const auto& child : children_) {
        if (!child) continue;
        for (HWND w : {child->Handle(), child->Field()}) {
            if (w == nullptr) continue;
            SetWindowSubclass(w, ChildProc, 1, reinterpret_cast<DWORD_PTR>(this));
            AddToolTip(w, child->Model().ToolTipText());
        }
    }
}

void FormWindow::CreateFramePens() {
    pens_.clear();
    frameLines_.clear();
    std::vector<std::pair<int, COLORREF>> made;  // the width and colour of each pen, in order
    for (const auto& c : form_.Controls()) {
        if (c->Type() != forms::ControlType::Line) continue;
        const std::pair<int, COLORREF> kind{c->Design().borderWidth, ColorOf(c->Design().foreColor)};
        auto found = std::find(made.begin(), made.end(), kind);
        if (found == made.end()) {
            SetLastError(ERROR_SUCCESS);
            pens_.emplace_back(CreatePen(PS_SOLID, kind.first, kind.second));
            if (!pens_.back())
                throw WindowsError("Cannot create the frame lines of the window \"" + form_.Caption() + "\".",
                                   GetLastError());
            found = made.insert(made.end(), kind);
        }
        frameLines_.emplace_back(c.get(), pens_[static_cast<std::size_t>(found - made.begin())].get());
    }
}

HFONT FormWindow::FontFor(const forms::Font& font) {
    for (const auto& [f, handle] : fonts_)
        if (f == font) return handle.get();
    const int height = -static_cast<int>(std::lround(font.points * dpi_ / 72.0));
    FontHandle handle(CreateFontW(height, 0, 0, 0, font.weight, font.italic, font.underline, FALSE, ANSI_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, Widen(font.name).c_str()));
    HFONT raw = handle.get();
    fonts_.emplace_back(font, std::move(handle));
    return raw;
}

void FormWindow::CreateChildren() {
    // Each child's id is its place in the focus order; they are made in that order, so the windows'
    // own order agrees with Tab.
    std::vector<forms::Control*> order;
    for (const auto& c : form_.Controls()) {
        if (c->Type() == forms::ControlType::Line) continue;
        const auto at = static_cast<std::size_t>(c->TabIndex());
        if (c->TabIndex() < 0 || (at < order.size() && order[at] != nullptr))
            throw std::logic_error("form " + form_.Name() + ": " + c->Name() + " has no focus place of its own");
        order.resize(std::max(order.size(), at + 1));
        order[at] = c.get();
    }
    Mirroring quiet(*this);
    children_.resize(order.size());
    for (std::size_t at = 0; at < order.size(); ++at)
        if (order[at] != nullptr) children_[at] = ControlWindow::Make(*this, *order[at]);
}

void FormWindow::AddToolTip(HWND child, const std::string& tip) {
    if (!toolTip_ || tip.empty()) return;
    std::wstring text = Widen(tip);
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = window_.get();
    ti.uId = reinterpret_cast<UINT_PTR>(child);
    ti.lpszText = text.data();
    SendMessageW(toolTip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

HWND FormWindow::ChildOf(const forms::Control& control) const {
    const auto at = static_cast<std::size_t>(control.TabIndex());
    if (control.TabIndex() < 0 || at >= children_.size() || !children_[at]) return nullptr;
    return &children_[at]->Model() == &control ? children_[at]->Handle() : nullptr;
}

ControlWindow* FormWindow::ChildWith(HWND window) const {
    if (window != nullptr && GetParent(window) != window_.get()) window = GetParent(window);
    if (window == nullptr || GetParent(window) != window_.get()) return nullptr;
    const int at = GetDlgCtrlID(window) - ControlWindow::kFirstId;
    if (at < 0 || static_cast<std::size_t>(at) >= children_.size()) return nullptr;
    ControlWindow* child = children_[static_cast<std::size_t>(at)].get();
    return child != nullptr && child->Handle() == window ? child : nullptr;
}

// --- Model to windows -----------------------------------------------------------

void FormWindow::ControlChanged(forms::Control& control, forms::Property property) {
    if (ChildOf(control) == nullptr) return;
    Mirroring quiet(*this);
    children_[static_cast<std::size_t>(control.TabIndex())]->Mirror(property);
}

void FormWindow::FocusChanged(forms::Form&, forms::Control* focused) {
    // An inactive window is not activated for this: it gives the control the focus when it is activated.
    if (focused == nullptr || GetActiveWindow() != window_.get()) return;
    HWND h = ChildOf(*focused);
    if (h == nullptr) return;
    HWND current = GetFocus();
    if (current == h || (current != nullptr && GetParent(current) == h)) return;
    SetFocus(h);
}

void FormWindow::FocusActiveControl() {
    if (forms::Control* c = form_.ActiveControl()) FocusChanged(form_, c);
}

// --- Windows to model ------------------------------------------------------------

void FormWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_.get(), &ps);
    HGDIOBJ old = GetCurrentObject(dc, OBJ_PEN);
    for (const auto& [line, pen] : frameLines_) {
        const auto& d = line->Design();
        SelectObject(dc, pen);
        MoveToEx(dc, Pixels(d.x1), Pixels(d.y1), nullptr);
        LineTo(dc, Pixels(d.x2), Pixels(d.y2));
    }
    SelectObject(dc, old);
    EndPaint(window_.get(), &ps);
}

LRESULT FormWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    HWND hwnd = window_.get();
    switch (msg) {
        case WM_COMMAND:  // menu and accelerator commands (IDOK, IDCANCEL) press nothing
            if (ControlWindow* child = ChildWith(reinterpret_cast<HWND>(lp)); child && mirroring_ == 0)
                child->OnCommand(HIWORD(wp));
            return 0;
        case WM_VSCROLL:
            if (ControlWindow* child = ChildWith(reinterpret_cast<HWND>(lp)); child && mirroring_ == 0)
                child->OnScroll(LOWORD(wp));
            return 0;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wp);
            if (ControlWindow* child = ChildWith(reinterpret_cast<HWND>(lp))) child->Colour(dc);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_PAINT: OnPaint(); return 0;
        case WM_CLOSE:
            form_.Unload();  // the close box unloads without running any handler
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE) {
                FocusActiveControl();
                return 0;
            }
            break;
        case WM_SETFOCUS: FocusActiveControl(); return 0;
        case WM_SYSCOLORCHANGE: CreateFramePens(); break;  // the lines may use system colours
        case WM_DPICHANGED: DpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp)); return 0;
        case WM_NCDESTROY: {
            const LRESULT r = DefWindowProcW(hwnd, msg, wp, lp);
            WindowDestroyed();
            return r;
        }
        case kDisposeMessage: host_.Dispose(this); return 0;
        default: break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// Destroyed by something other than this object (its own teardown detaches first): no handle of
// it may be used or destroyed again, and a form without its window is unloaded, so the program
// does not wait for a window that is gone.
void FormWindow::WindowDestroyed() {
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    window_.release();
    toolTip_.release();  // an owned window: destroyed before its owner
    children_.clear();   // their windows are destroyed with their parent
    if (form_.Loaded()) form_.Unload();
}

LRESULT FormWindow::OnChildMessage(ControlWindow& child, HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SETFOCUS: {
            LRESULT r = DefSubclassProc(window, msg, wp, lp);
            form_.MoveFocus(child.Model());
            return r;
        }
        case WM_KEYDOWN:
            if (wp == VK_TAB) {
                form_.Tab(GetKeyState(VK_SHIFT) < 0);
                return 0;
            }
            if (wp == VK_RETURN && child.OnEnter()) return 0;
            break;
        case WM_CHAR:
            if (wp == L'\t') return 0;  // Tab moves the focus
            if (wp == L'\r' || wp == VK_ESCAPE) {
                if (!child.UsesEnterAndEsc()) return 0;
                const LRESULT r = DefSubclassProc(window, msg, wp, lp);
                child.EnterOrEscUsed(wp);
                return r;
            }
            break;
        default: break;
    }
    return DefSubclassProc(window, msg, wp, lp);
}

LRESULT CALLBACK FormWindow::FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        auto* self = static_cast<FormWindow*>(cs->lpCreateParams);
        self->window_.reset(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    // After a failure the model is left alone: the host is ending the program.
    if (self == nullptr || self->host_.Failed()) return DefWindowProcW(hwnd, msg, wp, lp);
    try {
        return self->OnMessage(msg, wp, lp);
    } catch (...) {
        self->host_.Fail(std::current_exception());
        return 0;
    }
}

LRESULT CALLBACK FormWindow::ChildProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<FormWindow*>(data);
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ChildProc, 1);
    ControlWindow* child = self->host_.Failed() ? nullptr : self->ChildWith(hwnd);
    if (child == nullptr) return DefSubclassProc(hwnd, msg, wp, lp);
    try {
        return self->OnChildMessage(*child, hwnd, msg, wp, lp);
    } catch (...) {
        self->host_.Fail(std::current_exception());
        return 0;
    }
}

}  // namespace sarnex::win32
