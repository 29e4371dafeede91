// The real registry under HKEY_LOCAL_MACHINE: the record through advapi32's ANSI calls, as the driver's
// layout is written in single-byte codes; stored values through the wide calls, byte for byte.
#pragma once

#include "platform/registry.h"

namespace sarnex::win32 {

class Advapi32Registry final : public platform::Registry {
public:
    using RegistryStatus = platform::RegistryStatus;
    using RegistryKeyHandle = platform::RegistryKeyHandle;

    RegistryStatus OpenKey(std::string_view subKey, platform::KeyAccess access, RegistryKeyHandle& key) override;
    RegistryStatus QueryValue(RegistryKeyHandle key, std::string_view name, std::uint32_t& type,
                              std::byte* data, std::uint32_t& size) override;
    RegistryStatus SetValue(RegistryKeyHandle key, std::string_view name, std::uint32_t type,
                            const std::byte* data, std::uint32_t size) override;
    RegistryStatus CloseKey(RegistryKeyHandle key) override;
    RegistryStatus CreateKey(std::string_view subKey) override;
    RegistryStatus ReadStoredValues(RegistryKeyHandle key, std::vector<platform::StoredValue>& values) override;
    RegistryStatus SetStoredValue(RegistryKeyHandle key, const platform::StoredValue& value) override;
    RegistryStatus DeleteValue(RegistryKeyHandle key, std::string_view name) override;
};

}  // namespace sarnex::win32
