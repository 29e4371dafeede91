#include "platform/win32/program_version_resource.h"

#include <cstring>

namespace sarnex::win32 {

namespace {

// The start of a VS_VERSIONINFO block: its length, the length of its value (the fixed file info),
// the value's type, and the key "VS_VERSION_INFO", then the value on the next 32-bit boundary.
struct VersionBlockHeader {
    WORD length;
    WORD valueLength;
    WORD type;
};
constexpr wchar_t kVersionKey[] = L"VS_VERSION_INFO";

}  // namespace

// Read straight from the resource: VERSION.dll is not one of the DLLs Windows always loads from its own
// folder, and a program that imports it could be handed a planted copy from the folder it runs from.
platform::ProgramVersion ReadProgramVersion(HINSTANCE instance) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16) /* RT_VERSION */);
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(instance, found);
    const DWORD size = SizeofResource(instance, found);
    const auto* block = static_cast<const unsigned char*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    constexpr std::size_t keyBytes = sizeof kVersionKey;
    constexpr std::size_t valueAt = (sizeof(VersionBlockHeader) + keyBytes + 3) & ~std::size_t{3};
    if (block == nullptr || size < valueAt + sizeof(VS_FIXEDFILEINFO)) return {};
    VersionBlockHeader header;
    std::memcpy(&header, block, sizeof header);
    VS_FIXEDFILEINFO info;
    std::memcpy(&info, block + valueAt, sizeof info);
    if (header.length > size || header.valueLength < sizeof info ||
        std::memcmp(block + sizeof header, kVersionKey, keyBytes) != 0 || info.dwSignature != VS_FFI_SIGNATURE)
        return {};
    return {static_cast<int>(HIWORD(info.dwFileVersionMS)), static_cast<int>(LOWORD(info.dwFileVersionMS)),
            static_cast<int>(HIWORD(info.dwFileVersionLS))};
}

}  // namespace sarnex::win32
