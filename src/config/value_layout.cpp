#include "config/value_layout.h"

namespace sarnex::config {
namespace {

using C = DriverConfiguration;

// Indexed by ValueId.
constexpr std::array<ValueLayout, 13> kLayouts = {{
    {ValueId::DiskType, "DiskType", kTextType, &C::DiskType, nullptr},
    {ValueId::LoadImageOnStart, "LoadImageOnStart", kNumberType, nullptr, &C::LoadImageOnStart},
    {ValueId::LoadImageFile, "LoadImageFile", kTextType, &C::LoadImageFile, nullptr},
    {ValueId::SaveImageOnExit, "SaveImageOnExit", kNumberType, nullptr, &C::SaveImageOnExit},
    {ValueId::SaveImageFile, "SaveImageFile", kTextType, &C::SaveImageFile, nullptr},
    {ValueId::SizeIn4kPages, "SizeIn4kPages", kNumberType, nullptr, &C::SizeIn4kPages},
    {ValueId::AutoSaveEnabled, "AutoSaveEnabled", kNumberType, nullptr, &C::AutoSaveEnabled},
    {ValueId::DiskFormatFAT32, "DiskFormatFAT32", kNumberType, nullptr, &C::DiskFormatFAT32},
    {ValueId::AutoSaveTrigger, "AutoSaveTrigger", kNumberType, nullptr, &C::AutoSaveTrigger},
    {ValueId::UserDriveLetter, "UserDriveLetter", kNumberType, nullptr, &C::UserDriveLetter},
    {ValueId::MakeTempDir, "MakeTempDir", kNumberType, nullptr, &C::MakeTempDir},
    {ValueId::UseDiskLabel, "UseDiskLabel", kNumberType, nullptr, &C::UseDiskLabel},
    {ValueId::DiskLabel, "DiskLabel", kTextType, &C::DiskLabel, nullptr},
}};

static_assert([] {
    for (std::size_t i = 0; i < kLayouts.size(); ++i) {
        if (static_cast<std::size_t>(kLayouts[i].id) != i) return false;
    }
    return true;
}());

}  // namespace

const ValueLayout& LayoutOf(ValueId id) { return kLayouts[static_cast<std::size_t>(id)]; }

}  // namespace sarnex::config
