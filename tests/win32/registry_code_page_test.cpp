// Registry texts go through the system's ANSI code page; on a Windows-1252 system it must agree
// with the portable table byte for byte.
#include "support/code_page_1252.h"
#include "platform/win32/ansi_code_page.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace sarnex::testing {
namespace {

TEST(AnsiCodePage, PlainTextsRoundTripAndUnrepresentableCharactersAreRefused) {
    win32::AnsiCodePage codePage;
    EXPECT_EQ(codePage.FromUtf8(""), "");
    EXPECT_EQ(codePage.FromUtf8("C:\\images\\disk.img"), "C:\\images\\disk.img");
    EXPECT_EQ(codePage.ToUtf8("Sarnexia"), "Sarnexia");
    // No best fit ("a" for a-macron), no default character, no double-byte codes, no broken UTF-8.
    for (const char* utf8 : {"\xE4\xB8\xAD", "a\xF0\x9F\x98\x80", "\xC3", "\xC0\x80", "\xED\xA0\x80"}) {
        EXPECT_EQ(codePage.FromUtf8(utf8), std::nullopt) << utf8;
    }
}

TEST(AnsiCodePage, AgreesWithTheWindows1252TableOnAWesternSystem) {
    if (GetACP() != 1252) GTEST_SKIP() << "the system code page is " << GetACP();
    win32::AnsiCodePage ansi;
    CodePage1252 table;
    for (int code = 1; code < 256; ++code) {
        const std::string byte(1, static_cast<char>(code));
        EXPECT_EQ(ansi.ToUtf8(byte), table.ToUtf8(byte)) << code;
        EXPECT_EQ(ansi.FromUtf8(table.ToUtf8(byte)), byte) << code;
    }
    for (const char* utf8 : {"\xC4\x81", "\xC2\x80", "\xE2\x80\x98" "\xC4\x9F"}) {
        EXPECT_EQ(ansi.FromUtf8(utf8), table.FromUtf8(utf8)) << utf8;
    }
}

}  // namespace
}  // namespace sarnex::testing
