// The driver's settings as thirteen registry values. Each member is absent when the value could not
// be read (or, for writing, could not be encoded by the editor). Texts are UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace sarnex::config {

struct DriverConfiguration {
    std::optional<std::string> DiskType, LoadImageFile, SaveImageFile, DiskLabel;
    std::optional<std::int32_t> LoadImageOnStart, SaveImageOnExit, SizeIn4kPages, AutoSaveEnabled,
        DiskFormatFAT32, AutoSaveTrigger, UserDriveLetter, MakeTempDir, UseDiskLabel;

    friend bool operator==(const DriverConfiguration&, const DriverConfiguration&) = default;
};

}  // namespace sarnex::config
