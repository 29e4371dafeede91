// How the program ends when something fails that it cannot carry on after: the user is told why in
// a message box, and the run ends with a non-zero exit code.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace sarnex::win32 {

inline constexpr int kFailedExitCode = 1;

// A message box with the program's name as its title and an error icon, modal to `owner` when there is
// one; returns once it is closed.
void ShowError(const std::string& text, HWND owner = nullptr);

// Runs `program` and returns its exit code. Whatever it throws is shown with ShowError after
// everything `program` created is gone, and the run ends with kFailedExitCode.
int RunReportingFailures(const std::function<int()>& program);

}  // namespace sarnex::win32
