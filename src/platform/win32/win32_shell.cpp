#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace sarnex::platform {
namespace {

// The shell's restart dialog: owner, prompt (ANSI), shutdown kind.
using RestartDialogProc = INT(WINAPI*)(HWND, LPCSTR, DWORD);
using ShellExecuteProc = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
constexpr WORD kRestartDialogOrdinal = 59;

const char* OrNull(const std::optional<std::string>& text) { return text ? text->c_str() : nullptr; }

// The system's own words for an error code, without the line break it ends with.
std::string SystemMessage(DWORD error) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    std::string text = length > 0 && buffer != nullptr ? std::string(buffer, length) : std::string();
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    if (text.empty()) text = "Error " + std::to_string(error) + ".";
    return text;
}

}  // namespace

// shell32 is loaded when first asked for: most runs never need it, and loading it at start costs
// the editor time before it shows.
template <class Proc>
Proc Win32Shell::Shell32Function(const char* name) const {
    if (!shell32_) shell32_.reset(LoadLibraryA("shell32.dll"));
    if (!shell32_) return nullptr;
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(shell32_.get(), name)));
}

void Win32Shell::Execute(const ShellExecuteRequest& request) {
    const auto operation = ansi_.FromUtf8(request.operation);
    const auto file = ansi_.FromUtf8(request.file);
    std::optional<std::string> parameters;
    std::optional<std::string> directory;
    if (request.parameters) parameters = ansi_.FromUtf8(*request.parameters);
    if (request.directory) directory = ansi_.FromUtf8(*request.directory);
    // A text the ANSI code page cannot hold would reach the shell altered: the request is not made.
    if (!operation || !file || (request.parameters && !parameters) || (request.directory && !directory)) return;
    const auto shellExecute = Shell32Function<ShellExecuteProc>("ShellExecuteA");
    if (shellExecute == nullptr) return;
    shellExecute(GetDesktopWindow(), operation->c_str(), file->c_str(), OrNull(parameters), OrNull(directory),
                 request.showCommand);
}

void Win32Shell::RestartDialog(std::uint32_t owner, const std::string& prompt, std::uint32_t kind) {
    const auto ansiPrompt = ansi_.FromUtf8(prompt);
    if (!ansiPrompt) return;
    const auto restartDialog = Shell32Function<RestartDialogProc>(MAKEINTRESOURCEA(kRestartDialogOrdinal));
    if (restartDialog == nullptr) return;
    restartDialog(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(owner)), ansiPrompt->c_str(), kind);
}

void Win32Shell::StartProgram(const std::string& commandLine, std::int32_t windowStyle) {
    const auto ansiLine = ansi_.FromUtf8(commandLine);
    DWORD error = ERROR_NO_UNICODE_TRANSLATION;
    if (ansiLine) {
        std::vector<char> line(ansiLine->begin(), ansiLine->end());
        line.push_back('\0');  // CreateProcessA may write into the command line
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(windowStyle);
        PROCESS_INFORMATION started{};
        if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
            // Not waited for: the handles are only released.
            const win32::KernelHandle process(started.hProcess);
            const win32::KernelHandle thread(started.hThread);
            return;
        }
        error = GetLastError();
    }
    const std::string message = "Cannot start the program\r\n\r\n" + commandLine + "\r\n\r\n" + SystemMessage(error);
    const auto ansiMessage = ansi_.FromUtf8(message);
    MessageBoxA(nullptr, ansiMessage ? ansiMessage->c_str() : "Cannot start the program.",
                "Sarnex Configuration Utility", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
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

}  // namespace sarnex::platform
