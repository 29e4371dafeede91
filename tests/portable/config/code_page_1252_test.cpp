#include "support/code_page_1252.h"

#include <gtest/gtest.h>

namespace sarnex::testing {
namespace {

TEST(CodePage1252, EveryByteRoundTrips) {
    CodePage1252 codePage;
    for (int code = 0; code < 256; ++code) {
        const std::string byte(1, static_cast<char>(code));
        EXPECT_EQ(codePage.FromUtf8(codePage.ToUtf8(byte)), byte) << code;
    }
}

TEST(CodePage1252, CharactersAndTheirCodes) {
    CodePage1252 codePage;
    const struct { const char* utf8; const char* codes; } cases[] = {
        {"", ""}, {"Sarnexia", "Sarnexia"}, {"\xE2\x82\xAC", "\x80"}, {"\xC2\x81", "\x81"}, {"\xC2\x9D", "\x9D"},
        {"\xC5\xB8", "\x9F"}, {"\xC3\xA9t\xC3\xA9", "\xE9t\xE9"}, {"\xC2\xA0", "\xA0"}, {"\xC3\xBF", "\xFF"},
        {"\xE2\x80\x9C" "a" "\xE2\x80\x9D", "\x93" "a" "\x94"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(codePage.FromUtf8(c.utf8), c.codes) << c.utf8;
        EXPECT_EQ(codePage.ToUtf8(c.codes), c.utf8) << c.utf8;
    }
}

TEST(CodePage1252, CharactersWithoutACodeAndBrokenUtf8AreRefused) {
    CodePage1252 codePage;
    for (const char* utf8 : {"\xC2\x80", "\xC2\x82", "a\xC4\x81", "\xE4\xB8\xAD", "\xF0\x9F\x98\x80", "\xC3",
                             "\xC0\x80", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80", "\xFF"}) {
        EXPECT_EQ(codePage.FromUtf8(utf8), std::nullopt) << utf8;
    }
}

}  // namespace
}  // namespace sarnex::testing
