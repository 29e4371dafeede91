#include "platform/win32/advapi32_registry.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/wide_text.h"

namespace sarnex::win32 {
namespace {

using platform::RegistryKeyHandle;
using platform::RegistryStatus;

HKEY ToHkey(RegistryKeyHandle key) { return reinterpret_cast<HKEY>(key.value); }

// The native view on 64-bit Windows: the key regedit shows and a 64-bit driver reads, never the
// Wow6432Node copy a 32-bit program is otherwise given. 32-bit Windows ignores the flag.
constexpr REGSAM kNativeView = KEY_WOW64_64KEY;

// How often a value is read again when it grew between the sizing and the reading.
constexpr int kReadsOfAGrowingValue = 8;

}  // namespace

RegistryStatus Advapi32Registry::OpenKey(std::string_view subKey, platform::KeyAccess access,
                                        RegistryKeyHandle& key) {
    HKEY opened = nullptr;
    const REGSAM rights = access == platform::KeyAccess::Query ? KEY_QUERY_VALUE : KEY_SET_VALUE;
    const LONG status =
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, std::string(subKey).c_str(), 0, rights | kNativeView, &opened);
    if (status == ERROR_SUCCESS) key.value = reinterpret_cast<std::uintptr_t>(opened);
    return status;
}

RegistryStatus Advapi32Registry::QueryValue(RegistryKeyHandle key, std::string_view name, std::uint32_t& type,
                                            std::byte* data, std::uint32_t& size) {
    DWORD valueType = 0;
    DWORD valueSize = size;
    const LONG status = RegQueryValueExA(ToHkey(key), std::string(name).c_str(), nullptr, &valueType,
                                         reinterpret_cast<BYTE*>(data), &valueSize);
    type = valueType;
    size = valueSize;
    return status;
}

RegistryStatus Advapi32Registry::SetValue(RegistryKeyHandle key, std::string_view name, std::uint32_t type,
                                          const std::byte* data, std::uint32_t size) {
    return RegSetValueExA(ToHkey(key), std::string(name).c_str(), 0, type, reinterpret_cast<const BYTE*>(data),
                          size);
}

RegistryStatus Advapi32Registry::CloseKey(RegistryKeyHandle key) { return RegCloseKey(ToHkey(key)); }

RegistryStatus Advapi32Registry::CreateKey(std::string_view subKey) {
    HKEY created = nullptr;
    const LONG status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, Widen(subKey).c_str(), 0, nullptr, 0,
                                        KEY_QUERY_VALUE | kNativeView, nullptr, &created, nullptr);
    if (status == ERROR_SUCCESS) RegCloseKey(created);
    return status;
}

RegistryStatus Advapi32Registry::ReadStoredValues(RegistryKeyHandle key, std::vector<platform::StoredValue>& values) {
    values.clear();
    DWORD longestName = 0;
    DWORD largestData = 0;
    LONG status = RegQueryInfoKeyW(ToHkey(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                   &longestName, &largestData, nullptr, nullptr);
    if (status != ERROR_SUCCESS) return status;
    std::wstring name(longestName + 1, L'\0');
    std::vector<BYTE> data(largestData + 1);  // never empty: a null buffer would ask for sizes only
    for (DWORD index = 0, reads = 1;; ++reads) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        status = RegEnumValueW(ToHkey(key), index, name.data(), &nameLength, nullptr, &type, data.data(), &size);
        if (status == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
        // A value that grew meanwhile: the same index again, with room for it, but not for ever.
        if (status == ERROR_MORE_DATA && reads < kReadsOfAGrowingValue) {
            name.resize(name.size() * 2 + 256);
            data.resize(std::max<std::size_t>(data.size() * 2, size));
            continue;
        }
        if (status != ERROR_SUCCESS) return status;
        const auto* bytes = reinterpret_cast<const std::byte*>(data.data());
        values.push_back({Narrow(std::wstring_view(name.data(), nameLength)), type,
                          std::vector<std::byte>(bytes, bytes + size)});
        ++index;
        reads = 0;
    }
}

RegistryStatus Advapi32Registry::SetStoredValue(RegistryKeyHandle key, const platform::StoredValue& value) {
    return RegSetValueExW(ToHkey(key), Widen(value.name).c_str(), 0, value.type,
                          reinterpret_cast<const BYTE*>(value.data.data()), static_cast<DWORD>(value.data.size()));
}

RegistryStatus Advapi32Registry::DeleteValue(RegistryKeyHandle key, std::string_view name) {
    return RegDeleteValueW(ToHkey(key), Widen(name).c_str());
}

}  // namespace sarnex::win32
