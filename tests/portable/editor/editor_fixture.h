// A headless editor with in-memory services, put into a typical loaded state without running its
// loading (the state is assigned through the setters, as loading assigns it).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <map>
#include <string>

#include "editor/editor.h"
#include "support/code_page_1252.h"
#include "platform/forms/forms_runtime.h"
#include "platform/headless/headless_host.h"
#include "support/memory_registry.h"
#include "support/recording_shell.h"
#include "shared/editor_scenarios.h"
#include "shared/event_trace.h"
#include "shared/user_driver.h"

namespace sarnex::testing {

class EditorHarness {
public:
    EditorHarness()
        : editor(runtime.DefaultInstance<editor::Editor>(editor::EditorServices{
              registry, codePage, shell, platform::ProgramVersion{1, 0, 41}, true, [] {}, [] {}, [] {}})) {}

    // Loads `state` through the editor's own loading.
    void Load(const LoadedState& state = LoadedState{}) {
        StoreLoadedState(registry, state);
        editor.Load();
    }

    testing::MemoryRegistry registry;
    testing::CodePage1252 codePage;
    testing::RecordingShell shell;
    headless::HeadlessHost host;
    forms::FormsRuntime runtime{host};
    editor::Editor& editor;
    HeadlessDriver user;
};

class EditorRules : public ::testing::Test {
protected:
    // Starts from the typical loaded state, or from `state`.
    void Load(const LoadedState& state = LoadedState{}) { harness.Load(state); }

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
    out["sizeSpinnerPosition"] = std::to_string(e.AcceptedPositions().size);
    out["letterSpinnerPosition"] = std::to_string(e.AcceptedPositions().letter);
    out["intervalSpinnerPosition"] = std::to_string(e.AcceptedPositions().interval);
    return out;
}

inline std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

// The names whose state differs between two snapshots, in alphabetical order.
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
