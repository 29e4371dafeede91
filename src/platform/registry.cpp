#include "platform/registry.h"

#include <array>
#include <cstdio>

namespace sarnex::platform {

std::string TypeName(std::uint32_t type) {
    static constexpr std::array<const char*, 12> kNames = {
        "REG_NONE", "REG_SZ", "REG_EXPAND_SZ", "REG_BINARY", "REG_DWORD", "REG_DWORD_BIG_ENDIAN", "REG_LINK",
        "REG_MULTI_SZ", "REG_RESOURCE_LIST", "REG_FULL_RESOURCE_DESCRIPTOR", "REG_RESOURCE_REQUIREMENTS_LIST",
        "REG_QWORD"};
    if (type < kNames.size()) return kNames[type];
    char text[24];
    std::snprintf(text, sizeof text, "type 0x%08X", static_cast<unsigned>(type));
    return text;
}

RegistryKey::~RegistryKey() { Close(); }

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : registry_(std::exchange(other.registry_, nullptr)), handle_(other.handle_) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
        Close();
        registry_ = std::exchange(other.registry_, nullptr);
        handle_ = other.handle_;
    }
    return *this;
}

std::pair<RegistryStatus, RegistryKey> RegistryKey::Open(Registry& registry, std::string_view subKey,
                                                         KeyAccess access) {
    RegistryKeyHandle handle;
    const RegistryStatus status = registry.OpenKey(subKey, access, handle);
    if (status != registry_status::kSuccess) return {status, RegistryKey()};
    return {status, RegistryKey(registry, handle)};
}

RegistryStatus RegistryKey::Query(std::string_view name, std::uint32_t& type, std::span<std::byte> buffer,
                                  std::uint32_t& size) const {
    if (!registry_) return registry_status::kInvalidHandle;
    size = static_cast<std::uint32_t>(buffer.size());
    return registry_->QueryValue(handle_, name, type, buffer.data(), size);
}

RegistryStatus RegistryKey::Set(std::string_view name, std::uint32_t type, std::span<const std::byte> data) const {
    if (!registry_) return registry_status::kInvalidHandle;
    return registry_->SetValue(handle_, name, type, data.data(), static_cast<std::uint32_t>(data.size()));
}

RegistryStatus RegistryKey::ReadStored(std::vector<StoredValue>& values) const {
    if (!registry_) return registry_status::kInvalidHandle;
    return registry_->ReadStoredValues(handle_, values);
}

RegistryStatus RegistryKey::SetStored(const StoredValue& value) const {
    if (!registry_) return registry_status::kInvalidHandle;
    return registry_->SetStoredValue(handle_, value);
}

RegistryStatus RegistryKey::Delete(std::string_view name) const {
    if (!registry_) return registry_status::kInvalidHandle;
    return registry_->DeleteValue(handle_, name);
}

RegistryStatus RegistryKey::Close() {
    if (!registry_) return registry_status::kInvalidHandle;
    return std::exchange(registry_, nullptr)->CloseKey(handle_);
}

}  // namespace sarnex::platform
