#include "notices/registry_notices.h"

#include "notices/notice_rows.h"

namespace sarnex::notices {

using forms::Alignment;
using forms::ArialBold;

namespace {

forms::FormDesign ReadFailedDesign() {
    forms::FormDesign f{.name = "RegistryReadFailedNotice", .caption = "Registry Read Failed", .clientWidth = 5130,
                        .clientHeight = 1515, .font = ArialBold(9.75)};
    f.controls = {
        ButtonRow("cancelButton", "Cancel", 1680, 720, 1695, 615, 0, ArialBold(9.75)),
        LabelRow("messageLabel", "Cannot open Sarnex registry key!", 480, 240, 4215, 375, 1, ArialBold(9.75),
                 Alignment::Centre),
    };
    return f;
}

forms::FormDesign SaveFailedDesign() {
    forms::FormDesign f{.name = "RegistrySaveFailedNotice", .caption = "Registry Save Failed", .clientWidth = 5145,
                        .clientHeight = 1545};
    f.controls = {
        ButtonRow("cancelButton", "Cancel", 1560, 720, 1815, 615, 0, ArialBold(9.75)),
        LabelRow("messageLabel", "Unable to save Sarnex registry settings!", 360, 240, 4575, 255, 1,
                 ArialBold(9.75), Alignment::Centre),
    };
    return f;
}

}  // namespace

// Each button only closes its own notice; the editor stays as it is.
RegistryReadFailedNotice::RegistryReadFailedNotice(forms::FormsRuntime& runtime)
    : ClosingNotice(runtime, ReadFailedDesign(), "cancelButton") {}

// Kept in front of the editor, which stays usable beside it.
void RegistryReadFailedNotice::OnLoad() { MakeTopmost(); }

RegistrySaveFailedNotice::RegistrySaveFailedNotice(forms::FormsRuntime& runtime)
    : ClosingNotice(runtime, SaveFailedDesign(), "cancelButton") {}

}  // namespace sarnex::notices
