// What the screen shows in front: each file-name box over the caption that reaches into it, and the
// read-failure notice over the editor even with no window manager to keep topmost windows on top.
#include <gtest/gtest.h>

#include <windows.h>

#include "notices/registry_notices.h"
#include "shared/stored_values.h"
#include "support/code_page_1252.h"
#include "support/memory_registry.h"
#include "win32/win32_program.h"

namespace sarnex::testing {
namespace {

using Program = Win32Program<MemoryRegistry, CodePage1252>;

TEST(WindowStacking, EachFileNameBoxKeepsItsTopBorderUnderItsCaption) {
    Program p;
    p.registry.AddKey(kKey);  // an empty key: the editor shows its controls as loading leaves them
    auto& e = p.ShowEditor();
    HWND window = p.host.WindowOf(e);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(window);
    for (auto [label, textBox] : {std::pair{&e.loadFileCaption, &e.loadImageFileBox},
                                  std::pair{&e.saveFileCaption, &e.saveImageFileBox}}) {
        const auto &caption = label->Design(), &box = textBox->Design();
        SCOPED_TRACE(caption.name);
        const int top = p.host.Pixels(box.top);
        ASSERT_GT(p.host.Pixels(caption.top + caption.height), top) << "the caption reaches into the box";
        // The border's top row under the caption, against the same row further right.
        const COLORREF border = GetPixel(dc, p.host.Pixels(box.left + box.width) - 10, top);
        int wrong = 0;
        for (int x = p.host.Pixels(box.left) + 2; x < p.host.Pixels(caption.left + caption.width); ++x)
            if (GetPixel(dc, x, top) != border) ++wrong;
        EXPECT_EQ(wrong, 0);
    }
    ReleaseDC(window, dc);
}

TEST(WindowStacking, TheReadFailureNoticeIsInFrontOnTheScreen) {
    Program p;  // no key: loading fails and the notice opens
    HWND editor = p.host.WindowOf(p.ShowEditor());
    HWND notice = p.host.WindowOf(p.runtime.DefaultInstance<notices::RegistryReadFailedNotice>());
    ASSERT_NE(notice, nullptr);
    RECT editorRect, noticeRect, shared;
    GetWindowRect(editor, &editorRect);
    GetWindowRect(notice, &noticeRect);
    ASSERT_TRUE(IntersectRect(&shared, &editorRect, &noticeRect)) << "the two windows overlap";
    // Wine handles what the display reports (focus, stacking) once the queue is idle: let it come.
    Sleep(100);
    p.host.PumpMessages();
    // Every 4th pixel of the notice's client area: on the screen as the notice drew it.
    HDC screen = GetDC(nullptr), own = GetDC(notice);
    RECT client;
    GetClientRect(notice, &client);
    int differ = 0;
    for (int y = 0; y < client.bottom; y += 4)
        for (int x = 0; x < client.right; x += 4) {
            POINT at{x, y};
            ClientToScreen(notice, &at);
            if (GetPixel(screen, at.x, at.y) != GetPixel(own, x, y)) ++differ;
        }
    ReleaseDC(notice, own);
    ReleaseDC(nullptr, screen);
    EXPECT_GT(client.right * client.bottom, 1600);
    EXPECT_EQ(differ, 0);
}

}  // namespace
}  // namespace sarnex::testing
