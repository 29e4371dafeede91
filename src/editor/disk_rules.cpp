// Disk type and disk size: a floppy type makes size, drive letter and FAT32 unavailable; the size is
// a whole number of MB from 5 to 2048; FAT32 is available only above 32 MB.
#include <cmath>

#include "config/number_text.h"
#include "config/rounding.h"
#include "editor/editor.h"
#include "editor/rule_helpers.h"

namespace sarnex::editor {

namespace {

constexpr double kSmallestSize = 5;
constexpr double kLargestSize = 2048;  // also VScroll1's Max: the bar mirrors the size downwards
constexpr std::int16_t kSizeBarMax = 2048;
constexpr double kStepThreshold = 1024;
constexpr double kLargestWithoutFat32 = 32;
constexpr int kHardDisk = 0;
constexpr int kLastDiskType = 2;

}  // namespace

double Editor::DiskSize() const { return config::NumberFromText(Text3.Text()); }

void Editor::UpdateFat32Availability() { Fat32Enable.SetEnabled(DiskSize() > kLargestWithoutFat32); }

void Editor::ApplyDiskTypeRule() {
    if (Combo1.ListIndex() == kHardDisk) {
        Text3.SetEnabled(true);
        DriveCheckBox.SetEnabled(true);
        DriveLetterText.SetEnabled(true);
        UpdateFat32Availability();
        Label6.SetEnabled(true);
        Label12.SetEnabled(true);
    } else {
        Text3.SetEnabled(false);
        DriveCheckBox.SetEnabled(false);
        DriveLetterText.SetEnabled(false);
        Fat32Enable.SetEnabled(false);
        Label6.SetEnabled(false);
        Label12.SetEnabled(false);
    }
}

void Editor::Combo1_Click() { ApplyDiskTypeRule(); }

void Editor::Combo1_Change() {
    // Typing leaves no item selected: fall back to the hard disk. (With an empty list there is
    // nothing to select, and the type rule then treats the type as no hard disk.)
    if (Combo1.ListIndex() < 0 || Combo1.ListIndex() > kLastDiskType) {
        Combo1.SetListIndex(kHardDisk);
        Combo1.Refresh();
    }
    ApplyDiskTypeRule();
}

void Editor::Text3_Change() { UpdateFat32Availability(); }

void Editor::Text3_LostFocus() {
    double whole = config::RoundDown(DiskSize());
    // A number beyond a double's range would show as "Inf", which reads back as no number at all;
    // the largest power of ten keeps its sign and its size for the limits below.
    if (std::isinf(whole)) whole = std::copysign(1e308, whole);
    Text3.SetText(config::TextFromNumber(whole));
    if (DiskSize() > kLargestSize) Text3.SetText("2048");
    if (DiskSize() < kSmallestSize) Text3.SetText("5");
    SizeScrollPos = SpinnerPosition(kLargestSize - DiskSize(), kSizeBarMax);
    VScroll1.SetValue(SpinnerPosition(kLargestSize - DiskSize(), kSizeBarMax));
    Text3.SetText(config::TextFromNumber(DiskSize()));
    Text3.Refresh();
}

void Editor::VScroll1_Change() {
    if (!Text3.Enabled()) {
        VScroll1.SetValue(SizeScrollPos);
        return;
    }
    if (VScroll1.Value() < SizeScrollPos) {
        // Up. The bar counts steps, not megabytes: from 1024 on a step adds 2 MB while the bar moves
        // by 1, so the step itself stops the size at 2048.
        const double size = DiskSize();
        if (!std::isfinite(size) || size >= kLargestSize) {
            VScroll1.SetValue(SizeScrollPos);
            return;
        }
        const double stepped = size < kStepThreshold ? size + 1 : size + 2;
        Text3.SetText(config::TextFromNumber(stepped > kLargestSize ? kLargestSize : stepped));
        Text3.Refresh();
        SizeScrollPos = static_cast<std::int16_t>(VScroll1.Value());
    } else {
        if (!(VScroll1.Value() > SizeScrollPos)) return;
        // Down, only from 6 MB on; a size that is no finite number cannot be stepped either.
        const double size = DiskSize();
        if (size < kSmallestSize + 1 || !std::isfinite(size)) {
            VScroll1.SetValue(SizeScrollPos);
            return;
        }
        Text3.SetText(config::TextFromNumber(size > kStepThreshold ? size - 2 : size - 1));
        Text3.Refresh();
        SizeScrollPos = static_cast<std::int16_t>(VScroll1.Value());
    }
    UpdateFat32Availability();
}

}  // namespace sarnex::editor
