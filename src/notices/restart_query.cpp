#include "notices/restart_query.h"

#include "notices/notice_rows.h"

namespace sarnex::notices {

using forms::Arial;
using forms::ArialBold;

namespace {

constexpr std::uint32_t kRestartWholeSystem = 2;
constexpr std::int32_t kNormalFocusedWindow = 1;

forms::FormDesign RestartQueryDesign() {
    forms::FormDesign f{.name = "RestartQuery", .caption = "Settings Saved", .clientWidth = 6195,
                        .clientHeight = 3000};
    f.controls = {
        ButtonRow("Restart", "Restart", 720, 2280, 1215, 495, 0, ArialBold(8.25), "Restart Windows."),
        ButtonRow("System", "System", 2520, 2280, 1215, 495, 1, ArialBold(8.25), "Start Device Manager."),
        ButtonRow("Cancel", "Cancel", 4200, 2280, 1215, 495, 2, ArialBold(8.25),
                  "Exit without restarting Sarnex driver."),
        LabelRow("Label1", "Sarnex registry entries have been saved!", 1080, 120, 4335, 255, 3, ArialBold(9.75)),
        LabelRow("Label2", "These changes will not take effect until the Sarnex driver is restarted.", 600, 480,
                 5295, 255, 4, Arial(8.25)),
        LabelRow("Label3", "Click \"Restart\" to restart Windows.", 1200, 840, 2535, 255, 5, Arial(8.25)),
        LabelRow("Label4",
                 "Click \"System\" to bring up the Control Panel so you can restart the driver manually.", 1200,
                 1200, 3735, 375, 6, Arial(8.25)),
        LabelRow("Label5", "Click \"Cancel\" to exit without restarting.", 1200, 1800, 2895, 255, 7, Arial(8.25)),
    };
    return f;
}

}  // namespace

RestartQuery::RestartQuery(forms::FormsRuntime& runtime, platform::Shell& shell)
    : Form(runtime, RestartQueryDesign()), shell_(shell) {
    Get<forms::CommandButton>("Restart").On(forms::Event::Click, [this] { Restart_Click(); });
    Get<forms::CommandButton>("System").On(forms::Event::Click, [this] { System_Click(); });
    Get<forms::CommandButton>("Cancel").On(forms::Event::Click, [this] { Cancel_Click(); });
}

std::string RestartQuery::SystemPanelCommandLine(const std::string& systemDirectory) {
    std::string dir = systemDirectory;
    if (!dir.empty() && dir.back() != '\\') dir += '\\';
    return "\"" + dir + "rundll32.exe\" shell32.dll,Control_RunDLL sysdm.cpl,,1";
}

void RestartQuery::Restart_Click() {
    shell_.RestartDialog(0, "", kRestartWholeSystem);
    Unload();
}

void RestartQuery::System_Click() {
    shell_.StartProgram(SystemPanelCommandLine(shell_.SystemDirectory()), kNormalFocusedWindow);
    Unload();
}

void RestartQuery::Cancel_Click() { Unload(); }

}  // namespace sarnex::notices
