// Entry point of sarnexctl.exe: the real registry, files and code page, the command line as
// Windows gives it in UTF-16, and the texts written in the console's own code page.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "ctl/run.h"
#include "platform/win32/advapi32_registry.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/dll_search.h"
#include "platform/win32/program_version_resource.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_system_facts.h"
#include "platform/win32/windows_error.h"

namespace {

std::vector<std::string> Arguments() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(sarnex::win32::Narrow(words[i]));
    LocalFree(words);
    return arguments;
}

// Lines end in CRLF. A console gets the text as UTF-16, which it shows in any code page; a file or
// a pipe gets the console's output code page (the ANSI one when there is no console), as console
// programs write.
void Write(DWORD which, const std::string& utf8) {
    if (utf8.empty()) return;
    const HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;
    std::wstring wide;
    for (const wchar_t c : sarnex::win32::Widen(utf8)) {
        if (c == L'\n') wide += L'\r';
        wide += c;
    }
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    const UINT codePage = GetConsoleOutputCP() != 0 ? GetConsoleOutputCP() : GetACP();
    const int size = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), size, nullptr, nullptr);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

int main() {
    using namespace sarnex;
    try {
        win32::LoadDllsFromTheSystemOnly();
    } catch (const win32::WindowsError& e) {  // it does not run unprotected
        std::string reason = e.what();
        std::erase(reason, '\r');
        Write(STD_ERROR_HANDLE, "sarnexctl: internal error: " + reason + "\n");
        return ctl::exit_code::kInternal;
    }
    win32::Advapi32Registry registry;
    win32::AnsiCodePage codePage;
    win32::Win32Files files;
    win32::Win32SystemFacts systemFacts;
    const ctl::Outcome outcome = ctl::Run(
        Arguments(), {{registry, codePage, systemFacts, win32::ReadProgramVersion(GetModuleHandleW(nullptr))}, files});
    Write(STD_OUTPUT_HANDLE, outcome.out);
    Write(STD_ERROR_HANDLE, outcome.err);
    return outcome.exitCode;
}
