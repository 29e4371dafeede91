#include "platform/win32/advapi32_registry.h"

#include <windows.h>

#include <string>

namespace sarnex::win32 {
namespace {

using platform::RegistryKeyHandle;
using platform::RegistryStatus;

HKEY ToHkey(RegistryKeyHandle key) { return reinterpret_cast<HKEY>(key.value); }

}  // namespace

RegistryStatus Advapi32Registry::OpenKey(std::string_view subKey, platform::KeyAccess access,
                                        RegistryKeyHandle& key) {
    HKEY opened = nullptr;
    const REGSAM rights = access == platform::KeyAccess::Query ? KEY_QUERY_VALUE : KEY_SET_VALUE;
    const LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, std::string(subKey).c_str(), 0, rights, &opened);
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

}  // namespace sarnex::win32
