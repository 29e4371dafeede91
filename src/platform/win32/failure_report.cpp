#include "platform/win32/failure_report.h"

#include <windows.h>

#include <exception>

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_error.h"

namespace sarnex::win32 {

void ShowError(const std::string& text, HWND owner) {
    MessageBoxW(owner, Widen(text).c_str(), L"Sarnex Configuration Utility", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

int RunReportingFailures(const std::function<int()>& program) {
    std::string reason;
    try {
        return program();
    } catch (const WindowsError& e) {
        reason = e.what();  // already says what failed and why
    } catch (const std::exception& e) {
        reason = std::string("The program must end because of an error:\r\n\r\n") + e.what();
    } catch (...) {
        reason = "The program must end because of an error.";
    }
    ShowError(reason);
    return kFailedExitCode;
}

}  // namespace sarnex::win32
