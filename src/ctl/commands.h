// The commands of sarnexctl, each on a parsed command line, and what they share.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ctl/arguments.h"
#include "ctl/run.h"

namespace sarnex::ctl {

Outcome ShowCommand(const Command& command, const Services& services);
Outcome CheckCommand(const Command& command, const Services& services);
Outcome SetCommand(const Command& command, const Services& services);
Outcome ExportCommand(const Command& command, const Services& services);
Outcome ImportCommand(const Command& command, const Services& services);

// A failure: "sarnexctl: " and the message on the error stream, with its exit code.
Outcome Failed(int exitCode, const std::string& message);
// What a registry status means, with its number: "it does not exist (error 2)".
std::string RegistryFailure(platform::RegistryStatus status);

// Rows of two columns, the first padded to the widest, each row on its own line after `indent`; a
// row without a second column stands as it is.
std::string Columns(const std::vector<std::pair<std::string, std::string>>& rows, std::string_view indent);

}  // namespace sarnex::ctl
