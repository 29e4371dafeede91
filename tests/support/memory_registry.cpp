#include "support/memory_registry.h"

#include <algorithm>

#include "platform/code_page_utf8.h"
#include "support/code_page_1252.h"

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

// The string types travel through the ANSI calls in the code page and are kept in UTF-16LE. Every
// byte has a character in the Western code page, so widening keeps every byte; narrowing turns a
// character without a code into "?" and drops an odd last byte, as Windows does.
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
    return {kept.type, IsStringType(kept.type) ? Narrow(kept.data) : kept.data};
}

}  // namespace

void MemoryRegistry::Store(Key& key, std::string_view name, std::uint32_t type, std::vector<std::byte> kept) {
    auto& value = key.values.try_emplace(Fold(name), platform::StoredValue{std::string(name), 0, {}}).first->second;
    value.type = type;
    value.data = std::move(kept);
}

RegistryStatus MemoryRegistry::Reach(RegistryKeyHandle handle, platform::KeyAccess access, Key*& key) {
    key = KeyOf(handle);
    if (!key) return registry_status::kInvalidHandle;
    // A key opened only for reading refuses writes, and one opened for writing refuses reads, as in
    // Windows.
    if (handles_.at(handle.value).access != access) return registry_status::kAccessDenied;
    return registry_status::kSuccess;
}

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
    Key* key = nullptr;
    if (const auto status = Reach(handle, platform::KeyAccess::Query, key); status != registry_status::kSuccess)
        return Log(RegistryOperation::Kind::Query, name, status);
    const auto found = key->values.find(Fold(name));
    if (found == key->values.end()) return Log(RegistryOperation::Kind::Query, name, registry_status::kNotFound);

    const StoredRegistryValue value = AnsiView(found->second);
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
    std::vector<std::byte> bytes(data, data + size);
    return SetStoredValue(handle, {std::string(name), type, IsStringType(type) ? Widen(bytes) : bytes});
}

RegistryStatus MemoryRegistry::SetStoredValue(RegistryKeyHandle handle, const platform::StoredValue& value) {
    Key* key = nullptr;
    if (const auto status = Reach(handle, platform::KeyAccess::Set, key); status != registry_status::kSuccess)
        return Log(RegistryOperation::Kind::Set, value.name, status);
    const auto failure = key->setFailures.find(Fold(value.name));
    if (failure != key->setFailures.end()) return Log(RegistryOperation::Kind::Set, value.name, failure->second);
    Store(*key, value.name, value.type, value.data);
    return Log(RegistryOperation::Kind::Set, value.name, registry_status::kSuccess);
}

RegistryStatus MemoryRegistry::ReadStoredValues(RegistryKeyHandle handle, std::vector<platform::StoredValue>& values) {
    Key* key = nullptr;
    if (const auto status = Reach(handle, platform::KeyAccess::Query, key); status != registry_status::kSuccess)
        return Log(RegistryOperation::Kind::Enumerate, "", status);
    values.clear();
    for (const auto& [folded, value] : key->values) values.push_back(value);
    return Log(RegistryOperation::Kind::Enumerate, "", registry_status::kSuccess);
}

RegistryStatus MemoryRegistry::DeleteValue(RegistryKeyHandle handle, std::string_view name) {
    Key* key = nullptr;
    if (const auto status = Reach(handle, platform::KeyAccess::Set, key); status != registry_status::kSuccess)
        return Log(RegistryOperation::Kind::Delete, name, status);
    if (const auto failure = key->setFailures.find(Fold(name)); failure != key->setFailures.end())
        return Log(RegistryOperation::Kind::Delete, name, failure->second);
    const bool erased = key->values.erase(Fold(name)) > 0;
    return Log(RegistryOperation::Kind::Delete, name, erased ? registry_status::kSuccess : registry_status::kNotFound);
}

RegistryStatus MemoryRegistry::CreateKey(std::string_view subKey) {
    if (const Key* found = FindKey(subKey); found && found->openFailure)
        return Log(RegistryOperation::Kind::Create, subKey, *found->openFailure);
    KeyAt(subKey);
    return Log(RegistryOperation::Kind::Create, subKey, registry_status::kSuccess);
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
    Store(KeyAt(path), name, type, IsStringType(type) ? Widen(data) : std::move(data));
}

void MemoryRegistry::PutStored(std::string_view path, const platform::StoredValue& value) {
    Store(KeyAt(path), value.name, value.type, value.data);
}

std::optional<platform::StoredValue> MemoryRegistry::GetStored(std::string_view path, std::string_view name) const {
    const Key* key = FindKey(path);
    if (!key) return std::nullopt;
    const auto found = key->values.find(Fold(name));
    if (found == key->values.end()) return std::nullopt;
    return found->second;
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
    const auto kept = GetStored(path, name);
    if (!kept) return std::nullopt;
    return AnsiView(*kept);
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
