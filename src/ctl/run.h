// sarnexctl as a whole: the command line in, the texts for the console and the exit code out.
#pragma once

#include <string>
#include <vector>

#include "editor/editor.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/program_version.h"
#include "platform/registry.h"
#include "platform/system_facts.h"

namespace sarnex::ctl {

namespace exit_code {
inline constexpr int kSuccess = 0;
inline constexpr int kFound = 1;     // check found something
inline constexpr int kUsage = 2;     // a usage error, a refused setting or a bad input file
inline constexpr int kRegistry = 3;  // the key could not be opened, created or written
inline constexpr int kNoRight = 4;   // no right to write the settings: not run elevated
inline constexpr int kInternal = 5;  // an internal error
}  // namespace exit_code

// The editor's services, and the files that export and import read and write.
struct Services : editor::SystemServices {
    platform::Files& files;
};

// Texts are UTF-8; the entry point turns them into the console's code page.
struct Outcome {
    int exitCode = exit_code::kSuccess;
    std::string out;
    std::string err;
};

// Whatever escapes a command ends the run with kInternal and its cause, never as a registry error.
Outcome Run(const std::vector<std::string>& arguments, const Services& services);

}  // namespace sarnex::ctl
