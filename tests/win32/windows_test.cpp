// What only real windows show: every form and control at its twips at the screen's DPI with its font,
// window styles, label colours, the editor's lines and borders on the screen, and the notice in front.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>

#include "notices/registry_notices.h"
#include "support/code_page_1252.h"
#include "support/memory_registry.h"
#include "win32/real_windows.h"

namespace sarnex::testing {
namespace {

using Program = Win32Program<MemoryRegistry, CodePage1252>;

TEST(Windows, EveryFormAndControlAtItsTwipsWithItsFont) {
    // Each form as the user reaches it: the command word, the driver's key there or not, a button of the
    // editor pressed; then its style (owned windows have no taskbar button).
    const struct { const char* name; const char* word; bool key; const char* press; bool sizable, owned; } forms[] = {
        {"Editor", "", true, nullptr, true, false},
        {"RegistryReadFailedNotice", "", false, nullptr, true, false},
        {"RegistrySaveFailedNotice", "", false, "saveButton", true, false},
        {"RestartPrompt", "", true, "okButton", true, false},
        {"ImageLoadFailedNotice", "badload", false, nullptr, false, true},
        {"OutOfMemoryNotice", "nomem", false, nullptr, true, false}};
    for (const auto& c : forms) {
        SCOPED_TRACE(c.name);
        Program p;
        if (c.key) p.registry.AddKey(kKey);
        p.program.Start(c.word);
        if (c.press) p.user.Click(p.program.Editor().Get<forms::CommandButton>(c.press));
        const auto& loaded = p.runtime.LoadedForms();
        const auto found = std::find_if(loaded.begin(), loaded.end(), [&](auto* f) { return f->Name() == c.name; });
        ASSERT_NE(found, loaded.end());
        const forms::Form& form = **found;
        HWND window = p.host.WindowOf(form);
        ASSERT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(win32::WindowText(window), form.Caption());
        RECT r;
        GetClientRect(window, &r);
        EXPECT_EQ(r.right, p.host.Pixels(form.Design().clientWidth));
        EXPECT_EQ(r.bottom, p.host.Pixels(form.Design().clientHeight));
        const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
        EXPECT_EQ((style & WS_THICKFRAME) != 0, c.sizable);
        EXPECT_EQ((style & WS_MAXIMIZEBOX) != 0, c.sizable);
        EXPECT_EQ(GetWindow(window, GW_OWNER) != nullptr, c.owned);
        GetWindowRect(window, &r);
        if (!form.Design().defaultPosition) {
            EXPECT_EQ(r.left, p.host.Pixels(form.Design().left));
            EXPECT_EQ(r.top, p.host.Pixels(form.Design().top));
        }
        for (const auto& control : form.Controls()) {
            if (control->Type() == forms::ControlType::Line) continue;
            SCOPED_TRACE(control->Name());
            const forms::ControlDesign& d = control->Design();
            HWND child = p.host.WindowOf(*control);
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.left, p.host.Pixels(d.left));
            EXPECT_EQ(r.top, p.host.Pixels(d.top));
            if (!d.autoSize) {
                EXPECT_EQ(r.right - r.left, p.host.Pixels(d.width));
                // A closed combo box's height follows its font; the system may keep it a little taller.
                EXPECT_NEAR(r.bottom - r.top, p.host.Pixels(d.height), control->Type() == forms::ControlType::ComboBox ? 3 : 0);
            }
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

TEST(Windows, LabelColoursLinesAndTheFileNameBoxesTopBordersUnderTheirCaptions) {
    Program p;
    p.registry.AddKey(kKey);  // an empty key: the editor shows its controls as loading leaves them
    editor::Editor& e = p.ShowEditor();
    HWND window = p.host.WindowOf(e);
    HDC dc = GetDC(window);
    for (const auto& [label, colour] : {std::pair{&e.titleLabel, RGB(255, 0, 0)}, {&e.webLink, RGB(0, 0, 192)},
                                        {&e.hardDiskFrameTitle, GetSysColor(COLOR_HIGHLIGHT)},
                                        {&e.diskTypeCaption, GetSysColor(COLOR_BTNTEXT)}}) {
        SetTextColor(dc, RGB(1, 2, 3));
        SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(p.host.WindowOf(*label)));
        EXPECT_EQ(GetTextColor(dc), colour) << label->Name();
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    int lines = 0;
    for (const auto& c : e.Controls()) {
        if (c->Type() != forms::ControlType::Line) continue;
        const auto& d = c->Design();
        const int x = p.host.Pixels((d.x1 + d.x2) / 2), y = p.host.Pixels((d.y1 + d.y2) / 2);
        int inked = 0;  // across the line, around its middle
        for (int k = -4; k <= 4; ++k)
            inked += GetPixel(dc, d.y1 == d.y2 ? x : x + k, d.y1 == d.y2 ? y + k : y) == GetSysColor(COLOR_WINDOWTEXT);
        EXPECT_EQ(inked, 2) << c->Name();
        ++lines;
    }
    EXPECT_EQ(lines, 15);
    for (auto [label, textBox] : {std::pair{&e.loadFileCaption, &e.loadImageFileBox}, {&e.saveFileCaption, &e.saveImageFileBox}}) {
        const auto &caption = label->Design(), &box = textBox->Design();
        const int top = p.host.Pixels(box.top);
        ASSERT_GT(p.host.Pixels(caption.top + caption.height), top) << "the caption reaches into the box";
        // The border's top row under the caption, against the same row further right.
        const COLORREF border = GetPixel(dc, p.host.Pixels(box.left + box.width) - 10, top);
        int wrong = 0;
        for (int x = p.host.Pixels(box.left) + 2; x < p.host.Pixels(caption.left + caption.width); ++x)
            wrong += GetPixel(dc, x, top) != border;
        EXPECT_EQ(wrong, 0) << caption.name;
    }
    ReleaseDC(window, dc);
}

TEST(Windows, TheReadFailureNoticeIsInFrontOnTheScreen) {
    Program p;  // no key: loading fails and the notice opens
    HWND editor = p.host.WindowOf(p.ShowEditor());
    HWND notice = p.host.WindowOf(*p.runtime.ExistingInstance<notices::RegistryReadFailedNotice>());
    EXPECT_TRUE(GetWindowLongPtrW(notice, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrW(editor, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT editorRect, noticeRect, client;
    GetWindowRect(editor, &editorRect);
    GetWindowRect(notice, &noticeRect);
    ASSERT_TRUE(IntersectRect(&client, &editorRect, &noticeRect)) << "the two windows overlap";
    // Wine handles what the display reports (focus, stacking) once the queue is idle: let it come.
    Sleep(100);
    p.host.PumpMessages();
    // Every 4th pixel of the notice's client area: on the screen as the notice drew it.
    HDC screen = GetDC(nullptr), own = GetDC(notice);
    GetClientRect(notice, &client);
    int differ = 0;
    for (POINT at{0, 0}; at.y < client.bottom; at.y += 4)
        for (at.x = 0; at.x < client.right; at.x += 4) {
            POINT onScreen = at;
            ClientToScreen(notice, &onScreen);
            differ += GetPixel(screen, onScreen.x, onScreen.y) != GetPixel(own, at.x, at.y);
        }
    ReleaseDC(notice, own);
    ReleaseDC(nullptr, screen);
    EXPECT_GT(client.right * client.bottom, 1600);
    EXPECT_EQ(differ, 0);
}

}  // namespace
}  // namespace sarnex::testing
