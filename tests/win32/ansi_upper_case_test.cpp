// Drive letters are upper-cased by the system's own character rules, not by a table for one
// Western code page: the real code page agrees with CharUpperBuffW on every character, including
// the letters the Western test table leaves alone.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/ansi_code_page.h"
#include "platform/win32/wide_text.h"
#include "support/code_page_1252.h"

namespace sarnex::testing {
namespace {

TEST(AnsiUpperCase, AgreesWithTheSystemOnEveryCharacterOfTheBasicPlane) {
    win32::AnsiCodePage codePage;
    int disagreements = 0;
    for (wchar_t c = 1; c < 0xFFFF && disagreements < 10; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;  // halves of surrogate pairs are no characters
        wchar_t upper = c;
        CharUpperBuffW(&upper, 1);
        const std::string got = codePage.UpperCase(win32::Narrow({&c, 1}));
        if (got != win32::Narrow({&upper, 1})) {
            ++disagreements;
            ADD_FAILURE() << "U+" << std::hex << static_cast<int>(c) << " became " << got;
        }
    }
}

TEST(AnsiUpperCase, UpperCasesLettersTheWesternTableDoesNotKnow) {
    win32::AnsiCodePage system;
    CodePage1252 western;
    const struct { const char* letter; const char* upper; bool western; } cases[] = {
        {"d", "D", true}, {"\xC3\xBF", "\xC5\xB8", true} /* ÿ */, {"\xC5\xA1", "\xC5\xA0", true} /* š */,
        {"\xCE\xB1", "\xCE\x91", false} /* Greek alpha */, {"\xD0\xB6", "\xD0\x96", false} /* Cyrillic zhe */,
        {"1", "1", true}, {"\xFF", "\xFF", true} /* not UTF-8: kept */,
    };
    for (const auto& c : cases) {
        EXPECT_EQ(system.UpperCase(c.letter), c.upper) << c.letter;
        EXPECT_EQ(western.UpperCase(c.letter) == c.upper, c.western) << c.letter;
    }
}

}  // namespace
}  // namespace sarnex::testing
