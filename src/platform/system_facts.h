// Facts about the machine that the driver's settings must fit: its physical memory, the image files
// and their folders, the free space on a volume. Paths are UTF-8. When the system cannot give a fact,
// the answer says why in the system's own words, so the caller can report it.
#pragma once

#include <cstdint>
#include <string>

namespace sarnex::platform {

struct PhysicalMemory {
    std::uint64_t total = 0;      // bytes
    std::uint64_t available = 0;  // bytes free for use now
    std::string failure;          // why the system could not tell; empty when it could
};

struct FileFacts {
    enum class State { Readable, Missing, Unreadable };
    State state = State::Missing;
    std::uint64_t size = 0;  // bytes, when readable
    std::string failure;     // why it cannot be opened for reading
};

struct FolderFacts {
    enum class State { Exists, Missing, Unreachable };  // Missing also when a file has that name
    State state = State::Missing;
    std::string failure;  // why it cannot be reached
};

struct FreeSpace {
    std::uint64_t bytes = 0;  // free on the volume, whatever the current user's quota
    std::string failure;      // why the system could not tell; empty when it could
};

// What holds a drive letter, as Windows says it: its drive type and the device the letter names.
struct DriveLetterHolder {
    enum class Kind { Free, Removable, Fixed, Network, CdRom, RamDisk, Other };
    Kind kind = Kind::Free;
    std::string device;  // "\\Device\\CdRom0"; a SUBST names its folder as "\\??\\C:\\Temp"
};

class SystemFacts {
public:
    virtual ~SystemFacts() = default;
    virtual PhysicalMemory Memory() const = 0;
    // Whether the file exists and can be opened for reading, and its size.
    virtual FileFacts File(const std::string& path) const = 0;
    virtual FolderFacts Folder(const std::string& path) const = 0;
    // The free space on the volume that holds `folder`.
    virtual FreeSpace FreeSpaceFor(const std::string& folder) const = 0;
    // What holds the drive letter `letter` ('A' to 'Z') now, in this logon session.
    virtual DriveLetterHolder DriveLetter(char letter) const = 0;
};

}  // namespace sarnex::platform
