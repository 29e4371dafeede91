// Checks before saving. The driver reads its settings only when Windows starts, and reports an image
// it cannot load or a disk it has no memory for only then; these checks find both, and an image it
// could not save, while the settings can still be changed. They also find values that another
// program changed since the editor read them, which a save would silently overwrite.
// The checks only read: they create no file and write no registry value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/driver_configuration.h"
#include "config/registry_record.h"
#include "platform/system_facts.h"

namespace sarnex::editor {

inline constexpr std::string_view kSettingsCheckTitle = "Sarnex Settings Check";
inline constexpr std::string_view kSettingsChangedTitle = "Sarnex Settings Changed";

// What the driver would fail at with these settings on this machine, one sentence a finding with
// its numbers: the disk against the physical memory, the image to load (only when loading is
// ticked), the image to save (only when saving is ticked). Empty when all fits.
std::vector<std::string> CheckSettings(const config::DriverConfiguration& settings,
                                       const platform::SystemFacts& system);

// The names of the values, in writing order, whose stored contents are not what `reference` holds
// (a value that appeared or vanished counts as changed).
std::vector<std::string_view> ChangedValues(const config::DriverConfiguration& reference,
                                            const config::DriverConfiguration& stored);

// Takes every value that a save pass stored into `reference`, so that what this program wrote is
// not mistaken for another program's change.
void AdoptWrittenValues(config::DriverConfiguration& reference, const config::DriverConfiguration& written,
                        const config::WriteOutcome& outcome);

// The texts of the two questions: the findings one a line, or the changed values one a line.
std::string SettingsCheckQuestion(const std::vector<std::string>& findings);
std::string SettingsChangedQuestion(const std::vector<std::string_view>& changedValues);

}  // namespace sarnex::editor
