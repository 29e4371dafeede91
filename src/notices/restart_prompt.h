// "Settings Saved": offers to restart Windows or open the System control panel after a save,
// since the driver reads its settings only when it starts.
#pragma once

#include "platform/forms/forms_runtime.h"
#include "platform/shell.h"

namespace sarnex::notices {

class RestartPrompt : public forms::Form {
public:
    RestartPrompt(forms::FormsRuntime& runtime, platform::Shell& shell);

    forms::CommandButton& restartButton;
    forms::CommandButton& systemButton;
    forms::CommandButton& cancelButton;

private:
    void OnRestart();
    void OnSystem();

    platform::Shell& shell_;
};

}  // namespace sarnex::notices
