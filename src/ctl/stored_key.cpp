#include "ctl/stored_key.h"

namespace sarnex::ctl {

StoredKey ReadStoredKey(platform::Registry& registry, const platform::CodePage& codePage, std::string_view subKey) {
    config::ReadOutcome read = config::ReadDriverConfiguration(registry, codePage, subKey);
    return {read.openStatus, std::move(read.stored), std::move(read.record)};
}

std::vector<std::string> Restore(platform::Registry& registry, const StoredKey& before,
                                 const std::vector<std::string>& names) {
    auto [status, key] = platform::RegistryKey::Open(registry, config::kDriverKey, platform::KeyAccess::Set);
    if (!key.IsOpen()) return names;
    std::vector<std::string> failed;
    for (const std::string& name : names) {
        const platform::StoredValue* old = before.Find(name);
        const platform::RegistryStatus restored = old ? key.SetStored(*old) : key.Delete(name);
        if (restored != platform::registry_status::kSuccess && (old || restored != platform::registry_status::kNotFound))
            failed.push_back(name);
    }
    return failed;
}

bool Holds(const platform::StoredValue* stored, const platform::StoredValue& wanted) {
    return stored != nullptr && stored->type == wanted.type && stored->data == wanted.data;
}

}  // namespace sarnex::ctl
