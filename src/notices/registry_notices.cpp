#include "notices/registry_notices.h"

#include "notices/notice_rows.h"

namespace sarnex::notices {

using forms::Alignment;
using forms::ArialBold;

namespace {

forms::FormDesign ReadRegFailDesign() {
    forms::FormDesign f{.name = "ReadRegFail", .caption = "Registry Read Failed", .clientWidth = 5130,
                        .clientHeight = 1515, .font = ArialBold(9.75)};
    f.controls = {
        ButtonRow("Cancel", "Cancel", 1680, 720, 1695, 615, 0, ArialBold(9.75)),
        LabelRow("Text1", "Cannot open Sarnex registry key!", 480, 240, 4215, 375, 1, ArialBold(9.75),
                 Alignment::Centre),
    };
    return f;
}

forms::FormDesign SaveRegFailDesign() {
    forms::FormDesign f{.name = "SaveRegFail", .caption = "Registry Save Failed", .clientWidth = 5145,
                        .clientHeight = 1545};
    f.controls = {
        ButtonRow("Cancel", "Cancel", 1560, 720, 1815, 615, 0, ArialBold(9.75)),
        LabelRow("Label1", "Unable to save Sarnex registry settings!", 360, 240, 4575, 255, 1, ArialBold(9.75),
                 Alignment::Centre),
    };
    return f;
}

}  // namespace

ReadRegFail::ReadRegFail(forms::FormsRuntime& runtime) : Form(runtime, ReadRegFailDesign()) {
    Get<forms::CommandButton>("Cancel").On(forms::Event::Click, [this] { Cancel_Click(); });
}

// Kept in front of the editor, which stays usable beside it.
void ReadRegFail::Form_Load() { MakeTopmost(); }

void ReadRegFail::Cancel_Click() { Unload(); }

SaveRegFail::SaveRegFail(forms::FormsRuntime& runtime) : Form(runtime, SaveRegFailDesign()) {
    Get<forms::CommandButton>("Cancel").On(forms::Event::Click, [this] { Cancel_Click(); });
}

void SaveRegFail::Cancel_Click() { Unload(); }

}  // namespace sarnex::notices
