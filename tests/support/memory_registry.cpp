#include "support/memory_registry.h"

#include <algorithm>

#include "platform/code_page_utf8.h"
#include "support/code_page_1252.h"

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

// The ANSI calls widen each code of a text to its UTF-16 unit and narrow the units back: every byte
// has a character in the Western code page, a character without a code reads as "?", and an odd
// last byte has no unit.
std::vector<std::byte> Widen(const std::vector<std::byte>& codes) {
    const std::string bytes(reinterpret_cast<const char*>(codes.data()), codes.size());
    return platform::Utf16LeBytes(platform::Utf16FromUtf8(CodePage1252().ToUtf8(bytes)));
}

std::vector<std::byte> Narrow(const std::vector<std::byte>& wide) {
    std::vector<std::byte> codes;
    for (const char16_t unit : platform::Utf16LeUnits(wide)) {
        const auto code = CodePage1252().FromUtf8(platform::Utf8FromUtf16(std::u16string_view(&unit, 1)));
        codes.push_back(static_cast<std::byte>(code && code->size() == 1 ? (*code)[0] : '?'));
    }
    return codes;
}

StoredRegistryValue AnsiView(const platform::StoredValue& kept) {
    return {kept.type, IsText(kept.type) ? Narrow(kept.data) : kept.data};
}

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

RegistryStatus MemoryRegistry::Reach(RegistryKeyHandle handle, platform::KeyAccess access, Key*& key) {
    const auto open = handles_.find(handle.value);
    if (open == handles_.end()) return status::kInvalidHandle;
    if (open->second.access != access) return status::kAccessDenied;
    key = &keys_.at(open->second.path);
    return status::kSuccess;
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
    Key* key = nullptr;
    if (const auto reached = Reach(handle, platform::KeyAccess::Query, key); reached != status::kSuccess)
        return Log(Kind::Query, name, reached);
    const auto found = key->values.find(Fold(name));
    if (found == key->values.end()) return Log(Kind::Query, name, status::kNotFound);
    const StoredRegistryValue value = AnsiView(found->second);
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
    std::vector<std::byte> bytes(data, data + size);
    return SetStoredValue(handle, {std::string(name), type, IsText(type) ? Widen(bytes) : bytes});
}

RegistryStatus MemoryRegistry::SetStoredValue(RegistryKeyHandle handle, const platform::StoredValue& value) {
    Key* key = nullptr;
    if (const auto reached = Reach(handle, platform::KeyAccess::Set, key); reached != status::kSuccess)
        return Log(Kind::Set, value.name, reached);
    if (const auto failure = key->setFailures.find(Fold(value.name)); failure != key->setFailures.end())
        return Log(Kind::Set, value.name, failure->second);
    auto& kept = key->values.try_emplace(Fold(value.name), platform::StoredValue{value.name, 0, {}}).first->second;
    kept.type = value.type;
    kept.data = value.data;
    return Log(Kind::Set, value.name, status::kSuccess);
}

RegistryStatus MemoryRegistry::ReadStoredValues(RegistryKeyHandle handle, std::vector<platform::StoredValue>& values) {
    Key* key = nullptr;
    if (const auto reached = Reach(handle, platform::KeyAccess::Query, key); reached != status::kSuccess)
        return Log(Kind::Enumerate, "", reached);
    values.clear();
    for (const auto& [folded, value] : key->values) values.push_back(value);
    return Log(Kind::Enumerate, "", status::kSuccess);
}

RegistryStatus MemoryRegistry::DeleteValue(RegistryKeyHandle handle, std::string_view name) {
    Key* key = nullptr;
    if (const auto reached = Reach(handle, platform::KeyAccess::Set, key); reached != status::kSuccess)
        return Log(Kind::Delete, name, reached);
    if (const auto failure = key->setFailures.find(Fold(name)); failure != key->setFailures.end())
        return Log(Kind::Delete, name, failure->second);
    return Log(Kind::Delete, name, key->values.erase(Fold(name)) > 0 ? status::kSuccess : status::kNotFound);
}

RegistryStatus MemoryRegistry::CreateKey(std::string_view subKey) {
    if (const Key* found = FindKey(subKey); found && found->openFailure != 0)
        return Log(Kind::Create, subKey, found->openFailure);
    KeyAt(subKey);
    return Log(Kind::Create, subKey, status::kSuccess);
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
    PutStored(path, {std::string(name), type, IsText(type) ? Widen(data) : std::move(data)});
}

void MemoryRegistry::PutStored(std::string_view path, platform::StoredValue value) {
    auto& kept = KeyAt(path).values.try_emplace(Fold(value.name), platform::StoredValue{value.name, 0, {}}).first->second;
    kept.type = value.type;
    kept.data = std::move(value.data);
}

std::optional<platform::StoredValue> MemoryRegistry::GetStored(std::string_view path, std::string_view name) const {
    const Key* key = FindKey(path);
    if (!key) return std::nullopt;
    const auto found = key->values.find(Fold(name));
    return found == key->values.end() ? std::nullopt : std::optional(found->second);
}

std::optional<StoredRegistryValue> MemoryRegistry::GetValue(std::string_view path, std::string_view name) const {
    const auto kept = GetStored(path, name);
    return kept ? std::optional(AnsiView(*kept)) : std::nullopt;
}

void MemoryRegistry::FailSet(std::string_view path, std::string_view name, RegistryStatus result) {
    KeyAt(path).setFailures[Fold(name)] = result;
}

}  // namespace sarnex::testing
