#include "config/value_conversions.h"
#include "support/fixed_code_page.h"

#include <gtest/gtest.h>

#include <limits>

namespace sarnex::config {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(DiskTypeConversion, CodesAndListIndexes) {
    const struct { const char* code; std::optional<int> index; } reads[] = {
        {"", 0}, {"HDC", 0}, {"FDC14", 1}, {"FDC28", 2}, {"hdc", std::nullopt}, {"HDC ", std::nullopt},
        {"FDC", std::nullopt}, {"FDC144", std::nullopt},
    };
    for (const auto& c : reads) EXPECT_EQ(DiskTypeIndexFromCode(c.code), c.index) << c.code;

    const struct { int index; const char* code; } writes[] = {
        {0, "HDC"}, {-1, "HDC"}, {1, "FDC14"}, {2, "FDC28"}, {3, "HDC"}, {kMin, "HDC"},
    };
    for (const auto& c : writes) EXPECT_EQ(DiskTypeCodeFromIndex(c.index), c.code) << c.index;
}

TEST(FlagConversion, OnlyExactlyOneTicksAndAnyTickStoresOne) {
    const struct { std::int32_t stored; int check; } reads[] = {{1, 1}, {0, 0}, {2, 0}, {-1, 0}, {49, 0}, {kMin, 0}};
    for (const auto& c : reads) EXPECT_EQ(CheckValueFromFlag(c.stored), c.check) << c.stored;
    const struct { int check; std::int32_t stored; } writes[] = {{0, 0}, {1, 1}, {2, 1}, {-1, 1}};
    for (const auto& c : writes) EXPECT_EQ(FlagFromCheckValue(c.check), c.stored) << c.check;
}

TEST(SizeConversion, PagesShowAsMegabytesInSinglePrecision) {
    const struct { std::int32_t pages; const char* text; } cases[] = {
        {1280, " 5"}, {1408, " 5.5"}, {1281, " 5.003906"}, {128, " .5"}, {-256, "-1"}, {360, " 1.40625"},
        {524288, " 2048"}, {0, " 0"}, {kMax, " 8388608"}, {kMin, "-8388608"},
    };
    for (const auto& c : cases) EXPECT_EQ(SizeTextFromPages(c.pages), c.text) << c.pages;
    EXPECT_EQ(MegabytesFromPages(1281), 1281 / 256.0f);
}

TEST(SizeConversion, MegabyteTextsBecomePagesRoundedHalfToEven) {
    const struct { const char* text; std::optional<std::int32_t> pages; } cases[] = {
        {"5", 1280}, {" 5", 1280}, {"5.5", 1408}, {"5.1", 1306}, {"1.001953125", 256}, {"1.005859375", 258},
        {"2048", 524288}, {"5 MB", 1280}, {"abc", 0}, {"-1", -256}, {"8388607", 2147483392},
        {"-8388608", kMin}, {"8388607.9", std::nullopt}, {"8388608", std::nullopt}, {"1e30", std::nullopt},
        {"1e400", std::nullopt}, {"-1e400", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(PagesFromSizeText(c.text), c.pages) << c.text;
    EXPECT_EQ(PagesFromSizeText(SizeTextFromPages(1280)), 1280);
    EXPECT_EQ(PagesFromSizeText(SizeTextFromPages(1281)), 1281);
}

TEST(TriggerConversion, TriggersShowAsSecondsWithoutOverflow) {
    const struct { std::int32_t trigger; const char* text; } cases[] = {
        {5, " 20"}, {0, " 0"}, {8191, " 32764"}, {-5, "-20"}, {536870912, " 2.147484E+09"},
        {-536870913, "-2.147484E+09"}, {kMax, " 8.589935E+09"}, {kMin, "-8.589935E+09"},
    };
    for (const auto& c : cases) EXPECT_EQ(IntervalTextFromTrigger(c.trigger), c.text) << c.trigger;
    EXPECT_EQ(SecondsFromTrigger(kMin), -8589934592.0f);
}

TEST(TriggerConversion, SecondTextsBecomeTriggersRoundedHalfToEven) {
    const struct { const char* text; std::optional<std::int32_t> trigger; } cases[] = {
        {"20", 5}, {"21", 5}, {"22", 6}, {"18", 4}, {"23", 6}, {"26", 6}, {"30", 8}, {" 20", 5}, {"0", 0},
        {"32767", 8192}, {"2", 0}, {"6", 2}, {"-6", -2}, {"8589934588", std::nullopt},
        {"-8589934592", kMin}, {"1e400", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(TriggerFromIntervalText(c.text), c.trigger) << c.text;
}

TEST(DriveLetterConversion, StoredValuesGiveBoxAndLetter) {
    testing::FixedCodePage codePage;
    const struct { std::int32_t stored; DriveLetterSetting expected; } cases[] = {
        {0, {0, "D"}}, {16777217, {1, "D"}}, {16777240, {1, "Y"}}, {259, {0, "D"}}, {16777216, {1, "D"}},
        {25, {0, "Z"}}, {26, {0, "["}}, {63, {0, "\xE2\x82\xAC"}}, {190, {0, "\xC3\xBF"}}, {191, {0, "Z"}},
        {255, {0, "Z"}}, {kMin, {1, "D"}}, {-1, {1, "Z"}}, {0x7F000003, {1, "D"}},
    };
    for (const auto& c : cases) EXPECT_EQ(DriveLetterFromStored(c.stored, codePage), c.expected) << c.stored;
}

TEST(DriveLetterConversion, BoxAndLetterGiveTheStoredValue) {
    testing::FixedCodePage codePage;
    const struct { int check; const char* letter; std::optional<std::int32_t> stored; } cases[] = {
        {1, "D", 16777219}, {0, "D", 3}, {1, "Z", 16777241}, {1, "R", 16777233}, {2, "D", 3}, {0, "DE", 3},
        {0, "A", 0}, {1, "A", 16777216}, {1, "\xC3\xBF", 0x010000BE}, {0, "\xE2\x82\xAC" "x", 63}, {0, "D\xC4\x81", 3},
        {0, "", std::nullopt}, {1, "\xC4\x81", std::nullopt}, {1, "\xFF", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(StoredFromDriveLetter(c.check, c.letter, codePage), c.stored) << c.letter;
    // Below "A" there is no index: never borrowed from the flag byte, where it would change the tick.
    for (int code = 1; code < 'A'; ++code)
        for (int check : {0, 1})
            EXPECT_EQ(StoredFromDriveLetter(check, std::string(1, static_cast<char>(code)), codePage), std::nullopt);
    for (std::int32_t stored = 3; stored <= 25; ++stored) {
        const auto shown = DriveLetterFromStored(stored + 16777216, codePage);
        EXPECT_EQ(StoredFromDriveLetter(shown.checkValue, shown.letter, codePage), stored + 16777216);
    }
}

}  // namespace
}  // namespace sarnex::config
