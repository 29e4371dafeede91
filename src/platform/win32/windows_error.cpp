#include "platform/win32/windows_error.h"

#include "platform/win32/wide_text.h"

namespace sarnex::win32 {

std::string SystemMessage(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::wstring text = length > 0 && buffer != nullptr ? std::wstring(buffer, length) : std::wstring();
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    return text.empty() ? "Error " + std::to_string(error) + "." : Narrow(text);
}

namespace {

// A failure the system gave no code for (a hook refusing a window, for one) says so plainly rather
// than quoting "The operation completed successfully".
std::string WithReason(const std::string& action, DWORD error) {
    const std::string reason = error == ERROR_SUCCESS ? "The system gave no reason." : SystemMessage(error);
    return action + "\r\n\r\n" + reason;
}

}  // namespace

WindowsError::WindowsError(const std::string& action, DWORD error)
    : std::runtime_error(WithReason(action, error)), code_(error) {}

}  // namespace sarnex::win32
