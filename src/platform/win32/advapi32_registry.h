// The real registry, through advapi32's ANSI calls, under HKEY_LOCAL_MACHINE.
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
};

}  // namespace sarnex::win32
