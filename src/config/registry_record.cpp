#include "config/registry_record.h"

#include "config/value_codec.h"
#include "platform/code_page_utf8.h"

#include <algorithm>
#include <array>

namespace sarnex::config {
namespace {

using platform::RegistryKey;
using platform::RegistryStatus;
namespace status = platform::registry_status;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::optional<std::string> ReadText(const RegistryKey& key, std::string_view name, const platform::CodePage& codePage) {
    std::array<std::byte, kTextQuerySize> buffer{};
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (key.Query(name, type, buffer, size) != status::kSuccess) return std::nullopt;
    return DecodeText(std::span(buffer).first(std::min<std::size_t>(size, buffer.size())), codePage);
}

std::optional<std::int32_t> ReadNumber(const RegistryKey& key, std::string_view name) {
    std::array<std::byte, kNumberSize> buffer{};
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (key.Query(name, type, buffer, size) != status::kSuccess) return std::nullopt;
    return DecodeNumber(std::span(buffer).first(std::min<std::size_t>(size, buffer.size())));
}

}  // namespace

const platform::StoredValue* FindValue(const std::vector<platform::StoredValue>& values, std::string_view name) {
    const auto same = [name](const platform::StoredValue& v) {
        return std::equal(v.name.begin(), v.name.end(), name.begin(), name.end(),
                          [](char a, char b) { return Lower(a) == Lower(b); });
    };
    const auto found = std::find_if(values.begin(), values.end(), same);
    return found == values.end() ? nullptr : &*found;
}

std::optional<EncodedValue> EncodeValue(const DriverConfiguration& record, ValueId id, const platform::CodePage& codePage) {
    const ValueLayout& layout = LayoutOf(id);
    if (layout.text) {
        const auto& text = record.*layout.text;
        if (!text) return std::nullopt;
        auto bytes = EncodeText(*text, codePage);
        if (!bytes) return std::nullopt;
        return EncodedValue{kTextType, std::move(*bytes)};
    }
    const auto& number = record.*layout.number;
    if (!number) return std::nullopt;
    const auto bytes = EncodeNumber(*number);
    return EncodedValue{kNumberType, {bytes.begin(), bytes.end()}};
}

std::optional<platform::StoredValue> StoredForm(const DriverConfiguration& record, ValueId id,
                                                const platform::CodePage& codePage) {
    auto encoded = EncodeValue(record, id, codePage);
    if (!encoded) return std::nullopt;
    platform::StoredValue value{std::string(ValueName(id)), encoded->type, std::move(encoded->bytes)};
    if (value.type == kTextType) {
        // The ANSI set widens each character to its UTF-16 unit, the terminator included.
        const std::string codes(reinterpret_cast<const char*>(value.data.data()), value.data.size());
        value.data = platform::Utf16LeBytes(platform::Utf16FromUtf8(codePage.ToUtf8(codes)));
    }
    return value;
}

std::optional<std::int32_t> WellFormedNumber(const platform::StoredValue& value) {
    if (value.type != kNumberType || value.data.size() != kNumberSize) return std::nullopt;
    return DecodeNumber(value.data);
}

std::optional<std::u16string> WellFormedUnits(const platform::StoredValue& value) {
    if (value.type != kTextType || value.data.size() % 2 != 0) return std::nullopt;
    std::u16string units = platform::Utf16LeUnits(value.data);
    if (units.empty() || units.find(u'\0') != units.size() - 1) return std::nullopt;  // one zero, at the end
    units.pop_back();
    return units;
}

std::optional<std::string> WellFormedText(const platform::StoredValue& value) {
    const auto units = WellFormedUnits(value);
    if (!units) return std::nullopt;
    return platform::Utf8FromUtf16(*units);
}

DriverConfiguration RecordFromStored(const std::vector<platform::StoredValue>& values) {
    DriverConfiguration record;
    for (const ValueId id : kWritingOrder) {
        const platform::StoredValue* value = FindValue(values, id);
        if (!value) continue;
        const ValueLayout& layout = LayoutOf(id);
        if (layout.text) record.*layout.text = WellFormedText(*value);
        else record.*layout.number = WellFormedNumber(*value);
    }
    return record;
}

ReadOutcome ReadDriverConfiguration(platform::Registry& registry, const platform::CodePage& codePage,
                                    std::string_view subKey) {
    auto [openStatus, key] = RegistryKey::Open(registry, subKey, platform::KeyAccess::Query);
    ReadOutcome outcome{openStatus, {}, {}};
    if (!outcome.KeyOpened()) return outcome;
    for (const ValueId id : kLoadingOrder) {
        const ValueLayout& layout = LayoutOf(id);
        if (layout.text) outcome.record.*layout.text = ReadText(key, layout.name, codePage);
        else outcome.record.*layout.number = ReadNumber(key, layout.name);
    }
    // Without the kept values nothing could be told to be read faithfully: the pass fails as a whole.
    if (const RegistryStatus read = key.ReadStored(outcome.stored); read != status::kSuccess)
        return ReadOutcome{read, {}, {}};
    return outcome;  // the key closes as it goes out of scope
}

WriteOutcome WriteDriverConfiguration(platform::Registry& registry, const platform::CodePage& codePage,
                                      const DriverConfiguration& record, std::string_view subKey) {
    auto [openStatus, key] = RegistryKey::Open(registry, subKey, platform::KeyAccess::Set);
    WriteOutcome outcome{openStatus, {}};
    if (!outcome.KeyOpened()) return outcome;
    for (const ValueId id : kWritingOrder) {
        const ValueLayout& layout = LayoutOf(id);
        const bool held = layout.text ? (record.*layout.text).has_value() : (record.*layout.number).has_value();
        if (!held) continue;
        const auto encoded = EncodeValue(record, id, codePage);
        if (!encoded) {
            outcome.notWritten.push_back({id, UnwrittenValue::Reason::NotStorable});
            continue;
        }
        const RegistryStatus setStatus = key.Set(ValueName(id), encoded->type, encoded->bytes);
        if (setStatus != status::kSuccess)
            outcome.notWritten.push_back({id, UnwrittenValue::Reason::SetFailed, setStatus});
    }
    return outcome;  // the key closes as it goes out of scope
}

}  // namespace sarnex::config
