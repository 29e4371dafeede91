#include "platform/win32/win32_files.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace sarnex::win32 {

std::string SystemErrorText(unsigned long code) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer != nullptr ? buffer : L"", length);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    return (text.empty() ? std::string("error") : Narrow(text)) + " (error " + std::to_string(code) + ")";
}

std::optional<std::string> Win32Files::Read(const std::string& path, std::vector<std::byte>& contents) {
    const HANDLE opened = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return SystemErrorText(GetLastError());
    const KernelHandle file(opened);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return SystemErrorText(GetLastError());
    if (size.QuadPart > 64 * 1024 * 1024) return std::string("the file is larger than 64 MB");
    contents.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!contents.empty() && !ReadFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()), &read, nullptr))
        return SystemErrorText(GetLastError());
    contents.resize(read);
    return std::nullopt;
}

std::optional<std::string> Win32Files::Write(const std::string& path, std::span<const std::byte> contents) {
    const HANDLE created = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) return SystemErrorText(GetLastError());
    const KernelHandle file(created);
    DWORD written = 0;
    if (!WriteFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) ||
        written != contents.size())
        return SystemErrorText(GetLastError());
    return std::nullopt;
}

}  // namespace sarnex::win32
