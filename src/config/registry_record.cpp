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
    using Reason = UnwrittenValue::Reason;
    for (const ValueId id : kWritingOrder) {
        const ValueLayout& layout = LayoutOf(id);
        RegistryStatus setStatus = status::kSuccess;
        if (layout.text) {
            const auto& text = record.*layout.text;
            if (!text) { outcome.notWritten.push_back({id, Reason::Absent}); continue; }
            const auto bytes = EncodeText(*text, codePage);
            if (!bytes) { outcome.notWritten.push_back({id, Reason::NotStorable}); continue; }
            setStatus = key.Set(layout.name, kTextType, *bytes);
        } else {
            const auto& number = record.*layout.number;
            if (!number) { outcome.notWritten.push_back({id, Reason::Absent}); continue; }
            setStatus = key.Set(layout.name, kNumberType, EncodeNumber(*number));
        }
        if (setStatus != status::kSuccess) outcome.notWritten.push_back({id, Reason::SetFailed, setStatus});
    }
    return outcome;  // the key closes as it goes out of scope
}

}  // namespace sarnex::config
