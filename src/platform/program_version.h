// The program's version: major, minor and revision, as its version resource holds them.
#pragma once

#include <string>

namespace sarnex::platform {

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
    friend bool operator==(const ProgramVersion&, const ProgramVersion&) = default;
};

}  // namespace sarnex::platform
