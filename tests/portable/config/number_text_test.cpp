#include "config/number_text.h"
#include "config/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace sarnex::config {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(NumberFromText, ReadsTheNumberAtTheStartOfTheText) {
    const struct { const char* text; double expected; } cases[] = {
        {"", 0}, {"5", 5}, {" 5", 5}, {"5 MB", 5}, {"abc", 0}, {"MB", 0}, {"2048", 2048},
        {"1 2", 12}, {"1 000 000", 1e6}, {" - 4 . 5 ", -4.5}, {"\t7\r\n", 7},
        {"1.001953125", 1.001953125}, {"-3.5", -3.5}, {"+.5", 0.5}, {".5", 0.5}, {"5.", 5},
        {".", 0}, {"-", 0}, {"+", 0}, {"--1", 0}, {"+-1", 0}, {"-.", 0}, {"1.2.3", 1.2}, {"12abc", 12},
        {"1,5", 1}, {"0x10", 0}, {"1e6", 1e6}, {"1E6", 1e6}, {"1D3", 1000}, {"1d-2", 0.01}, {"2.5e 1", 25},
        {"1e", 1}, {"1e+", 1}, {"1E-", 1}, {"1ex", 1}, {"e5", 0}, {"1e-5", 1e-5}, {"-0.25", -0.25},
        {"1e-400", 0}, {"0e99999", 0}, {"1e400", kInf}, {"-1e400", -kInf}, {"1e99999999999999999999", kInf},
        {"0.000000000000000000001e330", kInf}, {"123456789012345678901234567890", 1.2345678901234568e29},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberFromText(c.text), c.expected) << '"' << c.text << '"';
    }
    // A whole number: digits and nothing after them but blanks.
    for (const char* text : {"", " ", ".", "-", "e5", "5 MB", "1e"})
        EXPECT_EQ(WholeNumberFromText(text), std::nullopt) << '"' << text << '"';
    EXPECT_EQ(WholeNumberFromText(" - 4 . 5e1 "), -45);
    // Out of range either way: leading zeros count for nothing, zeros after the point do.
    EXPECT_EQ(NumberFromText(std::string(500, '0') + "1e-400"), 0);
    EXPECT_EQ(NumberFromText(std::string(400, '0') + ".1e330"), kInf);
    EXPECT_EQ(NumberFromText("0." + std::string(400, '0') + "1e50"), 0);
    EXPECT_EQ(NumberFromText("1" + std::string(400, '0')), kInf);  // the zeros after the first digit count
}

TEST(NumberFromText, IsNeverNaN) {
    for (const char* text : {"nan", "NaN", "inf", "-inf", "1e-99999999999", "-0e400"}) {
        EXPECT_FALSE(std::isnan(NumberFromText(text))) << text;
    }
}

TEST(TextFromNumber, DoublesShowUpTo15SignificantDigits) {
    const struct { double value; const char* expected; } cases[] = {
        {0, " 0"}, {-0.0, " 0"}, {2048, " 2048"}, {0.5, " .5"}, {-0.25, "-.25"}, {5.5, " 5.5"},
        {0.1, " .1"}, {0.9999999999999999, " 1"}, {1.0 / 3, " .333333333333333"}, {2.0 / 3, " .666666666666667"},
        {123456.789, " 123456.789"}, {-1.5, "-1.5"}, {999999999999999, " 999999999999999"},
        {1e15, " 1E+15"}, {-1e16, "-1E+16"}, {1.25e20, " 1.25E+20"}, {1e300, " 1E+300"},
        {1e-4, " .0001"}, {1e-5, " 1E-05"}, {1.5e-7, " 1.5E-07"}, {kInf, " Inf"}, {-kInf, "-Inf"},
        {std::numeric_limits<double>::quiet_NaN(), " NaN"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextFromNumber(c.value), c.expected) << c.value;
    }
}

TEST(TextFromNumber, SinglesShowUpTo7SignificantDigits) {
    const struct { float value; const char* expected; } cases[] = {
        {5.0f, " 5"}, {20.0f, " 20"}, {5.5f, " 5.5"}, {1281 / 256.0f, " 5.003906"}, {0.5f, " .5"},
        {1.40625f, " 1.40625"}, {-1.0f, "-1"}, {0.1f, " .1"}, {1 / 3.0f, " .3333333"}, {2048.0f, " 2048"},
        {1234567.0f, " 1234567"}, {8388608.0f, " 8388608"}, {1e7f, " 1E+07"}, {1e10f, " 1E+10"}, {16777216.0f, " 1.677722E+07"},
        {2147483648.0f, " 2.147484E+09"}, {0.99999994f, " .9999999"}, {0.0f, " 0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextFromNumber(c.value), c.expected) << c.value;
    }
}

TEST(TextFromNumber, ReadsBackAsTheSameNumber) {
    for (const double value : {5.003906, -2046.59375, 1e-5, 1.25e20, 0.1, 123456789012345.0}) {
        EXPECT_EQ(NumberFromText(TextFromNumber(value)), value) << value;
    }
    for (const float value : {5.003906f, 1.40625f, 1e7f, 3e-8f, 2048.0f}) {
        EXPECT_EQ(static_cast<float>(NumberFromText(TextFromNumber(value))), value) << value;
    }
}

TEST(Rounding, HalvesGoToTheEvenNeighbourAndDownGoesTowardMinusInfinity) {
    const struct { double value; double even; double down; } cases[] = {
        {256.5, 256, 256}, {5.5, 6, 5}, {32746.5, 32746, 32746}, {2.5, 2, 2}, {-2.5, -2, -3}, {-3.5, -4, -4},
        {-3.2, -3, -4}, {3.7, 4, 3}, {1305.6, 1306, 1305}, {0.49999999999999994, 0, 0}, {-0.5, 0, -1},
        {4503599627370497.0, 4503599627370497.0, 4503599627370497.0}, {1e300, 1e300, 1e300},
        {-kInf, -kInf, -kInf},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RoundHalfEven(c.value), c.even) << c.value;
        EXPECT_EQ(RoundDown(c.value), c.down) << c.value;
    }
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::numeric_limits<double>::quiet_NaN())));
}

}  // namespace
}  // namespace sarnex::config
