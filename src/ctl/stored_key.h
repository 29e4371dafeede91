// The settings key as it stands: every value as the registry keeps it, and the record the editor
// reads from it through the ANSI calls.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/driver_configuration.h"
#include "config/registry_record.h"
#include "config/value_layout.h"
#include "platform/code_page.h"
#include "platform/registry.h"

namespace sarnex::ctl {

// The key as HKEY_LOCAL_MACHINE\Software\Sarnex, in messages and .reg files.
inline constexpr std::string_view kKeyPath = "HKEY_LOCAL_MACHINE\\Software\\Sarnex";
// Where 32-bit programs on 64-bit Windows wrote it before the programs used the native view.
inline constexpr std::string_view kOldViewKey = "Software\\Wow6432Node\\Sarnex";

struct StoredKey {
    platform::RegistryStatus openStatus = platform::registry_status::kSuccess;
    std::vector<platform::StoredValue> values;  // every value of the key, in the registry's order
    config::DriverConfiguration record;         // as the editor reads it

    bool Opened() const { return openStatus == platform::registry_status::kSuccess; }
    // The value of that name (names compare without regard to case); nullptr when absent.
    const platform::StoredValue* Find(std::string_view name) const { return config::FindValue(values, name); }
    const platform::StoredValue* Find(config::ValueId id) const { return Find(config::ValueName(id)); }
};

StoredKey ReadStoredKey(platform::Registry& registry, const platform::CodePage& codePage,
                        std::string_view subKey = config::kDriverKey);

// Puts the named values back as `before` holds them, removing those it lacks; the names that could
// not be put back.
std::vector<std::string> Restore(platform::Registry& registry, const StoredKey& before,
                                 const std::vector<std::string>& names);

// Whether a stored value already holds exactly these bytes.
bool Holds(const platform::StoredValue* stored, const platform::StoredValue& wanted);

}  // namespace sarnex::ctl
