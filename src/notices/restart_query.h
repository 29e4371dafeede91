// "Settings Saved": offers to restart Windows or open the System control panel after a save,
// since the driver reads its settings only when it starts.
#pragma once

#include "platform/forms/forms_runtime.h"
#include "platform/shell.h"

namespace sarnex::notices {

class RestartQuery : public forms::Form {
public:
    RestartQuery(forms::FormsRuntime& runtime, platform::Shell& shell);

    // The System control panel on its page with index 1, started from the system directory by
    // full path so no program of the same name elsewhere can run in its place.
    static std::string SystemPanelCommandLine(const std::string& systemDirectory);

private:
    void Restart_Click();
    void System_Click();
    void Cancel_Click();

    platform::Shell& shell_;
};

}  // namespace sarnex::notices
