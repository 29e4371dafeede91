// The registry contract against advapi32, on a test key of its own that each test starts afresh.
#include "shared/registry_contract.h"

#include "platform/win32/advapi32_registry.h"
#include "platform/win32/ansi_code_page.h"

#include <windows.h>

namespace sarnex::registry_contract {
namespace {

constexpr const char* kTestRoot = "Software\\SarnexTest";

class Advapi32RegistryEnvironment {
public:
    Advapi32RegistryEnvironment() {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestRoot);  // whatever an earlier run left behind
        HKEY created = nullptr;
        const LONG status = RegCreateKeyA(HKEY_LOCAL_MACHINE, KeyPath().c_str(), &created);
        EXPECT_EQ(status, ERROR_SUCCESS) << "cannot create the test key";
        if (status == ERROR_SUCCESS) RegCloseKey(created);
    }
    ~Advapi32RegistryEnvironment() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestRoot); }
    Advapi32RegistryEnvironment(const Advapi32RegistryEnvironment&) = delete;
    Advapi32RegistryEnvironment& operator=(const Advapi32RegistryEnvironment&) = delete;

    platform::Registry& Registry() { return registry_; }
    const platform::CodePage& CodePage() const { return codePage_; }
    std::string KeyPath() const { return std::string(kTestRoot) + "\\Contract"; }
    std::string MissingKeyPath() const { return std::string(kTestRoot) + "\\Missing"; }

private:
    win32::Advapi32Registry registry_;
    win32::AnsiCodePage codePage_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Advapi32, RegistryContract, Advapi32RegistryEnvironment);

}  // namespace
}  // namespace sarnex::registry_contract
