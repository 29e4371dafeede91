#include "support/memory_registry.h"

namespace sarnex::testing {
namespace {

namespace status = platform::registry_status;
using Kind = RegistryOperation::Kind;
using Base = headless::MemoryRegistry;

}  // namespace

std::string MemoryRegistry::Fold(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

RegistryStatus MemoryRegistry::Log(Kind kind, std::string_view target, RegistryStatus result) {
    operations_.push_back({kind, std::string(target), result});
    return result;
}

std::optional<RegistryStatus> MemoryRegistry::SetFailure(std::string_view name, bool kept) const {
    if (const auto failure = setFailures_.find(Fold(name)); failure != setFailures_.end()) return failure->second;
    const auto failure = restoreFailures_.find(Fold(name));
    if (kept && failure != restoreFailures_.end()) return failure->second;
    return std::nullopt;
}

void MemoryRegistry::Clear() {
    Base::Clear();
    openFailures_.clear();
    setDenied_.clear();
    setFailures_.clear();
    restoreFailures_.clear();
    paths_.clear();
    operations_.clear();
}

void MemoryRegistry::DenySet(std::string_view path, bool denied) {
    if (denied) setDenied_.insert(Fold(path));
    else setDenied_.erase(Fold(path));
}

RegistryStatus MemoryRegistry::OpenKey(std::string_view subKey, platform::KeyAccess access, RegistryKeyHandle& key) {
    if (const auto failure = openFailures_.find(Fold(subKey)); failure != openFailures_.end() && failure->second != 0)
        return Log(Kind::Open, subKey, failure->second);
    if (access == platform::KeyAccess::Set && setDenied_.contains(Fold(subKey)))
        return Log(Kind::Open, subKey, status::kAccessDenied);
    const RegistryStatus opened = Base::OpenKey(subKey, access, key);
    if (opened == status::kSuccess) paths_[key.value] = std::string(subKey);
    return Log(Kind::Open, subKey, opened);
}

RegistryStatus MemoryRegistry::QueryValue(RegistryKeyHandle key, std::string_view name, std::uint32_t& type,
                                          std::byte* data, std::uint32_t& size) {
    return Log(Kind::Query, name, Base::QueryValue(key, name, type, data, size));
}

RegistryStatus MemoryRegistry::SetValue(RegistryKeyHandle key, std::string_view name, std::uint32_t type,
                                        const std::byte* data, std::uint32_t size) {
    if (const auto failure = SetFailure(name)) return Log(Kind::Set, name, *failure);
    return Log(Kind::Set, name, Base::SetValue(key, name, type, data, size));
}

RegistryStatus MemoryRegistry::SetStoredValue(RegistryKeyHandle key, const platform::StoredValue& value) {
    if (const auto failure = SetFailure(value.name, true)) return Log(Kind::Set, value.name, *failure);
    return Log(Kind::Set, value.name, Base::SetStoredValue(key, value));
}

RegistryStatus MemoryRegistry::ReadStoredValues(RegistryKeyHandle key, std::vector<platform::StoredValue>& values) {
    return Log(Kind::Enumerate, "", Base::ReadStoredValues(key, values));
}

RegistryStatus MemoryRegistry::DeleteValue(RegistryKeyHandle key, std::string_view name) {
    if (const auto failure = SetFailure(name, true)) return Log(Kind::Delete, name, *failure);
    return Log(Kind::Delete, name, Base::DeleteValue(key, name));
}

RegistryStatus MemoryRegistry::CreateKey(std::string_view subKey) {
    if (const auto failure = openFailures_.find(Fold(subKey)); failure != openFailures_.end() && failure->second != 0)
        return Log(Kind::Create, subKey, failure->second);
    return Log(Kind::Create, subKey, Base::CreateKey(subKey));
}

RegistryStatus MemoryRegistry::CloseKey(RegistryKeyHandle key) {
    const auto path = paths_.find(key.value);
    const std::string target = path == paths_.end() ? "" : path->second;
    if (path != paths_.end()) paths_.erase(path);
    return Log(Kind::Close, target, Base::CloseKey(key));
}

void MemoryRegistry::PutValue(std::string_view path, std::string_view name, std::uint32_t type,
                              std::vector<std::byte> data) {
    PutStored(path, {std::string(name), type, headless::IsStringType(type) ? UnitBytes(data) : std::move(data)});
}

std::optional<StoredRegistryValue> MemoryRegistry::GetValue(std::string_view path, std::string_view name) const {
    const auto kept = GetStored(path, name);
    if (!kept) return std::nullopt;
    return StoredRegistryValue{kept->type, headless::IsStringType(kept->type) ? AnsiBytes(kept->data) : kept->data};
}

}  // namespace sarnex::testing
