// The shell requests through shell32 and kernel32: ShellExecuteA for the web page, the restart
// dialog exported by ordinal 59, and rundll32 for the System properties. What it shows is owned by
// the asking form's window, found through the window host.
#pragma once

#include <string>

#include "platform/code_page.h"
#include "platform/shell.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_host.h"

namespace sarnex::win32 {

class Win32Shell final : public platform::Shell {
public:
    Win32Shell(const platform::CodePage& ansi, const Win32Host& windows) : ansi_(ansi), windows_(windows) {}

    void OpenWebPage(const std::string& address) override;
    // A dialog that cannot be shown is reported in a message box with the system's reason.
    void OfferRestart(forms::Form& owner) override;
    // A control panel that cannot be started is reported in a message box naming the command line
    // and the system's reason; the program carries on.
    void OpenSystemProperties(forms::Form& owner) override;

    // The command line that opens the System properties on their page with index 1, started from
    // the system directory by full path so no program of the same name elsewhere runs in its place.
    static std::string SystemPropertiesCommandLine(const std::string& systemDirectory);

private:
    template <class Proc>
    Proc Shell32Function(const char* name) const;
    std::string SystemDirectory() const;

    const platform::CodePage& ansi_;
    const Win32Host& windows_;
    mutable ModuleHandle shell32_;
};

}  // namespace sarnex::win32
