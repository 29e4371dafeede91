// What only the in-memory registry offers: raw values, injected faults and the log of operations.
#include "config/registry_record.h"
#include "support/code_page_1252.h"
#include "support/memory_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sarnex::testing {
namespace {

using Kind = RegistryOperation::Kind;
constexpr std::string_view kKey = "Software\\Sarnex";

std::vector<std::string> Targets(const std::vector<RegistryOperation>& operations, Kind kind) {
    std::vector<std::string> targets;
    for (const auto& operation : operations) {
        if (operation.kind == kind) targets.push_back(operation.target);
    }
    return targets;
}

std::vector<std::string> Names(const auto& order) {
    std::vector<std::string> names;
    for (const config::ValueId id : order) names.emplace_back(config::ValueName(id));
    return names;
}

TEST(MemoryRegistry, KeyIsClosedWhenItsOwnerGoesAwayOrMoves) {
    MemoryRegistry registry;
    registry.AddKey(kKey);
    {
        auto [status, key] = platform::RegistryKey::Open(registry, "software\\SARNEX", platform::KeyAccess::Set);
        ASSERT_EQ(status, 0);
        EXPECT_EQ(registry.OpenHandleCount(), 1u);
        platform::RegistryKey moved = std::move(key);
        EXPECT_FALSE(key.IsOpen());
        EXPECT_TRUE(moved.IsOpen());
        platform::RegistryKey other = platform::RegistryKey::Open(registry, kKey, platform::KeyAccess::Set).second;
        EXPECT_EQ(registry.OpenHandleCount(), 2u);
        other = std::move(moved);  // closes the key `other` held
        EXPECT_EQ(registry.OpenHandleCount(), 1u);
        EXPECT_EQ(other.Close(), 0);
        EXPECT_EQ(other.Close(), registry_status::kInvalidHandle);
    }
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
    EXPECT_EQ(Targets(registry.Operations(), Kind::Close).size(), 2u);
}

TEST(MemoryRegistry, ParentKeysExistAndUnknownHandlesAreRejected) {
    MemoryRegistry registry;
    registry.AddKey("Software\\SarnexTest\\Contract");
    RegistryKeyHandle handle;
    EXPECT_EQ(registry.OpenKey("Software\\SarnexTest", platform::KeyAccess::Query, handle), 0);
    std::uint32_t type = 0;
    std::uint32_t size = 4;
    std::byte data[4];
    EXPECT_EQ(registry.QueryValue({999}, "x", type, data, size), registry_status::kInvalidHandle);
    EXPECT_EQ(registry.SetValue({999}, "x", 4, data, 4), registry_status::kInvalidHandle);
    EXPECT_EQ(registry.CloseKey({999}), registry_status::kInvalidHandle);
    EXPECT_EQ(registry.CloseKey(handle), 0);
}

TEST(MemoryRegistry, OpenFailureOfAnyStatusReadsAndWritesNothing) {
    MemoryRegistry registry;
    registry.PutNumber(kKey, "SizeIn4kPages", 1280);
    registry.FailOpen(kKey, registry_status::kAccessDenied);
    CodePage1252 codePage;

    const auto read = config::ReadDriverConfiguration(registry, codePage);
    EXPECT_EQ(read.openStatus, registry_status::kAccessDenied);
    EXPECT_FALSE(read.record.SizeIn4kPages.has_value());
    config::DriverConfiguration record;
    record.SizeIn4kPages = 2560;
    EXPECT_EQ(config::WriteDriverConfiguration(registry, codePage, record).openStatus, registry_status::kAccessDenied);
    EXPECT_EQ(registry.GetValue(kKey, "SizeIn4kPages")->data, (std::vector{std::byte{0}, std::byte{5}, std::byte{0}, std::byte{0}}));
    EXPECT_EQ(registry.Operations().size(), 2u) << "only the two failed opens";

    registry.FailOpen(kKey, 0);
    EXPECT_EQ(config::ReadDriverConfiguration(registry, codePage).record.SizeIn4kPages, 1280);
}

TEST(MemoryRegistry, ReadingQueriesInLoadingOrderAndWritingSetsInWritingOrder) {
    MemoryRegistry registry;
    registry.AddKey(kKey);
    CodePage1252 codePage;
    config::DriverConfiguration record;
    for (const config::ValueId id : config::kWritingOrder) {
        const auto& layout = config::LayoutOf(id);
        if (layout.text) record.*layout.text = "x";
        else record.*layout.number = 0;
    }

    EXPECT_TRUE(config::WriteDriverConfiguration(registry, codePage, record).notWritten.empty());
    const auto& written = registry.Operations();
    ASSERT_EQ(written.size(), 15u);
    EXPECT_EQ(written.front(), (RegistryOperation{Kind::Open, std::string(kKey), 0}));
    EXPECT_EQ(Targets(written, Kind::Set), Names(config::kWritingOrder));
    EXPECT_EQ(written.back().kind, Kind::Close);
    EXPECT_EQ(registry.GetValue(kKey, "DiskLabel")->type, 1u);
    EXPECT_EQ(registry.GetValue(kKey, "UseDiskLabel")->type, 4u);

    registry.ClearOperations();
    EXPECT_EQ(config::ReadDriverConfiguration(registry, codePage).record, record);
    EXPECT_EQ(Targets(registry.Operations(), Kind::Query), Names(config::kLoadingOrder));
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST(MemoryRegistry, FailedAndSkippedValuesLeaveTheOthersWrittenInOrder) {
    MemoryRegistry registry;
    registry.PutText(kKey, "SaveImageFile", std::string_view("keep.img\0", 9));
    registry.FailSet(kKey, "AutoSaveEnabled", registry_status::kAccessDenied);
    CodePage1252 codePage;
    config::DriverConfiguration record;
    record.DiskType = "HDC";
    record.SaveImageFile = "\xE2\x82\xAC\xC4\x81";  // the euro sign has a code, a-macron has none
    record.AutoSaveEnabled = 1;
    record.DiskFormatFAT32 = 1;
    record.DiskLabel = "";

    const auto outcome = config::WriteDriverConfiguration(registry, codePage, record);
    using config::ValueId;
    using Reason = config::UnwrittenValue::Reason;
    EXPECT_EQ(outcome.notWritten,
              (std::vector<config::UnwrittenValue>{{ValueId::LoadImageOnStart, Reason::Absent},
                                                   {ValueId::LoadImageFile, Reason::Absent},
                                                   {ValueId::SaveImageOnExit, Reason::Absent},
                                                   {ValueId::SaveImageFile, Reason::NotStorable},
                                                   {ValueId::SizeIn4kPages, Reason::Absent},
                                                   {ValueId::AutoSaveEnabled, Reason::SetFailed, 5},
                                                   {ValueId::AutoSaveTrigger, Reason::Absent},
                                                   {ValueId::UserDriveLetter, Reason::Absent},
                                                   {ValueId::MakeTempDir, Reason::Absent},
                                                   {ValueId::UseDiskLabel, Reason::Absent}}));
    EXPECT_EQ(Targets(registry.Operations(), Kind::Set),
              (std::vector<std::string>{"DiskType", "AutoSaveEnabled", "DiskFormatFAT32", "DiskLabel"}));
    EXPECT_EQ(registry.GetValue(kKey, "SaveImageFile")->data.size(), 9u);
    EXPECT_FALSE(registry.GetValue(kKey, "AutoSaveEnabled").has_value());
    EXPECT_EQ(registry.GetValue(kKey, "DiskLabel"), (StoredRegistryValue{1, {std::byte{0}}}));
}

TEST(MemoryRegistry, LongestStorableTextFillsTheBufferAndARegistryTextOf255CharactersIsRefused) {
    MemoryRegistry registry;
    // 255 bytes without terminator: as REG_SZ the query counts a terminator and finds 256 bytes, but
    // as binary data it reads as a text of 255 characters, which cannot be written back.
    registry.PutText(kKey, "LoadImageFile", std::string(255, 'T'));
    registry.PutValue(kKey, "DiskLabel", 3, std::vector<std::byte>(255, std::byte{'L'}));
    CodePage1252 codePage;
    auto record = config::ReadDriverConfiguration(registry, codePage).record;
    EXPECT_EQ(record.LoadImageFile, std::nullopt);
    ASSERT_EQ(record.DiskLabel, std::string(255, 'L'));
    record.LoadImageFile = std::string(254, '\xC3');  // not UTF-8 on its own
    record.SaveImageFile = std::string(254, 'S');

    const auto outcome = config::WriteDriverConfiguration(registry, codePage, record);
    EXPECT_EQ(outcome.notWritten.back(),
              (config::UnwrittenValue{config::ValueId::DiskLabel, config::UnwrittenValue::Reason::NotStorable}));
    EXPECT_EQ(registry.GetValue(kKey, "DiskLabel")->data.size(), 255u) << "kept as it was";
    EXPECT_EQ(registry.GetValue(kKey, "SaveImageFile")->data.size(), 255u);
    EXPECT_EQ(registry.GetValue(kKey, "LoadImageFile")->data.size(), 255u);
}

}  // namespace
}  // namespace sarnex::testing
