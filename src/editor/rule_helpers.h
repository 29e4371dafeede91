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

// The upper-case form of a text for the letters of the Western single-byte character set (ASCII
// letters, the accented Latin-1 letters, and the few lower-case letters at 0x80..0x9F). Other
// characters, and bytes that are not valid UTF-8, are kept as they are.
inline std::string UpperCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const auto character = platform::DecodeFirstUtf8(utf8);
        if (!character) {
            out.push_back(utf8.front());
            utf8.remove_prefix(1);
            continue;
        }
        char32_t c = character->codePoint;
        if (c >= U'a' && c <= U'z') c -= 0x20;
        else if (c >= 0xE0 && c <= 0xFE && c != 0xF7) c -= 0x20;  // à..þ except ÷
        else if (c == 0xFF) c = 0x178;                               // ÿ -> Ÿ
        else if (c == 0x161 || c == 0x17E) c -= 1;                   // š -> Š, ž -> Ž
        else if (c == 0x153) c = 0x152;                              // œ -> Œ
        platform::AppendUtf8(out, c);
        utf8.remove_prefix(character->length);
    }
    return out;
}

// The code a character has none in the single-byte character set: it counts as above every code.
inline constexpr int kNoSingleByteCode = 256;

// The single-byte code of the first character of a UTF-8 text; std::nullopt for an empty text.
inline std::optional<int> FirstCharacterCode(std::string_view utf8, const platform::CodePage& codePage) {
    if (utf8.empty()) return std::nullopt;
    const auto character = platform::DecodeFirstUtf8(utf8);
    if (!character) return kNoSingleByteCode;
    const auto codes = codePage.FromUtf8(utf8.substr(0, character->length));
    if (!codes || codes->size() != 1) return kNoSingleByteCode;
    return static_cast<unsigned char>(codes->front());
}

// The character of a single-byte code (0..255), as UTF-8.
inline std::string CharacterOfCode(int code, const platform::CodePage& codePage) {
    return codePage.ToUtf8(std::string(1, static_cast<char>(static_cast<unsigned char>(code))));
}

}  // namespace sarnex::editor
