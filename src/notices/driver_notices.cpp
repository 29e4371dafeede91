#include "notices/driver_notices.h"

#include "notices/notice_rows.h"

namespace sarnex::notices {

using forms::Alignment;
using forms::ArialBold;

namespace {

forms::FormDesign LoadFailDesign() {
    forms::FormDesign f{.name = "LoadFail", .caption = "Sarnex Image Load Error", .clientWidth = 6030,
                        .clientHeight = 3195, .border = forms::Border::FixedDialog, .hasIcon = false,
                        .showInTaskbar = false, .defaultPosition = false, .left = 2760, .top = 3750};
    f.controls = {
        ButtonRow("OKButton", "OK", 2160, 2400, 1455, 495, 0, ArialBold(9.75)),
        TitleRow("Label1", 1200, 1),
        LabelRow("Label2",
                 "Sarnex was unable to load the requested image file because the RAM disk size and the image "
                 "file size were not compatible.",
                 480, 960, 5055, 735, 2, ArialBold(9.75), Alignment::Centre),
        LabelRow("Label3", "Please check the image file size and Sarnex settings.", 600, 1920, 5055, 375, 3,
                 forms::Arial(9)),
    };
    return f;
}

forms::FormDesign NomemDesign() {
    forms::FormDesign f{.name = "Nomem", .caption = "Sarnex Memory Allocation Error", .clientWidth = 5970,
                        .clientHeight = 3135, .hasIcon = false};
    f.controls = {
        TitleRow("Label1", 1080, 0),
        LabelRow("Label2",
                 "Sarnex was unable to allocate sufficient physical memory for the requested RAM disk size.  "
                 "This may be due to insufficient physical memory or the size of the Windows file cache.",
                 480, 960, 5055, 975, 1, ArialBold(9.75), Alignment::Centre),
        ButtonRow("OKButton", "OK", 2160, 2280, 1455, 495, 2, ArialBold(9.75)),
    };
    return f;
}

}  // namespace

LoadFail::LoadFail(forms::FormsRuntime& runtime) : Form(runtime, LoadFailDesign()) {
    Get<forms::CommandButton>("OKButton").On(forms::Event::Click, [this] { OKButton_Click(); });
}

void LoadFail::OKButton_Click() { Unload(); }

Nomem::Nomem(forms::FormsRuntime& runtime) : Form(runtime, NomemDesign()) {
    Get<forms::CommandButton>("OKButton").On(forms::Event::Click, [this] { OKButton_Click(); });
}

void Nomem::OKButton_Click() { Unload(); }

}  // namespace sarnex::notices
