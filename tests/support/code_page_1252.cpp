#include "support/code_page_1252.h"

#include <array>

#include "platform/code_page_utf8.h"

namespace sarnex::testing {

using platform::AppendUtf8;
using platform::DecodeFirstUtf8;

namespace {

// Characters of codes 0x80 to 0x9F; all other codes denote the character of the same number.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

char32_t CharacterOf(unsigned char code) {
    return code >= 0x80 && code <= 0x9F ? kHighControls[code - 0x80] : code;
}

std::optional<unsigned char> CodeOf(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) return static_cast<unsigned char>(character);
    for (unsigned char i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == character) return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> CodePage1252::FromUtf8(std::string_view utf8) const {
    std::string codes;
    while (!utf8.empty()) {
        const auto character = DecodeFirstUtf8(utf8);
        if (!character) return std::nullopt;
        const auto code = CodeOf(character->codePoint);
        if (!code) return std::nullopt;
        codes.push_back(static_cast<char>(*code));
        utf8.remove_prefix(character->length);
    }
    return codes;
}

std::string CodePage1252::ToUtf8(std::string_view codes) const {
    std::string utf8;
    for (const char code : codes) AppendUtf8(utf8, CharacterOf(static_cast<unsigned char>(code)));
    return utf8;
}

std::string CodePage1252::UpperCase(std::string_view utf8) const {
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const auto character = DecodeFirstUtf8(utf8);
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
        AppendUtf8(out, c);
        utf8.remove_prefix(character->length);
    }
    return out;
}

}  // namespace sarnex::testing
