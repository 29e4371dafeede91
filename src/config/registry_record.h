// Reading and writing the whole record in one pass each: open the key, one query or set per value,
// close.
#pragma once

#include "config/driver_configuration.h"
#include "config/value_layout.h"
#include "platform/code_page.h"
#include "platform/registry.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace sarnex::config {

inline constexpr std::string_view kDriverKey = "Software\\Sarnex";

// The value of that name among `values` (names compare without regard to ASCII case); nullptr when absent.
const platform::StoredValue* FindValue(const std::vector<platform::StoredValue>& values, std::string_view name);
inline const platform::StoredValue* FindValue(const std::vector<platform::StoredValue>& values, ValueId id) {
    return FindValue(values, ValueName(id));
}

struct ReadOutcome {
    platform::RegistryStatus openStatus = platform::registry_status::kSuccess;
    DriverConfiguration record;  // as the ANSI queries read it; all absent when the key did not open
    // Every value of the key as the registry keeps it (texts in UTF-16), read in the same pass.
    std::vector<platform::StoredValue> stored;
    bool KeyOpened() const { return openStatus == platform::registry_status::kSuccess; }
    const platform::StoredValue* Stored(ValueId id) const { return FindValue(stored, id); }
};

struct UnwrittenValue {
    enum class Reason {
        NotStorable,  // a text too long or with a character that has no code
        SetFailed,    // the registry refused the write; `status` says why
    };
    ValueId id;
    Reason reason;
    platform::RegistryStatus status = platform::registry_status::kSuccess;
    friend bool operator==(const UnwrittenValue&, const UnwrittenValue&) = default;
};

struct WriteOutcome {
    platform::RegistryStatus openStatus = platform::registry_status::kSuccess;
    std::vector<UnwrittenValue> notWritten;  // in writing order; empty when the key did not open
    bool KeyOpened() const { return openStatus == platform::registry_status::kSuccess; }
};

// One value of the record as a save would store it: its registry type and ANSI bytes; none when the
// record holds no value for it or it cannot be stored.
struct EncodedValue {
    std::uint32_t type;            // kTextType or kNumberType
    std::vector<std::byte> bytes;  // the codes and the terminator, or the number's 4 bytes
};
std::optional<EncodedValue> EncodeValue(const DriverConfiguration& record, ValueId id, const platform::CodePage& codePage);

// The same value as the registry then keeps it, texts in UTF-16LE with their terminator: what a
// later read of the key's values finds.
std::optional<platform::StoredValue> StoredForm(const DriverConfiguration& record, ValueId id,
                                                const platform::CodePage& codePage);

// A number value as a REG_DWORD of 4 bytes, a text value as a REG_SZ of UTF-16 units ending in its
// one zero (given without it); std::nullopt for anything else.
std::optional<std::int32_t> WellFormedNumber(const platform::StoredValue& value);
std::optional<std::u16string> WellFormedUnits(const platform::StoredValue& value);
std::optional<std::string> WellFormedText(const platform::StoredValue& value);

// The record as the values stand, read through their UTF-16 form: well-formed values only.
DriverConfiguration RecordFromStored(const std::vector<platform::StoredValue>& values);

// Queries the values in loading order, then reads the key's values as kept. A value is absent from
// the record when its query fails in any way (missing, a text longer than 255 bytes, a number longer
// than 4 bytes). Types are not checked.
ReadOutcome ReadDriverConfiguration(platform::Registry& registry, const platform::CodePage& codePage,
                                    std::string_view subKey = kDriverKey);

// Sets the record's values in writing order, texts as REG_SZ and numbers as REG_DWORD. A value the
// record does not hold is not written and keeps its stored contents; a failed set does not stop the pass.
WriteOutcome WriteDriverConfiguration(platform::Registry& registry, const platform::CodePage& codePage,
                                      const DriverConfiguration& record, std::string_view subKey = kDriverKey);

}  // namespace sarnex::config
