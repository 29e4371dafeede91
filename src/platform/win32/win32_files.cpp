#include "platform/win32/win32_files.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_error.h"
#include "platform/win32/wide_text.h"

namespace sarnex::win32 {

namespace {

// The system's words for the last error, with its number: "Access is denied. (error 5)".
std::string LastError() {
    const DWORD error = GetLastError();
    return SystemMessage(error) + " (error " + std::to_string(error) + ")";
}

}  // namespace

std::optional<std::string> Win32Files::Read(const std::string& path, std::vector<std::byte>& contents) {
    // Opening a folder fails as "access denied", which would send the user looking for rights.
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::string("it is a folder, not a file");
    const FileHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return LastError();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return LastError();
    if (size.QuadPart > 64 * 1024 * 1024) return std::string("The file is larger than 64 MB.");
    contents.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!contents.empty() && !ReadFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()), &read, nullptr))
        return LastError();
    contents.resize(read);
    return std::nullopt;
}

std::optional<std::string> Win32Files::Write(const std::string& path, std::span<const std::byte> contents) {
    const FileHandle file(
        CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return LastError();
    DWORD written = 0;
    if (!WriteFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) ||
        written != contents.size())
        return LastError();
    return std::nullopt;
}

}  // namespace sarnex::win32
