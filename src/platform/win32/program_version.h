// The program's version, read from its own version resource.
#pragma once

#include <windows.h>

#include "editor/editor.h"

namespace sarnex::win32 {

editor::ProgramVersion ReadProgramVersion(HINSTANCE instance);

}  // namespace sarnex::win32
