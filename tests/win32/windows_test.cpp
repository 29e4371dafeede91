// What only real windows show: every form and control at its twips at the screen's DPI with its
// font, label colours, frame lines and tips, window styles, and the read-failure notice in front.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <functional>

#include "support/code_page_1252.h"
#include "shared/stored_values.h"
#include "support/memory_registry.h"
#include "win32/win32_program.h"

namespace sarnex::testing {
namespace {

using Program = Win32Program<MemoryRegistry, CodePage1252>;

// A program showing one form, reached as the user reaches it.
struct FormCase {
    const char* name;
    std::function<forms::Form&(Program&)> show;
    bool sizable;
    bool owned;  // owned windows have no taskbar button
};

template <class F>
F& Shown(Program& p) {
    p.host.PumpMessages();
    return *p.runtime.ExistingInstance<F>();
}

const FormCase kForms[] = {
    {"Editor", [](Program& p) -> forms::Form& { return p.ShowEditor(); }, true, false},
    {"RegistryReadFailedNotice",
     [](Program& p) -> forms::Form& {
         p.ShowEditor();  // no key: loading fails
         return Shown<notices::RegistryReadFailedNotice>(p);
     },
     true, false},
    {"RegistrySaveFailedNotice",
     [](Program& p) -> forms::Form& {
         p.user.Click(p.ShowEditor().saveButton);
         return Shown<notices::RegistrySaveFailedNotice>(p);
     },
     true, false},
    {"RestartPrompt",
     [](Program& p) -> forms::Form& {
         p.registry.AddKey(kKey);
         p.user.Click(p.ShowEditor().okButton);
         return Shown<notices::RestartPrompt>(p);
     },
     true, false},
    {"ImageLoadFailedNotice",
     [](Program& p) -> forms::Form& {
         p.program.Start("badload");
         return Shown<notices::ImageLoadFailedNotice>(p);
     },
     false, true},
    {"OutOfMemoryNotice",
     [](Program& p) -> forms::Form& {
         p.program.Start("nomem");
         return Shown<notices::OutOfMemoryNotice>(p);
     },
     true, false},
};

RECT RectInParent(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(Windows, EveryFormAndControlAtItsTwipsWithItsFont) {
    for (const FormCase& c : kForms) {
        SCOPED_TRACE(c.name);
        Program p;
        forms::Form& form = c.show(p);
        ASSERT_EQ(form.Name(), c.name);
        HWND window = p.host.WindowOf(form);
        ASSERT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(win32::WindowText(window), form.Caption());
        RECT client;
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, p.host.Pixels(form.Design().clientWidth));
        EXPECT_EQ(client.bottom, p.host.Pixels(form.Design().clientHeight));
        const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
        EXPECT_EQ((style & WS_THICKFRAME) != 0, c.sizable);
        EXPECT_EQ((style & WS_MAXIMIZEBOX) != 0, c.sizable);
        EXPECT_EQ(GetWindow(window, GW_OWNER) != nullptr, c.owned);
        if (!form.Design().defaultPosition) {
            RECT r;
            GetWindowRect(window, &r);
            EXPECT_EQ(r.left, p.host.Pixels(form.Design().left));
            EXPECT_EQ(r.top, p.host.Pixels(form.Design().top));
        }
        for (const auto& control : form.Controls()) {
            if (control->Type() == forms::ControlType::Line) continue;
            SCOPED_TRACE(control->Name());
            const forms::ControlDesign& d = control->Design();
            HWND child = p.host.WindowOf(*control);
            const RECT r = RectInParent(child);
            EXPECT_EQ(r.left, p.host.Pixels(d.left));
            EXPECT_EQ(r.top, p.host.Pixels(d.top));
            if (!d.autoSize) EXPECT_EQ(r.right - r.left, p.host.Pixels(d.width));
            // A closed combo box's height follows its font; the system may keep it a little taller.
            if (!d.autoSize) EXPECT_NEAR(r.bottom - r.top, p.host.Pixels(d.height), control->Type() == forms::ControlType::ComboBox ? 3 : 0);
            if (control->Type() == forms::ControlType::VScrollBar) continue;
            LOGFONTW font{};
            ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof font, &font), 0);
            EXPECT_EQ(win32::Narrow(font.lfFaceName), d.font.name);
            EXPECT_EQ(font.lfHeight, -static_cast<LONG>(std::lround(d.font.points * p.host.Dpi() / 72.0)));
            EXPECT_EQ(font.lfWeight, d.font.weight);
            EXPECT_EQ(font.lfItalic != 0, d.font.italic);
            EXPECT_EQ(font.lfUnderline != 0, d.font.underline);
            EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
        }
    }
}

TEST(Windows, LabelColoursFrameLinesAndTips) {
    Program p;
    p.registry.AddKey(kKey);
    editor::Editor& e = p.ShowEditor();
    HWND window = p.host.WindowOf(e);

    HDC memory = CreateCompatibleDC(nullptr);
    const std::pair<const forms::Label*, COLORREF> colours[] = {
        {&e.titleLabel, RGB(255, 0, 0)},
        {&e.webLink, RGB(0, 0, 192)},
        {&e.hardDiskFrameTitle, GetSysColor(COLOR_HIGHLIGHT)},
        {&e.diskTypeCaption, GetSysColor(COLOR_BTNTEXT)},
    };
    for (const auto& [label, colour] : colours) {
        SetTextColor(memory, RGB(1, 2, 3));
        SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(memory), reinterpret_cast<LPARAM>(p.host.WindowOf(*label)));
        EXPECT_EQ(GetTextColor(memory), colour) << label->Name();
    }
    DeleteDC(memory);

    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(window);
    int lines = 0;
    for (const auto& c : e.Controls()) {
        if (c->Type() != forms::ControlType::Line) continue;
        const auto& d = c->Design();
        const int x = p.host.Pixels((d.x1 + d.x2) / 2), y = p.host.Pixels((d.y1 + d.y2) / 2);
        int inked = 0;  // across the line, around its middle
        for (int k = -4; k <= 4; ++k)
            if (GetPixel(dc, d.y1 == d.y2 ? x : x + k, d.y1 == d.y2 ? y + k : y) == GetSysColor(COLOR_WINDOWTEXT)) ++inked;
        EXPECT_EQ(inked, 2) << c->Name();
        ++lines;
    }
    ReleaseDC(window, dc);
    EXPECT_EQ(lines, 15);

    int tips = 1;  // the combo box's edit field carries its tip too
    for (const auto& c : e.Controls()) tips += c->ToolTipText().empty() ? 0 : 1;
    HWND tip = nullptr;
    while ((tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) != nullptr && GetWindow(tip, GW_OWNER) != window) {
    }
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), tips);
    wchar_t text[128] = {};
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = window;
    info.uId = reinterpret_cast<UINT_PTR>(p.host.WindowOf(e.webLink));
    info.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(win32::Narrow(text), "Sarnex web page");
}

TEST(Windows, TheReadFailureNoticeStaysInFrontOfTheEditor) {
    Program p;  // no key: loading fails
    HWND editorWindow = p.host.WindowOf(p.ShowEditor());
    auto& notice = *p.runtime.ExistingInstance<notices::RegistryReadFailedNotice>();
    HWND noticeWindow = p.host.WindowOf(notice);
    EXPECT_TRUE(GetWindowLongPtrW(noticeWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrW(editorWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(noticeWindow));
    p.user.Click(notice.cancelButton);  // closes only the notice
    EXPECT_FALSE(notice.Loaded());
    EXPECT_TRUE(IsWindowVisible(editorWindow));
}

}  // namespace
}  // namespace sarnex::testing
