#include "startup/module1.h"

#include "notices/driver_notices.h"
#include "notices/registry_notices.h"
#include "notices/restart_query.h"

namespace sarnex::startup {

std::int16_t ShowRestartQuery = 1;

editor::Editor& Program::Editor() {
    return runtime_.DefaultInstance<editor::Editor>(editor::EditorServices{
        .registry = services_.registry,
        .codePage = services_.codePage,
        .shell = services_.shell,
        .version = services_.version,
        .showRestartQuery = ShowRestartQuery,
        .showReadRegFail = [this] { Show(runtime_.DefaultInstance<notices::ReadRegFail>()); },
        .showSaveRegFail = [this] { Show(runtime_.DefaultInstance<notices::SaveRegFail>()); },
        .showRestartPrompt = [this] { Show(runtime_.DefaultInstance<notices::RestartQuery>(services_.shell)); },
    });
}

void Program::Show(forms::Form& form) {
    form.Show();  // loads it first when needed, then shows it modeless and repaints it
}

void Program::Main(const std::string& command) {
    const std::string word = command;
    ShowRestartQuery = 1;
    if (word == "badload") {
        Show(runtime_.DefaultInstance<notices::LoadFail>());
    } else if (word == "install") {
        ShowRestartQuery = 0;
        Show(Editor());
    } else if (word == "nomem") {
        Show(runtime_.DefaultInstance<notices::Nomem>());
    } else {
        Show(Editor());
    }
}

}  // namespace sarnex::startup
