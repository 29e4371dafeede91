#include "ctl/check.h"

#include <algorithm>
#include <array>

#include "config/registry_record.h"
#include "config/value_codec.h"
#include "config/value_conversions.h"
#include "ctl/editor_session.h"
#include "ctl/value_text.h"
#include "editor/limits.h"
#include "editor/save_checks.h"

namespace sarnex::ctl {
namespace {

using config::ValueId;
using Action = editor::PlannedValue::Action;

// The ranges the editor holds a hard disk's size and the interval to, as a save stores their ends.
std::optional<std::string> OutOfRange(ValueId id, std::int32_t number, const config::DriverConfiguration& record) {
    const bool hardDisk = record.DiskType && config::DiskTypeIndexFromCode(*record.DiskType) == 0;
    const auto smallest = config::PagesFromMegabytes(editor::kSmallestDiskSize);
    const auto largest = config::PagesFromMegabytes(editor::kLargestDiskSize);
    if (id == ValueId::SizeIn4kPages && hardDisk && (number < *smallest || number > *largest))
        return config::ExactMegabytes(number) + " MB is outside " + std::to_string(editor::kSmallestDiskSize) + " to " +
               std::to_string(editor::kLargestDiskSize) + " MB";
    const auto shortest = config::TriggerFromSeconds(editor::kShortestAutoSaveInterval);
    const auto longest = config::TriggerFromSeconds(editor::kLongestAutoSaveInterval);
    if (id == ValueId::AutoSaveTrigger && (number < *shortest || number > *longest))
        return config::TriggerSeconds(number) + " seconds is outside " +
               std::to_string(editor::kShortestAutoSaveInterval) + " to " +
               std::to_string(editor::kLongestAutoSaveInterval) + " seconds";
    return std::nullopt;
}

std::string Why(ValueId id, const std::vector<editor::RuleNote>& notes) {
    std::string why;
    for (const editor::RuleNote& note : notes)
        if (note.value == id && why.find(note.why) == std::string::npos) why += (why.empty() ? "" : "; ") + note.why;
    return why.empty() ? "the editor reads it otherwise than it stands" : why;
}

}  // namespace

std::optional<std::string> FastStartupNote(platform::Registry& registry) {
    const auto [status, key] = platform::RegistryKey::Open(
        registry, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Power", platform::KeyAccess::Query);
    std::array<std::byte, 4> value{};
    std::uint32_t type = 0, size = 0;
    if (!key.IsOpen() || key.Query("HiberbootEnabled", type, value, size) != platform::registry_status::kSuccess ||
        type != config::kNumberType || config::DecodeNumber(std::span(value).first(size)) != 1)
        return std::nullopt;
    return "Fast Startup is on, so \"Shut down\" does not start the driver again: it takes new settings at the "
           "next \"Restart\".";
}

std::vector<platform::StoredValue> DefaultValues(const platform::CodePage& codePage, const platform::SystemFacts& system) {
    headless::MemoryRegistry none(codePage);
    std::vector<platform::StoredValue> values;
    for (const editor::PlannedValue& planned : EditorSession(none, codePage, system).Plan())
        if (planned.value) values.push_back(*planned.value);
    return values;
}

void LoadKey(headless::MemoryRegistry& registry, const std::vector<platform::StoredValue>& values) {
    registry.AddKey(config::kDriverKey);
    for (const platform::StoredValue& value : values) registry.PutStored(config::kDriverKey, value);
}

std::vector<Finding> StartFindings(const config::DriverConfiguration& settings, const platform::SystemFacts& system) {
    std::vector<Finding> findings;
    for (std::string& text : editor::CheckSettings(settings, system)) findings.push_back({std::nullopt, std::move(text)});
    return findings;
}

Inspection Inspect(platform::Registry& registry, const platform::CodePage& codePage,
                   const platform::SystemFacts& system) {
    Inspection inspection{ReadStoredKey(registry, codePage), {}, {}};
    if (!inspection.stored.Opened()) return inspection;
    const EditorSession session(registry, codePage, system);
    inspection.plan = session.Plan();
    std::vector<Finding>& findings = inspection.findings;
    const config::DriverConfiguration record = inspection.Record();
    for (const ValueId id : config::kLoadingOrder) {
        const editor::PlannedValue& planned = inspection.plan[static_cast<std::size_t>(
            std::find(config::kWritingOrder.begin(), config::kWritingOrder.end(), id) - config::kWritingOrder.begin())];
        const platform::StoredValue* stored = inspection.stored.Find(id);
        const std::string name = std::string(config::ValueName(id)) + ": ";
        if (planned.action == Action::Keep) {
            findings.push_back({id, name + planned.reason + (stored ? "; a save keeps it as stored" : "; a save leaves it absent")});
        } else if (planned.value && !Holds(stored, *planned.value)) {
            findings.push_back({id, name + Why(id, session.RuleLog()) + "; the editor would save " + StoredWords(id, &*planned.value)});
        } else if (const auto number = stored ? config::WellFormedNumber(*stored) : std::nullopt) {
            if (auto outside = OutOfRange(id, *number, record)) findings.push_back({id, name + *outside});
        }
    }
    for (const platform::StoredValue& value : inspection.stored.values) {
        const std::vector<platform::StoredValue> one{value};
        const bool driver = std::any_of(config::kWritingOrder.begin(), config::kWritingOrder.end(),
                                        [&](ValueId id) { return config::FindValue(one, id) != nullptr; });
        if (!driver)
            findings.push_back({std::nullopt, (value.name.empty() ? std::string("@ (the key's default value)") : value.name) +
                                                  ": the driver reads no value of this name"});
    }
    if (const StoredKey old = ReadStoredKey(registry, codePage, kOldViewKey); old.Opened() && !old.values.empty())
        findings.push_back({std::nullopt, "HKEY_LOCAL_MACHINE\\" + std::string(kOldViewKey) + " holds " +
                                              std::to_string(old.values.size()) + " values, where earlier versions wrote "
                                              "the settings on 64-bit Windows; the driver reads " + std::string(kKeyPath) +
                                              ": export the old key with regedit, import the file with sarnexctl, "
                                              "then delete the old key"});
    for (Finding& finding : StartFindings(record, system)) findings.push_back(std::move(finding));
    return inspection;
}

}  // namespace sarnex::ctl
