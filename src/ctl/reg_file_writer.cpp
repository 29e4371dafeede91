// Writing .reg files exactly as regedit does, so that its own import reads back every byte.
#include <charconv>
#include <iterator>
#include <cstdio>

#include "ctl/reg_file.h"
#include "ctl/stored_key.h"
#include "config/registry_record.h"
#include "ctl/value_text.h"
#include "platform/code_page_utf8.h"

namespace sarnex::ctl {
namespace {

constexpr std::size_t kHexLineWidth = 77;  // regedit breaks hex data once a line reaches this

std::u16string Widened(std::string_view ascii) { return platform::Utf16FromUtf8(ascii); }

std::u16string Escaped(std::u16string_view text) {
    std::u16string out;
    for (const char16_t c : text) {
        if (c == u'\\' || c == u'"') out.push_back(u'\\');
        if (c == u'\r' || c == u'\n') {
            out += c == u'\r' ? u"\\r" : u"\\n";
            continue;
        }
        out.push_back(c);
    }
    return out;
}

// A REG_SZ that a quoted string carries exactly: one zero at its end and no line break, which
// other readers of the format cannot take back.
std::optional<std::u16string> QuotableText(const platform::StoredValue& value) {
    auto units = config::WellFormedUnits(value);
    if (units && units->find_first_of(u"\r\n") != std::u16string::npos) return std::nullopt;
    return units;
}

std::u16string HexPrefix(std::uint32_t type) {
    if (type == platform::registry_type::kBinary) return u"hex:";
    char digits[8];  // a 32-bit type in hex
    const char* end = std::to_chars(std::begin(digits), std::end(digits), type, 16).ptr;
    return u"hex(" + Widened(std::string_view(digits, static_cast<std::size_t>(end - digits))) + u"):";
}

// `column` is where the data starts on its line; without one the data stays on one line.
std::u16string Data(const platform::StoredValue& value, std::optional<std::size_t> column) {
    if (const auto text = QuotableText(value)) return u"\"" + Escaped(*text) + u"\"";
    if (const auto number = config::WellFormedNumber(value); number && value.type == platform::registry_type::kDword) {
        char dword[16];
        std::snprintf(dword, sizeof dword, "dword:%08x", static_cast<unsigned>(*number));
        return Widened(dword);
    }
    std::u16string out = HexPrefix(value.type);
    std::size_t at = column.value_or(0) + out.size();
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        out += Widened(HexBytes(std::span(value.data).subspan(i, 1)));
        if (i + 1 == value.data.size()) break;
        out += u',';
        at += 3;
        if (column && at >= kHexLineWidth) {
            out += u"\\\r\n  ";
            at = 2;
        }
    }
    return out;
}

}  // namespace

std::vector<std::byte> WriteRegFile(std::span<const platform::StoredValue> values) {
    std::u16string text = u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n[" + Widened(kKeyPath) + u"]\r\n";
    for (const platform::StoredValue& value : values) {
        const std::u16string name =
            value.name.empty() ? u"@=" : u"\"" + Escaped(platform::Utf16FromUtf8(value.name)) + u"\"=";
        text += name + Data(value, name.size()) + u"\r\n";
    }
    text += u"\r\n";
    return platform::Utf16LeBytes(text);
}

std::string DataNotation(const platform::StoredValue& value) {
    return platform::Utf8FromUtf16(Data(value, std::nullopt));
}

}  // namespace sarnex::ctl
