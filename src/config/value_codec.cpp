#include "config/value_codec.h"

#include <algorithm>

namespace sarnex::config {

std::string DecodeText(std::span<const std::byte> bytes, const platform::CodePage& codePage) {
    std::string codes;
    for (const std::byte b : bytes) {
        if (b != std::byte{0}) codes.push_back(static_cast<char>(b));
    }
    return codePage.ToUtf8(codes);
}

std::optional<std::vector<std::byte>> EncodeText(std::string_view utf8, const platform::CodePage& codePage) {
    const auto codes = codePage.FromUtf8(utf8);
    if (!codes || codes->size() > kMaxTextLength) return std::nullopt;
    std::vector<std::byte> bytes(codes->size() + 1, std::byte{0});  // the terminator is stored and counted
    std::transform(codes->begin(), codes->end(), bytes.begin(), [](char c) { return static_cast<std::byte>(c); });
    return bytes;
}

std::int32_t DecodeNumber(std::span<const std::byte> bytes) {
    std::uint32_t bits = 0;
    int shift = 0;  // little-endian: the first byte is the lowest
    for (const std::byte byte : bytes.first(std::min(bytes.size(), kNumberSize))) {
        bits |= std::to_integer<std::uint32_t>(byte) << shift;
        shift += 8;
    }
    return static_cast<std::int32_t>(bits);
}

std::array<std::byte, kNumberSize> EncodeNumber(std::int32_t number) {
    const auto bits = static_cast<std::uint32_t>(number);
    return {std::byte(bits & 0xFF), std::byte((bits >> 8) & 0xFF), std::byte((bits >> 16) & 0xFF),
            std::byte(bits >> 24)};
}

}  // namespace sarnex::config
