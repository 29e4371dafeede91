// The shell operations through shell32 and kernel32: ShellExecuteA, the restart dialog exported by
// ordinal 59, CreateProcessA and the system directory. Texts are converted to and from the system's
// ANSI code page.
#pragma once

#include <string>

#include "platform/code_page.h"
#include "platform/shell.h"
#include "platform/win32/unique_handle.h"

namespace sarnex::platform {

class Win32Shell final : public Shell {
public:
    explicit Win32Shell(const CodePage& ansi) : ansi_(ansi) {}

    void Execute(const ShellExecuteRequest& request) override;
    void RestartDialog(std::uint32_t owner, const std::string& prompt, std::uint32_t kind) override;
    // A program that cannot be started is reported in a message box naming the command line and the
    // system's reason; the program carries on.
    void StartProgram(const std::string& commandLine, std::int32_t windowStyle) override;
    std::string SystemDirectory() const override;

private:
    template <class Proc>
    Proc Shell32Function(const char* name) const;

    const CodePage& ansi_;
    mutable win32::ModuleHandle shell32_;
};

}  // namespace sarnex::platform
