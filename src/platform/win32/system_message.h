// The system's own words for an error code, in UTF-8.
#pragma once

#include <windows.h>

#include <string>

namespace sarnex::win32 {

// Without the line break the system ends its messages with; "Error N." when it has no words for it.
std::string SystemMessage(DWORD error);

}  // namespace sarnex::win32
