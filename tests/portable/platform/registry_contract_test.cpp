// The registry contract against the in-memory registry.
#include "shared/registry_contract.h"

#include "support/fixed_code_page.h"
#include "support/memory_registry.h"

namespace sarnex::registry_contract {
namespace {

class MemoryRegistryEnvironment {
public:
    MemoryRegistryEnvironment() { registry_.AddKey(KeyPath()); }

    platform::Registry& Registry() { return registry_; }
    const platform::CodePage& CodePage() const { return codePage_; }
    std::string KeyPath() const { return "Software\\SarnexTest\\Contract"; }
    std::string MissingKeyPath() const { return "Software\\SarnexTest\\Missing"; }

private:
    testing::MemoryRegistry registry_;
    testing::FixedCodePage codePage_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, RegistryContract, MemoryRegistryEnvironment);

}  // namespace
}  // namespace sarnex::registry_contract
