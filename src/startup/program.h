// Start-up: reads the command word and opens the one window it calls for.
#pragma once

#include <string>

#include "editor/editor.h"
#include "platform/forms/forms_runtime.h"

namespace sarnex::startup {

// Wires the windows of the program to their services; each window is created on first use.
class Program {
public:
    Program(forms::FormsRuntime& runtime, editor::SystemServices services, platform::Shell& shell)
        : runtime_(runtime), services_(services), shell_(shell) {}

    // Shows exactly one window: "badload" the image-load notice, "nomem" the out-of-memory notice,
    // anything else the editor; "install" turns the restart offer off first. The word is compared
    // whole and case-sensitively.
    void Start(const std::string& commandWord);

    forms::FormsRuntime& Runtime() const { return runtime_; }
    editor::Editor& Editor();
    bool OffersRestart() const { return offerRestart_; }

private:
    forms::FormsRuntime& runtime_;
    editor::SystemServices services_;
    platform::Shell& shell_;
    // Whether "OK" in the editor is followed by the restart prompt; the whole run keeps it.
    bool offerRestart_ = true;
};

}  // namespace sarnex::startup
