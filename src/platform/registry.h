// The registry as the program uses it: open an existing key under HKEY_LOCAL_MACHINE, query and set
// values, close. Status codes are the operating system's own (0 success, 2 not found, ...), so the
// in-memory registry and advapi32 can be swapped without the callers noticing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sarnex::platform {

using RegistryStatus = std::int32_t;

namespace registry_status {
inline constexpr RegistryStatus kSuccess = 0;
inline constexpr RegistryStatus kNotFound = 2;       // ERROR_FILE_NOT_FOUND
inline constexpr RegistryStatus kAccessDenied = 5;   // ERROR_ACCESS_DENIED
inline constexpr RegistryStatus kInvalidHandle = 6;  // ERROR_INVALID_HANDLE
inline constexpr RegistryStatus kMoreData = 234;     // ERROR_MORE_DATA
}  // namespace registry_status

// The registry types that .reg files and stored values name.
namespace registry_type {
inline constexpr std::uint32_t kSz = 1;         // REG_SZ
inline constexpr std::uint32_t kExpandSz = 2;   // REG_EXPAND_SZ
inline constexpr std::uint32_t kBinary = 3;     // REG_BINARY
inline constexpr std::uint32_t kDword = 4;      // REG_DWORD
inline constexpr std::uint32_t kMultiSz = 7;    // REG_MULTI_SZ
}  // namespace registry_type

// "REG_SZ", "REG_DWORD", ... or "type 0x0000ABCD".
std::string TypeName(std::uint32_t type);

// What a key is opened for: each pass asks only for the rights it needs, so a key that may be read
// but not written can still be loaded.
enum class KeyAccess { Query, Set };

// A value as the registry keeps it, and as regedit shows it: the string types (REG_SZ, REG_EXPAND_SZ,
// REG_MULTI_SZ) in UTF-16LE, every other type as its bytes. The ANSI queries and sets below convert
// the string types to and from the code page on the way; these are the bytes underneath.
struct StoredValue {
    std::string name;  // UTF-8; empty for the key's default value
    std::uint32_t type = 0;
    std::vector<std::byte> data;
    friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

// Opaque handle of an open key; only the registry that issued it knows what it means.
struct RegistryKeyHandle {
    std::uintptr_t value = 0;
};

class Registry {
public:
    virtual ~Registry() = default;

    // Opens an existing key under HKEY_LOCAL_MACHINE; never creates it. `key` is set only on success.
    virtual RegistryStatus OpenKey(std::string_view subKey, KeyAccess access, RegistryKeyHandle& key) = 0;

    // Reads a value into `data` (capacity `size`). On return `type` holds the stored type and `size`
    // the bytes returned, or the bytes needed with kMoreData (then `data` is left untouched).
    // A null `data` asks for the size only.
    virtual RegistryStatus QueryValue(RegistryKeyHandle key, std::string_view name, std::uint32_t& type,
                                      std::byte* data, std::uint32_t& size) = 0;

    virtual RegistryStatus SetValue(RegistryKeyHandle key, std::string_view name, std::uint32_t type,
                                    const std::byte* data, std::uint32_t size) = 0;

    virtual RegistryStatus CloseKey(RegistryKeyHandle key) = 0;

    // Creates the key under HKEY_LOCAL_MACHINE, with any missing parents; an existing key is left as
    // it is. Opens nothing.
    virtual RegistryStatus CreateKey(std::string_view subKey) = 0;

    // Every value of a key opened for Query, in the registry's own order; `values` is replaced.
    virtual RegistryStatus ReadStoredValues(RegistryKeyHandle key, std::vector<StoredValue>& values) = 0;

    // Sets a value to exactly these bytes, of any type and length (a key opened for Set).
    virtual RegistryStatus SetStoredValue(RegistryKeyHandle key, const StoredValue& value) = 0;

    // Removes a value (a key opened for Set); a missing value gives kNotFound.
    virtual RegistryStatus DeleteValue(RegistryKeyHandle key, std::string_view name) = 0;
};

// Owns one open key and closes it when destroyed.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey();
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // The status of the open operation and, when it is 0, the open key.
    static std::pair<RegistryStatus, RegistryKey> Open(Registry& registry, std::string_view subKey,
                                                       KeyAccess access);

    bool IsOpen() const { return registry_ != nullptr; }

    // Queries into the whole of `buffer`; `size` receives the bytes returned (or needed).
    RegistryStatus Query(std::string_view name, std::uint32_t& type, std::span<std::byte> buffer,
                         std::uint32_t& size) const;
    RegistryStatus Set(std::string_view name, std::uint32_t type, std::span<const std::byte> data) const;
    RegistryStatus ReadStored(std::vector<StoredValue>& values) const;
    RegistryStatus SetStored(const StoredValue& value) const;
    RegistryStatus Delete(std::string_view name) const;

    // Closes now and returns the close status; a key that is not open gives kInvalidHandle.
    RegistryStatus Close();

private:
    RegistryKey(Registry& registry, RegistryKeyHandle handle) : registry_(&registry), handle_(handle) {}

    Registry* registry_ = nullptr;
    RegistryKeyHandle handle_;
};

}  // namespace sarnex::platform
