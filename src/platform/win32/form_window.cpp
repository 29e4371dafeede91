#include "platform/win32/form_window.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <exception>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/windows_error.h"

namespace sarnex::win32 {

using forms::ControlType;

namespace {

constexpr wchar_t kFormClass[] = L"SarnexForm";
constexpr int kFirstChildId = 100;  // clear of IDOK and IDCANCEL, which nothing here may raise
constexpr int kIconResource = 1;

COLORREF ColorOf(const forms::Color& c) {
    switch (c.kind) {
        case forms::Color::Kind::Rgb: return RGB(c.r, c.g, c.b);
        case forms::Color::Kind::ButtonText: return GetSysColor(COLOR_BTNTEXT);
        case forms::Color::Kind::Highlight: return GetSysColor(COLOR_HIGHLIGHT);
        case forms::Color::Kind::WindowText: return GetSysColor(COLOR_WINDOWTEXT);
    }
    return GetSysColor(COLOR_BTNTEXT);
}

DWORD FormStyle(const forms::FormDesign& d) {
    return d.border == forms::Border::Sizable ? WS_OVERLAPPEDWINDOW : (WS_POPUP | WS_CAPTION | WS_SYSMENU);
}

DWORD FormExStyle(const forms::FormDesign& d) {
    return d.border == forms::Border::Sizable ? 0 : WS_EX_DLGMODALFRAME;
}

}  // namespace

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

FormWindow::FormWindow(Win32Host& host, forms::Form& form) : host_(host), form_(form) {
    // Whatever was created before a failure is destroyed again before the failure is passed on.
    try {
        Build();
    } catch (...) {
        Release();
        throw;
    }
    form_.SetObserver(this);
}

void FormWindow::Build() {
    const auto& d = form_.Design();
    const DWORD style = FormStyle(d);
    const DWORD exStyle = FormExStyle(d);
    RECT rc{0, 0, host_.Pixels(d.clientWidth), host_.Pixels(d.clientHeight)};
    AdjustWindowRectEx(&rc, style, FALSE, exStyle);
    const int x = d.defaultPosition ? CW_USEDEFAULT : host_.Pixels(d.left);
    const int y = d.defaultPosition ? CW_USEDEFAULT : host_.Pixels(d.top);
    // A window without a taskbar button is owned by a hidden window of the host.
    HWND owner = d.showInTaskbar ? nullptr : host_.HiddenOwner();
    // The window procedure takes ownership of the handle as soon as the window exists.
    SetLastError(ERROR_SUCCESS);
    if (CreateWindowExW(exStyle, kFormClass, Widen(d.caption).c_str(), style, x, y, rc.right - rc.left,
                        rc.bottom - rc.top, owner, nullptr, host_.Instance(), this) == nullptr)
        throw WindowsError("Cannot create the window \"" + d.caption + "\".", GetLastError());
    CreateChildren();
    CreateFramePens();
}

FormWindow::~FormWindow() { Release(); }

void FormWindow::Release() {
    // The form may already be gone at program end: nothing here touches it any more.
    for (const auto& entry : children_) {
        HWND child = entry.second;
        RemoveWindowSubclass(child, ChildProc, 1);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(child, &info) && info.hwndItem != nullptr)
            RemoveWindowSubclass(info.hwndItem, ChildProc, 1);
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
    for (const auto& [control, child] : children_) {
        SetWindowSubclass(child, ChildProc, 1, reinterpret_cast<DWORD_PTR>(this));
        AddToolTip(child, control->ToolTipText());
        if (control->Type() == ControlType::ComboBox) {
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            if (GetComboBoxInfo(child, &info) && info.hwndItem != nullptr) {
                SetWindowSubclass(info.hwndItem, ChildProc, 1, reinterpret_cast<DWORD_PTR>(this));
                AddToolTip(info.hwndItem, control->ToolTipText());
            }
        }
    }
}

void FormWindow::CreateFramePens() {
    pens_.clear();
    frameLines_.clear();
    std::vector<std::pair<int, COLORREF>> made;  // the width and colour of each pen, in order
    for (const auto& c : form_.Controls()) {
        if (c->Type() != ControlType::Line) continue;
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

RECT FormWindow::PixelRect(const forms::ControlDesign& d) const {
    const int l = host_.Pixels(d.left), t = host_.Pixels(d.top);
    return {l, t, l + host_.Pixels(d.width), t + host_.Pixels(d.height)};
}

HFONT FormWindow::FontFor(const forms::Font& font) {
    for (const auto& [f, handle] : fonts_)
        if (f == font) return handle.get();
    const int height = -static_cast<int>(std::lround(font.points * host_.Dpi() / 72.0));
    FontHandle handle(CreateFontW(height, 0, 0, 0, font.weight, font.italic, font.underline, FALSE, ANSI_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, Widen(font.name).c_str()));
    HFONT raw = handle.get();
    fonts_.emplace_back(font, std::move(handle));
    return raw;
}

void FormWindow::CreateChildren() {
    // Created in focus order, so the windows' own order agrees with Tab.
    std::vector<forms::Control*> order;
    for (const auto& c : form_.Controls())
        if (c->Type() != ControlType::Line) order.push_back(c.get());
    std::stable_sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->TabIndex() < b->TabIndex(); });
    for (auto* c : order) children_.emplace_back(c, CreateChild(*c));
}

HWND FormWindow::CreateChild(forms::Control& control) {
    const auto& d = control.Design();
    RECT r = PixelRect(d);
    const int id = kFirstChildId + static_cast<int>(children_.size());
    const wchar_t* cls = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    std::string text = d.caption;
    int height = r.bottom - r.top;
    const DWORD align = d.alignment == forms::Alignment::Centre  ? 1u
                        : d.alignment == forms::Alignment::Right ? 2u
                                                                 : 0u;
    switch (control.Type()) {
        case ControlType::Label:
            // A caption may reach into the box below it: it paints only where no other control is.
            style |= WS_CLIPSIBLINGS | SS_NOTIFY | (align == 1 ? SS_CENTER : align == 2 ? SS_RIGHT : SS_LEFT);
            text = static_cast<forms::Label&>(control).Caption();
            break;
        case ControlType::TextBox:
            cls = L"EDIT";
            style |= WS_TABSTOP | ES_AUTOHSCROLL | (align == 1 ? ES_CENTER : align == 2 ? ES_RIGHT : ES_LEFT);
            exStyle = WS_EX_CLIENTEDGE;
            text = static_cast<forms::TextBox&>(control).Text();
            break;
        case ControlType::CheckBox:
            cls = L"BUTTON";
            style |= WS_TABSTOP | BS_CHECKBOX;  // the model decides the tick
            break;
        case ControlType::ComboBox:
            cls = L"COMBOBOX";
            style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
            height += host_.Pixels(1800);  // room for the drop-down list
            text.clear();
            break;
        case ControlType::CommandButton:
            cls = L"BUTTON";
            style |= WS_TABSTOP | BS_PUSHBUTTON;  // never a default button: Enter presses nothing
            break;
        case ControlType::VScrollBar:
            cls = L"SCROLLBAR";
            style |= WS_TABSTOP | SBS_VERT;
            text.clear();
            break;
        case ControlType::Line: return nullptr;
    }
    SetLastError(ERROR_SUCCESS);
    HWND child = CreateWindowExW(exStyle, cls, Widen(text).c_str(), style, r.left, r.top, r.right - r.left, height,
                                 window_.get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 host_.Instance(), nullptr);
    if (child == nullptr)
        throw WindowsError("Cannot create the " + Narrow(cls) + " control \"" + d.name + "\" of the window \"" +
                               form_.Caption() + "\".",
                           GetLastError());
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(d.font)), FALSE);
    switch (control.Type()) {
        case ControlType::TextBox:
            SendMessageW(child, EM_LIMITTEXT, static_cast<WPARAM>(d.maxLength), 0);  // 0 means no limit
            break;
        case ControlType::ComboBox: {
            auto& combo = static_cast<forms::ComboBox&>(control);
            FitComboHeight(child, r.bottom - r.top);
            Mirroring quiet(*this);
            SetWindowTextW(child, Widen(combo.Text()).c_str());
            break;
        }
        case ControlType::VScrollBar: {
            auto& bar = static_cast<forms::VScrollBar&>(control);
            SetScrollRange(child, SB_CTL, bar.Min(), bar.Max(), FALSE);
            SetScrollPos(child, SB_CTL, bar.Value(), FALSE);
            break;
        }
        case ControlType::Label:
            SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            if (d.autoSize) {
                DeviceContext dc(child);
                HGDIOBJ old = SelectObject(dc.get(), FontFor(d.font));
                RECT calc{0, 0, 0, 0};
                const std::wstring w = Widen(text);
                DrawTextW(dc.get(), w.c_str(), static_cast<int>(w.size()), &calc, DT_CALCRECT | DT_SINGLELINE);
                SelectObject(dc.get(), old);
                SetWindowPos(child, nullptr, 0, 0, calc.right, calc.bottom, SWP_NOMOVE | SWP_NOZORDER);
            }
            break;
        default: break;
    }
    if (!control.Enabled()) EnableWindow(child, FALSE);
    return child;
}

void FormWindow::FitComboHeight(HWND combo, int height) {
    // The closed combo box is as tall as its selection field plus a frame whose size depends on the
    // system: size the field, measure, and correct until the whole box has its designed height.
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT rc;
        GetWindowRect(combo, &rc);
        const int off = height - (rc.bottom - rc.top);
        if (off == 0) return;
        const LRESULT field = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        if (field <= 0 || field + off <= 0) return;
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field + off);
    }
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
    for (const auto& [c, h] : children_)
        if (c == &control) return h;
    return nullptr;
}

forms::Control* FormWindow::ControlOf(HWND child) const {
    for (const auto& [c, h] : children_)
        if (h == child) return c;
    HWND parent = GetParent(child);  // the edit field inside a combo box
    if (parent != nullptr && parent != window_.get()) {
        for (const auto& [c, h] : children_)
            if (h == parent) return c;
    }
    return nullptr;
}

void FormWindow::FillCombo(forms::ComboBox& combo) {
    HWND h = ChildOf(combo);
    // An item added at the end, the list's usual change, is all that needs sending.
    const LRESULT shown = SendMessageW(h, CB_GETCOUNT, 0, 0);
    if (shown >= 0 && static_cast<std::size_t>(shown) + 1 == combo.List().size()) {
        SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(combo.List().back()).c_str()));
        return;
    }
    SendMessageW(h, CB_RESETCONTENT, 0, 0);
    for (const auto& item : combo.List())
        SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(combo.ListIndex()), 0);
    SetWindowTextW(h, Widen(combo.Text()).c_str());
}

// --- Model to windows -----------------------------------------------------------

void FormWindow::ControlChanged(forms::Control& control, forms::Property property) {
    HWND h = ChildOf(control);
    if (h == nullptr) return;
    Mirroring quiet(*this);
    switch (property) {
        case forms::Property::Caption:
            if (control.Type() == ControlType::Label)
                SetWindowTextW(h, Widen(static_cast<forms::Label&>(control).Caption()).c_str());
            break;
        case forms::Property::Text:
            if (control.Type() == ControlType::ComboBox)
                ReplaceText(h, static_cast<forms::ComboBox&>(control).Text(), true);
            else
                ReplaceText(h, static_cast<forms::TextBox&>(control).Text(), false);
            break;
        case forms::Property::Value:
            if (control.Type() == ControlType::CheckBox) {
                const int v = static_cast<forms::CheckBox&>(control).Value();
                SendMessageW(h, BM_SETCHECK, v == 1 ? BST_CHECKED : v == 2 ? BST_INDETERMINATE : BST_UNCHECKED, 0);
            } else if (control.Type() == ControlType::VScrollBar) {
                SetScrollPos(h, SB_CTL, static_cast<forms::VScrollBar&>(control).Value(), IsWindowVisible(h));
            }
            break;
        case forms::Property::Enabled: EnableWindow(h, control.Enabled() ? TRUE : FALSE); break;
        case forms::Property::ListIndex: {
            auto& combo = static_cast<forms::ComboBox&>(control);
            SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(combo.ListIndex()), 0);
            if (WindowText(h) != combo.Text()) SetWindowTextW(h, Widen(combo.Text()).c_str());
            break;
        }
        case forms::Property::List: FillCombo(static_cast<forms::ComboBox&>(control)); break;
    }
}

void FormWindow::ReplaceText(HWND window, const std::string& text, bool combo) {
    HWND field = window;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (combo && GetComboBoxInfo(window, &info)) field = info.hwndItem;
    // In the field being typed into, the caret stays as far from the end as it was, so a character
    // put right or refused leaves it where the typing goes on.
    const bool typing = field != nullptr && GetFocus() == field;
    DWORD caret = 0;
    if (typing) SendMessageW(field, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    const int fromEnd = GetWindowTextLengthW(field) - static_cast<int>(caret);
    // A combo box's text belongs to no item. Taking its selection away empties the edit field, so
    // that comes first.
    if (combo && SendMessageW(window, CB_GETCURSEL, 0, 0) != CB_ERR)
        SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    // Rewriting an unchanged text would move the caret while the user types; a window not yet shown
    // has no caret, and is spared reading its text back.
    if (IsWindowVisible(window) && WindowText(window) == text) return;
    SetWindowTextW(window, Widen(text).c_str());
    if (!typing) return;
    const auto at = static_cast<WPARAM>(std::max(0, GetWindowTextLengthW(field) - fromEnd));
    SendMessageW(field, EM_SETSEL, at, static_cast<LPARAM>(at));
}

void FormWindow::ControlRefreshed(forms::Control& control) {
    if (HWND h = ChildOf(control)) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
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

void FormWindow::OnCommand(HWND child, int code) {
    forms::Control* control = ControlOf(child);
    if (control == nullptr || mirroring_ > 0) return;
    switch (control->Type()) {
        case ControlType::TextBox:
            // A box that does not take an edit as it came has shown its own text again.
            if (code == EN_CHANGE && !static_cast<forms::TextBox*>(control)->UserEdit(WindowText(child)))
                MessageBeep(MB_OK);
            break;
        case ControlType::CheckBox:
            if (code == BN_CLICKED) static_cast<forms::CheckBox*>(control)->UserClick();
            break;
        case ControlType::CommandButton:
            if (code == BN_CLICKED) static_cast<forms::CommandButton*>(control)->UserClick();
            break;
        case ControlType::Label:
            if (code == STN_CLICKED) static_cast<forms::Label*>(control)->UserClick();
            break;
        case ControlType::ComboBox: {
            auto* combo = static_cast<forms::ComboBox*>(control);
            if (code == CBN_DROPDOWN) {
                listOpenedOn_ = combo->ListIndex();
            } else if (code == CBN_SELCHANGE) {
                const auto index = static_cast<int>(SendMessageW(child, CB_GETCURSEL, 0, 0));
                combo->UserPick(index);
            } else if (code == CBN_EDITCHANGE) {
                combo->UserEdit(WindowText(child));
            }
            break;
        }
        default: break;
    }
}

void FormWindow::OnVScroll(HWND bar, int code) {
    auto* control = ControlOf(bar);
    if (control == nullptr || control->Type() != ControlType::VScrollBar || mirroring_ > 0) return;
    auto* scroll = static_cast<forms::VScrollBar*>(control);
    if (code == SB_LINEUP || code == SB_PAGEUP) scroll->UserArrow(forms::VScrollBar::Arrow::Up);
    if (code == SB_LINEDOWN || code == SB_PAGEDOWN) scroll->UserArrow(forms::VScrollBar::Arrow::Down);
    if (code == SB_TOP) scroll->UserMoveToEnd(forms::VScrollBar::Arrow::Up);  // Home
    if (code == SB_BOTTOM) scroll->UserMoveToEnd(forms::VScrollBar::Arrow::Down);  // End
}

void FormWindow::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_.get(), &ps);
    HGDIOBJ old = GetCurrentObject(dc, OBJ_PEN);
    for (const auto& [line, pen] : frameLines_) {
        const auto& d = line->Design();
        SelectObject(dc, pen);
        MoveToEx(dc, host_.Pixels(d.x1), host_.Pixels(d.y1), nullptr);
        LineTo(dc, host_.Pixels(d.x2), host_.Pixels(d.y2));
    }
    SelectObject(dc, old);
    EndPaint(window_.get(), &ps);
}

LRESULT FormWindow::OnColorStatic(HDC dc, HWND child) {
    forms::Control* control = ControlOf(child);
    if (control != nullptr && control->Type() == ControlType::Label && control->Enabled())
        SetTextColor(dc, ColorOf(control->Design().foreColor));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT FormWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    HWND hwnd = window_.get();
    switch (msg) {
        case WM_COMMAND:
            if (lp != 0) OnCommand(reinterpret_cast<HWND>(lp), HIWORD(wp));
            return 0;  // menu and accelerator commands (IDOK, IDCANCEL) press nothing
        case WM_VSCROLL:
            if (lp != 0) OnVScroll(reinterpret_cast<HWND>(lp), LOWORD(wp));
            return 0;
        case WM_CTLCOLORSTATIC: return OnColorStatic(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
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
    children_.clear();   // destroyed with their parent
    if (form_.Loaded()) form_.Unload();
}

LRESULT FormWindow::OnChildMessage(HWND child, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SETFOCUS: {
            LRESULT r = DefSubclassProc(child, msg, wp, lp);
            if (forms::Control* c = ControlOf(child)) form_.MoveFocus(*c);
            return r;
        }
        case WM_KEYDOWN:
            if (wp == VK_TAB) {
                form_.Tab(GetKeyState(VK_SHIFT) < 0);
                return 0;
            }
            if (wp == VK_RETURN) {
                // A focused command button is pressed by Enter as by the space bar; nothing else is.
                forms::Control* c = ControlOf(child);
                if (c != nullptr && c->Type() == ControlType::CommandButton) {
                    static_cast<forms::CommandButton*>(c)->UserClick();
                    return 0;
                }
            }
            break;
        case WM_CHAR:
            if (wp == L'\t') return 0;  // Tab moves the focus
            if (wp == L'\r' || wp == 0x1B) return OnEnterOrEsc(child, msg, wp, lp);
            break;
        case WM_NCDESTROY: RemoveWindowSubclass(child, ChildProc, 1); break;
        default: break;
    }
    return DefSubclassProc(child, msg, wp, lp);
}

// Enter and Esc press nothing. In an open drop-down list they close it, as in any combo box: Enter
// keeps the item moved to, Esc goes back to the item the list opened on.
LRESULT FormWindow::OnEnterOrEsc(HWND child, UINT msg, WPARAM wp, LPARAM lp) {
    forms::Control* control = ControlOf(child);
    if (control == nullptr || control->Type() != ControlType::ComboBox ||
        !SendMessageW(ChildOf(*control), CB_GETDROPPEDSTATE, 0, 0))
        return 0;
    const LRESULT result = DefSubclassProc(child, msg, wp, lp);
    auto* combo = static_cast<forms::ComboBox*>(control);
    if (wp == 0x1B && listOpenedOn_ >= 0 && combo->ListIndex() != listOpenedOn_) combo->UserPick(listOpenedOn_);
    return result;
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
    if (self->host_.Failed()) {
        if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ChildProc, 1);
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    try {
        return self->OnChildMessage(hwnd, msg, wp, lp);
    } catch (...) {
        self->host_.Fail(std::current_exception());
        return 0;
    }
}

}  // namespace sarnex::win32
