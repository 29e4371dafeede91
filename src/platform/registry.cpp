#include "platform/registry.h"

namespace sarnex::platform {

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
