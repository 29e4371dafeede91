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

// Two lower-case hex digits a byte, joined by `separator`.
std::string HexBytes(std::span<const std::byte> bytes, std::string_view separator = " ");
// A drive-letter value in the editor's range (flag 0 or 1, a letter D to Z; the bits between are
// the driver's) as "E" or "auto (E)"; std::nullopt outside it.
std::optional<std::string> DriveLetterWords(std::int32_t stored);

// A number or a text of the record in the words of its setting.
std::string NumberWords(config::ValueId id, std::int32_t number);
std::string TextWords(config::ValueId id, std::string_view text);
// A stored value of the record, whatever it holds: "(absent)", its words, or "REG_SZ 31 00 00 00".
std::string StoredWords(config::ValueId id, const platform::StoredValue* value);

}  // namespace sarnex::ctl
