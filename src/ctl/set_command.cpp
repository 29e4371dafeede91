// set and init: the stored settings loaded into the editor, each setting applied as the user's own
// action in the window's order, every resulting change shown with the rule the editor noted for it,
// then the editor's own Save, all or nothing. What the editor cannot read stays as stored.
#include <algorithm>
#include <map>

#include "config/registry_record.h"
#include "ctl/check.h"
#include "ctl/commands.h"
#include "ctl/editor_session.h"
#include "ctl/value_text.h"

namespace sarnex::ctl {
namespace {

using config::ValueId;
using Action = editor::PlannedValue::Action;

std::string ValueLabel(ValueId id) {
    std::string label(SettingFor(id).name);
    if (id == ValueId::AutoSaveTrigger) label += " interval";
    if (id == ValueId::DiskLabel) label += " text";
    return label;
}

std::string Said(const Assignment& assignment) {
    return std::string(SettingOf(assignment.setting).name) + "=" + assignment.value;
}

const platform::StoredValue* Written(const std::vector<editor::PlannedValue>& plan, ValueId id) {
    const auto found = std::find_if(plan.begin(), plan.end(), [id](const auto& p) { return p.id == id; });
    return found->action == Action::Write ? &*found->value : nullptr;
}

// The key's values as they would stand after the save.
std::vector<platform::StoredValue> AfterSave(const StoredKey& stored, const std::vector<editor::PlannedValue>& plan) {
    std::vector<platform::StoredValue> values = stored.values;
    for (const editor::PlannedValue& planned : plan) {
        if (planned.action != Action::Write) continue;
        if (const platform::StoredValue* old = config::FindValue(values, planned.id))
            values.erase(values.begin() + (old - values.data()));
        values.push_back(*planned.value);
    }
    return values;
}

std::string NoRight() {
    return "no right to write " + std::string(kKeyPath) + ": run sarnexctl from an elevated prompt (Run as "
           "administrator); nothing was written";
}

}  // namespace

Outcome SetCommand(const Command& command, const Services& services) {
    const platform::CodePage& codePage = services.codePage;
    const StoredKey stored = ReadStoredKey(services.registry, codePage);
    const bool newKey = stored.openStatus == platform::registry_status::kNotFound;
    if (!stored.Opened() && !newKey)
        return Failed(exit_code::kRegistry, "cannot read " + std::string(kKeyPath) + ": " +
                                                RegistryFailure(stored.openStatus) + "; nothing was written");
    if (command.kind == CommandKind::Init && !newKey)
        return {exit_code::kSuccess, std::string(kKeyPath) + " exists; init writes nothing.\n", ""};

    EditorSession session(services.registry, codePage, services.systemFacts);
    // For each value, why it last changed; empty when it is what the user asked for.
    std::map<ValueId, std::string> why;
    const auto noted = [&](std::size_t from, ValueId id) {
        std::string text;
        for (std::size_t i = from; i < session.RuleLog().size(); ++i)
            if (session.RuleLog()[i].value == id && text.find(session.RuleLog()[i].why) == std::string::npos)
                text += (text.empty() ? "" : "; ") + session.RuleLog()[i].why;
        return text;
    };
    for (const ValueId id : config::kWritingOrder) why[id] = newKey ? "a new key starts from the editor's defaults" : noted(0, id);

    std::vector<std::string> refusals;
    std::vector<const Assignment*> applied;
    std::vector<editor::PlannedValue> before = session.Plan();
    for (const SettingId setting : session.WindowOrder()) {
        const auto asked = std::find_if(command.assignments.begin(), command.assignments.end(),
                                        [setting](const Assignment& a) { return a.setting == setting; });
        if (asked == command.assignments.end()) continue;
        const std::size_t logged = session.RuleLog().size();
        if (auto refusal = session.Apply(setting, asked->value)) {
            refusals.push_back(Said(*asked) + ": " + *refusal);
            continue;
        }
        const std::vector<editor::PlannedValue> after = session.Plan();
        for (std::size_t i = 0; i < after.size(); ++i) {
            const ValueId id = after[i].id;
            if (after[i].action == before[i].action && after[i].value == before[i].value) continue;
            why[id] = noted(logged, id);
            const SettingId owner = SettingFor(id).id;
            const auto undone = std::find_if(applied.begin(), applied.end(),
                                             [owner](const Assignment* a) { return a->setting == owner; });
            if (owner != setting && undone != applied.end())
                refusals.push_back(Said(*asked) + " undoes " + Said(**undone) + ": " + why[id]);
        }
        applied.push_back(&*asked);
        before = after;
    }
    for (const editor::PlannedValue& planned : before)
        if (planned.action == Action::Refuse) refusals.push_back(std::string(SettingFor(planned.id).name) + ": " + planned.reason);
    if (!refusals.empty()) {
        Outcome outcome{exit_code::kUsage, "", ""};
        for (const std::string& refusal : refusals) outcome.err += "sarnexctl: refused: " + refusal + "\n";
        outcome.err += "sarnexctl: nothing was written to " + std::string(kKeyPath) + "\n";
        return outcome;
    }

    std::vector<std::pair<std::string, std::string>> rows;
    for (const editor::PlannedValue& planned : before) {
        const platform::StoredValue* saved = Written(before, planned.id);
        if (!saved || Holds(stored.Find(planned.id), *saved)) continue;
        std::string reason = why[planned.id];
        if (!planned.note.empty()) reason += (reason.empty() ? "" : "; ") + planned.note;
        rows.emplace_back(ValueLabel(planned.id), StoredWords(planned.id, stored.Find(planned.id)) + " -> " +
                                                      StoredWords(planned.id, saved) +
                                                      (reason.empty() ? "" : "  (" + reason + ")"));
    }
    Outcome outcome;
    if (newKey)
        outcome.out = std::string(kKeyPath) + " does not exist: " + (command.kind == CommandKind::Init ? "init" : "set") +
                      " creates it (the editor's Save would not) and starts from the editor's defaults.\n";
    outcome.out += Columns(rows, "");
    const config::DriverConfiguration record = editor::Editor::RecordOf(before);
    if (command.strict) {
        headless::MemoryRegistry after(codePage);
        LoadKey(after, AfterSave(stored, before));
        const Inspection inspection = Inspect(after, codePage, services.systemFacts);
        if (!inspection.findings.empty()) {
            for (const Finding& finding : inspection.findings) outcome.out += "check: " + finding.text + "\n";
            return {exit_code::kFound, outcome.out, "sarnexctl: --strict: check finds the settings above; nothing "
                                                    "was written to " + std::string(kKeyPath) + "\n"};
        }
    }
    if (rows.empty()) {
        outcome.out += "Nothing changes; nothing was written.\n";
    } else if (command.dryRun) {
        outcome.out += "Dry run: nothing was written.\n";
    } else {
        const auto created = newKey ? services.registry.CreateKey(config::kDriverKey)
                                    : platform::RegistryKey::Open(services.registry, config::kDriverKey,
                                                                  platform::KeyAccess::Set).first;
        if (created == platform::registry_status::kAccessDenied) return Failed(exit_code::kNoRight, NoRight());
        if (created != platform::registry_status::kSuccess)
            return Failed(exit_code::kRegistry, std::string(newKey ? "cannot create " : "cannot write ") +
                                                    std::string(kKeyPath) + ": " + RegistryFailure(created) +
                                                    "; nothing was written");
        const EditorSession::Saved saved = session.Save();
        if (saved == EditorSession::Saved::ChangedMeanwhile)
            return Failed(exit_code::kRegistry, "another program changed " + std::string(kKeyPath) +
                                                    " while sarnexctl ran; the values it changed keep its settings, "
                                                    "the others were saved: run sarnexctl show to see them");
        if (saved == EditorSession::Saved::Failed) {
            const StoredKey now = ReadStoredKey(services.registry, codePage);
            std::string message = "the registry refused to write";
            std::vector<std::string> written;
            for (const editor::PlannedValue& planned : before) {
                const platform::StoredValue* wanted = Written(before, planned.id);
                if (!wanted) continue;
                if (!Holds(now.Find(planned.id), *wanted)) message += " " + std::string(config::ValueName(planned.id));
                else if (!Holds(stored.Find(planned.id), *wanted)) written.emplace_back(config::ValueName(planned.id));
            }
            const std::vector<std::string> stuck = Restore(services.registry, stored, written);
            if (stuck.empty())
                return Failed(exit_code::kRegistry, message + "; the values already written were put back, so nothing "
                                                              "was changed");
            message += "; putting back";
            for (const std::string& name : stuck) message += " " + name;
            return Failed(exit_code::kRegistry, message + " failed as well: those hold the new settings");
        }
        outcome.out += "Saved to " + std::string(kKeyPath) + "; the driver takes the settings when it next starts.\n";
        if (const auto note = FastStartupNote(services.registry)) outcome.out += "note: " + *note + "\n";
    }
    for (const Finding& finding : StartFindings(record, services.systemFacts))
        outcome.out += "warning: " + finding.text + "\n";
    return outcome;
}

}  // namespace sarnex::ctl
