// Start-up: reads the command word and opens the one window it calls for.
#pragma once

#include <cstdint>
#include <string>

#include "editor/editor.h"
#include "platform/forms/forms_runtime.h"

namespace sarnex::platform {
class Registry;
class CodePage;
class Shell;
}  // namespace sarnex::platform

namespace sarnex::startup {

// 1 normally; 0 in a run started with "install", which ends after "OK" without the restart offer.
// Written only by Main, read only by the editor's "OK".
extern std::int16_t ShowRestartQuery;

struct Services {
    platform::Registry& registry;
    const platform::CodePage& codePage;
    platform::Shell& shell;
    editor::ProgramVersion version;
};

// Wires the windows of the program to their services; each window is created on first use.
class Program {
public:
    Program(forms::FormsRuntime& runtime, Services services) : runtime_(runtime), services_(services) {}

    // Shows exactly one window: "badload" LoadFail, "nomem" Nomem, anything else the editor;
    // "install" clears ShowRestartQuery first. The word is compared whole and case-sensitively.
    void Main(const std::string& command);

    forms::FormsRuntime& Runtime() const { return runtime_; }
    editor::Editor& Editor();

private:
    void Show(forms::Form& form);

    forms::FormsRuntime& runtime_;
    Services services_;
};

}  // namespace sarnex::startup
