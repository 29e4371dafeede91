// The whole program wired as its entry point wires it, on real windows, over a registry and code
// page of the test's choosing; the shell only records what it is asked.
#pragma once

#include <windows.h>

#include <string>

#include "editor/editor.h"
#include "notices/driver_notices.h"
#include "notices/registry_notices.h"
#include "notices/restart_prompt.h"
#include "support/fixed_system_facts.h"
#include "support/recording_shell.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_host.h"
#include "startup/program.h"
#include "win32/win32_driver.h"


namespace sarnex::testing {

// Room on C: for the typical record's image, so that saves ask nothing.
inline FixedSystemFacts RoomyFacts() {
    FixedSystemFacts facts;
    facts.AddFolder("C:\\", 1024 * kMegabyte);
    return facts;
}

template <class Registry, class CodePage>
struct Win32Program {
    win32::Win32Host host{GetModuleHandleW(nullptr)};
    Registry registry;
    CodePage codePage;
    testing::RecordingShell shell;
    FixedSystemFacts facts = RoomyFacts();
    forms::FormsRuntime runtime{host};
    startup::Program program{runtime, {registry, codePage, shell, facts, {1, 0, 41}}};
    Win32Driver user{host};

    // Starts the program as a plain run does and returns its editor, shown.
    editor::Editor& ShowEditor() {
        program.Start("");
        host.PumpMessages();
        return program.Editor();
    }

    // What the windows show, as a user sees it.
    std::string Shown(const forms::Control& c) const { return win32::WindowText(host.WindowOf(c)); }
    bool Ticked(const forms::CheckBox& c) const {
        return SendMessageW(host.WindowOf(c), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    bool Usable(const forms::Control& c) const { return IsWindowEnabled(host.WindowOf(c)) != FALSE; }
};

}  // namespace sarnex::testing
