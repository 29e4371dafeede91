#include "support/memory_registry.h"

#include <algorithm>

namespace sarnex::testing {
namespace {

namespace status = platform::registry_status;
using Kind = RegistryOperation::Kind;

std::string Fold(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

bool IsText(std::uint32_t type) { return type == 1 || type == 2 || type == 7; }  // REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ

}  // namespace

RegistryStatus MemoryRegistry::Log(Kind kind, std::string_view target, RegistryStatus result) {
    operations_.push_back({kind, std::string(target), result});
    return result;
}

MemoryRegistry::Key& MemoryRegistry::KeyAt(std::string_view path) {
    const std::string folded = Fold(path);
    for (std::size_t at = folded.find('\\'); at != std::string::npos; at = folded.find('\\', at + 1))
        keys_.try_emplace(folded.substr(0, at));
    return keys_[folded];
}

const MemoryRegistry::Key* MemoryRegistry::FindKey(std::string_view path) const {
    const auto found = keys_.find(Fold(path));
    return found == keys_.end() ? nullptr : &found->second;
}

RegistryStatus MemoryRegistry::OpenKey(std::string_view subKey, platform::KeyAccess access, RegistryKeyHandle& key) {
    const Key* found = FindKey(subKey);
    if (!found) return Log(Kind::Open, subKey, status::kNotFound);
    if (found->openFailure != 0) return Log(Kind::Open, subKey, found->openFailure);
    if (access == platform::KeyAccess::Set && found->setDenied) return Log(Kind::Open, subKey, status::kAccessDenied);
    key.value = nextHandle_++;
    handles_.emplace(key.value, OpenHandle{Fold(subKey), access});
    return Log(Kind::Open, subKey, status::kSuccess);
}

RegistryStatus MemoryRegistry::QueryValue(RegistryKeyHandle handle, std::string_view name, std::uint32_t& type,
                                          std::byte* data, std::uint32_t& size) {
    const auto open = handles_.find(handle.value);
    if (open == handles_.end()) return Log(Kind::Query, name, status::kInvalidHandle);
    if (open->second.access != platform::KeyAccess::Query) return Log(Kind::Query, name, status::kAccessDenied);
    const auto& values = keys_.at(open->second.path).values;
    const auto found = values.find(Fold(name));
    if (found == values.end()) return Log(Kind::Query, name, status::kNotFound);
    const StoredRegistryValue& value = found->second;
    // A text stored without its terminator is returned with one, and counted with it.
    const bool terminate = IsText(value.type) && !value.data.empty() && value.data.back() != std::byte{0};
    const auto needed = static_cast<std::uint32_t>(value.data.size() + (terminate ? 1 : 0));
    type = value.type;
    if (data != nullptr && needed > size) {
        size = needed;
        return Log(Kind::Query, name, status::kMoreData);
    }
    if (data != nullptr) {
        std::copy(value.data.begin(), value.data.end(), data);
        if (terminate) data[value.data.size()] = std::byte{0};
    }
    size = needed;
    return Log(Kind::Query, name, status::kSuccess);
}

RegistryStatus MemoryRegistry::SetValue(RegistryKeyHandle handle, std::string_view name, std::uint32_t type,
                                        const std::byte* data, std::uint32_t size) {
    const auto open = handles_.find(handle.value);
    if (open == handles_.end()) return Log(Kind::Set, name, status::kInvalidHandle);
    if (open->second.access != platform::KeyAccess::Set) return Log(Kind::Set, name, status::kAccessDenied);
    Key& key = keys_.at(open->second.path);
    if (const auto failure = key.setFailures.find(Fold(name)); failure != key.setFailures.end())
        return Log(Kind::Set, name, failure->second);
    key.values[Fold(name)] = StoredRegistryValue{type, std::vector<std::byte>(data, data + size)};
    return Log(Kind::Set, name, status::kSuccess);
}

RegistryStatus MemoryRegistry::CloseKey(RegistryKeyHandle handle) {
    const auto open = handles_.find(handle.value);
    if (open == handles_.end()) return Log(Kind::Close, "", status::kInvalidHandle);
    const std::string path = open->second.path;
    handles_.erase(open);
    return Log(Kind::Close, path, status::kSuccess);
}

void MemoryRegistry::PutValue(std::string_view path, std::string_view name, std::uint32_t type,
                              std::vector<std::byte> data) {
    KeyAt(path).values[Fold(name)] = StoredRegistryValue{type, std::move(data)};
}

std::optional<StoredRegistryValue> MemoryRegistry::GetValue(std::string_view path, std::string_view name) const {
    const Key* key = FindKey(path);
    if (!key) return std::nullopt;
    const auto found = key->values.find(Fold(name));
    return found == key->values.end() ? std::nullopt : std::optional(found->second);
}

void MemoryRegistry::FailSet(std::string_view path, std::string_view name, RegistryStatus result) {
    KeyAt(path).setFailures[Fold(name)] = result;
}

}  // namespace sarnex::testing
