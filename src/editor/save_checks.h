// Checks before saving. The driver reads its settings only when Windows starts, and reports an image
// it cannot load or a disk it has no memory for only then; these checks find both, an image it could
// not save, and a file name that cannot be an image file, while the settings can still be changed.
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

// The question after the findings, one a line.
std::string SettingsCheckQuestion(const std::vector<std::string>& findings);

}  // namespace sarnex::editor
