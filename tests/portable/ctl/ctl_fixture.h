// sarnexctl run natively over the in-memory registry, the Western code page and files in memory.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "config/registry_record.h"
#include "config/value_codec.h"
#include "ctl/run.h"
#include "ctl/stored_key.h"
#include "support/code_page_1252.h"
#include "support/fixed_system_facts.h"
#include "support/memory_registry.h"

namespace sarnex::testing {

namespace registry_status = platform::registry_status;

// Values as the ANSI calls set them in the settings key: a text's bytes as given, a number in 4.
inline void PutText(MemoryRegistry& registry, std::string_view name, std::string_view bytes) {
    const auto* data = reinterpret_cast<const std::byte*>(bytes.data());
    registry.PutValue("Software\\Sarnex", name, 1, {data, data + bytes.size()});
}
inline void PutNumber(MemoryRegistry& registry, std::string_view name, std::int32_t number) {
    const auto bytes = config::EncodeNumber(number);
    registry.PutValue("Software\\Sarnex", name, 4, {bytes.begin(), bytes.end()});
}

class MemoryFiles final : public platform::Files {
public:
    std::optional<std::string> Read(const std::string& path, std::vector<std::byte>& contents) override {
        const auto found = files.find(path);
        if (found == files.end()) return std::string("The system cannot find the file specified. (error 2)");
        contents = found->second;
        return std::nullopt;
    }
    std::optional<std::string> Write(const std::string& path, std::span<const std::byte> contents) override {
        if (path.starts_with("Q:")) return std::string("The system cannot find the path specified. (error 3)");
        files[path].assign(contents.begin(), contents.end());
        return std::nullopt;
    }
    std::map<std::string, std::vector<std::byte>> files;
};

// A hard disk of 64 MB with FAT32, image saving and the TEMP directory; letter and label unused.
inline config::DriverConfiguration TypicalRecord() {
    config::DriverConfiguration r;
    r.DiskType = "HDC";
    r.LoadImageOnStart = 0;
    r.LoadImageFile = "C:\\load.img";
    r.SaveImageOnExit = 1;
    r.SaveImageFile = "C:\\save.img";
    r.SizeIn4kPages = 16384;
    r.AutoSaveEnabled = 0;
    r.DiskFormatFAT32 = 1;
    r.AutoSaveTrigger = 15;
    r.UserDriveLetter = 4;
    r.MakeTempDir = 1;
    r.UseDiskLabel = 0;
    r.DiskLabel = "Sarnexia";
    return r;
}

class CtlTest : public ::testing::Test {
protected:
    static constexpr const char* kKey = "Software\\Sarnex";

    void Store(const config::DriverConfiguration& record) {
        registry.AddKey(kKey);
        config::WriteDriverConfiguration(registry, codePage, record);
    }
    ctl::Outcome Run(std::vector<std::string> arguments) {
        return ctl::Run(arguments, {registry, codePage, files, facts, {1, 0, 7}});
    }
    config::DriverConfiguration Stored() { return config::ReadDriverConfiguration(registry, codePage).record; }

    MemoryRegistry registry;
    CodePage1252 codePage;
    MemoryFiles files;
    FixedSystemFacts facts = WithImageFolder();

    // The typical record saves its image to C:\ and loads none: only memory can run short.
    static FixedSystemFacts WithImageFolder() {
        FixedSystemFacts facts;
        facts.AddFolder("C:\\", 1024 * kMegabyte);
        return facts;
    }
};

}  // namespace sarnex::testing
