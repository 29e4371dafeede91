// Another program may change the key while the editor is open. As with optimistic concurrency, the
// key as loading read it is the base: what only the other program changed stays as it left it, what
// only the user changed is written, and only what both changed is asked about. A merged record that
// loading would not take as it stands is asked about the same way, since the rules could not hold.
#include <algorithm>

#include "editor/editor.h"
#include "editor/save_checks.h"
#include "platform/headless/headless_host.h"
#include "platform/headless/memory_registry.h"
#include "platform/headless/quiet_shell.h"

namespace sarnex::editor {
namespace {

using Action = PlannedValue::Action;

bool Same(const platform::StoredValue* a, const platform::StoredValue* b) {
    if (a == nullptr || b == nullptr) return a == b;
    return a->type == b->type && a->data == b->data;
}

const platform::StoredValue* Planned(const PlannedValue& planned) {
    return planned.value ? &*planned.value : nullptr;
}

}  // namespace

void Editor::MergeChangesMeanwhile(std::vector<PlannedValue>& plan, const config::ReadOutcome& now) {
    const std::vector<PlannedValue> mine = plan;
    const auto theirs = [&](std::size_t i) { return now.Stored(plan[i].id); };
    const auto keepTheirs = [&](std::size_t i) {
        plan[i].action = Action::Keep;
        plan[i].value = theirs(i) ? std::optional(*theirs(i)) : std::nullopt;
        plan[i].reason = "another program changed it";
    };
    std::vector<std::size_t> asked;
    bool changed = false;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const platform::StoredValue* base = config::FindValue(reference_, plan[i].id);
        if (Same(base, theirs(i))) continue;
        changed = true;
        if (mine[i].action == Action::Keep || Same(base, Planned(mine[i]))) keepTheirs(i);
        else if (!Same(theirs(i), Planned(mine[i]))) asked.push_back(i);
    }
    if (!changed) return;
    // The key as either answer would leave it must be one that loading takes as it stands; if not,
    // every value the two differ in is asked about, so that either answer keeps one side whole.
    const auto merged = [&](bool editors) {
        std::vector<platform::StoredValue> values;
        for (std::size_t i = 0; i < plan.size(); ++i) {
            const bool question = std::find(asked.begin(), asked.end(), i) != asked.end();
            const platform::StoredValue* value = question && !editors ? theirs(i) : Planned(question ? mine[i] : plan[i]);
            if (value) values.push_back(*value);
        }
        return values;
    };
    if (LoadingWouldChange(merged(true)) || (!asked.empty() && LoadingWouldChange(merged(false)))) {
        asked.clear();
        for (std::size_t i = 0; i < plan.size(); ++i)
            if (mine[i].action == Action::Write && !Same(theirs(i), Planned(mine[i]))) asked.push_back(i);
    }
    if (asked.empty()) return;

    std::string text = "Since the editor read these settings, another program has changed them:\n";
    for (const std::size_t i : asked)
        text += CaptionOf(plan[i].id) + ": stored now " + ValueWords(plan[i].id, theirs(i)) + ", here " +
                ValueWords(plan[i].id, Planned(mine[i])) + "\n";
    text += "\nReplace the stored values with the ones shown here? No keeps the other program's.";
    const bool editors = AskYesNo(std::string(kSettingsChangedTitle), text);
    for (const std::size_t i : asked) {
        if (editors) plan[i] = mine[i];
        else keepTheirs(i);
    }
}

// Loads the values into an editor of their own, on a host without windows, and asks whether it would
// save anything otherwise than it stands.
bool Editor::LoadingWouldChange(const std::vector<platform::StoredValue>& values) const {
    headless::MemoryRegistry registry(services_.system.codePage);
    for (const platform::StoredValue& value : values) registry.PutStored(config::kDriverKey, value);
    headless::HeadlessHost host;
    forms::FormsRuntime runtime(host);
    headless::QuietShell shell;
    Editor loaded(runtime, EditorServices{
                               .system = {registry, services_.system.codePage, services_.system.systemFacts,
                                          services_.system.version},
                               .shell = shell,
                               .showReadFailedNotice = [] {},
                               .showSaveFailedNotice = [] {},
                               .showRestartPrompt = [] {},
                           });
    loaded.Load();
    const std::vector<PlannedValue> plan = loaded.PlannedSave();
    return std::any_of(plan.begin(), plan.end(), [&](const PlannedValue& planned) {
        return planned.action != Action::Keep && !Same(config::FindValue(values, planned.id), Planned(planned));
    });
}

}  // namespace sarnex::editor
