// What the screen shows in front: each file-name box over the caption that reaches into it.
#include <gtest/gtest.h>

#include <windows.h>

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

}  // namespace
}  // namespace sarnex::testing
