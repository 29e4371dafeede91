// The behaviour every Registry must show, written once and run against each implementation: the
// in-memory registry natively and advapi32 under Wine. An environment type provides:
//   platform::Registry& Registry();
//   const platform::CodePage& CodePage();
//   std::string KeyPath();          an existing key, empty when the test starts
//   std::string MissingKeyPath();   a key that does not exist
//   static constexpr bool kCanFailWrites; void FailWrite(std::string_view name, RegistryStatus status);
#pragma once

#include "config/registry_record.h"
#include "platform/registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sarnex::registry_contract {

inline std::vector<std::byte> Bytes(std::string_view text) {
    std::vector<std::byte> bytes(text.size());
    std::transform(text.begin(), text.end(), bytes.begin(), [](char c) { return static_cast<std::byte>(c); });
    return bytes;
}

struct QueryResult {
    platform::RegistryStatus status;
    std::uint32_t type;
    std::uint32_t size;
    std::vector<std::byte> buffer;  // the whole buffer after the call, pre-filled with 0xEE
};

template <class Env>
class RegistryContract : public ::testing::Test {
protected:
    platform::RegistryKey OpenTestKey(platform::KeyAccess access) {
        auto [status, key] = platform::RegistryKey::Open(env.Registry(), env.KeyPath(), access);
        EXPECT_EQ(status, 0);
        return std::move(key);
    }

    // Stores `data` as it is; the source keeps a zero byte after the data (as a std::string does), so
    // implementations that look one byte past a string's end behave as they would for the program.
    void Put(std::string_view name, std::uint32_t type, std::string_view data) {
        const std::string source(data);
        ASSERT_EQ(OpenTestKey(platform::KeyAccess::Set).Set(name, type, std::as_bytes(std::span(source.data(), source.size()))), 0);
    }

    QueryResult Query(std::string_view name, std::size_t capacity) {
        QueryResult result{0, 0, 0, std::vector<std::byte>(capacity, std::byte{0xEE})};
        result.status = OpenTestKey(platform::KeyAccess::Query).Query(name, result.type, result.buffer, result.size);
        return result;
    }

    config::ReadOutcome ReadRecord() {
        return config::ReadDriverConfiguration(env.Registry(), env.CodePage(), env.KeyPath());
    }
    config::WriteOutcome WriteRecord(const config::DriverConfiguration& record) {
        return config::WriteDriverConfiguration(env.Registry(), env.CodePage(), record, env.KeyPath());
    }

    static config::DriverConfiguration FullRecord() {
        config::DriverConfiguration record;
        record.DiskType = "FDC14";
        record.LoadImageOnStart = 1;
        record.LoadImageFile = "C:\\images\\disk.img";
        record.SaveImageOnExit = 0;
        record.SaveImageFile = "";
        record.SizeIn4kPages = 1408;
        record.AutoSaveEnabled = 1;
        record.DiskFormatFAT32 = 0;
        record.AutoSaveTrigger = 5;
        record.UserDriveLetter = 16777219;
        record.MakeTempDir = 1;
        record.UseDiskLabel = 0;
        record.DiskLabel = "Sarnexia";
        return record;
    }

    Env env;
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, MissingKeyIsNotFoundAndOpeningDoesNotCreateIt) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto [status, key] = platform::RegistryKey::Open(this->env.Registry(), this->env.MissingKeyPath(), platform::KeyAccess::Set);
        EXPECT_EQ(status, 2);
        EXPECT_FALSE(key.IsOpen());
    }
}

TYPED_TEST_P(RegistryContract, AKeyAllowsOnlyWhatItWasOpenedFor) {
    this->Put("Access", 4, std::string("\x01\x00\x00\x00", 4));
    const std::array<std::byte, 4> data{};
    std::array<std::byte, 4> buffer{};
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(this->OpenTestKey(platform::KeyAccess::Query).Set("Access", 4, data), 5);
    EXPECT_EQ(this->OpenTestKey(platform::KeyAccess::Set).Query("Access", type, buffer, size), 5);
    EXPECT_EQ(this->Query("Access", 4).buffer[0], std::byte{1}) << "the refused write changed nothing";
}

TYPED_TEST_P(RegistryContract, MissingValueIsNotFound) {
    EXPECT_EQ(this->Query("NoSuchValue", 4).status, 2);
}

TYPED_TEST_P(RegistryContract, TextOf255BytesFitsAndOf256BytesNeedsMoreData) {
    const std::string fits = std::string(254, 'a') + '\0';
    this->Put("Fits", 1, fits);
    const QueryResult read = this->Query("Fits", 255);
    EXPECT_EQ(read.status, 0);
    EXPECT_EQ(read.type, 1u);
    EXPECT_EQ(read.size, 255u);
    EXPECT_EQ(read.buffer, Bytes(fits));

    this->Put("TooLong", 1, std::string(255, 'b') + '\0');
    const QueryResult tooLong = this->Query("TooLong", 255);
    EXPECT_EQ(tooLong.status, 234);
    EXPECT_EQ(tooLong.size, 256u);
    EXPECT_EQ(tooLong.buffer, std::vector<std::byte>(255, std::byte{0xEE})) << "buffer must stay untouched";
}

TYPED_TEST_P(RegistryContract, EmbeddedZeroBytesAreKept) {
    using namespace std::string_view_literals;
    this->Put("Split", 1, "ab\0cd\0"sv);
    const QueryResult read = this->Query("Split", 16);
    EXPECT_EQ(read.status, 0);
    ASSERT_EQ(read.size, 6u);
    EXPECT_EQ(std::vector(read.buffer.begin(), read.buffer.begin() + 6), Bytes("ab\0cd\0"sv));
}

TYPED_TEST_P(RegistryContract, TextWithoutTerminatorCountsOneMoreByte) {
    this->Put("Short", 1, "AB");
    const QueryResult shortText = this->Query("Short", 16);
    EXPECT_EQ(shortText.status, 0);
    ASSERT_EQ(shortText.size, 3u);
    EXPECT_EQ(std::vector(shortText.buffer.begin(), shortText.buffer.begin() + 3), Bytes(std::string_view("AB\0", 3)));

    this->Put("Full", 1, std::string(255, 'c'));
    const QueryResult full = this->Query("Full", 255);
    EXPECT_EQ(full.status, 234);
    EXPECT_EQ(full.size, 256u);
}

TYPED_TEST_P(RegistryContract, NumbersOfOneAndEightBytes) {
    using namespace std::string_view_literals;
    this->Put("OneByte", 4, "\x01"sv);
    const QueryResult one = this->Query("OneByte", 4);
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.type, 4u);
    EXPECT_EQ(one.size, 1u);
    EXPECT_EQ(one.buffer[0], std::byte{1});

    this->Put("EightBytes", 3, "\x01\x02\x03\x04\x05\x06\x07\x08"sv);
    const QueryResult eight = this->Query("EightBytes", 4);
    EXPECT_EQ(eight.status, 234);
    EXPECT_EQ(eight.size, 8u);
    EXPECT_EQ(eight.buffer, std::vector<std::byte>(4, std::byte{0xEE}));
}

TYPED_TEST_P(RegistryContract, TypeIsNotCheckedOnReadingAndSizeAloneCanBeAsked) {
    using namespace std::string_view_literals;
    this->Put("Number", 4, "\x05\x00\x00\x00"sv);
    const QueryResult asText = this->Query("Number", 255);
    EXPECT_EQ(asText.status, 0);
    EXPECT_EQ(asText.type, 4u);
    EXPECT_EQ(asText.size, 4u);

    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(this->OpenTestKey(platform::KeyAccess::Query).Query("Number", type, {}, size), 0);
    EXPECT_EQ(size, 4u);
}

TYPED_TEST_P(RegistryContract, ValueNamesIgnoreCase) {
    this->Put("DiskType", 1, std::string_view("HDC\0", 4));
    EXPECT_EQ(this->Query("disktype", 16).status, 0);
    this->Put("DISKTYPE", 1, std::string_view("FDC14\0", 6));
    EXPECT_EQ(this->Query("DiskType", 16).size, 6u);
}

TYPED_TEST_P(RegistryContract, RecordRoundTripsWithTheDriversLayout) {
    const config::DriverConfiguration written = this->FullRecord();
    const config::WriteOutcome outcome = this->WriteRecord(written);
    EXPECT_TRUE(outcome.KeyOpened());
    EXPECT_TRUE(outcome.notWritten.empty());

    const config::ReadOutcome read = this->ReadRecord();
    EXPECT_TRUE(read.KeyOpened());
    EXPECT_EQ(read.record, written);

    const QueryResult diskType = this->Query("DiskType", 255);
    EXPECT_EQ(diskType.type, 1u);
    ASSERT_EQ(diskType.size, 6u);
    EXPECT_EQ(diskType.buffer[5], std::byte{0});
    const QueryResult emptyText = this->Query("SaveImageFile", 255);
    EXPECT_EQ(emptyText.type, 1u);
    ASSERT_EQ(emptyText.size, 1u);
    EXPECT_EQ(emptyText.buffer[0], std::byte{0});
    const QueryResult number = this->Query("UserDriveLetter", 255);
    EXPECT_EQ(number.type, 4u);
    ASSERT_EQ(number.size, 4u);
    EXPECT_EQ(std::vector(number.buffer.begin(), number.buffer.begin() + 4),
              (std::vector{std::byte{3}, std::byte{0}, std::byte{0}, std::byte{1}}));
}

TYPED_TEST_P(RegistryContract, RecordReadingTakesWhatFitsAndSkipsTheRest) {
    using namespace std::string_view_literals;
    this->Put("DiskType", 1, "HD\0C\0"sv);
    this->Put("LoadImageOnStart", 1, "1\0"sv);  // a text read as a number: '1' is 49
    this->Put("LoadImageFile", 1, std::string(255, 'x') + '\0');
    this->Put("SizeIn4kPages", 3, "\x01"sv);
    this->Put("AutoSaveTrigger", 3, "\x01\x00\x00\x00\x00\x00\x00\x00"sv);
    this->Put("DiskLabel", 4, "\x41\x42\x00\x43"sv);

    const config::ReadOutcome read = this->ReadRecord();
    ASSERT_TRUE(read.KeyOpened());
    EXPECT_EQ(read.record.DiskType, "HDC");
    EXPECT_EQ(read.record.LoadImageOnStart, 49);
    EXPECT_EQ(read.record.LoadImageFile, std::nullopt);
    EXPECT_EQ(read.record.SizeIn4kPages, 1);
    EXPECT_EQ(read.record.AutoSaveTrigger, std::nullopt);
    EXPECT_EQ(read.record.DiskLabel, "ABC");
    EXPECT_EQ(read.record.SaveImageFile, std::nullopt);
    EXPECT_EQ(read.record.UseDiskLabel, std::nullopt);
}

TYPED_TEST_P(RegistryContract, MissingKeyReadsNothingAndWritesNothing) {
    const config::ReadOutcome read =
        config::ReadDriverConfiguration(this->env.Registry(), this->env.CodePage(), this->env.MissingKeyPath());
    EXPECT_EQ(read.openStatus, 2);
    EXPECT_EQ(read.record, config::DriverConfiguration{});

    const config::WriteOutcome write = config::WriteDriverConfiguration(
        this->env.Registry(), this->env.CodePage(), this->FullRecord(), this->env.MissingKeyPath());
    EXPECT_EQ(write.openStatus, 2);
    auto [status, key] = platform::RegistryKey::Open(this->env.Registry(), this->env.MissingKeyPath(), platform::KeyAccess::Set);
    EXPECT_EQ(status, 2) << "writing must not create the key";
}

TYPED_TEST_P(RegistryContract, TextThatCannotBeStoredKeepsItsValueAndTheRestIsWritten) {
    this->Put("DiskLabel", 1, std::string_view("Old\0", 4));
    this->Put("LoadImageFile", 1, std::string_view("old.img\0", 8));
    config::DriverConfiguration record = this->FullRecord();
    record.DiskLabel = std::string(255, 'L');
    record.LoadImageFile = "\xE4\xB8\xAD.img";  // a character with no single-byte code
    record.SaveImageFile = std::string(254, 'S');

    const config::WriteOutcome outcome = this->WriteRecord(record);
    using Reason = config::UnwrittenValue::Reason;
    EXPECT_EQ(outcome.notWritten, (std::vector<config::UnwrittenValue>{
                                      {config::ValueId::LoadImageFile, Reason::NotStorable},
                                      {config::ValueId::DiskLabel, Reason::NotStorable}}));

    const config::ReadOutcome read = this->ReadRecord();
    EXPECT_EQ(read.record.DiskLabel, "Old");
    EXPECT_EQ(read.record.LoadImageFile, "old.img");
    EXPECT_EQ(read.record.SaveImageFile, std::string(254, 'S'));
    EXPECT_EQ(this->Query("SaveImageFile", 255).size, 255u);
    EXPECT_EQ(read.record.UseDiskLabel, 0);
}

TYPED_TEST_P(RegistryContract, FailingWriteInTheMiddleStillWritesTheRest) {
    if constexpr (!TypeParam::kCanFailWrites) {
        GTEST_SKIP() << "this registry cannot be made to fail a write";
    } else {
        this->Put("SizeIn4kPages", 4, std::string_view("\x00\x05\x00\x00", 4));
        this->env.FailWrite("SizeIn4kPages", 5);
        const config::DriverConfiguration record = this->FullRecord();

        const config::WriteOutcome outcome = this->WriteRecord(record);
        EXPECT_EQ(outcome.notWritten, (std::vector<config::UnwrittenValue>{
                                          {config::ValueId::SizeIn4kPages, config::UnwrittenValue::Reason::SetFailed, 5}}));
        config::DriverConfiguration expected = record;
        expected.SizeIn4kPages = 1280;  // the old contents
        EXPECT_EQ(this->ReadRecord().record, expected);
    }
}

TYPED_TEST_P(RegistryContract, CreatingAKeyMakesItOnceAndKeepsWhatItHolds) {
    platform::Registry& registry = this->env.Registry();
    EXPECT_EQ(registry.CreateKey(this->env.MissingKeyPath()), 0);
    EXPECT_EQ(platform::RegistryKey::Open(registry, this->env.MissingKeyPath(), platform::KeyAccess::Set).first, 0);
    this->Put("Kept", 4, std::string_view("\x07\x00\x00\x00", 4));
    EXPECT_EQ(registry.CreateKey(this->env.KeyPath()), 0);
    EXPECT_EQ(this->Query("Kept", 4).buffer[0], std::byte{7});
}

// Texts are kept in UTF-16 whichever way they were set; every other type, and any malformed text,
// exactly as given; a name keeps the case it was first given.
TYPED_TEST_P(RegistryContract, StoredValuesAreTheBytesUnderneathTheAnsiCalls) {
    using namespace std::string_view_literals;
    using platform::StoredValue;
    this->Put("DiskType", 1, "HDD\0"sv);
    this->Put("DISKTYPE", 1, "HDC\0"sv);
    this->Put("Size", 4, "\x00\x05\x00\x00"sv);
    const std::vector<StoredValue> odd = {
        {"", 1, Bytes("d\0\0\0"sv)},                 // the default value
        {"Letter", 1, Bytes("x\0\0\0"sv)},            // "x", as the ANSI query shows it in the code page
        {"Odd", 1, Bytes("a\0b"sv)},                     // a text of three bytes
        {"Short", 4, Bytes("\x01\x02"sv)},
        {"Unknown", 0xFFFF0000u, Bytes("\x01"sv)},
        {"Nothing", 3, {}},
    };
    {
        const platform::RegistryKey key = this->OpenTestKey(platform::KeyAccess::Set);
        for (const StoredValue& value : odd) EXPECT_EQ(key.SetStored(value), 0) << value.name;
        std::vector<StoredValue> none;
        EXPECT_EQ(key.ReadStored(none), 5) << "reading needs a key opened for reading";
    }
    std::vector<StoredValue> read;
    ASSERT_EQ(this->OpenTestKey(platform::KeyAccess::Query).ReadStored(read), 0);
    std::sort(read.begin(), read.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    std::vector<StoredValue> expected = odd;
    expected.push_back({"DiskType", 1, Bytes("H\0D\0C\0\0\0"sv)});
    expected.push_back({"Size", 4, Bytes("\x00\x05\x00\x00"sv)});
    std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    EXPECT_EQ(read, expected);
    const QueryResult letter = this->Query("Letter", 8);
    EXPECT_EQ(std::vector(letter.buffer.begin(), letter.buffer.begin() + letter.size), Bytes("x\0"sv));
}

TYPED_TEST_P(RegistryContract, DeletingAValueNeedsAKeyOpenedForSetting) {
    this->Put("Gone", 4, std::string_view("\x01\x00\x00\x00", 4));
    EXPECT_EQ(this->OpenTestKey(platform::KeyAccess::Query).Delete("Gone"), 5);
    EXPECT_EQ(this->OpenTestKey(platform::KeyAccess::Set).Delete("GONE"), 0);
    EXPECT_EQ(this->Query("Gone", 4).status, 2);
    EXPECT_EQ(this->OpenTestKey(platform::KeyAccess::Set).Delete("Gone"), 2);
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, AKeyAllowsOnlyWhatItWasOpenedFor, MissingKeyIsNotFoundAndOpeningDoesNotCreateIt, MissingValueIsNotFound,
                            TextOf255BytesFitsAndOf256BytesNeedsMoreData, EmbeddedZeroBytesAreKept,
                            TextWithoutTerminatorCountsOneMoreByte, NumbersOfOneAndEightBytes,
                            TypeIsNotCheckedOnReadingAndSizeAloneCanBeAsked, ValueNamesIgnoreCase,
                            RecordRoundTripsWithTheDriversLayout, RecordReadingTakesWhatFitsAndSkipsTheRest,
                            MissingKeyReadsNothingAndWritesNothing,
                            TextThatCannotBeStoredKeepsItsValueAndTheRestIsWritten,
                            FailingWriteInTheMiddleStillWritesTheRest,
                            CreatingAKeyMakesItOnceAndKeepsWhatItHolds,
                            StoredValuesAreTheBytesUnderneathTheAnsiCalls,
                            DeletingAValueNeedsAKeyOpenedForSetting);

}  // namespace sarnex::registry_contract
