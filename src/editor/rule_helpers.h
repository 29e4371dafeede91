// Small conversions shared by the editing rules: spinner positions from numbers, and the drive
// letter as a single-byte character code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/rounding.h"
#include "platform/code_page.h"
#include "platform/code_page_utf8.h"

namespace sarnex::editor {

// A spinner bar's position for a computed number: rounded (halves to even) and kept within the bar's
// range 0..max, so that no size or interval, however large or odd, can overflow the 16-bit position.
inline std::int16_t SpinnerPosition(double value, std::int16_t max) {
    const double rounded = config::RoundHalfEven(value);
    if (!(rounded > 0.0)) return 0;  // also NaN
    if (rounded >= max) return max;
    return static_cast<std::int16_t>(rounded);
}

// The code of a character with no single-byte code: it counts as above every code.
inline constexpr int kNoSingleByteCode = 256;

// The single-byte code of the first character of a UTF-8 text; std::nullopt for an empty text.
inline std::optional<int> FirstCharacterCode(std::string_view utf8, const platform::CodePage& codePage) {
    if (utf8.empty()) return std::nullopt;
    const auto character = platform::DecodeFirstUtf8(utf8);
    if (!character) return kNoSingleByteCode;
    const auto codes = codePage.FromUtf8(utf8.substr(0, character->length));
    if (!codes || codes->size() != 1) return kNoSingleByteCode;  // a double-byte code page may give two
    return static_cast<unsigned char>(codes->front());
}

// The character of a single-byte code (0..255), as UTF-8.
inline std::string CharacterOfCode(int code, const platform::CodePage& codePage) {
    return codePage.ToUtf8(std::string(1, static_cast<char>(static_cast<unsigned char>(code))));
}

}  // namespace sarnex::editor
