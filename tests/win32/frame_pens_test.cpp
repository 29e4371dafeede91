// The frames' lines are drawn with pens made once, with the window: repainting makes none. Pens are
// counted by pointing this program's own import of gdi32's CreatePen at a counter.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "support/code_page_1252.h"
#include "support/memory_registry.h"
#include "win32/win32_program.h"

namespace sarnex::testing {
namespace {

using Slot = decltype(IMAGE_THUNK_DATA{}.u1.Function);
Slot systemCreatePen = 0;
int pensMade = 0;

HPEN WINAPI CountingCreatePen(int style, int width, COLORREF colour) {
    ++pensMade;
    return reinterpret_cast<HPEN(WINAPI*)(int, int, COLORREF)>(systemCreatePen)(style, width, colour);
}

// This program's import slot for gdi32's CreatePen, found by name in its import table.
Slot* CreatePenSlot() {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(
        base + nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    for (; dll->Name != 0; ++dll) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + dll->Name), "gdi32.dll") != 0) continue;
        auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; name->u1.AddressOfData != 0; ++name, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
            if (!std::strcmp(reinterpret_cast<const char*>(byName->Name), "CreatePen")) return &slot->u1.Function;
        }
    }
    return nullptr;
}

void Point(Slot* slot, Slot target) {
    DWORD old = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = target;
    VirtualProtect(slot, sizeof *slot, old, &old);
}

TEST(FramePens, AreMadeWithTheWindowAndNotOnPainting) {
    Slot* slot = CreatePenSlot();
    ASSERT_NE(slot, nullptr);
    systemCreatePen = *slot;
    Point(slot, reinterpret_cast<Slot>(&CountingCreatePen));
    pensMade = 0;
    {
        Win32Program<MemoryRegistry, CodePage1252> p;
        p.registry.AddKey("Software\\Sarnex");
        HWND window = p.host.WindowOf(p.ShowEditor());
        EXPECT_EQ(pensMade, 1) << "the fifteen lines share one width and colour";
        pensMade = 0;
        for (int paint = 0; paint < 3; ++paint) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(pensMade, 0);
    }
    Point(slot, systemCreatePen);
}

}  // namespace
}  // namespace sarnex::testing
