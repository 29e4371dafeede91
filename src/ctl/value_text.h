// The thirteen values written for people: in the settings' own words where a value is well formed
// ("on", "hard", "64", "auto (E)", a quoted text), and by registry type and bytes where it is not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "config/value_layout.h"
#include "platform/registry.h"

namespace sarnex::ctl {

// "REG_SZ", "REG_DWORD", ... or "type 0x0000ABCD".
std::string TypeName(std::uint32_t type);
// Two lower-case hex digits a byte, joined by `separator`.
std::string HexBytes(std::span<const std::byte> bytes, std::string_view separator = " ");
// A page count as megabytes, exactly: 1280 gives "5", 1281 "5.00390625".
std::string ExactMegabytes(std::int32_t pages);
// A stored trigger as seconds, exactly: 5 gives "20".
std::string TriggerSeconds(std::int32_t trigger);
// A drive-letter value in the editor's range (flag 0 or 1, nothing in bits 8 to 23, a letter D to
// Z) as "E" or "auto (E)"; std::nullopt outside it.
std::optional<std::string> DriveLetterWords(std::int32_t stored);

// A number value as its REG_DWORD of 4 bytes; a text value as a REG_SZ of UTF-16 units ending in
// its one zero (the units without it). std::nullopt for anything else.
std::optional<std::int32_t> WellFormedNumber(const platform::StoredValue& value);
std::optional<std::u16string> WellFormedUnits(const platform::StoredValue& value);
std::optional<std::string> WellFormedText(const platform::StoredValue& value);

// A number or a text of the record in the words of its setting.
std::string NumberWords(config::ValueId id, std::int32_t number);
std::string TextWords(config::ValueId id, std::string_view text);
// A stored value of the record, whatever it holds: "(absent)", its words, or "REG_SZ 31 00 00 00".
std::string StoredWords(config::ValueId id, const platform::StoredValue* value);

}  // namespace sarnex::ctl
