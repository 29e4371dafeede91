// Names, registry types and orders of the thirteen values, and how to reach each one in the record.
#pragma once

#include "config/driver_configuration.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace sarnex::config {

enum class ValueId {
    DiskType,
    LoadImageOnStart,
    LoadImageFile,
    SaveImageOnExit,
    SaveImageFile,
    SizeIn4kPages,
    AutoSaveEnabled,
    DiskFormatFAT32,
    AutoSaveTrigger,
    UserDriveLetter,
    MakeTempDir,
    UseDiskLabel,
    DiskLabel,
};

inline constexpr std::uint32_t kTextType = 1;    // REG_SZ
inline constexpr std::uint32_t kNumberType = 4;  // REG_DWORD

using TextMember = std::optional<std::string> DriverConfiguration::*;
using NumberMember = std::optional<std::int32_t> DriverConfiguration::*;

struct ValueLayout {
    ValueId id;
    std::string_view name;  // the registry value name
    std::uint32_t type;     // kTextType or kNumberType
    TextMember text;        // set for text values
    NumberMember number;    // set for number values
};

const ValueLayout& LayoutOf(ValueId id);
inline std::string_view ValueName(ValueId id) { return LayoutOf(id).name; }

// The order in which the editor takes the values when loading.
inline constexpr std::array<ValueId, 13> kLoadingOrder = {
    ValueId::DiskType,        ValueId::LoadImageOnStart, ValueId::LoadImageFile,   ValueId::SaveImageOnExit,
    ValueId::SaveImageFile,   ValueId::SizeIn4kPages,    ValueId::DiskFormatFAT32, ValueId::AutoSaveEnabled,
    ValueId::AutoSaveTrigger, ValueId::UserDriveLetter,  ValueId::MakeTempDir,     ValueId::DiskLabel,
    ValueId::UseDiskLabel,
};

// The order in which a save writes them.
inline constexpr std::array<ValueId, 13> kWritingOrder = {
    ValueId::DiskType,        ValueId::LoadImageOnStart, ValueId::LoadImageFile,   ValueId::SaveImageOnExit,
    ValueId::SaveImageFile,   ValueId::SizeIn4kPages,    ValueId::AutoSaveEnabled, ValueId::DiskFormatFAT32,
    ValueId::AutoSaveTrigger, ValueId::UserDriveLetter,  ValueId::MakeTempDir,     ValueId::UseDiskLabel,
    ValueId::DiskLabel,
};

}  // namespace sarnex::config
