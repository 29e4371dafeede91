// The editor's own form on the headless host: loaded from the registry as the window loads it, then
// changed only by the user's own actions (type and leave a box, tick or untick, pick an item) and
// saved with the editor's own Save. So every rule of the window applies, by construction.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/driver_configuration.h"
#include "ctl/settings.h"
#include "editor/editor.h"
#include "platform/forms/forms_runtime.h"
#include "platform/headless/headless_host.h"
#include "platform/headless/quiet_shell.h"
#include "platform/system_facts.h"

namespace sarnex::ctl {

class EditorSession {
public:
    EditorSession(platform::Registry& registry, const platform::CodePage& codePage,
                  const platform::SystemFacts& systemFacts);
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    // What a save would do with each value now, and the record the key would then hold.
    std::vector<editor::PlannedValue> Plan() const { return editor_.PlannedSave(); }
    config::DriverConfiguration Record() const { return editor::Editor::RecordOf(Plan()); }
    // What the editor's rules changed, and why, since loading began.
    const std::vector<editor::RuleNote>& RuleLog() const { return editor_.RuleLog(); }

    // The settings in the order the window shows their controls, top to bottom.
    std::vector<SettingId> WindowOrder() const;

    // Applies one setting as the user would; the reason when its control is unavailable (then
    // nothing was done) or the value cannot go into it.
    std::optional<std::string> Apply(SettingId setting, std::string_view value);

    // Presses "Save". The editor's own questions are answered as sarnexctl's report does: its
    // findings before the restart are warnings, printed beside the changes, and a value another
    // program changed meanwhile is not overwritten.
    enum class Saved { Yes, Failed, ChangedMeanwhile };
    Saved Save();

private:
    forms::Control& ControlOf(SettingId setting) const;
    void Tick(forms::CheckBox& box, bool ticked);
    std::optional<std::string> Refuse(const forms::TextBox& box, std::string_view text, std::string_view what) const;
    bool TypeAndLeave(forms::TextBox& box, std::string_view text);

    headless::HeadlessHost host_;
    forms::FormsRuntime runtime_{host_};
    headless::QuietShell shell_;  // nothing the session does opens a page or offers a restart
    bool saveFailed_ = false;
    bool changedMeanwhile_ = false;
    editor::Editor& editor_;
};

}  // namespace sarnex::ctl
