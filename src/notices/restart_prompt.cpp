#include "notices/restart_prompt.h"

#include "notices/notice_rows.h"

namespace sarnex::notices {

using forms::Arial;
using forms::ArialBold;

namespace {

forms::FormDesign RestartPromptDesign() {
    forms::FormDesign f{.name = "RestartPrompt", .caption = "Settings Saved", .clientWidth = 6195,
                        .clientHeight = 3000};
    f.controls = {
        ButtonRow("restartButton", "Restart", 720, 2280, 1215, 495, 0, ArialBold(8.25), "Restart Windows."),
        ButtonRow("systemButton", "System", 2520, 2280, 1215, 495, 1, ArialBold(8.25), "Start Device Manager."),
        ButtonRow("cancelButton", "Cancel", 4200, 2280, 1215, 495, 2, ArialBold(8.25),
                  "Exit without restarting Sarnex driver."),
        LabelRow("savedLabel", "Sarnex registry entries have been saved!", 1080, 120, 4335, 255, 3, ArialBold(9.75)),
        LabelRow("noticeLabel", "These changes will not take effect until the Sarnex driver is restarted.", 600,
                 480, 5295, 255, 4, Arial(8.25)),
        LabelRow("restartHint", "Click \"Restart\" to restart Windows.", 1200, 840, 2535, 255, 5, Arial(8.25)),
        LabelRow("systemHint",
                 "Click \"System\" to bring up the Control Panel so you can restart the driver manually.", 1200,
                 1200, 3735, 375, 6, Arial(8.25)),
        LabelRow("cancelHint", "Click \"Cancel\" to exit without restarting.", 1200, 1800, 2895, 255, 7,
                 Arial(8.25)),
    };
    return f;
}

}  // namespace

RestartPrompt::RestartPrompt(forms::FormsRuntime& runtime, platform::Shell& shell)
    : Form(runtime, RestartPromptDesign()),
      restartButton(Get<forms::CommandButton>("restartButton")),
      systemButton(Get<forms::CommandButton>("systemButton")),
      cancelButton(Get<forms::CommandButton>("cancelButton")),
      shell_(shell) {
    restartButton.On(forms::Event::Click, [this] { OnRestart(); });
    systemButton.On(forms::Event::Click, [this] { OnSystem(); });
    cancelButton.On(forms::Event::Click, [this] { Unload(); });
}

// The system's dialog is modal to the prompt: the prompt closes once the user has answered it, either way.
void RestartPrompt::OnRestart() {
    shell_.OfferRestart(*this);
    Unload();
}

void RestartPrompt::OnSystem() {
    shell_.OpenSystemProperties(*this);
    Unload();
}

}  // namespace sarnex::notices
