// A registry held in memory with advapi32's observable behaviour: status codes and sizes, byte-exact
// values, types not checked on reading, handles that allow only what they were opened for, names
// compared without regard to ASCII case. Like Windows it keeps the string types in UTF-16LE and
// converts them on the ANSI calls through a code page, a character without a code reading as "?".
// It holds a key as it would stand after changes not made yet, so that they can be looked at first.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/registry.h"

namespace sarnex::headless {

class MemoryRegistry : public platform::Registry {
public:
    using RegistryStatus = platform::RegistryStatus;
    using RegistryKeyHandle = platform::RegistryKeyHandle;

    explicit MemoryRegistry(const platform::CodePage& codePage) : codePage_(&codePage) {}

    RegistryStatus OpenKey(std::string_view subKey, platform::KeyAccess access, RegistryKeyHandle& key) override;
    RegistryStatus QueryValue(RegistryKeyHandle key, std::string_view name, std::uint32_t& type, std::byte* data,
                              std::uint32_t& size) override;
    RegistryStatus SetValue(RegistryKeyHandle key, std::string_view name, std::uint32_t type, const std::byte* data,
                            std::uint32_t size) override;
    RegistryStatus CloseKey(RegistryKeyHandle key) override;
    RegistryStatus CreateKey(std::string_view subKey) override;
    RegistryStatus ReadStoredValues(RegistryKeyHandle key, std::vector<platform::StoredValue>& values) override;
    RegistryStatus SetStoredValue(RegistryKeyHandle key, const platform::StoredValue& value) override;
    RegistryStatus DeleteValue(RegistryKeyHandle key, std::string_view name) override;

    // A key with its parents, and values put into it as kept (the string types in UTF-16LE).
    void AddKey(std::string_view path) { KeyAt(path); }
    void PutStored(std::string_view path, platform::StoredValue value);
    std::optional<platform::StoredValue> GetStored(std::string_view path, std::string_view name) const;
    std::size_t ValueCount(std::string_view path) const;
    // Every value of a key, as kept, by folded name.
    std::vector<platform::StoredValue> Values(std::string_view path) const;
    std::size_t OpenHandleCount() const { return handles_.size(); }
    void Clear() {
        keys_.clear();
        handles_.clear();
    }

    // A text value's bytes as the ANSI calls see them, and back.
    std::vector<std::byte> AnsiBytes(const std::vector<std::byte>& units) const;
    std::vector<std::byte> UnitBytes(const std::vector<std::byte>& codes) const;

private:
    struct OpenHandle {
        std::string path;  // folded
        platform::KeyAccess access;
    };

    RegistryStatus Store(RegistryKeyHandle handle, const platform::StoredValue& value);
    std::map<std::string, platform::StoredValue>& KeyAt(std::string_view path);
    const std::map<std::string, platform::StoredValue>* FindKey(std::string_view path) const;
    // The values of the key a handle opened for `access`, or the status the call fails with.
    RegistryStatus Reach(RegistryKeyHandle handle, platform::KeyAccess access,
                         std::map<std::string, platform::StoredValue>*& values);

    const platform::CodePage* codePage_;
    std::map<std::string, std::map<std::string, platform::StoredValue>> keys_;  // by folded path and name
    std::map<std::uintptr_t, OpenHandle> handles_;
    std::uintptr_t nextHandle_ = 1;
};

// Whether a registry type holds a string, which the ANSI calls convert.
bool IsStringType(std::uint32_t type);

}  // namespace sarnex::headless
