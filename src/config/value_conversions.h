// How each stored value turns into what the editor shows, and back.
#pragma once

#include "platform/code_page.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sarnex::config {

// DiskType: "" and "HDC" -> 0, "FDC14" -> 1, "FDC28" -> 2 (exact, case-sensitive); any other text ->
// std::nullopt (the selection stays as it was).
std::optional<int> DiskTypeIndexFromCode(std::string_view code);
// 1 -> "FDC14", 2 -> "FDC28", every other index (0, -1 for no selection, ...) -> "HDC".
std::string DiskTypeCodeFromIndex(int listIndex);

// Flags: only exactly 1 ticks the box; any ticked value (not 0) is stored as 1.
int CheckValueFromFlag(std::int32_t stored);
std::int32_t FlagFromCheckValue(int checkValue);

// SizeIn4kPages: pages / 256 megabytes, in single precision, and as the editor shows it (" 5").
float MegabytesFromPages(std::int32_t pages);
std::string SizeTextFromPages(std::int32_t pages);
// Megabytes (rounded to single precision) x 256, halves to even; std::nullopt when the result does
// not fit a signed 32-bit value (including infinite sizes).
std::optional<std::int32_t> PagesFromMegabytes(double megabytes);
std::optional<std::int32_t> PagesFromSizeText(std::string_view text);

// A page count as megabytes with every decimal it has: 1280 gives "5", 1281 "5.00390625", -256 "-1".
std::string ExactMegabytes(std::int64_t pages);

// AutoSaveTrigger: 4-second units. The product by 4 is taken in 64 bits, so every stored trigger
// gives its exact number of seconds before the rounding to single precision.
float SecondsFromTrigger(std::int32_t trigger);
std::string IntervalTextFromTrigger(std::int32_t trigger);
// Seconds / 4, rounded to single precision, then halves to even; std::nullopt when it does not fit.
std::optional<std::int32_t> TriggerFromSeconds(double seconds);
std::optional<std::int32_t> TriggerFromIntervalText(std::string_view text);
// A stored trigger as its exact number of seconds: 5 gives "20".
std::string TriggerSeconds(std::int32_t trigger);

// UserDriveLetter: bits 24-31 tick the box (so bit 31 does too); bits 0-7 are the letter index,
// 0 to 2 raised to 3, shown as the character of code 65 + index. Indexes 191 to 255 would need a
// code above 255; they read as "Z", the last drive letter. Bits 8-23 are ignored.
struct DriveLetterSetting {
    int checkValue;      // 0 or 1
    std::string letter;  // UTF-8, one character
    friend bool operator==(const DriveLetterSetting&, const DriveLetterSetting&) = default;
};
DriveLetterSetting DriveLetterFromStored(std::int32_t stored, const platform::CodePage& codePage);
// 16777216 when the box's value is 1, plus the code of the letter's first character minus 65.
// std::nullopt for an empty letter, a first character without a single-byte code, or one whose
// code is below that of "A" (it would reach into the flag byte).
std::optional<std::int32_t> StoredFromDriveLetter(int checkValue, std::string_view letter,
                                                  const platform::CodePage& codePage);

}  // namespace sarnex::config
