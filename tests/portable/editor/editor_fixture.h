// A headless editor with in-memory services, put into a typical loaded state without running its
// loading (the state is assigned through the setters, as loading assigns it).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

#include "editor/editor.h"
#include "platform/code_page_1252.h"
#include "platform/forms/forms_runtime.h"
#include "platform/headless/headless_host.h"
#include "platform/memory_registry.h"
#include "platform/recording_shell.h"
#include "shared/editor_scenarios.h"
#include "shared/event_trace.h"
#include "shared/user_driver.h"

namespace sarnex::testing {

class EditorHarness {
public:
    EditorHarness()
        : editor(runtime.DefaultInstance<editor::Editor>(editor::EditorServices{
              registry, codePage, shell, editor::ProgramVersion{1, 0, 41}, showRestartQuery, [] {}, [] {}, [] {}})) {}

    platform::MemoryRegistry registry;
    platform::CodePage1252 codePage;
    platform::RecordingShell shell;
    std::int16_t showRestartQuery = 1;
    headless::HeadlessHost host;
    forms::FormsRuntime runtime{host};
    editor::Editor& editor;
    HeadlessDriver user;
};

class EditorRules : public ::testing::Test {
protected:
    // Starts from the typical loaded state, or from `state`.
    void Load(const LoadedState& state = LoadedState{}) { ApplyLoadedState(e, state); }

    EditorHarness harness;
    editor::Editor& e = harness.editor;
    HeadlessDriver& user = harness.user;
};

// Every control's observable state, for checking that an action changed nothing else.
inline std::map<std::string, std::string> Snapshot(const editor::Editor& e) {
    std::map<std::string, std::string> out;
    for (const auto& control : e.Controls()) {
        std::string state = control->Enabled() ? "enabled" : "disabled";
        if (auto* box = dynamic_cast<const forms::TextBox*>(control.get())) state += " text=" + box->Text();
        if (auto* check = dynamic_cast<const forms::CheckBox*>(control.get()))
            state += " value=" + std::to_string(check->Value());
        if (auto* bar = dynamic_cast<const forms::VScrollBar*>(control.get()))
            state += " value=" + std::to_string(bar->Value());
        if (auto* combo = dynamic_cast<const forms::ComboBox*>(control.get()))
            state += " index=" + std::to_string(combo->ListIndex()) + " text=" + combo->Text();
        out[control->Name()] = state;
    }
    out["SizeScrollPos"] = std::to_string(e.SizeScrollPos);
    out["DriveScrollPos"] = std::to_string(e.DriveScrollPos);
    out["TimeScrollPos"] = std::to_string(e.TimeScrollPos);
    return out;
}

// The names whose state differs between two snapshots.
inline std::vector<std::string> Differences(const std::map<std::string, std::string>& before,
                                            const std::map<std::string, std::string>& after) {
    std::vector<std::string> names;
    for (const auto& [name, state] : after) {
        auto it = before.find(name);
        if (it == before.end() || it->second != state) names.push_back(name);
    }
    return names;
}

}  // namespace sarnex::testing
