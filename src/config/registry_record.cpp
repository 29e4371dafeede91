#include "config/registry_record.h"

#include "config/value_codec.h"

#include <array>

namespace sarnex::config {
namespace {

using platform::RegistryKey;
using platform::RegistryStatus;
namespace status = platform::registry_status;

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

EncodedValue EncodeValue(const DriverConfiguration& record, ValueId id, const platform::CodePage& codePage) {
    const ValueLayout& layout = LayoutOf(id);
    EncodedValue encoded{id, layout.type, {}, std::nullopt};
    using Reason = UnwrittenValue::Reason;
    if (layout.text) {
        const auto& text = record.*layout.text;
        if (!text) encoded.problem = Reason::Absent;
        else if (auto bytes = EncodeText(*text, codePage)) encoded.bytes = std::move(*bytes);
        else encoded.problem = Reason::NotStorable;
    } else {
        const auto& number = record.*layout.number;
        if (!number) encoded.problem = Reason::Absent;
        else {
            const auto bytes = EncodeNumber(*number);
            encoded.bytes.assign(bytes.begin(), bytes.end());
        }
    }
    return encoded;
}

std::vector<UnwrittenValue> UnstorableValues(const DriverConfiguration& record, const platform::CodePage& codePage) {
    std::vector<UnwrittenValue> unstorable;
    for (const ValueId id : kWritingOrder) {
        if (const auto problem = EncodeValue(record, id, codePage).problem) unstorable.push_back({id, *problem});
    }
    return unstorable;
}

ReadOutcome ReadDriverConfiguration(platform::Registry& registry, const platform::CodePage& codePage,
                                    std::string_view subKey) {
    auto [openStatus, key] = RegistryKey::Open(registry, subKey, platform::KeyAccess::Query);
    ReadOutcome outcome{openStatus, {}};
    if (!outcome.KeyOpened()) return outcome;
    for (const ValueId id : kLoadingOrder) {
        const ValueLayout& layout = LayoutOf(id);
        if (layout.text) outcome.record.*layout.text = ReadText(key, layout.name, codePage);
        else outcome.record.*layout.number = ReadNumber(key, layout.name);
    }
    return outcome;  // the key closes as it goes out of scope
}

WriteOutcome WriteDriverConfiguration(platform::Registry& registry, const platform::CodePage& codePage,
                                      const DriverConfiguration& record, std::string_view subKey) {
    auto [openStatus, key] = RegistryKey::Open(registry, subKey, platform::KeyAccess::Set);
    WriteOutcome outcome{openStatus, {}};
    if (!outcome.KeyOpened()) return outcome;
    for (const ValueId id : kWritingOrder) {
        const EncodedValue encoded = EncodeValue(record, id, codePage);
        if (encoded.problem) {
            outcome.notWritten.push_back({id, *encoded.problem});
            continue;
        }
        const RegistryStatus setStatus = key.Set(ValueName(id), encoded.type, encoded.bytes);
        if (setStatus != status::kSuccess)
            outcome.notWritten.push_back({id, UnwrittenValue::Reason::SetFailed, setStatus});
    }
    return outcome;  // the key closes as it goes out of scope
}

}  // namespace sarnex::config
