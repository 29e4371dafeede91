// The ranges the editor holds its settings to, and the spinner bars' ranges that follow from them.
// The design table, the loading step and the editing rules all take them from here.
#pragma once

#include <cstdint>
#include <string>

namespace sarnex::editor {

// Disk size, in MB.
inline constexpr int kSmallestDiskSize = 5;
inline constexpr int kLargestDiskSize = 2048;
// Up steps add 1 MB below this size and 2 MB from it on; down steps take 2 MB above it.
inline constexpr int kDiskSizeStepThreshold = 1024;
// FAT32 is available only above this size.
inline constexpr int kLargestDiskSizeWithoutFat32 = 32;

// AutoSave interval, in seconds; one spinner step is one stored 4-second unit.
inline constexpr int kShortestAutoSaveInterval = 20;
inline constexpr int kLongestAutoSaveInterval = 32767;
inline constexpr int kAutoSaveIntervalStep = 4;

// Drive letters, by their single-byte code (the same in every ANSI code page).
inline constexpr int kLowestDriveLetter = 'D';
inline constexpr int kHighestDriveLetter = 'Z';

// The spinner bars run from 0 to these. The size and interval bars mirror their number downwards
// (position = maximum - number), so their maximum is the largest number; the letter bar only
// tells directions and starts in the middle of its range.
inline constexpr std::int16_t kDiskSizeSpinnerMax = kLargestDiskSize;
inline constexpr std::int16_t kAutoSaveSpinnerMax = kLongestAutoSaveInterval;
inline constexpr std::int16_t kDriveLetterSpinnerMax = 32767;
inline constexpr std::int16_t kDriveLetterSpinnerStart = 16384;

// The texts the rules put in place of a number out of range: plain, without the leading blank
// that a normalised number shows.
inline std::string LimitText(int limit) { return std::to_string(limit); }

}  // namespace sarnex::editor
