// A registry held in memory with advapi32's observable behaviour (status codes, sizes, byte-exact
// values, types not checked on reading), for tests. Like Windows it keeps the string types in
// UTF-16LE and converts them on the ANSI calls, here through the Western code page.
// Tests can also place raw values, make a key fail to open, make one value's write fail, and read
// back the log of operations.
#pragma once

#include "platform/registry.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sarnex::testing {

using platform::Registry;
using platform::RegistryKeyHandle;
using platform::RegistryStatus;
namespace registry_status = platform::registry_status;
namespace registry_type = platform::registry_type;

struct StoredRegistryValue {
    std::uint32_t type = registry_type::kNone;
    std::vector<std::byte> data;
    friend bool operator==(const StoredRegistryValue&, const StoredRegistryValue&) = default;
};

struct RegistryOperation {
    enum class Kind { Open, Query, Set, Close, Create, Enumerate, Delete };
    Kind kind;
    std::string target;  // key path for Open and Close, value name for Query and Set
    RegistryStatus status;
    friend bool operator==(const RegistryOperation&, const RegistryOperation&) = default;
};

class MemoryRegistry final : public Registry {
public:
    RegistryStatus OpenKey(std::string_view subKey, platform::KeyAccess access, RegistryKeyHandle& key) override;
    RegistryStatus QueryValue(RegistryKeyHandle key, std::string_view name, std::uint32_t& type,
                              std::byte* data, std::uint32_t& size) override;
    RegistryStatus SetValue(RegistryKeyHandle key, std::string_view name, std::uint32_t type,
                            const std::byte* data, std::uint32_t size) override;
    RegistryStatus CloseKey(RegistryKeyHandle key) override;
    RegistryStatus CreateKey(std::string_view subKey) override;
    RegistryStatus ReadStoredValues(RegistryKeyHandle key, std::vector<platform::StoredValue>& values) override;
    RegistryStatus SetStoredValue(RegistryKeyHandle key, const platform::StoredValue& value) override;
    RegistryStatus DeleteValue(RegistryKeyHandle key, std::string_view name) override;

    // Creates the key and its parents (names compare without regard to ASCII case, as Windows does).
    void AddKey(std::string_view path);
    // Stores raw bytes of any type and length; creates the key if needed.
    void PutValue(std::string_view path, std::string_view name, std::uint32_t type, std::vector<std::byte> data);
    void PutText(std::string_view path, std::string_view name, std::string_view bytes);  // REG_SZ, as given
    void PutNumber(std::string_view path, std::string_view name, std::int32_t number);   // REG_DWORD
    // As the ANSI calls see it.
    std::optional<StoredRegistryValue> GetValue(std::string_view path, std::string_view name) const;
    // As kept: the string types in UTF-16LE.
    void PutStored(std::string_view path, const platform::StoredValue& value);
    std::optional<platform::StoredValue> GetStored(std::string_view path, std::string_view name) const;
    bool KeyExists(std::string_view path) const { return FindKey(path) != nullptr; }
    std::size_t ValueCount(std::string_view path) const;

    // Opening `path` returns `status` from now on (the key is created if needed; 0 lifts the failure).
    void FailOpen(std::string_view path, RegistryStatus status);
    // Opening `path` for setting values is denied (status 5) from now on; reading it still works.
    void DenySet(std::string_view path, bool denied = true);
    // Setting `name` in `path` returns `status` and leaves the value as it was (0 lifts the failure).
    void FailSet(std::string_view path, std::string_view name, RegistryStatus status);

    const std::vector<RegistryOperation>& Operations() const { return operations_; }
    void ClearOperations() { operations_.clear(); }
    std::size_t OpenHandleCount() const { return handles_.size(); }

private:
    struct Key {
        std::map<std::string, platform::StoredValue> values;  // by folded name; the first name given is kept
        std::map<std::string, RegistryStatus> setFailures;
        std::optional<RegistryStatus> openFailure;
        bool setDenied = false;
    };

    Key& KeyAt(std::string_view path);
    const Key* FindKey(std::string_view path) const;
    Key* KeyOf(RegistryKeyHandle handle);
    RegistryStatus Log(RegistryOperation::Kind kind, std::string_view target, RegistryStatus status);
    // The handle's key when it was opened for `access`; otherwise the status the call fails with.
    RegistryStatus Reach(RegistryKeyHandle handle, platform::KeyAccess access, Key*& key);
    static void Store(Key& key, std::string_view name, std::uint32_t type, std::vector<std::byte> kept);

    std::map<std::string, Key> keys_;                    // by folded path
    struct OpenHandle {
        std::string path;  // folded
        platform::KeyAccess access;
    };
    std::map<std::uintptr_t, OpenHandle> handles_;
    std::uintptr_t nextHandle_ = 1;
    std::vector<RegistryOperation> operations_;
};

}  // namespace sarnex::testing
