// Minimal strict UTF-8 reading and writing for the code pages.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sarnex::platform {

struct Utf8Character {
    char32_t codePoint;
    std::size_t length;  // bytes taken from the text
};

// The character at the start of `text`; std::nullopt for an empty text or an invalid sequence
// (overlong forms, surrogates and values above U+10FFFF are invalid).
std::optional<Utf8Character> DecodeFirstUtf8(std::string_view text);

void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace sarnex::platform
