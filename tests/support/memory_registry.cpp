#include "support/memory_registry.h"

#include <algorithm>

namespace sarnex::testing {
namespace {

// Key and value names are case-insensitive in the registry.
std::string Fold(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

bool IsStringType(std::uint32_t type) {
    return type == registry_type::kSz || type == registry_type::kExpandSz || type == registry_type::kMultiSz;
}

}  // namespace

RegistryStatus MemoryRegistry::Log(RegistryOperation::Kind kind, std::string_view target, RegistryStatus status) {
    operations_.push_back({kind, std::string(target), status});
    return status;
}

MemoryRegistry::Key& MemoryRegistry::KeyAt(std::string_view path) {
    const std::string folded = Fold(path);
    for (std::size_t at = folded.find('\\'); at != std::string::npos; at = folded.find('\\', at + 1)) {
        keys_.try_emplace(folded.substr(0, at));
    }
    return keys_[folded];
}

const MemoryRegistry::Key* MemoryRegistry::FindKey(std::string_view path) const {
    const auto found = keys_.find(Fold(path));
    return found == keys_.end() ? nullptr : &found->second;
}

MemoryRegistry::Key* MemoryRegistry::KeyOf(RegistryKeyHandle handle) {
    const auto open = handles_.find(handle.value);
    if (open == handles_.end()) return nullptr;
    const auto found = keys_.find(open->second.path);
    return found == keys_.end() ? nullptr : &found->second;
}

RegistryStatus MemoryRegistry::OpenKey(std::string_view subKey, platform::KeyAccess access, RegistryKeyHandle& key) {
    const Key* found = FindKey(subKey);
    if (!found) return Log(RegistryOperation::Kind::Open, subKey, registry_status::kNotFound);
    if (found->openFailure) return Log(RegistryOperation::Kind::Open, subKey, *found->openFailure);
    if (access == platform::KeyAccess::Set && found->setDenied)
        return Log(RegistryOperation::Kind::Open, subKey, registry_status::kAccessDenied);
    key.value = nextHandle_++;
    handles_.emplace(key.value, OpenHandle{Fold(subKey), access});
    return Log(RegistryOperation::Kind::Open, subKey, registry_status::kSuccess);
}

RegistryStatus MemoryRegistry::QueryValue(RegistryKeyHandle handle, std::string_view name, std::uint32_t& type,
                                          std::byte* data, std::uint32_t& size) {
    const Key* key = KeyOf(handle);
    if (!key) return Log(RegistryOperation::Kind::Query, name, registry_status::kInvalidHandle);
    if (handles_.at(handle.value).access != platform::KeyAccess::Query)
        return Log(RegistryOperation::Kind::Query, name, registry_status::kAccessDenied);
    const auto found = key->values.find(Fold(name));
    if (found == key->values.end()) return Log(RegistryOperation::Kind::Query, name, registry_status::kNotFound);

    const StoredRegistryValue& value = found->second;
    // A string stored without its terminator is returned with one, and counted with it.
    const bool addTerminator = IsStringType(value.type) && !value.data.empty() && value.data.back() != std::byte{0};
    const auto needed = static_cast<std::uint32_t>(value.data.size() + (addTerminator ? 1 : 0));
    type = value.type;
    if (data == nullptr) {
        size = needed;
        return Log(RegistryOperation::Kind::Query, name, registry_status::kSuccess);
    }
    if (needed > size) {
        size = needed;
        return Log(RegistryOperation::Kind::Query, name, registry_status::kMoreData);
    }
    std::copy(value.data.begin(), value.data.end(), data);
    if (addTerminator) data[value.data.size()] = std::byte{0};
    size = needed;
    return Log(RegistryOperation::Kind::Query, name, registry_status::kSuccess);
}

RegistryStatus MemoryRegistry::SetValue(RegistryKeyHandle handle, std::string_view name, std::uint32_t type,
                                        const std::byte* data, std::uint32_t size) {
    Key* key = KeyOf(handle);
    if (!key) return Log(RegistryOperation::Kind::Set, name, registry_status::kInvalidHandle);
    // A key opened only for reading refuses writes, and one opened for writing refuses reads, as in
    // Windows.
    if (handles_.at(handle.value).access != platform::KeyAccess::Set)
        return Log(RegistryOperation::Kind::Set, name, registry_status::kAccessDenied);
    const auto failure = key->setFailures.find(Fold(name));
    if (failure != key->setFailures.end()) return Log(RegistryOperation::Kind::Set, name, failure->second);
    StoredRegistryValue& value = key->values[Fold(name)];
    value.type = type;
    value.data.assign(data, data + size);
    return Log(RegistryOperation::Kind::Set, name, registry_status::kSuccess);
}

RegistryStatus MemoryRegistry::CloseKey(RegistryKeyHandle handle) {
    const auto open = handles_.find(handle.value);
    if (open == handles_.end()) return Log(RegistryOperation::Kind::Close, "", registry_status::kInvalidHandle);
    const std::string path = open->second.path;
    handles_.erase(open);
    return Log(RegistryOperation::Kind::Close, path, registry_status::kSuccess);
}

void MemoryRegistry::AddKey(std::string_view path) { KeyAt(path); }

void MemoryRegistry::PutValue(std::string_view path, std::string_view name, std::uint32_t type,
                              std::vector<std::byte> data) {
    KeyAt(path).values[Fold(name)] = StoredRegistryValue{type, std::move(data)};
}

void MemoryRegistry::PutText(std::string_view path, std::string_view name, std::string_view bytes) {
    std::vector<std::byte> data(bytes.size());
    std::transform(bytes.begin(), bytes.end(), data.begin(), [](char c) { return static_cast<std::byte>(c); });
    PutValue(path, name, registry_type::kSz, std::move(data));
}

void MemoryRegistry::PutNumber(std::string_view path, std::string_view name, std::int32_t number) {
    const auto bits = static_cast<std::uint32_t>(number);
    PutValue(path, name, registry_type::kDword,
             {std::byte(bits & 0xFF), std::byte((bits >> 8) & 0xFF), std::byte((bits >> 16) & 0xFF),
              std::byte(bits >> 24)});
}

std::optional<StoredRegistryValue> MemoryRegistry::GetValue(std::string_view path, std::string_view name) const {
    const Key* key = FindKey(path);
    if (!key) return std::nullopt;
    const auto found = key->values.find(Fold(name));
    if (found == key->values.end()) return std::nullopt;
    return found->second;
}

std::size_t MemoryRegistry::ValueCount(std::string_view path) const {
    const Key* key = FindKey(path);
    return key ? key->values.size() : 0;
}

void MemoryRegistry::FailOpen(std::string_view path, RegistryStatus status) {
    Key& key = KeyAt(path);
    if (status == registry_status::kSuccess) key.openFailure.reset();
    else key.openFailure = status;
}

void MemoryRegistry::DenySet(std::string_view path, bool denied) { KeyAt(path).setDenied = denied; }

void MemoryRegistry::FailSet(std::string_view path, std::string_view name, RegistryStatus status) {
    Key& key = KeyAt(path);
    if (status == registry_status::kSuccess) key.setFailures.erase(Fold(name));
    else key.setFailures[Fold(name)] = status;
}

}  // namespace sarnex::testing
