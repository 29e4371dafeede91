#include "ctl/value_text.h"

#include <cstdio>

#include "config/registry_record.h"
#include "config/value_conversions.h"

namespace sarnex::ctl {

using config::ValueId;

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

std::optional<std::string> DriveLetterWords(std::int32_t stored) {
    const auto bits = static_cast<std::uint32_t>(stored);
    const std::uint32_t flag = bits >> 24;
    const std::uint32_t index = bits & 0xFF;
    if (flag > 1 || index < 3 || index > 25) return std::nullopt;
    const std::string letter(1, static_cast<char>('A' + index));
    return flag == 1 ? letter : "auto (" + letter + ")";
}

std::string NumberWords(ValueId id, std::int32_t number) {
    switch (id) {
        case ValueId::SizeIn4kPages: return config::ExactMegabytes(number);
        case ValueId::AutoSaveTrigger: return config::TriggerSeconds(number);
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
        if (const auto text = config::WellFormedText(*value)) return TextWords(id, *text);
    } else if (const auto number = config::WellFormedNumber(*value)) {
        return NumberWords(id, *number);
    }
    return platform::TypeName(value->type) + (value->data.empty() ? " (no bytes)" : " " + HexBytes(value->data));
}

}  // namespace sarnex::ctl
