#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/dll_search.h"
#include "platform/win32/failure_report.h"
#include "platform/win32/windows_error.h"

namespace sarnex::win32 {
namespace {

// The shell's restart dialog: owner, prompt, shutdown kind. Since Windows 2000 the prompt is read
// as UTF-16.
using RestartDialogProc = INT(WINAPI*)(HWND, LPCWSTR, DWORD);
using ShellExecuteProc = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
constexpr WORD kRestartDialogOrdinal = 59;
constexpr DWORD kRestartWholeSystem = EWX_REBOOT;

}  // namespace

// shell32 is loaded when first asked for, from the system folder: most runs never need it, and
// loading it at start costs the editor time before it shows.
template <class Proc>
Proc Win32Shell::Shell32Function(const char* name) const {
    if (!shell32_) shell32_.reset(LoadSystemLibrary(L"shell32.dll"));
    if (!shell32_) return nullptr;
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(shell32_.get(), name)));
}

void Win32Shell::OpenWebPage(const std::string& address) {
    // An address the ANSI code page cannot hold would reach the shell altered: it is not opened.
    const auto file = ansi_.FromUtf8(address);
    if (!file) return;
    const auto shellExecute = Shell32Function<ShellExecuteProc>("ShellExecuteA");
    if (shellExecute == nullptr) return;
    shellExecute(GetDesktopWindow(), "Open", file->c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Shell::OfferRestart(forms::Form& owner) {
    SetLastError(ERROR_SUCCESS);
    const auto restartDialog = Shell32Function<RestartDialogProc>(MAKEINTRESOURCEA(kRestartDialogOrdinal));
    if (restartDialog == nullptr) {
        const DWORD error = GetLastError();
        ShowError("Cannot offer to restart Windows.\r\n\r\n" + SystemMessage(error), windows_.WindowOf(owner));
        return;
    }
    // No prompt of the program's own: the dialog asks the system's own question.
    restartDialog(windows_.WindowOf(owner), L"", kRestartWholeSystem);
}

std::string Win32Shell::SystemPropertiesCommandLine(const std::string& systemDirectory) {
    std::string dir = systemDirectory;
    if (!dir.empty() && dir.back() != '\\') dir += '\\';
    return "\"" + dir + "rundll32.exe\" shell32.dll,Control_RunDLL sysdm.cpl,,1";
}

void Win32Shell::OpenSystemProperties(forms::Form& owner) {
    const std::string commandLine = SystemPropertiesCommandLine(SystemDirectory());
    const auto ansiLine = ansi_.FromUtf8(commandLine);
    DWORD error = ERROR_NO_UNICODE_TRANSLATION;
    if (ansiLine) {
        std::vector<char> line(ansiLine->begin(), ansiLine->end());
        line.push_back('\0');  // CreateProcessA may write into the command line
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION started{};
        if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
            // Not waited for: the handles are only released.
            const KernelHandle process(started.hProcess);
            const KernelHandle thread(started.hThread);
            return;
        }
        error = GetLastError();
    }
    ShowError("Cannot start the program\r\n\r\n" + commandLine + "\r\n\r\n" + SystemMessage(error),
              windows_.WindowOf(owner));
}

std::string Win32Shell::SystemDirectory() const {
    std::vector<char> buffer(MAX_PATH + 1);
    UINT length = GetSystemDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = GetSystemDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
    }
    if (length == 0 || length >= buffer.size()) return std::string();
    return ansi_.ToUtf8(std::string_view(buffer.data(), length));
}

}  // namespace sarnex::win32
