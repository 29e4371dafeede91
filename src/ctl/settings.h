// The settings sarnexctl offers, one per group of controls in the editor window, and what each
// accepts. Names are compared without regard to case; values are taken as written.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/driver_configuration.h"
#include "config/value_layout.h"
#include "platform/code_page.h"

namespace sarnex::ctl {

enum class SettingId { Type, Size, Letter, Fat32, LoadImage, LoadFile, SaveImage, SaveFile, AutoSave, TempDir, Label };

struct Setting {
    SettingId id;
    std::string_view name;
    std::string values;                     // as --help lists them
    std::vector<config::ValueId> stored;    // the registry values it stands for
};

// In the order --help and show list them.
const std::array<Setting, 11>& Settings();
const Setting& SettingOf(SettingId id);
const Setting* FindSetting(std::string_view name);
// The setting a stored value belongs to.
const Setting& SettingFor(config::ValueId value);

// Why `value` is not one of the setting's values, or nothing when it is.
std::optional<std::string> RefuseValue(SettingId id, std::string_view value);

// Each setting as `set` would take it, read from the record the key holds after a save ("hard",
// "64", "auto", "on", a path, ...); "(kept as stored)" for a value the editor cannot read.
std::array<std::string, 11> SettingTexts(const config::DriverConfiguration& record);

}  // namespace sarnex::ctl
