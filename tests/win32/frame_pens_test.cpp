// The frames' lines are drawn with pens made once, with the window: repainting creates none. The
// pens are counted by routing this program's own import of CreatePen through a counter.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "support/code_page_1252.h"
#include "support/memory_registry.h"
#include "win32/win32_program.h"

namespace sarnex::testing {
namespace {

using CreatePenProc = HPEN(WINAPI*)(int, int, COLORREF);
CreatePenProc systemCreatePen = nullptr;
int pensCreated = 0;

HPEN WINAPI CountingCreatePen(int style, int width, COLORREF colour) {
    ++pensCreated;
    return systemCreatePen(style, width, colour);
}

// Points this program's import slot for gdi32's CreatePen at the counter while it lives.
class CountPens {
    using Slot = decltype(IMAGE_THUNK_DATA{}.u1.Function);

public:
    CountPens() {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
        const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); dll->Name != 0; ++dll) {
            if (lstrcmpiA(reinterpret_cast<char*>(base + dll->Name), "gdi32.dll") != 0) continue;
            auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
            auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
            for (; name->u1.AddressOfData != 0; ++name, ++slot) {
                if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
                const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
                if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "CreatePen") == 0) slot_ = &slot->u1.Function;
            }
        }
        if (slot_ == nullptr) return;
        systemCreatePen = reinterpret_cast<CreatePenProc>(*slot_);
        Point(reinterpret_cast<Slot>(&CountingCreatePen));
    }
    ~CountPens() {
        if (slot_ != nullptr) Point(reinterpret_cast<Slot>(systemCreatePen));
    }
    bool Counting() const { return slot_ != nullptr; }

private:
    void Point(Slot target) {
        DWORD old = 0;
        VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &old);
        *slot_ = target;
        VirtualProtect(slot_, sizeof *slot_, old, &old);
    }
    Slot* slot_ = nullptr;
};

TEST(FramePens, AreMadeWithTheWindowAndNotOnPainting) {
    CountPens count;
    ASSERT_TRUE(count.Counting());
    pensCreated = 0;
    Win32Program<MemoryRegistry, CodePage1252> p;
    p.registry.AddKey("Software\\Sarnex");
    HWND window = p.host.WindowOf(p.ShowEditor());
    EXPECT_EQ(pensCreated, 1) << "the fifteen lines share one width and colour";
    pensCreated = 0;
    for (int paint = 0; paint < 3; ++paint) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(pensCreated, 0);
}

}  // namespace
}  // namespace sarnex::testing
