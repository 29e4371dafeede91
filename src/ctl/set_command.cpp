// set: the stored settings loaded into the editor, each setting applied as the user's own action in
// the window's order, every resulting change shown with the rule that made it, then the editor's
// own Save, all or nothing.
#include <algorithm>
#include <map>

#include "config/number_text.h"
#include "config/registry_record.h"
#include "ctl/ascii.h"
#include "ctl/check.h"
#include "ctl/commands.h"
#include "ctl/editor_session.h"
#include "ctl/value_text.h"

namespace sarnex::ctl {
namespace {

using config::ValueId;

struct Rule {
    SettingId cause;
    ValueId changed;
    const char* text;
};

// The editor's rules between controls, by the setting that sets them off and the value they change.
constexpr Rule kRules[] = {
    {SettingId::LoadImage, ValueId::MakeTempDir, "loading an image excludes the TEMP directory"},
    {SettingId::LoadImage, ValueId::UseDiskLabel, "loading an image excludes the disk label"},
    {SettingId::TempDir, ValueId::LoadImageOnStart, "the TEMP directory excludes loading an image"},
    {SettingId::Label, ValueId::LoadImageOnStart, "a disk label excludes loading an image"},
    {SettingId::AutoSave, ValueId::SaveImageOnExit, "AutoSave saves the image"},
    {SettingId::SaveImage, ValueId::AutoSaveEnabled, "AutoSave needs the image to be saved"},
};

std::string RuleText(SettingId cause, ValueId changed) {
    for (const Rule& rule : kRules)
        if (rule.cause == cause && rule.changed == changed) return rule.text;
    return "a rule of the editor";
}

// Why a value the user typed is stored otherwise, when the window's normalisation changed it.
std::optional<std::string> Normalised(ValueId id, std::string_view typed, const config::DriverConfiguration& r) {
    if (id == ValueId::SizeIn4kPages && config::NumberFromText(typed) != *r.SizeIn4kPages / 256.0)
        return "the editor keeps sizes to whole MB from 5 to 2048";
    if (id == ValueId::AutoSaveTrigger && config::NumberFromText(typed) != static_cast<double>(*r.AutoSaveTrigger) * 4)
        return "the editor keeps intervals from 20 to 32767 seconds, in steps of 4";
    if (id == ValueId::UserDriveLetter && typed != "auto" &&
        !SameIgnoringCase(typed, std::string(1, static_cast<char>('A' + (*r.UserDriveLetter & 0xFF)))))
        return "drive letters run from D to Z";
    return std::nullopt;
}

std::string ValueLabel(ValueId id) {
    std::string label(SettingFor(id).name);
    if (id == ValueId::AutoSaveTrigger) label += " interval";
    if (id == ValueId::DiskLabel) label += " text";
    return label;
}

bool SameValue(const config::DriverConfiguration& a, const config::DriverConfiguration& b, ValueId id,
               const platform::CodePage& codePage) {
    const config::EncodedValue first = config::EncodeValue(a, id, codePage);
    const config::EncodedValue second = config::EncodeValue(b, id, codePage);
    return first.problem == second.problem && first.bytes == second.bytes;
}

std::string WhyUnstorable(ValueId id, const config::DriverConfiguration& record, const platform::CodePage& codePage) {
    const config::ValueLayout& layout = config::LayoutOf(id);
    if (!layout.text) return "the number is beyond what the value can hold";
    const std::string& text = *(record.*layout.text);
    const auto codes = codePage.FromUtf8(text);
    if (!codes) return "\"" + text + "\" has characters that the ANSI code page cannot hold";
    return "it takes " + std::to_string(codes->size()) + " bytes; a text value holds at most 254";
}

std::string Said(const Assignment& assignment) {
    return std::string(SettingOf(assignment.setting).name) + "=" + assignment.value;
}

// The editor reported a failed save: say what the key holds now, after putting back what was written.
Outcome SaveFailed(const Services& services, const StoredKey& stored, const config::DriverConfiguration& record) {
    const auto opened =
        platform::RegistryKey::Open(services.registry, config::kDriverKey, platform::KeyAccess::Set).first;
    if (opened != platform::registry_status::kSuccess)
        return Failed(exit_code::kRegistry, "cannot write " + std::string(kKeyPath) + ": " + RegistryFailure(opened) +
                                                "; nothing was written");
    const StoredKey now = ReadStoredKey(services.registry, services.codePage);
    std::vector<std::string> refused, written;
    for (const ValueId id : config::kWritingOrder) {
        const platform::StoredValue wanted = StoredFormOf(record, id, services.codePage);
        if (!Holds(now.Find(id), wanted)) refused.emplace_back(config::ValueName(id));
        else if (!Holds(stored.Find(id), wanted)) written.emplace_back(config::ValueName(id));
    }
    std::string message = "the registry refused to write";
    for (const std::string& name : refused) message += " " + name;
    const std::vector<std::string> stuck = Restore(services.registry, stored, written);
    if (stuck.empty()) return Failed(exit_code::kRegistry, message + "; the values already written were put back, "
                                                                     "so nothing was changed");
    message += "; putting back";
    for (const std::string& name : stuck) message += " " + name;
    return Failed(exit_code::kRegistry, message + " failed as well: those hold the new settings");
}

}  // namespace

Outcome SetCommand(const Command& command, const Services& services) {
    const platform::CodePage& codePage = services.codePage;
    const StoredKey stored = ReadStoredKey(services.registry, codePage);
    const bool newKey = stored.openStatus == platform::registry_status::kNotFound;
    if (!stored.Opened() && !newKey)
        return Failed(exit_code::kRegistry, "cannot read " + std::string(kKeyPath) + ": " +
                                                RegistryFailure(stored.openStatus) + "; nothing was written");

    EditorSession session(services.registry, codePage, services.systemFacts);
    // For each value, why it last changed; empty when it is what the user asked for.
    std::map<ValueId, std::string> why;
    config::DriverConfiguration before = session.Record();
    for (const Finding& finding : StoredValueFindings(stored, before, codePage))
        if (finding.value) why[*finding.value] = std::string(config::ValueName(*finding.value)) + ": " + finding.problem;
    if (newKey)
        for (const ValueId id : config::kWritingOrder) why[id] = "a new key starts from the editor's defaults";

    std::vector<std::string> refusals;
    std::vector<const Assignment*> applied;
    for (const SettingId setting : session.WindowOrder()) {
        const auto asked = std::find_if(command.assignments.begin(), command.assignments.end(),
                                        [setting](const Assignment& a) { return a.setting == setting; });
        if (asked == command.assignments.end()) continue;
        if (auto refusal = session.Apply(setting, asked->value)) {
            refusals.push_back(Said(*asked) + ": " + *refusal);
            continue;
        }
        const config::DriverConfiguration after = session.Record();
        for (const ValueId id : config::kWritingOrder) {
            if (SameValue(before, after, id, codePage)) continue;
            const SettingId owner = SettingFor(id).id;
            if (owner == setting) {
                why[id] = Normalised(id, asked->value, after).value_or("");
                continue;
            }
            why[id] = RuleText(setting, id);
            const auto undone = std::find_if(applied.begin(), applied.end(),
                                             [owner](const Assignment* a) { return a->setting == owner; });
            if (undone != applied.end()) refusals.push_back(Said(*asked) + " undoes " + Said(**undone) + ": " + why[id]);
        }
        applied.push_back(&*asked);
        before = after;
    }
    for (const config::UnwrittenValue& unstorable : config::UnstorableValues(before, codePage))
        refusals.push_back(std::string(SettingFor(unstorable.id).name) + " (" +
                           std::string(config::ValueName(unstorable.id)) +
                           "): " + WhyUnstorable(unstorable.id, before, codePage));
    if (!refusals.empty()) {
        Outcome outcome{exit_code::kUsage, "", ""};
        for (const std::string& refusal : refusals) outcome.err += "sarnexctl: refused: " + refusal + "\n";
        outcome.err += "sarnexctl: nothing was written to " + std::string(kKeyPath) + "\n";
        return outcome;
    }

    std::vector<std::pair<std::string, std::string>> rows;
    for (const ValueId id : config::kWritingOrder) {
        const platform::StoredValue saved = StoredFormOf(before, id, codePage);
        if (Holds(stored.Find(id), saved)) continue;
        const std::string rule = why[id].empty() ? "" : "  (" + why[id] + ")";
        rows.emplace_back(ValueLabel(id), StoredWords(id, stored.Find(id)) + " -> " + StoredWords(id, &saved) + rule);
    }
    // What the driver would fail at with these settings: warnings, shown before a dry run as after a write.
    std::string warnings;
    for (const Finding& finding : StartFindings(before, services.systemFacts))
        warnings += "warning: " + finding.text + "\n";
    Outcome outcome;
    if (newKey)
        outcome.out = std::string(kKeyPath) + " does not exist: set creates it (the editor's Save would not) and "
                                              "starts from the editor's defaults.\n";
    outcome.out += Columns(rows, "");
    if (rows.empty()) {
        outcome.out += "Nothing changes; nothing was written.\n";
    } else if (command.dryRun) {
        outcome.out += "Dry run: nothing was written.\n";
    } else if (const auto created = newKey ? services.registry.CreateKey(config::kDriverKey) : 0; created != 0) {
        return Failed(exit_code::kRegistry, "cannot create " + std::string(kKeyPath) + ": " +
                                                RegistryFailure(created) + "; nothing was written");
    } else if (const EditorSession::Saved saved = session.Save(); saved == EditorSession::Saved::ChangedMeanwhile) {
        return Failed(exit_code::kRegistry, "another program changed " + std::string(kKeyPath) +
                                                " while sarnexctl ran; nothing was written, so its change stays");
    } else if (saved == EditorSession::Saved::Failed) {
        return SaveFailed(services, stored, before);
    } else {
        outcome.out += "Saved to " + std::string(kKeyPath) + "; the driver takes the settings when it next starts.\n";
    }
    outcome.out += warnings;
    return outcome;
}

}  // namespace sarnex::ctl
