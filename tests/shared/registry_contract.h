// The behaviour every Registry must show, written once and run against each implementation: the
// in-memory registry natively and advapi32 under Wine. An environment type provides
// Registry(), CodePage(), KeyPath() (an existing key, empty when the test starts) and
// MissingKeyPath().
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "config/registry_record.h"
#include "platform/registry.h"

namespace sarnex::registry_contract {

using namespace std::string_view_literals;
using platform::KeyAccess;

struct QueryResult {
    platform::RegistryStatus status;
    std::uint32_t type;
    std::uint32_t size;
    std::string buffer;  // the whole buffer after the call, filled with '~' before it
    friend bool operator==(const QueryResult&, const QueryResult&) = default;
};

template <class Env>
class RegistryContract : public ::testing::Test {
protected:
    platform::RegistryKey Open(KeyAccess access) {
        auto [status, key] = platform::RegistryKey::Open(env.Registry(), env.KeyPath(), access);
        EXPECT_EQ(status, 0);
        return std::move(key);
    }
    // Stores `data` as it is; the source keeps a zero byte after the data (as a std::string does), so
    // an implementation that looked one byte past a text's end would show it.
    void Put(std::string_view name, std::uint32_t type, std::string_view data) {
        const std::string source(data);
        ASSERT_EQ(Open(KeyAccess::Set).Set(name, type, std::as_bytes(std::span(source.data(), source.size()))), 0);
    }
    QueryResult Query(std::string_view name, std::size_t capacity) {
        QueryResult r{0, 0, 0, std::string(capacity, '~')};
        r.status = Open(KeyAccess::Query).Query(name, r.type, std::as_writable_bytes(std::span(r.buffer)), r.size);
        return r;
    }
    config::ReadOutcome ReadRecord() { return config::ReadDriverConfiguration(env.Registry(), env.CodePage(), env.KeyPath()); }

    Env env;
};

TYPED_TEST_SUITE_P(RegistryContract);

// Stored type and bytes, queried into a buffer of some size: status, type, size and buffer after.
TYPED_TEST_P(RegistryContract, QueriesReturnExactlyWhatIsStored) {
    const std::string full = std::string(254, 'a') + '\0';
    const struct {
        const char* name;
        std::uint32_t type;
        std::string stored;
        std::size_t capacity;
        QueryResult expected;
    } cases[] = {
        {"Fits", 1, full, 255, {0, 1, 255, full}},
        {"TooLong", 1, std::string(255, 'b') + '\0', 255, {234, 1, 256, std::string(255, '~')}},
        {"Unterminated", 1, "AB", 4, {0, 1, 3, std::string("AB\0~", 4)}},
        {"UnterminatedFull", 1, std::string(255, 'c'), 255, {234, 1, 256, std::string(255, '~')}},
        {"Split", 1, std::string("ab\0cd\0", 6), 8, {0, 1, 6, std::string("ab\0cd\0~~", 8)}},
        {"OneByte", 4, "\x01", 4, {0, 4, 1, "\x01~~~"}},
        {"EightBytes", 3, "\x01\x02\x03\x04\x05\x06\x07\x08", 4, {234, 3, 8, "~~~~"}},
        {"NumberAsText", 4, std::string("\x05\0\0\0", 4), 6, {0, 4, 4, std::string("\x05\0\0\0~~", 6)}},
        {"CaseOfTheName", 1, std::string("HDC\0", 4), 4, {0, 1, 4, std::string("HDC\0", 4)}},
    };
    for (const auto& c : cases) {
        this->Put(c.name, c.type, c.stored);
        EXPECT_EQ(this->Query(c.name, c.capacity), c.expected) << c.name;
    }
    EXPECT_EQ(this->Query("caseofthename", 4).status, 0) << "names ignore case";
    EXPECT_EQ(this->Query("NoSuchValue", 4).status, 2);
    std::uint32_t type = 0, size = 0;
    EXPECT_EQ(this->Open(KeyAccess::Query).Query("Fits", type, {}, size), 0) << "the size alone can be asked";
    EXPECT_EQ(size, 255u);
}

TYPED_TEST_P(RegistryContract, AKeyAllowsOnlyWhatItWasOpenedFor) {
    this->Put("Access", 4, "\x01\x00\x00\x00"sv);
    std::array<std::byte, 4> buffer{};
    std::uint32_t type = 0, size = 0;
    EXPECT_EQ(this->Open(KeyAccess::Query).Set("Access", 4, buffer), 5);
    EXPECT_EQ(this->Open(KeyAccess::Set).Query("Access", type, buffer, size), 5);
    EXPECT_EQ(this->Query("Access", 4).buffer[0], '\x01') << "the refused write changed nothing";
}

TYPED_TEST_P(RegistryContract, AMissingKeyIsNeverCreated) {
    for (KeyAccess access : {KeyAccess::Query, KeyAccess::Set, KeyAccess::Set}) {
        auto [status, key] = platform::RegistryKey::Open(this->env.Registry(), this->env.MissingKeyPath(), access);
        EXPECT_EQ(status, 2);
        EXPECT_FALSE(key.IsOpen());
    }
    EXPECT_EQ(config::ReadDriverConfiguration(this->env.Registry(), this->env.CodePage(), this->env.MissingKeyPath()).openStatus, 2);
    EXPECT_EQ(config::WriteDriverConfiguration(this->env.Registry(), this->env.CodePage(), {}, this->env.MissingKeyPath()).openStatus, 2);
}

// The record in the driver's layout: texts with their terminator, numbers in 4 bytes; a value that
// cannot be read is absent, one that cannot be stored keeps its old contents.
TYPED_TEST_P(RegistryContract, TheRecordRoundTripsInTheDriversLayout) {
    config::DriverConfiguration record{.DiskType = "FDC14", .LoadImageFile = "C:\\images\\disk.img", .SaveImageFile = "",
                                       .DiskLabel = "Sarnexia", .LoadImageOnStart = 1, .SaveImageOnExit = 0,
                                       .SizeIn4kPages = 1408, .AutoSaveEnabled = 1, .DiskFormatFAT32 = 0,
                                       .AutoSaveTrigger = 5, .UserDriveLetter = 16777219, .MakeTempDir = 1,
                                       .UseDiskLabel = 0};
    EXPECT_TRUE(config::WriteDriverConfiguration(this->env.Registry(), this->env.CodePage(), record, this->env.KeyPath())
                    .notWritten.empty());
    EXPECT_EQ(this->ReadRecord().record, record);
    EXPECT_EQ(this->Query("DiskType", 8), (QueryResult{0, 1, 6, std::string("FDC14\0~~", 8)}));
    EXPECT_EQ(this->Query("SaveImageFile", 2), (QueryResult{0, 1, 1, std::string("\0~", 2)}));
    EXPECT_EQ(this->Query("UserDriveLetter", 4), (QueryResult{0, 4, 4, std::string("\x03\0\0\x01", 4)}));

    record.DiskLabel = std::string(255, 'L');
    record.LoadImageFile = "\xE4\xB8\xAD.img";  // a character with no single-byte code
    const auto written = config::WriteDriverConfiguration(this->env.Registry(), this->env.CodePage(), record, this->env.KeyPath());
    using Reason = config::UnwrittenValue::Reason;
    EXPECT_EQ(written.notWritten, (std::vector<config::UnwrittenValue>{{config::ValueId::LoadImageFile, Reason::NotStorable},
                                                                       {config::ValueId::DiskLabel, Reason::NotStorable}}));
    EXPECT_EQ(this->ReadRecord().record.DiskLabel, "Sarnexia");

    this->Put("DiskType", 1, "HD\0C\0"sv);
    this->Put("LoadImageOnStart", 1, "1\0"sv);  // a text read as a number: '1' is 49
    this->Put("LoadImageFile", 1, std::string(255, 'x') + '\0');
    this->Put("SizeIn4kPages", 3, "\x01"sv);
    this->Put("AutoSaveTrigger", 3, "\x01\x00\x00\x00\x00\x00\x00\x00"sv);
    const config::DriverConfiguration read = this->ReadRecord().record;
    EXPECT_EQ(read.DiskType, "HDC");
    EXPECT_EQ(read.LoadImageOnStart, 49);
    EXPECT_EQ(read.LoadImageFile, std::nullopt);
    EXPECT_EQ(read.SizeIn4kPages, 1);
    EXPECT_EQ(read.AutoSaveTrigger, std::nullopt);
}

TYPED_TEST_P(RegistryContract, CreatingAKeyMakesItOnceAndKeepsWhatItHolds) {
    platform::Registry& registry = this->env.Registry();
    EXPECT_EQ(registry.CreateKey(this->env.MissingKeyPath()), 0);
    EXPECT_EQ(platform::RegistryKey::Open(registry, this->env.MissingKeyPath(), KeyAccess::Set).first, 0);
    this->Put("Kept", 4, "\x07\x00\x00\x00"sv);
    EXPECT_EQ(registry.CreateKey(this->env.KeyPath()), 0);
    EXPECT_EQ(this->Query("Kept", 4).buffer[0], '\x07');
}

// Texts are kept in UTF-16 whichever way they were set; every other type, and a malformed text,
// exactly as given; a name keeps the case it was first given.
TYPED_TEST_P(RegistryContract, StoredValuesAreTheBytesUnderneathTheAnsiCalls) {
    using platform::StoredValue;
    const auto bytes = [](std::string_view data) {
        const auto* first = reinterpret_cast<const std::byte*>(data.data());
        return std::vector<std::byte>(first, first + data.size());
    };
    this->Put("DiskType", 1, "HDD\0"sv);
    this->Put("DISKTYPE", 1, "HDC\0"sv);
    this->Put("Size", 4, "\x00\x05\x00\x00"sv);
    const std::vector<StoredValue> odd = {
        {"", 1, bytes("d\0\0\0"sv)},         // the default value
        {"Letter", 1, bytes("x\0\0\0"sv)},   // "x", which the ANSI query shows in the code page
        {"Odd", 1, bytes("a\0b"sv)},           // a text of three bytes
        {"Short", 4, bytes("\x01\x02"sv)},
        {"Unknown", 0xFFFF0000u, bytes("\x01"sv)},
        {"Nothing", 3, {}},
    };
    {
        const platform::RegistryKey key = this->Open(KeyAccess::Set);
        for (const StoredValue& value : odd) EXPECT_EQ(key.SetStored(value), 0) << value.name;
        std::vector<StoredValue> none;
        EXPECT_EQ(key.ReadStored(none), 5) << "reading needs a key opened for reading";
    }
    std::vector<StoredValue> read;
    ASSERT_EQ(this->Open(KeyAccess::Query).ReadStored(read), 0);
    std::vector<StoredValue> expected = odd;
    expected.push_back({"DiskType", 1, bytes("H\0D\0C\0\0\0"sv)});
    expected.push_back({"Size", 4, bytes("\x00\x05\x00\x00"sv)});
    for (auto* values : {&read, &expected})
        std::sort(values->begin(), values->end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    EXPECT_EQ(read, expected);
    EXPECT_EQ(this->Query("Letter", 4), (QueryResult{0, 1, 2, std::string("x\0~~", 4)}));
}

TYPED_TEST_P(RegistryContract, DeletingAValueNeedsAKeyOpenedForSetting) {
    this->Put("Gone", 4, "\x01\x00\x00\x00"sv);
    EXPECT_EQ(this->Open(KeyAccess::Query).Delete("Gone"), 5);
    EXPECT_EQ(this->Open(KeyAccess::Set).Delete("GONE"), 0);
    EXPECT_EQ(this->Query("Gone", 4).status, 2);
    EXPECT_EQ(this->Open(KeyAccess::Set).Delete("Gone"), 2);
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, QueriesReturnExactlyWhatIsStored, AKeyAllowsOnlyWhatItWasOpenedFor,
                            AMissingKeyIsNeverCreated, TheRecordRoundTripsInTheDriversLayout,
                            CreatingAKeyMakesItOnceAndKeepsWhatItHolds, StoredValuesAreTheBytesUnderneathTheAnsiCalls,
                            DeletingAValueNeedsAKeyOpenedForSetting);

}  // namespace sarnex::registry_contract
