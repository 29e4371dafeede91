// The program's in-memory registry with what tests add: faults (a key that cannot be opened, writes
// refused, one value's write failing) and the log of operations. Values are converted on the ANSI
// calls through the Western code page unless a test gives another.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/headless/memory_registry.h"
#include "support/fixed_code_page.h"

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

class MemoryRegistry final : public headless::MemoryRegistry {
public:
    explicit MemoryRegistry(FixedCodePage codePage = FixedCodePage())
        : headless::MemoryRegistry(pageKept_), pageKept_(std::move(codePage)) {}
    MemoryRegistry(const MemoryRegistry&) = delete;
    MemoryRegistry& operator=(const MemoryRegistry&) = delete;

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

    // As the ANSI calls set and see it.
    void PutValue(std::string_view path, std::string_view name, std::uint32_t type, std::vector<std::byte> data);
    std::optional<StoredRegistryValue> GetValue(std::string_view path, std::string_view name) const;

    // Opening `path` returns `status` from now on (0 lifts the failure).
    void FailOpen(std::string_view path, RegistryStatus status) { openFailures_[Fold(path)] = status; }
    // Opening `path` for setting values is denied (status 5) while `denied`; reading it still works.
    void DenySet(std::string_view path, bool denied = true);
    // Setting `name` in any key returns `status` and leaves the value as it was (0 lifts the failure).
    void FailSet(std::string_view, std::string_view name, RegistryStatus status) {
        if (status == 0) setFailures_.erase(Fold(name));
        else setFailures_[Fold(name)] = status;
    }

    // Setting `name` as kept, or deleting it, returns `status` (the ANSI set still works): what puts values
    // back after a failed save fails.
    void FailRestore(std::string_view name, RegistryStatus status) { restoreFailures_[Fold(name)] = status; }
    // Everything gone: no keys, no faults, no log.
    void Clear();

    const std::vector<RegistryOperation>& Operations() const { return operations_; }
    void ClearOperations() { operations_.clear(); }

private:
    static std::string Fold(std::string_view name);
    RegistryStatus Log(RegistryOperation::Kind kind, std::string_view target, RegistryStatus status);
    std::optional<RegistryStatus> SetFailure(std::string_view name, bool kept = false) const;

    FixedCodePage pageKept_;
    std::map<std::string, RegistryStatus> openFailures_;
    std::set<std::string> setDenied_;
    std::map<std::string, RegistryStatus> setFailures_;
    std::map<std::string, RegistryStatus> restoreFailures_;
    std::map<std::uintptr_t, std::string> paths_;  // of the open handles, for the log
    std::vector<RegistryOperation> operations_;
};

}  // namespace sarnex::testing
