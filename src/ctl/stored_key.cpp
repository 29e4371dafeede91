#include "ctl/stored_key.h"

#include <algorithm>

#include "config/registry_record.h"
#include "ctl/ascii.h"
#include "platform/code_page_utf8.h"

namespace sarnex::ctl {

const platform::StoredValue* StoredKey::Find(std::string_view name) const {
    const auto found =
        std::find_if(values.begin(), values.end(), [name](const platform::StoredValue& v) { return SameIgnoringCase(v.name, name); });
    return found == values.end() ? nullptr : &*found;
}

StoredKey ReadStoredKey(platform::Registry& registry, const platform::CodePage& codePage) {
    StoredKey stored;
    auto [status, key] = platform::RegistryKey::Open(registry, config::kDriverKey, platform::KeyAccess::Query);
    stored.openStatus = status;
    if (!key.IsOpen()) return stored;
    stored.openStatus = key.ReadStored(stored.values);
    key.Close();
    if (stored.Opened()) stored.record = config::ReadDriverConfiguration(registry, codePage).record;
    return stored;
}

platform::StoredValue StoredFormOf(const config::DriverConfiguration& record, config::ValueId id,
                                   const platform::CodePage& codePage) {
    const config::EncodedValue encoded = config::EncodeValue(record, id, codePage);
    platform::StoredValue value{std::string(config::ValueName(id)), encoded.type, encoded.bytes};
    if (encoded.type == config::kTextType) {
        // The ANSI set widens each code to its UTF-16 unit, the terminator included.
        const std::string codes(reinterpret_cast<const char*>(encoded.bytes.data()), encoded.bytes.size());
        value.data = platform::Utf16LeBytes(platform::Utf16FromUtf8(codePage.ToUtf8(codes)));
    }
    return value;
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
