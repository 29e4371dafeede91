#include "platform/win32/win32_system_facts.h"

#include <windows.h>

#include "platform/win32/windows_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace sarnex::win32 {
namespace {

bool NotFound(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

}  // namespace

platform::PhysicalMemory Win32SystemFacts::Memory() const {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return {0, 0, SystemMessage(GetLastError())};
    return {status.ullTotalPhys, status.ullAvailPhys, {}};
}

platform::FileFacts Win32SystemFacts::File(const std::string& path) const {
    using State = platform::FileFacts::State;
    const std::wstring name = Widen(path);
    // Shared with every kind of access: the driver or another program may hold the file open.
    const HANDLE opened = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (NotFound(error)) return {State::Missing, 0, {}};
        const DWORD attributes = GetFileAttributesW(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return {State::Unreadable, 0, "It is a folder."};
        return {State::Unreadable, 0, SystemMessage(error)};
    }
    const FileHandle file(opened);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return {State::Unreadable, 0, SystemMessage(GetLastError())};
    return {State::Readable, static_cast<std::uint64_t>(size.QuadPart), {}};
}

platform::FolderFacts Win32SystemFacts::Folder(const std::string& path) const {
    using State = platform::FolderFacts::State;
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (NotFound(error)) return {State::Missing, {}};
        return {State::Unreachable, SystemMessage(error)};
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return {State::Missing, {}};
    return {State::Exists, {}};
}

// The driver writes the image as SYSTEM, which no user's disk quota limits: the volume's free bytes
// count, not what is left to the user asking.
platform::FreeSpace Win32SystemFacts::FreeSpaceFor(const std::string& folder) const {
    ULARGE_INTEGER freeOnVolume{};
    if (!GetDiskFreeSpaceExW(Widen(folder).c_str(), nullptr, nullptr, &freeOnVolume))
        return {0, SystemMessage(GetLastError())};
    return {freeOnVolume.QuadPart, {}};
}

platform::DriveLetterHolder Win32SystemFacts::DriveLetter(char letter) const {
    using Kind = platform::DriveLetterHolder::Kind;
    const wchar_t name[] = {static_cast<wchar_t>(letter), L':', L'\0'};
    std::wstring device(1024, L'\0');
    const DWORD length = QueryDosDeviceW(name, device.data(), static_cast<DWORD>(device.size()));
    const bool mapped = length != 0;
    if (!mapped && (GetLogicalDrives() & (1u << (letter - 'A'))) == 0) return {Kind::Free, {}};
    device.resize(mapped ? wcslen(device.c_str()) : 0);
    const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
    switch (GetDriveTypeW(root)) {
        case DRIVE_REMOVABLE: return {Kind::Removable, Narrow(device)};
        case DRIVE_FIXED: return {Kind::Fixed, Narrow(device)};
        case DRIVE_REMOTE: return {Kind::Network, Narrow(device)};
        case DRIVE_CDROM: return {Kind::CdRom, Narrow(device)};
        case DRIVE_RAMDISK: return {Kind::RamDisk, Narrow(device)};
        default: return {Kind::Other, Narrow(device)};
    }
}

}  // namespace sarnex::win32
