// Loading: the editor fills itself from the driver's record once, when it is created. Every
// assignment goes through the controls' setters, so the editing rules run nested as they would for
// the user, and each step finds the controls as the steps before it (and their handlers) left them.
#include <cstdint>
#include <string>

#include "config/number_text.h"
#include "config/registry_record.h"
#include "config/value_conversions.h"
#include "editor/editor.h"
#include "editor/limits.h"
#include "editor/rule_helpers.h"

namespace sarnex::editor {
namespace {

constexpr int kHardDisk = 0;

// The spinner bars mirror their number downwards: position = base - number. A stored size or
// interval outside what the bar can show is held to the bar's range (the text still shows the
// stored number), so no stored value can put a bar out of range or overflow its 16-bit position.
std::int16_t BarPositionFor(double base, double number, const forms::VScrollBar& bar) {
    return SpinnerPosition(base - number, static_cast<std::int16_t>(bar.Max()));
}

std::string VersionLine(const platform::ProgramVersion& version) {
    return "Version " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision);
}

}  // namespace

void Editor::OnLoad() {
    versionLabel.SetCaption(VersionLine(services_.system.version));

    diskTypeList.AddItem("Hard Disk");
    diskTypeList.AddItem("1.44MB Floppy");
    diskTypeList.AddItem("2.88MB Floppy");

    // One pass over the key: open, every query, close. The values are then applied in the same order.
    const config::ReadOutcome read = config::ReadDriverConfiguration(services_.system.registry, services_.system.codePage);
    reference_ = read.record;
    if (!read.KeyOpened()) {
        ShowDefaults();
        return;
    }
    const config::DriverConfiguration& record = read.record;

    if (record.DiskType) {
        if (const auto index = config::DiskTypeIndexFromCode(*record.DiskType)) diskTypeList.SetListIndex(*index);
    }

    if (record.LoadImageOnStart) {
        const int ticked = config::CheckValueFromFlag(*record.LoadImageOnStart);
        loadImageCheck.SetValue(ticked);
        loadImageFileBox.SetEnabled(ticked == 1);
    }
    if (record.LoadImageFile) loadImageFileBox.SetText(*record.LoadImageFile);

    if (record.SaveImageOnExit) {
        const int ticked = config::CheckValueFromFlag(*record.SaveImageOnExit);
        saveImageCheck.SetValue(ticked);
        saveImageFileBox.SetEnabled(ticked == 1);
    }
    if (record.SaveImageFile) saveImageFileBox.SetText(*record.SaveImageFile);

    float sizeInMegabytes = 0;
    if (record.SizeIn4kPages) {
        sizeInMegabytes = config::MegabytesFromPages(*record.SizeIn4kPages);
        diskSizeBox.SetText(config::SizeTextFromPages(*record.SizeIn4kPages));
    }

    // The size field belongs to the hard disk; with a floppy or no type at all it is unavailable.
    const bool hardDisk = diskTypeList.ListIndex() == kHardDisk;
    diskSizeBox.SetEnabled(hardDisk);
    diskSizeCaption.SetEnabled(hardDisk);
    megabytesUnit.SetEnabled(hardDisk);

    if (record.DiskFormatFAT32) {
        fat32Check.SetValue(config::CheckValueFromFlag(*record.DiskFormatFAT32));
        fat32Check.SetEnabled(diskTypeList.ListIndex() == kHardDisk && DiskSize() > kLargestDiskSizeWithoutFat32);
    }

    if (record.AutoSaveEnabled) {
        const int ticked = config::CheckValueFromFlag(*record.AutoSaveEnabled);
        autoSaveCheck.SetValue(ticked);
        autoSaveIntervalBox.SetEnabled(ticked == 1);
    }

    float intervalInSeconds = 0;
    if (record.AutoSaveTrigger) {
        intervalInSeconds = config::SecondsFromTrigger(*record.AutoSaveTrigger);
        autoSaveIntervalBox.SetText(config::IntervalTextFromTrigger(*record.AutoSaveTrigger));
    }

    if (record.UserDriveLetter) {
        const config::DriveLetterSetting drive =
            config::DriveLetterFromStored(*record.UserDriveLetter, services_.system.codePage);
        driveLetterCheck.SetValue(drive.checkValue);
        driveLetterBox.SetText(drive.letter);
        driveLetterCheck.SetEnabled(diskTypeList.ListIndex() == kHardDisk);
    }

    if (record.MakeTempDir) tempDirCheck.SetValue(config::CheckValueFromFlag(*record.MakeTempDir));

    if (record.DiskLabel) volumeLabelBox.SetText(*record.DiskLabel);

    if (record.UseDiskLabel) {
        const int ticked = config::CheckValueFromFlag(*record.UseDiskLabel);
        volumeLabelCheck.SetValue(ticked);
        volumeLabelBox.SetEnabled(ticked == 1);
    }

    // Each position variable before its bar, so the bar's Change handler finds no movement.
    accepted_.size = BarPositionFor(kLargestDiskSize, sizeInMegabytes, diskSizeSpinner);
    diskSizeSpinner.SetValue(accepted_.size);
    accepted_.letter = kDriveLetterSpinnerStart;
    driveLetterSpinner.SetValue(accepted_.letter);
    accepted_.interval = BarPositionFor(kLongestAutoSaveInterval, intervalInSeconds, autoSaveSpinner);
    autoSaveSpinner.SetValue(accepted_.interval);
}

// The key could not be opened: a fixed default state, then the notice in front of the editor. The
// editor loads once, so it is fresh here: every box unticked, and the hard-disk type enables the rest;
// only what differs from that is set.
void Editor::ShowDefaults() {
    diskTypeList.SetListIndex(kHardDisk);
    driveLetterBox.SetEnabled(false);
    driveLetterBox.SetText(CharacterOfCode(kLowestDriveLetter, services_.system.codePage));
    loadImageFileBox.SetText("");
    loadImageFileBox.SetEnabled(false);
    saveImageFileBox.SetText("");
    saveImageFileBox.SetEnabled(false);
    diskSizeBox.SetText(LimitText(kSmallestDiskSize));
    autoSaveIntervalBox.SetText(LimitText(kShortestAutoSaveInterval));
    accepted_.interval = kAutoSaveSpinnerMax - kShortestAutoSaveInterval;
    autoSaveSpinner.SetValue(accepted_.interval);
    autoSaveIntervalBox.SetEnabled(false);
    accepted_.size = kDiskSizeSpinnerMax;  // not 2043: the position does not follow the 5 MB shown
    diskSizeSpinner.SetValue(accepted_.size);
    accepted_.letter = kDriveLetterSpinnerStart;
    driveLetterSpinner.SetValue(accepted_.letter);
    volumeLabelBox.SetText("Sarnexia");
    volumeLabelBox.SetEnabled(false);
    services_.showReadFailedNotice();
}

}  // namespace sarnex::editor
