// The driver's key as tests store it: every value with its registry type and exact bytes.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sarnex::testing {

inline constexpr std::string_view kKey = "Software\\Sarnex";

// A value by its type and bytes: as the ANSI calls set it, or as the registry keeps it (`kept`:
// the string types in UTF-16LE, as regedit or a Unicode program stores them).
struct StoredValue {
    std::uint32_t type = 0;
    std::string bytes;
    bool kept = false;
    friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

// A text as the driver's installer and this program store it: its codes and the terminator.
inline StoredValue Text(std::string_view codes) { return {1, std::string(codes) + '\0'}; }

// A text as regedit stores it, in UTF-16LE with its terminator.
inline StoredValue Wide(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : std::u16string(text) + u'\0') {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return {1, bytes, true};
}

inline StoredValue Number(std::int32_t number) {
    const auto bits = static_cast<std::uint32_t>(number);
    std::string bytes;
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
    return {4, bytes};
}

inline StoredValue Raw(std::uint32_t type, std::string_view bytes) { return {type, std::string(bytes)}; }

// Value name -> value; std::nullopt means the value is not there at all.
using StoredValues = std::map<std::string, std::optional<StoredValue>>;

// A consistent record, as a save of the editor leaves it: a 64 MB hard disk with FAT32, letter "S"
// chosen, image saving with AutoSave every 60 s, a TEMP directory and the label "RAMDISK".
inline StoredValues TypicalRecord() {
    return {
        {"DiskType", Text("HDC")},           {"LoadImageOnStart", Number(0)},  {"LoadImageFile", Text("C:\\disk.img")},
        {"SaveImageOnExit", Number(1)},      {"SaveImageFile", Text("C:\\save.img")},
        {"SizeIn4kPages", Number(16384)},    {"AutoSaveEnabled", Number(1)},   {"DiskFormatFAT32", Number(1)},
        {"AutoSaveTrigger", Number(15)},     {"UserDriveLetter", Number(0x01000000 + 18)},
        {"MakeTempDir", Number(1)},          {"UseDiskLabel", Number(1)},      {"DiskLabel", Text("RAMDISK")},
    };
}

// `base` with some values replaced, added or (std::nullopt) taken away.
inline StoredValues With(StoredValues base, const StoredValues& changes) {
    for (const auto& [name, value] : changes) base[name] = value;
    return base;
}

// Creates the driver's key in a registry of the test's own and puts `values` into it, as the ANSI
// calls set them or as kept.
template <class Registry>
void StoreKey(Registry& registry, const StoredValues& values) {
    registry.AddKey(kKey);
    for (const auto& [name, value] : values) {
        if (!value) continue;
        const auto bytes = std::as_bytes(std::span(value->bytes));
        if (value->kept) registry.PutStored(kKey, {name, value->type, {bytes.begin(), bytes.end()}});
        else registry.PutValue(kKey, name, value->type, {bytes.begin(), bytes.end()});
    }
}

// The order in which a save writes the values.
inline const std::vector<std::string> kWritingOrder = {
    "DiskType",        "LoadImageOnStart", "LoadImageFile",   "SaveImageOnExit", "SaveImageFile",
    "SizeIn4kPages",   "AutoSaveEnabled",  "DiskFormatFAT32", "AutoSaveTrigger", "UserDriveLetter",
    "MakeTempDir",     "UseDiskLabel",     "DiskLabel"};

}  // namespace sarnex::testing
