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

struct ReadOutcome {
    platform::RegistryStatus openStatus = platform::registry_status::kSuccess;
    DriverConfiguration record;  // all absent when the key did not open
    bool KeyOpened() const { return openStatus == platform::registry_status::kSuccess; }
};

struct UnwrittenValue {
    enum class Reason {
        Absent,       // the record holds no value for it
        NotStorable,  // a text too long or with a character that has no single-byte code
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

// One value as a save would store it: its registry type and bytes, or why it cannot be stored.
struct EncodedValue {
    ValueId id;
    std::uint32_t type;                              // kTextType or kNumberType
    std::vector<std::byte> bytes;                    // empty when `problem` is set
    std::optional<UnwrittenValue::Reason> problem;  // Absent or NotStorable
};
EncodedValue EncodeValue(const DriverConfiguration& record, ValueId id, const platform::CodePage& codePage);

// The values a write would have to skip (absent ones, texts that cannot be stored), in writing
// order. A save that must not leave half a record behind writes nothing unless this is empty.
std::vector<UnwrittenValue> UnstorableValues(const DriverConfiguration& record, const platform::CodePage& codePage);

// Queries the values in loading order. A value is absent when its query fails in any way (missing, a
// text longer than 255 bytes, a number longer than 4 bytes). Types are not checked.
ReadOutcome ReadDriverConfiguration(platform::Registry& registry, const platform::CodePage& codePage,
                                    std::string_view subKey = kDriverKey);

// Sets the values in writing order, texts as REG_SZ and numbers as REG_DWORD. A value that is absent
// or cannot be stored is skipped and keeps its stored contents; a failed set does not stop the pass.
WriteOutcome WriteDriverConfiguration(platform::Registry& registry, const platform::CodePage& codePage,
                                      const DriverConfiguration& record, std::string_view subKey = kDriverKey);

}  // namespace sarnex::config
