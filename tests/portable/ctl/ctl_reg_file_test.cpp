// .reg files: regedit's own layout when writing, every byte read back, and every refusal with its line
// and column.
#include <gtest/gtest.h>

#include "ctl/reg_file.h"
#include "platform/code_page_utf8.h"
#include "support/fixed_code_page.h"

namespace sarnex::ctl {
namespace {

using platform::StoredValue;
using namespace std::string_view_literals;

// "line:column: message" for a refused file, else "accepted"; a file text that begins with FF FE goes
// in UTF-16LE.
std::string Parsed(const std::string& text) {
    const auto bytes = std::as_bytes(std::span(text));
    const auto file = text.starts_with("\xFF\xFE")
                          ? platform::Utf16LeBytes(u"\uFEFF" + platform::Utf16FromUtf8(text.substr(2)))
                          : std::vector<std::byte>(bytes.begin(), bytes.end());
    const auto parsed = ParseRegFile(file, testing::FixedCodePage());
    const auto* error = std::get_if<RegSyntaxError>(&parsed);
    if (!error) return "accepted";
    return std::to_string(error->line) + ":" + std::to_string(error->column) + ": " + error->message;
}

TEST(RegFile, RefusesWhatItDoesNotFullyUnderstand) {
    const std::string k = "REGEDIT4\n[HKLM\\Software\\Sarnex]\n";
    const std::string unicode = "\xFF\xFEWindows Registry Editor Version 5.00\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"REGEDIT4  \r\n", "accepted"},
        {k + "\"A\"=hex:  \n\"B\"=hex(4): ; no bytes", "accepted"},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Sarnex]", "accepted"},
        {"\xFF\xFE" "REGEDIT4\r\n", "1:1: this is not a .reg file: it begins with neither \"Windows Registry Editor "
                                     "Version 5.00\" nor \"REGEDIT4\""},
        {"Windows Registry Editor Version 5.00\r\n", "1:1: a \"Windows Registry Editor Version 5.00\" file is Unicode "
                                                     "(UTF-16), and this one is not: save it as Unicode, or begin it "
                                                     "with REGEDIT4 for the ANSI code page"},
        {"\xEF\xBB\xBF", "1:1: the file is UTF-8, which regedit neither writes nor reads: save it as Unicode (UTF-16), "
                          "or export it again"},
        {unicode + "\"A\"=dword:1\r\n", "2:1: a value before any [key] line"},
        {unicode + "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n",
         "2:2: only the key HKEY_LOCAL_MACHINE\\Software\\Sarnex is accepted, not HKEY_LOCAL_MACHINE\\Software\\Other"},
        {unicode + "[-HKEY_LOCAL_MACHINE\\Software\\Sarnex]", "2:2: deleting a key is not accepted; a .reg file for "
                                                             "sarnexctl holds values only"},
        {unicode + "[HKEY_LOCAL_MACHINE\\Software\\Sarnex\r\n", "2:2: expected ] at the end of the key"},
        {unicode + "[HKEY_LOCAL_MACHINE\\Software\\Sarnex] x\r\n", "2:38: unexpected text at the end of the line"},
        {unicode + "x\r\n", "2:1: expected a [key] or a \"name\"=value line"},
        {k + "\"A\"dword:1", "3:4: expected = after the value's name"},
        {k + "\"A", "3:3: expected \" to end the text"},
        {k + "\"A\\x\"=\"\"", "3:4: unknown escape \\x"},
        {k + "\"A\"=dword:", "3:11: dword: takes 1 to 8 hex digits"},
        {k + "\"A\"=dword:123456789", "3:20: dword: takes 1 to 8 hex digits"},
        {k + "\"A\"=hex():00", "3:9: hex( takes a type of 1 to 8 hex digits"},
        {k + "\"A\"=hex(1)00", "3:11: expected :"},
        {k + "\"A\"=hex:0g", "3:10: expected two hex digits"},
        {k + "\"A\"=hex:00,", "3:12: expected two hex digits"},
        {k + "\"A\"=hex:00,\\", "3:13: the file ends inside hex data"},
        {k + "\"A\"=hex:00,\\ x", "3:14: unexpected text at the end of the line"},
        {k + "\"A\"=hex:00 01", "3:12: unexpected text at the end of the line"},
        {k + "\"A\"=-x", "3:6: unexpected text at the end of the line"},
        {k + "\"A\"=word:1", "3:5: expected a \"text\", dword:, hex:, hex(N): or -"},
    };
    for (const auto& [file, expected] : cases) EXPECT_EQ(Parsed(file), expected) << file;
    const std::vector<std::byte> odd{std::byte{0xFF}, std::byte{0xFE}, std::byte{0x57}};
    EXPECT_EQ(std::get<RegSyntaxError>(ParseRegFile(odd, testing::FixedCodePage())).message,
              "a UTF-16 file has an even number of bytes");
}

TEST(RegFile, ReadsAnsiFilesDeletionsCommentsAndRegeditsEscapes) {
    const std::string file = "REGEDIT4\r\n\r\n; a comment\n[hklm\\SOFTWARE\\sarnex]\n\"Caf\xE9\" = \"\xE9\\n\"\r"
                             "\"Expand\"=HEX(2):25,00 ,\\\n   41\n \t\"Gone\"=-\n@=dword:1F  ; trailing comment\n"
                             "\"M\"=hex(7):e9";
    const auto parsed = ParseRegFile(std::as_bytes(std::span(file)), testing::FixedCodePage());
    const auto& entries = std::get<std::vector<RegEntry>>(parsed);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].value, (StoredValue{"Caf\xC3\xA9", 1, platform::Utf16LeBytes(u"\u00E9\n\0"sv)}));
    EXPECT_EQ(entries[1].value, (StoredValue{"Expand", 2, platform::Utf16LeBytes(u"%\0A"sv)}));  // codes become UTF-16
    EXPECT_EQ(std::tuple(entries[2].name, entries[2].value), std::tuple("Gone", std::nullopt));
    EXPECT_EQ(entries[3].value, (StoredValue{"", 4, {std::byte{0x1F}, {}, {}, {}}}));
    EXPECT_EQ(entries[4].value, (StoredValue{"M", 7, platform::Utf16LeBytes(u"\u00E9")}));
}

}  // namespace
}  // namespace sarnex::ctl
