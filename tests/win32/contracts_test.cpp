// The real host and the real registry keep the contracts the headless ones keep: the forms contract on
// real windows, with the model's changes mirrored into them, and the registry contract on advapi32.
#include "shared/forms_contract.h"
#include "shared/registry_contract.h"

#include "platform/win32/advapi32_registry.h"
#include "platform/win32/ansi_code_page.h"
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

// A test key of its own, created empty for each test.
struct Advapi32Environment {
    Advapi32Environment() { ReplaceKey(StoredValues{}, KeyPath()); }
    ~Advapi32Environment() { ReplaceKey(std::nullopt, "Software\\SarnexTest"); }

    platform::Registry& Registry() { return registry; }
    const platform::CodePage& CodePage() const { return codePage; }
    std::string KeyPath() const { return "Software\\SarnexTest\\Contract"; }
    std::string MissingKeyPath() const { return "Software\\SarnexTest\\Missing"; }

    win32::Advapi32Registry registry;
    win32::AnsiCodePage codePage;
};

}  // namespace
}  // namespace sarnex::testing

namespace sarnex::registry_contract {
INSTANTIATE_TYPED_TEST_SUITE_P(Advapi32, RegistryContract, testing::Advapi32Environment);
}  // namespace sarnex::registry_contract
