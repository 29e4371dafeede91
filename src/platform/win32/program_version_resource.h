// The program's version, read from its own version resource.
#pragma once

#include <windows.h>

#include "platform/program_version.h"

namespace sarnex::win32 {

// Taken from the module's resources in memory, not from its file, so the folder it was started
// from (whatever characters its name has) does not matter. 0.0.0 when the module has no version.
platform::ProgramVersion ReadProgramVersion(HINSTANCE instance);

}  // namespace sarnex::win32
