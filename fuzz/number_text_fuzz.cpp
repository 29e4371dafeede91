// Any text read as a number, and any number written as text and read back.
#include "config/number_text.h"
#include "config/rounding.h"
#include "config/value_conversions.h"
#include "support/fixed_code_page.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

using namespace sarnex::config;

// Reports the failed condition's line before stopping, so a crash file explains itself.
void CheckAt(bool condition, int line) {
    if (condition) return;
    std::fprintf(stderr, "check failed at line %d\n", line);
    std::abort();
}
#define Check(condition) CheckAt((condition), __LINE__)

// The text form: a blank or "-", then digits and at most one point, never a zero before the point,
// optionally E+dd / E-dd.
void CheckShape(const std::string& text) {
    Check(text.size() >= 2 && (text[0] == ' ' || text[0] == '-'));
    if (text == " Inf" || text == "-Inf" || text == " NaN") return;
    Check(!(text[1] == '0' && text.size() > 2));
    Check(text.find_first_not_of(" -0123456789.E+") == std::string::npos);
}

void CheckNumber(double value) {
    Check(!std::isnan(value));
    const std::string asDouble = TextFromNumber(value);
    CheckShape(asDouble);
    if (std::isfinite(value)) {
        const double back = NumberFromText(asDouble);
        // 15 digits of a value next to the largest double can round above it and read back infinite.
        const bool nearLimit = std::fabs(value) > 1.7976931348623e308 && std::isinf(back);
        Check(nearLimit ||
              std::fabs(back - value) <= std::fabs(value) * 1e-14 + std::numeric_limits<double>::denorm_min());
        const double rounded = RoundHalfEven(value);
        Check(rounded == std::floor(rounded) && std::fabs(rounded - value) <= 0.5);
        Check(RoundDown(value) <= value && value - RoundDown(value) <= 1.0);
    }
    const auto single = static_cast<float>(value);
    const std::string asSingle = TextFromNumber(single);
    CheckShape(asSingle);
    if (std::isfinite(single)) {
        const double back = NumberFromText(asSingle);
        Check(std::fabs(back - single) <=
              std::fabs(single) * 1e-6 + std::numeric_limits<float>::denorm_min());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckNumber(NumberFromText(text));
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        if (!std::isnan(raw)) CheckNumber(raw);
    }
    (void)PagesFromSizeText(text);
    (void)TriggerFromIntervalText(text);
    const sarnex::testing::FixedCodePage codePage;
    (void)StoredFromDriveLetter(1, text, codePage);
    return 0;
}
