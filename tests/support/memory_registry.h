// A registry held in memory with advapi32's observable behaviour (status codes, sizes, byte-exact
// values, types not checked on reading, handles that allow only what they were opened for), proven
// against advapi32 by the registry contract. Like Windows it keeps the string types in UTF-16LE and
// converts them on the ANSI calls, here through the Western code page. Tests can place raw values, make a key fail to open or
// refuse writes, make one value's write fail, and read back the log of operations.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace sarnex::testing {

using platform::RegistryKeyHandle;
using platform::RegistryStatus;

struct StoredRegistryValue {
    std::uint32_t type = 0;
    std::vector<std::byte> data;
};

struct RegistryOperation {
    enum class Kind { Open, Query, Set, Close, Create, Enumerate, Delete };
    Kind kind;
    std::string target;  // key path for Open and Close, value name for Query and Set
    RegistryStatus status;
};

class MemoryRegistry final : public platform::Registry {
public:
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

    // Key and value names compare without regard to ASCII case, as in Windows.
    void AddKey(std::string_view path) { KeyAt(path); }
    // As the ANSI calls set and see it.
    void PutValue(std::string_view path, std::string_view name, std::uint32_t type, std::vector<std::byte> data);
    std::optional<StoredRegistryValue> GetValue(std::string_view path, std::string_view name) const;
    // As kept: the string types in UTF-16LE.
    void PutStored(std::string_view path, platform::StoredValue value);
    std::optional<platform::StoredValue> GetStored(std::string_view path, std::string_view name) const;
    std::size_t ValueCount(std::string_view path) const { return FindKey(path) ? FindKey(path)->values.size() : 0; }

    // Opening `path` returns `status` from now on (0 lifts the failure).
    void FailOpen(std::string_view path, RegistryStatus status) { KeyAt(path).openFailure = status; }
    // Opening `path` for setting values is denied (status 5) while `denied`; reading it still works.
    void DenySet(std::string_view path, bool denied = true) { KeyAt(path).setDenied = denied; }
    // Setting `name` in `path` returns `status` and leaves the value as it was.
    void FailSet(std::string_view path, std::string_view name, RegistryStatus status);

    const std::vector<RegistryOperation>& Operations() const { return operations_; }
    void ClearOperations() { operations_.clear(); }
    std::size_t OpenHandleCount() const { return handles_.size(); }

private:
    struct Key {
        std::map<std::string, platform::StoredValue> values;  // by folded name; the name first given is kept
        std::map<std::string, RegistryStatus> setFailures;
        RegistryStatus openFailure = 0;
        bool setDenied = false;
    };
    struct OpenHandle {
        std::string path;  // folded
        platform::KeyAccess access;
    };

    Key& KeyAt(std::string_view path);
    const Key* FindKey(std::string_view path) const;
    RegistryStatus Log(RegistryOperation::Kind kind, std::string_view target, RegistryStatus status);
    // The key of a handle opened for `access`, or the status the call fails with.
    RegistryStatus Reach(RegistryKeyHandle handle, platform::KeyAccess access, Key*& key);

    std::map<std::string, Key> keys_;  // by folded path
    std::map<std::uintptr_t, OpenHandle> handles_;
    std::uintptr_t nextHandle_ = 1;
    std::vector<RegistryOperation> operations_;
};

}  // namespace sarnex::testing
