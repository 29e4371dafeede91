// System facts whose numbers a test sets: the physical memory, the files and folders that exist and
// the free space on their volumes. Paths not set up are missing.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/system_facts.h"

namespace sarnex::testing {

inline constexpr std::uint64_t kMegabyte = 1048576;

class FixedSystemFacts final : public platform::SystemFacts {
public:
    platform::PhysicalMemory Memory() const override { return memory; }
    platform::FileFacts File(const std::string& path) const override {
        const auto it = files.find(path);
        return it == files.end() ? platform::FileFacts{} : it->second;
    }
    platform::FolderFacts Folder(const std::string& path) const override {
        const auto it = folders.find(path);
        return it == folders.end() ? platform::FolderFacts{} : it->second;
    }
    platform::FreeSpace FreeSpaceFor(const std::string& folder) const override {
        const auto it = freeSpace.find(folder);
        return it == freeSpace.end() ? platform::FreeSpace{0, "No such volume."} : it->second;
    }

    platform::DriveLetterHolder DriveLetter(char letter) const override {
        const auto it = drives.find(letter);
        return it == drives.end() ? platform::DriveLetterHolder{} : it->second;
    }

    void AddFile(const std::string& path, std::uint64_t size) {
        files[path] = {platform::FileFacts::State::Readable, size, {}};
    }
    void AddFolder(const std::string& path, std::uint64_t freeBytes) {
        folders[path] = {platform::FolderFacts::State::Exists, {}};
        freeSpace[path] = {freeBytes, {}};
    }

    // Plenty by default, so that only the tests about memory find anything there.
    platform::PhysicalMemory memory{16384 * kMegabyte, 8192 * kMegabyte, {}};
    std::map<std::string, platform::FileFacts> files;
    std::map<std::string, platform::FolderFacts> folders;
    std::map<std::string, platform::FreeSpace> freeSpace;
    std::map<char, platform::DriveLetterHolder> drives;  // letters not set up are free
};

}  // namespace sarnex::testing
