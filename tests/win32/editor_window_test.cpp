// The editor and the notices as real windows: geometry at the screen's DPI, fonts, focus order,
// the topmost notice, and keys that must press nothing.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "editor/editor_design.h"
#include "notices/driver_notices.h"
#include "notices/registry_notices.h"
#include "support/code_page_1252.h"
#include "support/memory_registry.h"
#include "platform/win32/wide_text.h"
#include "shared/event_trace.h"
#include "win32/win32_program.h"


namespace sarnex::testing {
namespace {

struct EditorProgram : Win32Program<testing::MemoryRegistry, testing::CodePage1252> {
    RECT ChildRect(const forms::Control& c) const {
        HWND h = host.WindowOf(c);
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

TEST(EditorWindow, EveryControlSitsAtItsTwipsAtTheScreensDpi) {
    EditorProgram p;
    auto& editor = p.ShowEditor();
    HWND window = p.host.WindowOf(editor);
    ASSERT_NE(window, nullptr);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, p.host.Pixels(7305));
    EXPECT_EQ(client.bottom, p.host.Pixels(6735));
    EXPECT_EQ(win32::WindowText(window), "Sarnex Configuration Utility");
    int checked = 0;
    for (const auto& c : editor.Controls()) {
        if (c->Type() == forms::ControlType::Line) continue;
        const auto& d = c->Design();
        SCOPED_TRACE(c->Name());
        RECT r = p.ChildRect(*c);
        EXPECT_EQ(r.left, p.host.Pixels(d.left));
        EXPECT_EQ(r.top, p.host.Pixels(d.top));
        EXPECT_EQ(r.right - r.left, p.host.Pixels(d.width));
        if (c->Type() == forms::ControlType::ComboBox)
            // A closed combo box's height follows its font; the system may keep it a little taller.
            EXPECT_NEAR(r.bottom - r.top, p.host.Pixels(d.height), 3);
        else
            EXPECT_EQ(r.bottom - r.top, p.host.Pixels(d.height));
        ++checked;
    }
    EXPECT_EQ(checked, 33);
}

TEST(EditorWindow, ControlsUseTheirDesignedFontsInTheAnsiCharacterSet) {
    EditorProgram p;
    for (const auto& c : p.ShowEditor().Controls()) {
        if (c->Type() == forms::ControlType::Line || c->Type() == forms::ControlType::VScrollBar) continue;
        SCOPED_TRACE(c->Name());
        const auto& f = c->Design().font;
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(p.host.WindowOf(*c), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        LOGFONTW lf{};
        ASSERT_NE(GetObjectW(font, sizeof lf, &lf), 0);
        EXPECT_EQ(win32::Narrow(lf.lfFaceName), f.name);
        EXPECT_EQ(lf.lfHeight, -static_cast<LONG>(std::lround(f.points * p.host.Dpi() / 72.0)));
        EXPECT_EQ(lf.lfWeight, f.weight);
        EXPECT_EQ(lf.lfItalic != 0, f.italic);
        EXPECT_EQ(lf.lfUnderline != 0, f.underline);
        EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
    }
}

TEST(EditorWindow, TabVisitsTheControlsInTheirFocusOrder) {
    EditorProgram p;
    auto& editor = p.ShowEditor();
    for (const auto& c : editor.Controls()) c->SetEnabled(true);
    editor.diskSizeBox.SetText("64");  // leaving the size box keeps FAT32 available above 32 MB
    p.user.Focus(editor.loadImageCheck);
    std::vector<std::string> visited;
    for (int i = 0; i < 20; ++i) {
        p.user.Tab(editor, false);
        HWND focus = GetFocus();
        std::string name = "?";
        for (const auto& c : editor.Controls())
            if (p.host.WindowOf(*c) == focus || (focus != nullptr && p.host.WindowOf(*c) == GetParent(focus)))
                name = c->Name();
        visited.push_back(name);
        EXPECT_EQ(editor.ActiveControl()->Name(), name);
    }
    const std::vector<std::string> expected = {
        "saveImageCheck", "loadImageFileBox",       "saveImageFileBox",           "diskTypeList",          "okButton",          "diskSizeBox",
        "cancelButton",  "driveLetterCheck", "diskSizeSpinner",      "driveLetterBox", "driveLetterSpinner",          "autoSaveCheck",
        "autoSaveIntervalBox", "autoSaveSpinner", "fat32Check",     "tempDirCheck", "volumeLabelCheck", "volumeLabelBox",
        "saveButton",  "loadImageCheck"};
    EXPECT_EQ(visited, expected);
    // Disabled controls are skipped.
    editor.loadImageFileBox.SetEnabled(false);
    editor.saveImageFileBox.SetEnabled(false);
    p.user.Focus(editor.saveImageCheck);
    p.user.Tab(editor, false);
    EXPECT_EQ(editor.ActiveControl()->Name(), "diskTypeList");
}

TEST(EditorWindow, LabelsDrawInTheirColours) {
    EditorProgram p;
    auto& editor = p.ShowEditor();
    HWND window = p.host.WindowOf(editor);
    HDC dc = CreateCompatibleDC(nullptr);
    struct Case {
        const forms::Label* label;
        COLORREF color;
    };
    for (const Case& c : {Case{&editor.titleLabel, RGB(255, 0, 0)}, Case{&editor.webLink, RGB(0, 0, 192)},
                          Case{&editor.hardDiskFrameTitle, GetSysColor(COLOR_HIGHLIGHT)},
                          Case{&editor.loadImageFrameTitle, GetSysColor(COLOR_HIGHLIGHT)},
                          Case{&editor.diskTypeCaption, GetSysColor(COLOR_BTNTEXT)}}) {
        SCOPED_TRACE(c.label->Name());
        SetTextColor(dc, RGB(1, 2, 3));
        SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(p.host.WindowOf(*c.label)));
        EXPECT_EQ(GetTextColor(dc), c.color);
    }
    DeleteDC(dc);
}

TEST(EditorWindow, GroupFramesAreDrawnTwoPixelsWide) {
    EditorProgram p;
    auto& editor = p.ShowEditor();
    HWND window = p.host.WindowOf(editor);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(window);
    const COLORREF ink = GetSysColor(COLOR_WINDOWTEXT);
    int lines = 0;
    for (const auto& c : editor.Controls()) {
        if (c->Type() != forms::ControlType::Line) continue;
        SCOPED_TRACE(c->Name());
        const auto& d = c->Design();
        const int x = p.host.Pixels((d.x1 + d.x2) / 2), y = p.host.Pixels((d.y1 + d.y2) / 2);
        const bool horizontal = d.y1 == d.y2;
        int inked = 0;  // across the line, around its middle
        for (int k = -4; k <= 4; ++k)
            if (GetPixel(dc, horizontal ? x : x + k, horizontal ? y + k : y) == ink) ++inked;
        EXPECT_EQ(inked, 2);
        ++lines;
    }
    ReleaseDC(window, dc);
    EXPECT_EQ(lines, 15);
}

TEST(EditorWindow, ControlsWithTipsShowThem) {
    EditorProgram p;
    auto& editor = p.ShowEditor();
    HWND window = p.host.WindowOf(editor);
    int expected = 1;  // the combo box's edit field carries its tip too
    for (const auto& c : editor.Controls())
        if (!c->ToolTipText().empty()) ++expected;
    HWND tip = nullptr;
    while ((tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) != nullptr)
        if (GetWindow(tip, GW_OWNER) == window) break;
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), expected);
    wchar_t text[128] = {};
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = window;
    ti.uId = reinterpret_cast<UINT_PTR>(p.host.WindowOf(editor.webLink));
    ti.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(win32::Narrow(text), "Sarnex web page");
}

TEST(EditorWindow, TheLinkLabelOpensTheWebPageOnEachClick) {
    EditorProgram p;
    auto& editor = p.ShowEditor();
    p.user.Click(editor.webLink);
    p.user.Click(editor.webLink);
    EXPECT_EQ(p.shell.requests, std::vector<std::string>(2, "open web page " + editor.webLink.Caption()));
}

TEST(EditorWindow, EnterAndEscInATextBoxPressNoButton) {
    EditorProgram p;
    p.registry.AddKey("Software\\Sarnex");
    auto& editor = p.ShowEditor();
    EventTrace trace(editor);
    for (forms::TextBox* box : {&editor.diskSizeBox, &editor.autoSaveIntervalBox, &editor.volumeLabelBox}) {
        box->SetEnabled(true);
        p.user.Focus(*box);
        p.user.Key(VK_RETURN);
        p.user.Key(VK_ESCAPE);
    }
    for (const auto& entry : trace.Entries()) EXPECT_EQ(entry.find("Button"), std::string::npos) << entry;
    EXPECT_TRUE(editor.Loaded());
    EXPECT_TRUE(p.shell.requests.empty());
}

TEST(EditorWindow, ReadFailureNoticeStaysInFrontOfTheEditor) {
    EditorProgram p;  // no key: loading fails
    HWND editorWindow = p.host.WindowOf(p.ShowEditor());
    auto& notice = p.runtime.DefaultInstance<notices::RegistryReadFailedNotice>();
    ASSERT_TRUE(notice.Loaded());
    HWND noticeWindow = p.host.WindowOf(notice);
    EXPECT_TRUE(GetWindowLongPtrW(noticeWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrW(editorWindow, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(noticeWindow));
    EXPECT_EQ(win32::WindowText(noticeWindow), "Registry Read Failed");
    // Its button closes only the notice.
    p.user.Click(notice.cancelButton);
    EXPECT_FALSE(notice.Loaded());
    EXPECT_TRUE(p.program.Editor().Loaded());
    EXPECT_FALSE(p.runtime.ProgramEnded());
}

TEST(NoticeWindows, ImageLoadErrorIsAFixedDialogWithoutTaskbarButtonAtItsOwnPlace) {
    EditorProgram p;
    p.program.Start("badload");
    p.host.PumpMessages();
    auto& notice = p.runtime.DefaultInstance<notices::ImageLoadFailedNotice>();
    HWND w = p.host.WindowOf(notice);
    ASSERT_NE(w, nullptr);
    const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_NE(GetWindow(w, GW_OWNER), nullptr);  // owned windows have no taskbar button
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, p.host.Pixels(2760));
    EXPECT_EQ(r.top, p.host.Pixels(3750));
    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, p.host.Pixels(6030));
    EXPECT_EQ(client.bottom, p.host.Pixels(3195));
    auto& title = notice.Get<forms::Label>("titleLabel");
    EXPECT_EQ(title.Design().foreColor, forms::Color::Rgb(255, 0, 0));
    p.user.Click(notice.okButton);
    EXPECT_TRUE(p.runtime.ProgramEnded());
}

TEST(NoticeWindows, MemoryNoticeOpensAloneWithItsTitleAndClientArea) {
    EditorProgram p;
    p.program.Start("nomem");
    p.host.PumpMessages();
    HWND w = p.host.WindowOf(p.runtime.DefaultInstance<notices::OutOfMemoryNotice>());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(win32::WindowText(w), "Sarnex Memory Allocation Error");
    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, p.host.Pixels(5970));
    EXPECT_EQ(client.bottom, p.host.Pixels(3135));
    EXPECT_EQ(GetWindow(w, GW_OWNER), nullptr);
    EXPECT_EQ(p.runtime.ExistingInstance<editor::Editor>(), nullptr);  // the registry is never read
    EXPECT_TRUE(p.registry.Operations().empty());
}

}  // namespace
}  // namespace sarnex::testing
