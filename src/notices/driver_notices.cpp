#include "notices/driver_notices.h"

#include "notices/notice_rows.h"

namespace sarnex::notices {

using forms::Alignment;
using forms::ArialBold;

namespace {

forms::FormDesign ImageLoadFailedDesign() {
    forms::FormDesign f{.name = "ImageLoadFailedNotice", .caption = "Sarnex Image Load Error", .clientWidth = 6030,
                        .clientHeight = 3195, .border = forms::Border::FixedDialog, .hasIcon = false,
                        .showInTaskbar = false, .defaultPosition = false, .left = 2760, .top = 3750};
    f.controls = {
        ButtonRow("okButton", "OK", 2160, 2400, 1455, 495, 0, ArialBold(9.75)),
        TitleRow("titleLabel", 1200, 1),
        LabelRow("messageLabel",
                 "Sarnex was unable to load the requested image file because the RAM disk size and the image "
                 "file size were not compatible.",
                 480, 960, 5055, 735, 2, ArialBold(9.75), Alignment::Centre),
        LabelRow("adviceLabel", "Please check the image file size and Sarnex settings.", 600, 1920, 5055, 375, 3,
                 forms::Arial(9)),
    };
    return f;
}

forms::FormDesign OutOfMemoryDesign() {
    forms::FormDesign f{.name = "OutOfMemoryNotice", .caption = "Sarnex Memory Allocation Error", .clientWidth = 5970,
                        .clientHeight = 3135, .hasIcon = false};
    f.controls = {
        TitleRow("titleLabel", 1080, 0),
        LabelRow("messageLabel",
                 "Sarnex was unable to allocate sufficient physical memory for the requested RAM disk size.  "
                 "This may be due to insufficient physical memory or the size of the Windows file cache.",
                 480, 960, 5055, 975, 1, ArialBold(9.75), Alignment::Centre),
        ButtonRow("okButton", "OK", 2160, 2280, 1455, 495, 2, ArialBold(9.75)),
    };
    return f;
}

}  // namespace

// Each is the only window of its run, which ends with its button.
ImageLoadFailedNotice::ImageLoadFailedNotice(forms::FormsRuntime& runtime)
    : ClosingNotice(runtime, ImageLoadFailedDesign(), "okButton") {}

OutOfMemoryNotice::OutOfMemoryNotice(forms::FormsRuntime& runtime)
    : ClosingNotice(runtime, OutOfMemoryDesign(), "okButton") {}

}  // namespace sarnex::notices
