// .reg files: regedit's own layout when writing, and every refusal with its line and column.
#include <gtest/gtest.h>

#include "ctl/reg_file.h"
#include "platform/code_page_utf8.h"
#include "support/code_page_1252.h"

namespace sarnex::ctl {
namespace {

using namespace std::string_view_literals;
using platform::StoredValue;

std::vector<std::byte> Bytes(std::string_view bytes) {
    const auto* data = reinterpret_cast<const std::byte*>(bytes.data());
    return {data, data + bytes.size()};
}
std::vector<std::byte> Wide(std::u16string_view units) { return platform::Utf16LeBytes(units); }
std::vector<std::byte> UnicodeFile(std::u16string_view text) { return Wide(u"\uFEFF" + std::u16string(text)); }

const std::vector<StoredValue> kValues = {
    {"", 1, Wide(u"default\0"sv)},
    {"Quote\"Back\\slash", 1, Wide(u"C:\\\"x\"\0"sv)},
    {"New\r\nLine", 1, Wide(u"a\nb\0"sv)},  // a line break in a text goes as hex, which every reader takes
    {"Inner", 1, Wide(u"a\0b\0"sv)},
    {"Euro", 1, Wide(u"\u20AC\0"sv)},
    {"Number", 4, Bytes("\x78\x56\x34\x12"sv)},
    {"Short", 4, Bytes("\x01\x02"sv)},
    {"Nothing", 3, {}},
    {"Long", 3, Bytes("0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdef"sv)},
    {"Odd", 0xFFFF0000u, Bytes("\xFF"sv)},
};

TEST(RegFile, WritesRegeditsLayout) {
    const std::u16string expected =
        u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Sarnex]\r\n"
        u"@=\"default\"\r\n"
        u"\"Quote\\\"Back\\\\slash\"=\"C:\\\\\\\"x\\\"\"\r\n"
        u"\"New\\r\\nLine\"=hex(1):61,00,0a,00,62,00,00,00\r\n"
        u"\"Inner\"=hex(1):61,00,00,00,62,00,00,00\r\n"
        u"\"Euro\"=\"\u20AC\"\r\n"
        u"\"Number\"=dword:12345678\r\n"
        u"\"Short\"=hex(4):01,02\r\n"
        u"\"Nothing\"=hex:\r\n"
        u"\"Long\"=hex:30,31,32,33,34,35,36,37,38,39,61,62,63,64,65,66,67,68,69,6a,6b,6c,\\\r\n"
        u"  6d,6e,6f,70,71,72,73,74,75,76,77,78,79,7a,30,31,32,33,34,35,36,37,38,39,61,\\\r\n"
        u"  62,63,64,65,66\r\n"
        u"\"Odd\"=hex(ffff0000):ff\r\n\r\n";
    EXPECT_EQ(platform::Utf16LeUnits(WriteRegFile(kValues)), expected.substr(0));
    EXPECT_EQ(DataNotation(kValues[8]).size(), 4 + 52 * 3 - 1) << "one line without breaks";
}

TEST(RegFile, ReadsBackEveryByteItWrote) {
    const auto parsed = ParseRegFile(WriteRegFile(kValues), testing::CodePage1252());
    ASSERT_TRUE(std::holds_alternative<std::vector<RegEntry>>(parsed)) << std::get<RegSyntaxError>(parsed).message;
    const auto& entries = std::get<std::vector<RegEntry>>(parsed);
    ASSERT_EQ(entries.size(), kValues.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].name, kValues[i].name);
        EXPECT_EQ(entries[i].value, kValues[i]) << kValues[i].name;
    }
}

TEST(RegFile, ReadsAnsiFilesDeletionsCommentsAndRegeditsEscapes) {
    const std::string file =
        "REGEDIT4\r\n\r\n; a comment\n[hklm\\SOFTWARE\\sarnex]\n"
        "\"Caf\xE9\" = \"\xE9\\n\"\r"
        "\"Expand\"=HEX(2):25,00 ,\\\n   41\n"
        " \t\"Gone\"=-\n"
        "@=dword:1f  ; trailing comment\n";
    const auto parsed = ParseRegFile(Bytes(file), testing::CodePage1252());
    ASSERT_TRUE(std::holds_alternative<std::vector<RegEntry>>(parsed)) << std::get<RegSyntaxError>(parsed).message;
    const auto& entries = std::get<std::vector<RegEntry>>(parsed);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].value, (StoredValue{"Caf\xC3\xA9", 1, Wide(u"\u00E9\n\0"sv)}));
    EXPECT_EQ(entries[1].value, (StoredValue{"Expand", 2, Wide(u"%\0A"sv)}));  // ANSI codes become UTF-16
    EXPECT_EQ(entries[2].name, "Gone");
    EXPECT_EQ(entries[2].value, std::nullopt);
    EXPECT_EQ(entries[3].value, (StoredValue{"", 4, Bytes("\x1F\0\0\0"sv)}));
}

struct Refusal {
    std::u16string text;  // after the 5.00 header line
    int line;
    int column;
    std::string message;
};

TEST(RegFile, RefusesWhatItDoesNotFullyUnderstand) {
    const std::string key = "[HKEY_LOCAL_MACHINE\\Software\\Sarnex]\r\n";
    const Refusal refusals[] = {
        {u"\"A\"=dword:1\r\n", 2, 1, "a value before any [key] line"},
        {u"[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n", 2, 2,
         "only the key HKEY_LOCAL_MACHINE\\Software\\Sarnex is accepted, not HKEY_LOCAL_MACHINE\\Software\\Other"},
        {u"[-HKEY_LOCAL_MACHINE\\Software\\Sarnex]\r\n", 2, 2,
         "deleting a key is not accepted; a .reg file for sarnexctl holds values only"},
        {u"[HKEY_LOCAL_MACHINE\\Software\\Sarnex\r\n", 2, 2, "expected ] at the end of the key"},
        {u"[HKEY_LOCAL_MACHINE\\Software\\Sarnex] x\r\n", 2, 38, "unexpected text at the end of the line"},
        {u"x\r\n", 2, 1, "expected a [key] or a \"name\"=value line"},
    };
    for (const Refusal& r : refusals) {
        const auto parsed = ParseRegFile(UnicodeFile(u"Windows Registry Editor Version 5.00\r\n" + r.text), testing::CodePage1252());
        ASSERT_TRUE(std::holds_alternative<RegSyntaxError>(parsed)) << platform::Utf8FromUtf16(r.text);
        const RegSyntaxError& error = std::get<RegSyntaxError>(parsed);
        EXPECT_EQ((std::tuple(error.line, error.column, error.message)), (std::tuple(r.line, r.column, r.message)))
            << platform::Utf8FromUtf16(r.text);
    }
    const Refusal values[] = {
        {u"\"A\"dword:1", 3, 4, "expected = after the value's name"},
        {u"\"A", 3, 3, "expected \" to end the text"},
        {u"\"A\\x\"=\"\"", 3, 4, "unknown escape \\x"},
        {u"\"A\"=dword:", 3, 11, "dword: takes 1 to 8 hex digits"},
        {u"\"A\"=dword:123456789", 3, 20, "dword: takes 1 to 8 hex digits"},
        {u"\"A\"=hex():00", 3, 9, "hex( takes a type of 1 to 8 hex digits"},
        {u"\"A\"=hex(1)00", 3, 11, "expected :"},
        {u"\"A\"=hex(1:00", 3, 10, "expected )"},
        {u"\"A\"=hex:0g", 3, 10, "expected two hex digits"},
        {u"\"A\"=hex:g0", 3, 9, "expected two hex digits"},
        {u"\"A\"=hex:00,", 3, 12, "expected two hex digits"},
        {u"\"A\"=hex:00,\\", 3, 13, "the file ends inside hex data"},
        {u"\"A\"=hex:00,\\ x", 3, 14, "unexpected text at the end of the line"},
        {u"\"A\"=hex:00 01", 3, 12, "unexpected text at the end of the line"},
        {u"\"A\"=\"x\"y", 3, 8, "unexpected text at the end of the line"},
        {u"\"A\"=-x", 3, 6, "unexpected text at the end of the line"},
        {u"\"A\"=word:1", 3, 5, "expected a \"text\", dword:, hex:, hex(N): or -"},
    };
    for (const Refusal& r : values) {
        const auto parsed = ParseRegFile(
            UnicodeFile(u"Windows Registry Editor Version 5.00\r\n" + platform::Utf16FromUtf8(key) + r.text),
            testing::CodePage1252());
        ASSERT_TRUE(std::holds_alternative<RegSyntaxError>(parsed)) << platform::Utf8FromUtf16(r.text);
        const RegSyntaxError& error = std::get<RegSyntaxError>(parsed);
        EXPECT_EQ((std::tuple(error.line, error.column, error.message)), (std::tuple(r.line, r.column, r.message)))
            << platform::Utf8FromUtf16(r.text);
    }
}

TEST(RegFile, TheHeaderMustMatchTheEncoding) {
    const testing::CodePage1252 codePage;
    const std::string unicodeHeader = "a UTF-16 .reg file begins with \"Windows Registry Editor Version 5.00\"";
    const std::string ansiHeader = "an ANSI .reg file begins with \"REGEDIT4\"";
    const std::pair<std::vector<std::byte>, std::string> files[] = {
        {UnicodeFile(u"REGEDIT4\r\n"), unicodeHeader},
        {Bytes("Windows Registry Editor Version 5.00\r\n"), ansiHeader},
        {Bytes(""), ansiHeader},
        {Bytes("\xFF\xFE\x57"), "a UTF-16 file has an even number of bytes"},
    };
    for (const auto& [file, message] : files) {
        const auto parsed = ParseRegFile(file, codePage);
        ASSERT_TRUE(std::holds_alternative<RegSyntaxError>(parsed)) << message;
        EXPECT_EQ(std::get<RegSyntaxError>(parsed).message, message);
        EXPECT_EQ(std::get<RegSyntaxError>(parsed).line, 1);
    }
    EXPECT_TRUE(std::holds_alternative<std::vector<RegEntry>>(ParseRegFile(Bytes("REGEDIT4  \r\n"), codePage)));
}

}  // namespace
}  // namespace sarnex::ctl
