#include "config/value_conversions.h"

#include "config/number_text.h"
#include "config/rounding.h"
#include "platform/code_page_utf8.h"

#include <algorithm>

namespace sarnex::config {
namespace {

std::optional<std::int32_t> ToInt32(double whole) {
    // Both bounds are exact doubles (-2^31 and 2^31); NaN fails both comparisons.
    constexpr double kLimit = 2147483648.0;
    if (!(whole >= -kLimit && whole < kLimit)) return std::nullopt;
    return static_cast<std::int32_t>(whole);
}

constexpr std::int32_t kDriveFlag = 0x01000000;
constexpr int kCodeOfA = 65;

}  // namespace

std::optional<int> DiskTypeIndexFromCode(std::string_view code) {
    if (code.empty() || code == "HDC") return 0;
    if (code == "FDC14") return 1;
    if (code == "FDC28") return 2;
    return std::nullopt;
}

std::string DiskTypeCodeFromIndex(int listIndex) {
    if (listIndex == 1) return "FDC14";
    if (listIndex == 2) return "FDC28";
    return "HDC";
}

int CheckValueFromFlag(std::int32_t stored) { return stored == 1 ? 1 : 0; }

std::int32_t FlagFromCheckValue(int checkValue) { return checkValue != 0 ? 1 : 0; }

float MegabytesFromPages(std::int32_t pages) { return static_cast<float>(pages / 256.0); }

std::string SizeTextFromPages(std::int32_t pages) { return TextFromNumber(MegabytesFromPages(pages)); }

std::optional<std::int32_t> PagesFromMegabytes(double megabytes) {
    const float single = static_cast<float>(megabytes);
    return ToInt32(RoundHalfEven(static_cast<double>(single) * 256.0));  // exact: a single times 2^8
}

std::optional<std::int32_t> PagesFromSizeText(std::string_view text) {
    return PagesFromMegabytes(NumberFromText(text));
}

std::string ExactMegabytes(std::int64_t pages) {
    // A page is 1/256 MB, so eight decimals always suffice: 1/256 = 0.00390625.
    const std::int64_t magnitude = pages < 0 ? -pages : pages;
    std::string text = (pages < 0 ? "-" : "") + std::to_string(magnitude / 256);
    if (const std::int64_t fraction = magnitude % 256; fraction != 0) {
        std::string decimals = std::to_string(fraction * 390625);
        decimals.insert(0, 8 - decimals.size(), '0');
        while (decimals.back() == '0') decimals.pop_back();
        text += "." + decimals;
    }
    return text;
}

std::string TriggerSeconds(std::int32_t trigger) { return std::to_string(static_cast<std::int64_t>(trigger) * 4); }

float SecondsFromTrigger(std::int32_t trigger) {
    return static_cast<float>(static_cast<std::int64_t>(trigger) * 4);
}

std::string IntervalTextFromTrigger(std::int32_t trigger) { return TextFromNumber(SecondsFromTrigger(trigger)); }

std::optional<std::int32_t> TriggerFromSeconds(double seconds) {
    const float single = static_cast<float>(seconds / 4.0);
    return ToInt32(RoundHalfEven(single));
}

std::optional<std::int32_t> TriggerFromIntervalText(std::string_view text) {
    return TriggerFromSeconds(NumberFromText(text));
}

DriveLetterSetting DriveLetterFromStored(std::int32_t stored, const platform::CodePage& codePage) {
    const auto bits = static_cast<std::uint32_t>(stored);
    const int checkValue = (bits >> 24) != 0 ? 1 : 0;
    const int index = std::max(static_cast<int>(bits & 0xFF), 3);  // A, B and C are no RAM-disk letters
    const int code = kCodeOfA + index;
    const char character = code > 255 ? 'Z' : static_cast<char>(static_cast<unsigned char>(code));
    return {checkValue, codePage.ToUtf8(std::string_view(&character, 1))};
}

std::optional<std::int32_t> StoredFromDriveLetter(int checkValue, std::string_view letter,
                                                  const platform::CodePage& codePage) {
    const auto first = platform::DecodeFirstUtf8(letter);
    if (!first) return std::nullopt;
    const auto code = codePage.FromUtf8(letter.substr(0, first->length));
    if (!code || code->size() != 1) return std::nullopt;  // a double-byte character has no index
    // A code below "A" has no index: borrowing from the flag byte would lose the tick.
    const int index = static_cast<unsigned char>((*code)[0]) - kCodeOfA;
    if (index < 0) return std::nullopt;
    return (checkValue == 1 ? kDriveFlag : 0) + index;
}

}  // namespace sarnex::config
