#include "platform/headless/memory_registry.h"

#include <algorithm>

#include "platform/code_page_utf8.h"

namespace sarnex::headless {
namespace {

namespace status = platform::registry_status;

std::string Fold(std::string_view name) {
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

}  // namespace

bool IsStringType(std::uint32_t type) {
    return type == platform::registry_type::kSz || type == platform::registry_type::kExpandSz ||
           type == platform::registry_type::kMultiSz;
}

std::vector<std::byte> MemoryRegistry::UnitBytes(const std::vector<std::byte>& codes) const {
    const std::string bytes(reinterpret_cast<const char*>(codes.data()), codes.size());
    return platform::Utf16LeBytes(platform::Utf16FromUtf8(codePage_->ToUtf8(bytes)));
}

std::vector<std::byte> MemoryRegistry::AnsiBytes(const std::vector<std::byte>& units) const {
    std::vector<std::byte> codes;
    std::string utf8 = platform::Utf8FromUtf16(platform::Utf16LeUnits(units));
    for (std::string_view rest = utf8; !rest.empty();) {
        const auto character = platform::DecodeFirstUtf8(rest);
        const std::size_t length = character ? character->length : 1;
        const auto code = codePage_->FromUtf8(rest.substr(0, length));
        for (const char c : code.value_or("?")) codes.push_back(static_cast<std::byte>(c));
        rest.remove_prefix(length);
    }
    return codes;
}

std::map<std::string, platform::StoredValue>& MemoryRegistry::KeyAt(std::string_view path) {
    const std::string folded = Fold(path);
    for (std::size_t at = folded.find('\\'); at != std::string::npos; at = folded.find('\\', at + 1))
        keys_.try_emplace(folded.substr(0, at));
    return keys_[folded];
}

const std::map<std::string, platform::StoredValue>* MemoryRegistry::FindKey(std::string_view path) const {
    const auto found = keys_.find(Fold(path));
    return found == keys_.end() ? nullptr : &found->second;
}

MemoryRegistry::RegistryStatus MemoryRegistry::Reach(RegistryKeyHandle handle, platform::KeyAccess access,
                                                     std::map<std::string, platform::StoredValue>*& values) {
    const auto open = handles_.find(handle.value);
    if (open == handles_.end()) return status::kInvalidHandle;
    if (open->second.access != access) return status::kAccessDenied;
    values = &keys_.at(open->second.path);
    return status::kSuccess;
}

MemoryRegistry::RegistryStatus MemoryRegistry::OpenKey(std::string_view subKey, platform::KeyAccess access,
                                                       RegistryKeyHandle& key) {
    if (!FindKey(subKey)) return status::kNotFound;
    key.value = nextHandle_++;
    handles_.emplace(key.value, OpenHandle{Fold(subKey), access});
    return status::kSuccess;
}

MemoryRegistry::RegistryStatus MemoryRegistry::QueryValue(RegistryKeyHandle handle, std::string_view name,
                                                          std::uint32_t& type, std::byte* data, std::uint32_t& size) {
    std::map<std::string, platform::StoredValue>* values = nullptr;
    if (const auto reached = Reach(handle, platform::KeyAccess::Query, values); reached != status::kSuccess)
        return reached;
    const auto found = values->find(Fold(name));
    if (found == values->end()) return status::kNotFound;
    const platform::StoredValue& kept = found->second;
    const bool text = IsStringType(kept.type);
    const std::vector<std::byte> bytes = text ? AnsiBytes(kept.data) : kept.data;
    // A text stored without its terminator is returned with one, and counted with it.
    const bool terminate = text && !bytes.empty() && bytes.back() != std::byte{0};
    const auto needed = static_cast<std::uint32_t>(bytes.size() + (terminate ? 1 : 0));
    type = kept.type;
    if (data != nullptr && needed > size) {
        size = needed;
        return status::kMoreData;
    }
    if (data != nullptr) {
        std::copy(bytes.begin(), bytes.end(), data);
        if (terminate) data[bytes.size()] = std::byte{0};
    }
    size = needed;
    return status::kSuccess;
}

MemoryRegistry::RegistryStatus MemoryRegistry::SetValue(RegistryKeyHandle handle, std::string_view name,
                                                        std::uint32_t type, const std::byte* data, std::uint32_t size) {
    std::vector<std::byte> bytes(data, data + size);
    return Store(handle, {std::string(name), type, IsStringType(type) ? UnitBytes(bytes) : bytes});
}

MemoryRegistry::RegistryStatus MemoryRegistry::SetStoredValue(RegistryKeyHandle handle,
                                                              const platform::StoredValue& value) {
    return Store(handle, value);
}

MemoryRegistry::RegistryStatus MemoryRegistry::Store(RegistryKeyHandle handle, const platform::StoredValue& value) {
    std::map<std::string, platform::StoredValue>* values = nullptr;
    if (const auto reached = Reach(handle, platform::KeyAccess::Set, values); reached != status::kSuccess)
        return reached;
    // The name first given is kept, as Windows keeps it.
    auto& kept = values->try_emplace(Fold(value.name), platform::StoredValue{value.name, 0, {}}).first->second;
    kept.type = value.type;
    kept.data = value.data;
    return status::kSuccess;
}

MemoryRegistry::RegistryStatus MemoryRegistry::ReadStoredValues(RegistryKeyHandle handle,
                                                                std::vector<platform::StoredValue>& values) {
    std::map<std::string, platform::StoredValue>* kept = nullptr;
    if (const auto reached = Reach(handle, platform::KeyAccess::Query, kept); reached != status::kSuccess)
        return reached;
    values.clear();
    for (const auto& [folded, value] : *kept) values.push_back(value);
    return status::kSuccess;
}

MemoryRegistry::RegistryStatus MemoryRegistry::DeleteValue(RegistryKeyHandle handle, std::string_view name) {
    std::map<std::string, platform::StoredValue>* values = nullptr;
    if (const auto reached = Reach(handle, platform::KeyAccess::Set, values); reached != status::kSuccess)
        return reached;
    return values->erase(Fold(name)) > 0 ? status::kSuccess : status::kNotFound;
}

MemoryRegistry::RegistryStatus MemoryRegistry::CreateKey(std::string_view subKey) {
    KeyAt(subKey);
    return status::kSuccess;
}

MemoryRegistry::RegistryStatus MemoryRegistry::CloseKey(RegistryKeyHandle handle) {
    return handles_.erase(handle.value) > 0 ? status::kSuccess : status::kInvalidHandle;
}

void MemoryRegistry::PutStored(std::string_view path, platform::StoredValue value) {
    auto& kept = KeyAt(path).try_emplace(Fold(value.name), platform::StoredValue{value.name, 0, {}}).first->second;
    kept.type = value.type;
    kept.data = std::move(value.data);
}

std::optional<platform::StoredValue> MemoryRegistry::GetStored(std::string_view path, std::string_view name) const {
    const auto* values = FindKey(path);
    if (!values) return std::nullopt;
    const auto found = values->find(Fold(name));
    return found == values->end() ? std::nullopt : std::optional(found->second);
}

std::vector<platform::StoredValue> MemoryRegistry::Values(std::string_view path) const {
    std::vector<platform::StoredValue> values;
    if (const auto* kept = FindKey(path))
        for (const auto& [folded, value] : *kept) values.push_back(value);
    return values;
}

std::size_t MemoryRegistry::ValueCount(std::string_view path) const {
    const auto* values = FindKey(path);
    return values ? values->size() : 0;
}

}  // namespace sarnex::headless
