// What `check` reports, and `show`, `set` and `import` with it: stored values the editor would read
// otherwise than they stand, or change, and values outside the ranges the editor keeps. Further
// checks join in Check(), the one place that gathers findings.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "config/driver_configuration.h"
#include "config/value_layout.h"
#include "ctl/stored_key.h"
#include "platform/code_page.h"
#include "platform/system_facts.h"

namespace sarnex::ctl {

struct Finding {
    std::optional<config::ValueId> value;  // the stored value it is about, if one
    std::string problem;                   // what is wrong, briefly: also the reason for a change
    std::string text;                      // the whole finding, as printed
};

// `loaded` is the record the editor would save right after loading the key.
std::vector<Finding> StoredValueFindings(const StoredKey& stored, const config::DriverConfiguration& loaded,
                                         const platform::CodePage& codePage);

// The settings as the driver would start with them on this machine: the disk against the memory,
// the images to load and to save.
std::vector<Finding> StartFindings(const config::DriverConfiguration& settings, const platform::SystemFacts& system);

// Every finding: the stored values first, then what the driver would fail at.
std::vector<Finding> Check(const StoredKey& stored, const config::DriverConfiguration& loaded,
                           const platform::CodePage& codePage, const platform::SystemFacts& system);

}  // namespace sarnex::ctl
