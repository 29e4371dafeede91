#include "config/value_layout.h"

#include <algorithm>

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

// LayoutOf looks a value up by its id: the table is in the ids' order.
static_assert(std::ranges::all_of(kLayouts, [](const ValueLayout& layout) {
    return &layout == &kLayouts[static_cast<std::size_t>(layout.id)];
}));

}  // namespace

const ValueLayout& LayoutOf(ValueId id) { return kLayouts[static_cast<std::size_t>(id)]; }

}  // namespace sarnex::config
