// The program over the headless host, the in-memory registry, the recording shell and the Western code
// page, driven by the model's own user operations: every native test that needs the program starts here.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "notices/driver_notices.h"
#include "notices/registry_notices.h"
#include "notices/restart_prompt.h"
#include "platform/headless/headless_host.h"
#include "shared/program_harness.h"

namespace sarnex::testing {

using FreshProgram = ProgramHarness<headless::HeadlessHost, HeadlessDriver>;

// One control's state as a user sees it: "on" or "off", then its value: a text in quotes, a tick
// (0 or 1), a bar position, or a list index with the combo's text.
inline std::string StateOf(const forms::Control& control) {
    std::string state = control.Enabled() ? "on" : "off";
    const auto quoted = [](const std::string& text) { return " \"" + text + "\""; };
    if (auto* box = dynamic_cast<const forms::TextBox*>(&control)) state += quoted(box->Text());
    if (auto* check = dynamic_cast<const forms::CheckBox*>(&control)) state += " " + std::to_string(check->Value());
    if (auto* bar = dynamic_cast<const forms::VScrollBar*>(&control)) state += " " + std::to_string(bar->Value());
    if (auto* combo = dynamic_cast<const forms::ComboBox*>(&control))
        state += " " + std::to_string(combo->ListIndex()) + quoted(combo->Text());
    if (auto* label = dynamic_cast<const forms::Label*>(&control)) state += quoted(label->Caption());
    return state;
}

// Control name -> state, for every control of the form.
inline std::map<std::string, std::string> StatesOf(const forms::Form& form) {
    std::map<std::string, std::string> states;
    for (const auto& control : form.Controls())
        if (control->Type() != forms::ControlType::Line) states[control->Name()] = StateOf(*control);
    return states;
}

// The names of the controls whose state differs, in alphabetical order.
inline std::vector<std::string> Changed(const std::map<std::string, std::string>& before,
                                        const std::map<std::string, std::string>& after) {
    std::vector<std::string> names;
    for (const auto& [name, state] : after)
        if (before.at(name) != state) names.push_back(name);
    return names;
}

// Checks the listed controls only.
inline void ExpectStates(const forms::Form& form, const std::map<std::string, std::string>& expected) {
    for (const auto& [name, state] : expected) EXPECT_EQ(StatesOf(form).at(name), state) << name;
}

// Each spinner's bar stands where its last step (or loading, or normalising) left it.
inline void ExpectSpinnersAtTheirAcceptedPositions(const editor::Editor& e) {
    EXPECT_EQ(e.diskSizeSpinner.Value(), e.AcceptedPositions().size);
    EXPECT_EQ(e.driveLetterSpinner.Value(), e.AcceptedPositions().letter);
    EXPECT_EQ(e.autoSaveSpinner.Value(), e.AcceptedPositions().interval);
}

}  // namespace sarnex::testing
