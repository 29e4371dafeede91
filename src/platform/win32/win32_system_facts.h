// The system facts through kernel32: GlobalMemoryStatusEx, CreateFileW and GetFileSizeEx,
// GetFileAttributesW, GetDiskFreeSpaceExW, GetLogicalDrives, GetDriveTypeW and QueryDosDeviceW.
// Paths go to Windows as UTF-16, so any name works.
#pragma once

#include "platform/system_facts.h"

namespace sarnex::win32 {

class Win32SystemFacts final : public platform::SystemFacts {
public:
    platform::PhysicalMemory Memory() const override;
    platform::FileFacts File(const std::string& path) const override;
    platform::FolderFacts Folder(const std::string& path) const override;
    platform::FreeSpace FreeSpaceFor(const std::string& folder) const override;
    platform::DriveLetterHolder DriveLetter(char letter) const override;
};

}  // namespace sarnex::win32
