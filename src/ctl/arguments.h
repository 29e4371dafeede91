// The command line of sarnexctl: one command word, its operands and options.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "ctl/settings.h"

namespace sarnex::ctl {

enum class CommandKind { Help, Version, Show, Set, Init, Check, Export, Import };

struct Assignment {
    SettingId setting;
    std::string value;
};

struct Command {
    CommandKind kind = CommandKind::Help;
    bool json = false;    // show, check
    bool dryRun = false;  // set, import
    bool strict = false;  // set, import: refuse settings that check would report
    std::vector<Assignment> assignments;  // set, in the order given
    std::string file;                     // export, import
};

struct UsageError {
    std::string message;
};

// Command words, options and setting names are compared without regard to case; values and file
// names are kept as written. --help or --version anywhere wins.
std::variant<Command, UsageError> ParseArguments(const std::vector<std::string>& arguments);

}  // namespace sarnex::ctl
