#include "shared/forms_contract.h"

#include "platform/headless/headless_host.h"

namespace sarnex::testing {
namespace {

struct HeadlessHarness {
    headless::HeadlessHost host;
    forms::FormsRuntime runtime{host};
    HeadlessDriver driver;

    forms::FormsRuntime& Runtime() { return runtime; }
    UserDriver& Driver() { return driver; }
    void Settle() {}
};

INSTANTIATE_TYPED_TEST_SUITE_P(Headless, FormsContract, HeadlessHarness);

}  // namespace
}  // namespace sarnex::testing
