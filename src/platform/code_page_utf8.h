// Minimal strict UTF-8 reading and writing for the code pages, and UTF-16 for the registry's own
// form of texts.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sarnex::platform {

struct Utf8Character {
    char32_t codePoint;
    std::size_t length;  // bytes taken from the text
};

// The character at the start of `text`; std::nullopt for an empty text or an invalid sequence
// (overlong forms, surrogates and values above U+10FFFF are invalid).
std::optional<Utf8Character> DecodeFirstUtf8(std::string_view text);

void AppendUtf8(std::string& out, char32_t codePoint);

// A byte of an invalid UTF-8 sequence, and an unpaired surrogate, become U+FFFD.
std::u16string Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view utf16);

// UTF-16 units as the registry and .reg files keep them, least significant byte first. An odd
// last byte has no unit and is dropped.
std::vector<std::byte> Utf16LeBytes(std::u16string_view units);
std::u16string Utf16LeUnits(std::span<const std::byte> bytes);

}  // namespace sarnex::platform
