// A fresh program, wired as sarnexcfg.exe wires it, over the headless host, the in-memory registry,
// the recording shell and the Western code page: every native test that needs the program starts
// from one of these, and so from the states the program itself produces.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/editor.h"
#include "notices/driver_notices.h"
#include "notices/registry_notices.h"
#include "notices/restart_prompt.h"
#include "platform/forms/forms_runtime.h"
#include "platform/headless/headless_host.h"
#include "shared/stored_values.h"
#include "shared/user_driver.h"
#include "startup/program.h"
#include "support/fixed_code_page.h"
#include "support/fixed_system_facts.h"
#include "support/memory_registry.h"
#include "support/recording_shell.h"

namespace sarnex::testing {

class FreshProgram {
public:
    // The key holds `values`; std::nullopt: there is no key at all. The ANSI code page is Western
    // unless a test gives another.
    explicit FreshProgram(const std::optional<StoredValues>& values = TypicalRecord(), unsigned codePageId = 1252)
        : registry(FixedCodePage(codePageId)), codePage(codePageId) {
        // The typical record's images: one to load, and room for the one to save, so its saves ask nothing.
        facts.AddFile("C:\\disk.img", kMegabyte);
        facts.AddFolder("C:\\", 4096 * kMegabyte);
        if (values) StoreKey(registry, *values);
    }

    // Starts the program with a command word, as sarnexcfg.exe does, and returns its editor.
    editor::Editor& Start(const std::string& word = "") {
        program.Start(word);
        return program.Editor();
    }
    editor::Editor& Editor() { return program.Editor(); }

    template <class F>
    F* Window() const { return runtime.ExistingInstance<F>(); }
    template <class F>
    bool IsLoaded() const { return Window<F>() != nullptr && Window<F>()->Loaded(); }

    std::optional<StoredValue> Stored(std::string_view name) const {
        const auto value = registry.GetValue(kKey, name);
        if (!value) return std::nullopt;
        return StoredValue{value->type, std::string(reinterpret_cast<const char*>(value->data.data()), value->data.size())};
    }
    // The registry operations of one kind since the last ClearOperations, as "target:status".
    std::vector<std::string> Operations(RegistryOperation::Kind kind) const {
        std::vector<std::string> out;
        for (const auto& op : registry.Operations())
            if (op.kind == kind) out.push_back(op.target + ":" + std::to_string(op.status));
        return out;
    }
    std::vector<std::string> Sets() const { return Operations(RegistryOperation::Kind::Set); }
    // Every value of the key as the registry keeps it, by name.
    std::vector<platform::StoredValue> Kept() const {
        std::vector<platform::StoredValue> values;
        for (const std::string& name : kWritingOrder)
            if (auto value = registry.GetStored(kKey, name)) values.push_back(*value);
        return values;
    }

    headless::HeadlessHost host;
    forms::FormsRuntime runtime{host};
    MemoryRegistry registry;
    FixedCodePage codePage;
    RecordingShell shell;
    FixedSystemFacts facts;
    startup::Program program{runtime, {registry, codePage, facts, {1, 0, 41}}, shell};
    HeadlessDriver user;
};

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
