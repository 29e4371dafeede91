// The forms contract on real windows, and the model's changes mirrored into the windows.
#include "shared/forms_contract.h"

#include "win32/real_windows.h"

namespace sarnex::testing {
namespace {

struct Win32Harness {
    win32::Win32Host host{GetModuleHandleW(nullptr)};
    forms::FormsRuntime runtime{host};
    Win32Driver driver{host};

    forms::FormsRuntime& Runtime() { return runtime; }
    UserDriver& Driver() { return driver; }
    void Settle() { host.PumpMessages(); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FormsContract, Win32Harness);

TEST(Win32Mirror, ModelChangesReachTheWindowsWithoutEchoes) {
    Win32Harness h;
    auto& f = h.runtime.DefaultInstance<ContractForm>();
    f.Show();
    EventTrace trace(f);
    f.C.SetValue(1);
    h.Settle();
    EXPECT_EQ(win32::WindowText(h.host.WindowOf(f.A)), "ticked");
    EXPECT_EQ(SendMessageW(h.host.WindowOf(f.C), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(GetScrollPos(h.host.WindowOf(f.E), SB_CTL), 6);
    f.D.SetListIndex(2);
    f.A.SetEnabled(false);
    h.Settle();
    EXPECT_EQ(win32::WindowText(h.host.WindowOf(f.D)), "three");
    EXPECT_FALSE(IsWindowEnabled(h.host.WindowOf(f.A)));
    // Each assignment ran its handlers once: the windows' own notifications were not echoed back.
    EXPECT_EQ(trace.Entries(), (Trace{"C.Click", ".A.Change", "..E.Change", "D.Click"}));
}

}  // namespace
}  // namespace sarnex::testing
