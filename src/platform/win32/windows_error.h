// A call at the Windows boundary that failed: what could not be done, in the program's words, and
// the system's reason for it.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace sarnex::win32 {

// The system's own words for an error code, without the line break they end with.
std::string SystemMessage(DWORD error);

class WindowsError : public std::runtime_error {
public:
    // `action` is a whole sentence ("Cannot load the common controls."); the system's reason follows
    // it on a line of its own.
    WindowsError(const std::string& action, DWORD error);
    DWORD Code() const { return code_; }

private:
    DWORD code_;
};

}  // namespace sarnex::win32
