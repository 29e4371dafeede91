// sarnexctl run natively over the in-memory registry, the Western code page and files in memory.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <sstream>

#include "config/value_codec.h"
#include "config/value_layout.h"
#include "ctl/run.h"
#include "platform/code_page_utf8.h"
#include "support/code_page_1252.h"
#include "support/fixed_system_facts.h"
#include "support/memory_registry.h"

namespace sarnex::testing {

using platform::KeyAccess, platform::StoredValue;
using Operation = RegistryOperation::Kind;
inline constexpr std::string_view kKey = "Software\\Sarnex";
inline const std::string kPath = "HKEY_LOCAL_MACHINE\\Software\\Sarnex";
inline constexpr std::uint32_t kDeleted = 0xFFFFFFFF, kFails = 0xFFFFFFFE;  // not registry types: see Values()

// Values by name, separated by blanks: "DiskType=FDC28" and "SizeIn4kPages=0x168" as a save keeps them (a
// REG_SZ in UTF-16LE with its zero, a REG_DWORD); "Odd:3=00ff" of that type with those bytes; "Gone=-"
// removed; "Name=!5" failing with that status ("open" to open the key, "write" to write to it).
inline std::vector<StoredValue> Values(const std::string& notation) {
    std::vector<StoredValue> values;
    std::istringstream words(notation);
    for (std::string word; words >> word;) {
        const std::string name = word.substr(0, word.find('=')), value = word.substr(name.size() + 1);
        const auto colon = name.find(':');
        const auto id = std::ranges::find(config::kWritingOrder, name, config::ValueName);
        StoredValue& v = values.emplace_back(name.substr(0, colon), config::kNumberType);
        if (colon != std::string::npos) {
            v.type = static_cast<std::uint32_t>(std::stoul(name.substr(colon + 1)));
            for (std::size_t i = 0; i < value.size(); i += 2)
                v.data.push_back(std::byte(std::stoi(value.substr(i, 2), nullptr, 16)));
        } else if (value == "-" || value[0] == '!') {
            v = {name, value == "-" ? kDeleted : kFails, {std::byte(std::atoi(&value[1]))}};
        } else if (id == config::kWritingOrder.end()) {
            ADD_FAILURE() << "no value is called " << name;
        } else if (config::LayoutOf(*id).text) {
            v = {name, config::kTextType, platform::Utf16LeBytes(platform::Utf16FromUtf8(value) + u'\0')};
        } else {
            for (const std::byte b : config::EncodeNumber(std::stoi(value, nullptr, 0))) v.data.push_back(b);
        }
    }
    return values;
}

// Files in memory; nothing can be written on Q:.
struct MemoryFiles final : platform::Files, std::map<std::string, std::vector<std::byte>> {
    std::optional<std::string> Read(const std::string& path, std::vector<std::byte>& contents) override {
        if (!contains(path)) return "The system cannot find the file specified. (error 2)";
        contents = at(path);
        return std::nullopt;
    }
    std::optional<std::string> Write(const std::string& path, std::span<const std::byte> contents) override {
        if (path.starts_with("Q:")) return "The system cannot find the path specified. (error 3)";
        (*this)[path].assign(contents.begin(), contents.end());
        return std::nullopt;
    }
};

struct CommandCase {
    std::string stored;   // changes to the typical key, as Values() takes them
    std::string command;  // the arguments, separated by blanks
    int exitCode;
    std::string output;   // the standard output, then the error stream
    std::string written;  // the changes it makes to the key; empty when it may write nothing
};

class CtlTest : public ::testing::Test {
protected:
    // A fresh registry with a hard disk of 64 MB with FAT32, saving its image to C:\ and making the TEMP
    // directory, without letter or label; then the changes.
    void Store(const std::string& changes = "") {
        registry = MemoryRegistry();
        registry.AddKey(kKey);
        for (const StoredValue& v : Values("DiskType=HDC LoadImageOnStart=0 LoadImageFile=C:\\load.img "
                                           "SaveImageOnExit=1 SaveImageFile=C:\\save.img SizeIn4kPages=16384 "
                                           "AutoSaveEnabled=0 DiskFormatFAT32=1 AutoSaveTrigger=15 UserDriveLetter=4 "
                                           "MakeTempDir=1 UseDiskLabel=0 DiskLabel=Sarnexia " + changes)) {
            const auto status = v.data.empty() ? 0 : std::to_integer<platform::RegistryStatus>(v.data[0]);
            if (v.type == kDeleted) platform::RegistryKey::Open(registry, kKey, KeyAccess::Set).second.Delete(v.name);
            else if (v.type != kFails) registry.PutStored(kKey, v);
            else if (v.name == "open") registry.FailOpen(kKey, status);
            else if (v.name == "write") registry.DenySet(kKey);
            else registry.FailSet(kKey, v.name, status);
        }
        registry.ClearOperations();
    }
    ctl::Outcome Run(const std::string& command, const platform::SystemFacts* otherFacts = nullptr) {
        std::istringstream words(command);
        return ctl::Run({std::istream_iterator<std::string>(words), {}},
                        {registry, codePage, files, otherFacts ? *otherFacts : facts, {1, 0, 7}});
    }
    std::vector<StoredValue> Kept() {
        std::vector<StoredValue> values;
        platform::RegistryKey::Open(registry, kKey, KeyAccess::Query).second.ReadStored(values);
        return values;
    }
    // Each case on a fresh registry. A registry error may have written what it then put back.
    void Expect(const std::vector<CommandCase>& cases) {
        for (const CommandCase& c : cases) {
            SCOPED_TRACE(c.command);
            Store(c.stored);
            std::vector<StoredValue> expected = Kept();
            for (const StoredValue& change : Values(c.written)) {
                const auto at = std::ranges::find(expected, change.name, &StoredValue::name);
                ASSERT_NE(at, expected.end()) << change.name;
                change.type == kDeleted ? void(expected.erase(at)) : void(*at = change);
            }
            const ctl::Outcome outcome = Run(c.command);
            EXPECT_EQ(outcome.out + outcome.err, c.output);
            EXPECT_EQ(outcome.exitCode, c.exitCode);
            EXPECT_EQ(Kept(), expected);
            const auto& ops = registry.Operations();
            const bool wrote = std::any_of(ops.begin(), ops.end(), [](auto& op) { return op.kind == Operation::Set; });
            EXPECT_TRUE(c.exitCode == ctl::exit_code::kRegistry || wrote == !c.written.empty());
        }
    }

    MemoryRegistry registry;
    CodePage1252 codePage;
    MemoryFiles files;
    FixedSystemFacts facts = [] { FixedSystemFacts f; f.AddFolder("C:\\", 1024 * kMegabyte); return f; }();
};

}  // namespace sarnex::testing
