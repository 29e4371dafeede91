// Byte encodings of the values: a text is its single-byte codes with a terminating zero (at most 254
// characters, so that the terminator fits the 256-byte working buffer); a number is 4 bytes, least
// significant first.
#pragma once

#include "platform/code_page.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sarnex::config {

inline constexpr std::size_t kTextQuerySize = 255;  // bytes a text query may return
inline constexpr std::size_t kMaxTextLength = 254;  // characters a text value can hold
inline constexpr std::size_t kNumberSize = 4;

// Zero bytes are dropped wherever they stand; every other byte is a character of the code page.
std::string DecodeText(std::span<const std::byte> bytes, const platform::CodePage& codePage);
// std::nullopt when the text has more than 254 characters or a character without a single-byte code.
std::optional<std::vector<std::byte>> EncodeText(std::string_view utf8, const platform::CodePage& codePage);

// Up to 4 bytes fill the number from its low-order end; the caller never passes more.
std::int32_t DecodeNumber(std::span<const std::byte> bytes);
std::array<std::byte, kNumberSize> EncodeNumber(std::int32_t number);

}  // namespace sarnex::config
