#include "startup/program.h"

#include "notices/driver_notices.h"
#include "notices/registry_notices.h"
#include "notices/restart_prompt.h"

namespace sarnex::startup {

namespace {

// Loads the window first when needed (which runs its load step), then shows it modeless and
// repaints it at once.
void Show(forms::Form& form) { form.Show(); }

}  // namespace

editor::Editor& Program::Editor() {
    return runtime_.DefaultInstance<editor::Editor>(editor::EditorServices{
        .system = services_,
        .shell = shell_,
        .offerRestart = offerRestart_,
        .showReadFailedNotice = [this] { Show(runtime_.DefaultInstance<notices::RegistryReadFailedNotice>()); },
        .showSaveFailedNotice = [this] { Show(runtime_.DefaultInstance<notices::RegistrySaveFailedNotice>()); },
        .showRestartPrompt = [this] { Show(runtime_.DefaultInstance<notices::RestartPrompt>(shell_)); },
    });
}

void Program::Start(const std::string& commandWord) {
    offerRestart_ = commandWord != "install";
    if (commandWord == "badload") {
        Show(runtime_.DefaultInstance<notices::ImageLoadFailedNotice>());
    } else if (commandWord == "nomem") {
        Show(runtime_.DefaultInstance<notices::OutOfMemoryNotice>());
    } else {
        Show(Editor());
    }
}

}  // namespace sarnex::startup
