// A drive letter whose code lies below "A" has no index: it is refused rather than borrowed from
// the flag byte, where it would clear the "ticked" bit or turn an unticked box into a ticked one.
#include <gtest/gtest.h>

#include "config/value_conversions.h"
#include "support/code_page_1252.h"

namespace sarnex::config {
namespace {

TEST(DriveLetterEncoding, RefusesEveryCodeBelowA) {
    testing::CodePage1252 codePage;
    for (int code = 1; code < 'A'; ++code) {
        const std::string letter(1, static_cast<char>(code));
        for (int check : {0, 1}) EXPECT_EQ(StoredFromDriveLetter(check, letter, codePage), std::nullopt) << code;
    }
}

TEST(DriveLetterEncoding, KeepsTheFlagByteForEveryLetterFromA) {
    testing::CodePage1252 codePage;
    const struct { int check; const char* letter; std::int32_t stored; } cases[] = {
        {1, "A", 0x01000000}, {0, "A", 0}, {1, "\xC3\xBF" /* ÿ, code 255 */, 0x010000BE}, {0, "\xC3\xBF", 0xBE},
    };
    for (const auto& c : cases) EXPECT_EQ(StoredFromDriveLetter(c.check, c.letter, codePage), c.stored) << c.letter;
}

}  // namespace
}  // namespace sarnex::config
