// What `check` reports, and `show`, `set` and `import` with it: values a save keeps as stored because
// the editor cannot read them, values the editor's rules would change, values outside the ranges the
// editor keeps, values the driver does not read, settings left in the old registry view, and what the
// driver would fail at on this machine. Check() is the one place that gathers findings.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/driver_configuration.h"
#include "config/value_layout.h"
#include "ctl/stored_key.h"
#include "editor/editor.h"
#include "platform/headless/memory_registry.h"
#include "platform/code_page.h"
#include "platform/system_facts.h"

namespace sarnex::ctl {

struct Finding {
    std::optional<config::ValueId> value;  // the stored value it is about, if one
    std::string text;                      // the whole finding, as printed
};

// The key as the editor loads it, and what check finds in it.
struct Inspection {
    StoredKey stored;
    std::vector<editor::PlannedValue> plan;  // what a save right after loading would do
    std::vector<Finding> findings;
    config::DriverConfiguration Record() const { return editor::Editor::RecordOf(plan); }
};

// Reads and loads the key at config::kDriverKey of `registry`; nothing else when it cannot be opened
// (then `stored.openStatus` says why).
Inspection Inspect(platform::Registry& registry, const platform::CodePage& codePage,
                   const platform::SystemFacts& system);

// One sentence when Windows' Fast Startup is on: "Shut down" then does not start the driver again,
// so it reads new settings only at a restart. Nothing when it is off or cannot be told.
std::optional<std::string> FastStartupNote(platform::Registry& registry);

// What the driver would fail at with these settings on this machine.
std::vector<Finding> StartFindings(const config::DriverConfiguration& settings, const platform::SystemFacts& system);

// The thirteen values the editor saves after a key that could not be opened: what init writes.
std::vector<platform::StoredValue> DefaultValues(const platform::CodePage& codePage, const platform::SystemFacts& system);

// `values` as a key of a registry in memory, as it would stand after changes not made yet.
void LoadKey(headless::MemoryRegistry& registry, const std::vector<platform::StoredValue>& values);

}  // namespace sarnex::ctl
