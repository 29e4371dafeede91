#include "ctl/value_text.h"

#include <array>
#include <cstdio>

#include "config/value_codec.h"
#include "platform/code_page_utf8.h"

namespace sarnex::ctl {

using config::ValueId;

std::string TypeName(std::uint32_t type) {
    static constexpr std::array<const char*, 12> kNames = {
        "REG_NONE", "REG_SZ", "REG_EXPAND_SZ", "REG_BINARY", "REG_DWORD", "REG_DWORD_BIG_ENDIAN", "REG_LINK",
        "REG_MULTI_SZ", "REG_RESOURCE_LIST", "REG_FULL_RESOURCE_DESCRIPTOR", "REG_RESOURCE_REQUIREMENTS_LIST",
        "REG_QWORD"};
    if (type < kNames.size()) return kNames[type];
    char text[24];
    std::snprintf(text, sizeof text, "type 0x%08X", static_cast<unsigned>(type));
    return text;
}

std::string HexBytes(std::span<const std::byte> bytes, std::string_view separator) {
    std::string text;
    for (const std::byte b : bytes) {
        if (!text.empty()) text += separator;
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", std::to_integer<unsigned>(b));
        text += pair;
    }
    return text;
}

std::string ExactMegabytes(std::int32_t pages) {
    // A page is 1/256 MB, so eight decimals always suffice: 1/256 = 0.00390625.
    const std::int64_t magnitude = pages < 0 ? -static_cast<std::int64_t>(pages) : pages;
    std::string text = (pages < 0 ? "-" : "") + std::to_string(magnitude / 256);
    if (const std::int64_t fraction = magnitude % 256; fraction != 0) {
        std::string decimals = std::to_string(fraction * 390625);
        decimals.insert(0, 8 - decimals.size(), '0');
        while (decimals.back() == '0') decimals.pop_back();
        text += "." + decimals;
    }
    return text;
}

std::string TriggerSeconds(std::int32_t trigger) { return std::to_string(static_cast<std::int64_t>(trigger) * 4); }

std::optional<std::string> DriveLetterWords(std::int32_t stored) {
    const auto bits = static_cast<std::uint32_t>(stored);
    const std::uint32_t flag = bits >> 24;
    const std::uint32_t index = bits & 0xFF;
    if (flag > 1 || (bits & 0x00FFFF00) != 0 || index < 3 || index > 25) return std::nullopt;
    const std::string letter(1, static_cast<char>('A' + index));
    return flag == 1 ? letter : "auto (" + letter + ")";
}

std::optional<std::int32_t> WellFormedNumber(const platform::StoredValue& value) {
    if (value.type != config::kNumberType || value.data.size() != config::kNumberSize) return std::nullopt;
    return config::DecodeNumber(value.data);
}

std::optional<std::u16string> WellFormedUnits(const platform::StoredValue& value) {
    if (value.type != config::kTextType || value.data.size() % 2 != 0) return std::nullopt;
    std::u16string units = platform::Utf16LeUnits(value.data);
    if (units.empty() || units.find(u'\0') != units.size() - 1) return std::nullopt;  // one zero, at the end
    units.pop_back();
    return units;
}

std::optional<std::string> WellFormedText(const platform::StoredValue& value) {
    const auto units = WellFormedUnits(value);
    if (!units) return std::nullopt;
    return platform::Utf8FromUtf16(*units);
}

std::string NumberWords(ValueId id, std::int32_t number) {
    switch (id) {
        case ValueId::SizeIn4kPages: return ExactMegabytes(number);
        case ValueId::AutoSaveTrigger: return TriggerSeconds(number);
        case ValueId::UserDriveLetter: {
            if (auto words = DriveLetterWords(number)) return *words;
            char text[16];
            std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(number));
            return text;
        }
        default:  // the flags
            return number == 1 ? "on" : number == 0 ? "off" : std::to_string(number);
    }
}

std::string TextWords(ValueId id, std::string_view text) {
    if (id == ValueId::DiskType) {
        if (text == "HDC") return "hard";
        if (text == "FDC14") return "floppy1.44";
        if (text == "FDC28") return "floppy2.88";
    }
    return "\"" + std::string(text) + "\"";
}

std::string StoredWords(ValueId id, const platform::StoredValue* value) {
    if (value == nullptr) return "(absent)";
    if (config::LayoutOf(id).text) {
        if (const auto text = WellFormedText(*value)) return TextWords(id, *text);
    } else if (const auto number = WellFormedNumber(*value)) {
        return NumberWords(id, *number);
    }
    return TypeName(value->type) + (value->data.empty() ? " (no bytes)" : " " + HexBytes(value->data));
}

}  // namespace sarnex::ctl
