// Entry point of sarnexcfg.exe: wires the real services and hands over to start-up.
#include <windows.h>

#include "platform/command_line.h"
#include "platform/forms/forms_runtime.h"
#include "platform/win32/advapi32_registry.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/dll_search.h"
#include "platform/win32/failure_report.h"
#include "platform/win32/program_version_resource.h"
#include "platform/win32/win32_host.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_facts.h"
#include "startup/program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace sarnex;
    // A failure is reported once every window is gone, and the program ends with a non-zero code.
    return win32::RunReportingFailures([instance] {
        win32::LoadDllsFromTheSystemOnly();
        win32::Advapi32Registry registry;
        win32::AnsiCodePage codePage;
        win32::Win32SystemFacts systemFacts;
        win32::Win32Host host(instance);
        win32::Win32Shell shell(codePage, host);
        forms::FormsRuntime runtime(host);  // destroyed before the host: the host never touches a form then
        startup::Program program(runtime, {registry, codePage, systemFacts, win32::ReadProgramVersion(instance)}, shell);
        program.Start(platform::CommandText(GetCommandLineA()));
        return host.Run(runtime);
    });
}
