// Disk type and disk size: a floppy type makes size, drive letter and FAT32 unavailable; the size is
// a whole number of MB from 5 to 2048; FAT32 is available only above 32 MB.
#include <algorithm>
#include <cmath>

#include "config/number_text.h"
#include "config/rounding.h"
#include "editor/editor.h"
#include "editor/limits.h"
#include "editor/rule_helpers.h"

namespace sarnex::editor {

namespace {

constexpr int kHardDisk = 0;

}  // namespace

double Editor::DiskSize() const { return config::NumberFromText(diskSizeBox.Text()); }

void Editor::UpdateFat32Availability() { fat32Check.SetEnabled(DiskSize() > kLargestDiskSizeWithoutFat32); }

void Editor::ApplyDiskTypeRule() {
    const bool hardDisk = diskTypeList.ListIndex() == kHardDisk;
    diskSizeBox.SetEnabled(hardDisk);
    driveLetterCheck.SetEnabled(hardDisk);
    driveLetterBox.SetEnabled(hardDisk);
    if (hardDisk) UpdateFat32Availability();
    else fat32Check.SetEnabled(false);
    diskSizeCaption.SetEnabled(hardDisk);
    megabytesUnit.SetEnabled(hardDisk);
}

void Editor::OnDiskTypePicked() { ApplyDiskTypeRule(); }

void Editor::OnDiskTypeTyped() {
    // Typing leaves no item selected: fall back to the hard disk. (With an empty list there is
    // nothing to select, and the type rule then treats the type as no hard disk.)
    if (diskTypeList.ListIndex() == -1) diskTypeList.SetListIndex(kHardDisk);
    ApplyDiskTypeRule();
}

void Editor::OnDiskSizeTyped() { UpdateFat32Availability(); }

void Editor::NormaliseDiskSize() {
    const double typed = DiskSize();
    double whole = config::RoundDown(typed);
    // A number beyond a double's range would show as "Inf", which reads back as no number at all;
    // the largest power of ten keeps its sign and its size for the limits below.
    if (std::isinf(whole)) whole = std::copysign(1e308, whole);
    diskSizeBox.SetText(config::TextFromNumber(whole));
    if (DiskSize() > kLargestDiskSize) diskSizeBox.SetText(LimitText(kLargestDiskSize));
    if (DiskSize() < kSmallestDiskSize) diskSizeBox.SetText(LimitText(kSmallestDiskSize));
    if (DiskSize() != typed)
        ruleLog_.push_back({config::ValueId::SizeIn4kPages, "sizes are whole MB from " + std::to_string(kSmallestDiskSize) +
                                                                " to " + std::to_string(kLargestDiskSize)});
    accepted_.size = SpinnerPosition(kDiskSizeSpinnerMax - DiskSize(), kDiskSizeSpinnerMax);
    diskSizeSpinner.SetValue(accepted_.size);
    diskSizeBox.SetText(config::TextFromNumber(DiskSize()));
}

void Editor::OnDiskSizeSpun() {
    if (!diskSizeBox.Enabled()) {
        diskSizeSpinner.SetValue(accepted_.size);
        return;
    }
    const double size = DiskSize();
    if (diskSizeSpinner.Value() < accepted_.size) {
        // Up. The bar counts steps, not megabytes: from 1024 on a step adds 2 MB while the bar moves
        // by 1, so the step itself stops the size at 2048.
        if (!std::isfinite(size) || size >= kLargestDiskSize) {
            diskSizeSpinner.SetValue(accepted_.size);
            return;
        }
        const double stepped = size < kDiskSizeStepThreshold ? size + 1 : size + 2;
        diskSizeBox.SetText(config::TextFromNumber(std::min<double>(stepped, kLargestDiskSize)));
    } else {
        if (diskSizeSpinner.Value() == accepted_.size) return;
        // Down, only from 6 MB on; a size that is no finite number cannot be stepped either.
        if (size < kSmallestDiskSize + 1 || !std::isfinite(size)) {
            diskSizeSpinner.SetValue(accepted_.size);
            return;
        }
        diskSizeBox.SetText(config::TextFromNumber(size > kDiskSizeStepThreshold ? size - 2 : size - 1));
    }
    accepted_.size = AcceptStep(diskSizeSpinner);
    diskSizeSpinner.SetValue(accepted_.size);
}

}  // namespace sarnex::editor
