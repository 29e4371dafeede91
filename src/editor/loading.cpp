// Loading: the editor fills itself from the driver's record when it is created, and again after each
// save. Every assignment goes through the controls' setters, so the editing rules run nested as they
// would for the user, and each step finds the controls as the steps before it (and their handlers)
// left them. Each value is also told to be read faithfully or not: a save keeps what loading could
// not take as it stands.
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

using config::ValueId;

constexpr int kHardDisk = 0;
constexpr std::int32_t kDriveLetterHiddenBits = 0x00FFFF00;

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

std::size_t At(ValueId id) { return static_cast<std::size_t>(id); }

}  // namespace

void Editor::OnLoad() {
    versionLabel.SetCaption(VersionLine(services_.system.version));

    diskTypeList.AddItem("Hard Disk");
    diskTypeList.AddItem("1.44MB Floppy");
    diskTypeList.AddItem("2.88MB Floppy");

    if (!ReadKey()) ShowDefaults();
}

bool Editor::ReadKey() {
    // One pass over the key: open, every query, close. The values are then applied in the same order.
    const config::ReadOutcome read = config::ReadDriverConfiguration(services_.system.registry, services_.system.codePage);
    if (!read.KeyOpened()) return false;
    keyRead_ = true;
    reference_ = read.stored;
    const std::int32_t letter = read.record.UserDriveLetter.value_or(0);
    driveLetterHiddenBits_ = read.Stored(ValueId::UserDriveLetter) ? letter & kDriveLetterHiddenBits : 0;
    ApplyRecord(read);
    for (const ValueId id : config::kWritingOrder) loadedState_[At(id)] = ControlState(id);
    return true;
}

// Each step sets its controls and is then held to what the key holds; a value not read leaves its
// controls, and the enabled states tied to it, as they were.
void Editor::ApplyRecord(const config::ReadOutcome& read) {
    const config::DriverConfiguration& record = read.record;
    const auto step = [&](ValueId id) { unfaithful_[At(id)] = UnfaithfulReason(id, read); };

    if (record.DiskType) {
        if (const auto index = config::DiskTypeIndexFromCode(*record.DiskType)) diskTypeList.SetListIndex(*index);
    }
    step(ValueId::DiskType);

    if (record.LoadImageOnStart) {
        const int ticked = config::CheckValueFromFlag(*record.LoadImageOnStart);
        loadImageCheck.SetValue(ticked);
        loadImageFileBox.SetEnabled(ticked == 1);
    }
    step(ValueId::LoadImageOnStart);
    if (record.LoadImageFile) loadImageFileBox.SetText(*record.LoadImageFile);
    step(ValueId::LoadImageFile);

    if (record.SaveImageOnExit) {
        const int ticked = config::CheckValueFromFlag(*record.SaveImageOnExit);
        saveImageCheck.SetValue(ticked);
        saveImageFileBox.SetEnabled(ticked == 1);
    }
    step(ValueId::SaveImageOnExit);
    if (record.SaveImageFile) saveImageFileBox.SetText(*record.SaveImageFile);
    step(ValueId::SaveImageFile);

    float sizeInMegabytes = 0;
    if (record.SizeIn4kPages) {
        sizeInMegabytes = config::MegabytesFromPages(*record.SizeIn4kPages);
        diskSizeBox.SetText(config::SizeTextFromPages(*record.SizeIn4kPages));
    }
    step(ValueId::SizeIn4kPages);

    // The size field belongs to the hard disk; with a floppy or no type at all it is unavailable.
    const bool hardDisk = diskTypeList.ListIndex() == kHardDisk;
    diskSizeBox.SetEnabled(hardDisk);
    diskSizeCaption.SetEnabled(hardDisk);
    megabytesUnit.SetEnabled(hardDisk);

    if (record.DiskFormatFAT32) {
        fat32Check.SetValue(config::CheckValueFromFlag(*record.DiskFormatFAT32));
        fat32Check.SetEnabled(diskTypeList.ListIndex() == kHardDisk && DiskSize() > kLargestDiskSizeWithoutFat32);
    }
    step(ValueId::DiskFormatFAT32);

    if (record.AutoSaveEnabled) {
        const int ticked = config::CheckValueFromFlag(*record.AutoSaveEnabled);
        autoSaveCheck.SetValue(ticked);
        autoSaveIntervalBox.SetEnabled(ticked == 1);
    }
    step(ValueId::AutoSaveEnabled);

    float intervalInSeconds = 0;
    if (record.AutoSaveTrigger) {
        intervalInSeconds = config::SecondsFromTrigger(*record.AutoSaveTrigger);
        autoSaveIntervalBox.SetText(config::IntervalTextFromTrigger(*record.AutoSaveTrigger));
    }
    step(ValueId::AutoSaveTrigger);

    if (record.UserDriveLetter) {
        const config::DriveLetterSetting drive =
            config::DriveLetterFromStored(*record.UserDriveLetter, services_.system.codePage);
        driveLetterCheck.SetValue(drive.checkValue);
        driveLetterBox.SetText(drive.letter);
        driveLetterCheck.SetEnabled(diskTypeList.ListIndex() == kHardDisk);
    }
    step(ValueId::UserDriveLetter);

    if (record.MakeTempDir) tempDirCheck.SetValue(config::CheckValueFromFlag(*record.MakeTempDir));
    step(ValueId::MakeTempDir);

    if (record.DiskLabel) volumeLabelBox.SetText(*record.DiskLabel);
    step(ValueId::DiskLabel);

    if (record.UseDiskLabel) {
        const int ticked = config::CheckValueFromFlag(*record.UseDiskLabel);
        volumeLabelCheck.SetValue(ticked);
        volumeLabelBox.SetEnabled(ticked == 1);
    }
    step(ValueId::UseDiskLabel);

    // Each position variable before its bar, so the bar's Change handler finds no movement.
    accepted_.size = BarPositionFor(kLargestDiskSize, sizeInMegabytes, diskSizeSpinner);
    diskSizeSpinner.SetValue(accepted_.size);
    accepted_.letter = kDriveLetterSpinnerStart;
    driveLetterSpinner.SetValue(accepted_.letter);
    accepted_.interval = BarPositionFor(kLongestAutoSaveInterval, intervalInSeconds, autoSaveSpinner);
    autoSaveSpinner.SetValue(accepted_.interval);
}

// A value is read faithfully when it has the type and size a save writes and what its step put into
// the control encodes to exactly the bytes stored; texts are compared in their UTF-16 form, since
// the ANSI read replaces what the code page cannot hold.
std::optional<std::string> Editor::UnfaithfulReason(ValueId id, const config::ReadOutcome& read) const {
    const platform::StoredValue* stored = read.Stored(id);
    if (stored == nullptr) return "it is absent";
    const config::ValueLayout& layout = config::LayoutOf(id);
    if (stored->type != layout.type)
        return "it is a " + platform::TypeName(stored->type) + ", not a " + platform::TypeName(layout.type);
    if (layout.number && stored->data.size() != 4)
        return "it has " + std::to_string(stored->data.size()) + " bytes, not 4";
    if (layout.text && !(read.record.*layout.text)) return "it is longer than the 254 characters the editor holds";
    if (layout.text && !config::WellFormedUnits(*stored)) return "it is not a plain text ending in one zero character";
    const auto shown = config::StoredForm(SettingsShown(), id, services_.system.codePage);
    if (shown && shown->data == stored->data) return std::nullopt;

    const auto number = config::WellFormedNumber(*stored).value_or(0);
    switch (id) {
        case ValueId::DiskType:
            if (read.record.DiskType->empty()) return "it is empty, which the editor takes as a hard disk";
            return "\"" + *read.record.DiskType + "\" is not one of the disk types HDC, FDC14, FDC28";
        case ValueId::UserDriveLetter: return "it is not a drive letter from D to Z";
        case ValueId::SizeIn4kPages:
        case ValueId::AutoSaveTrigger: return "the editor cannot show it exactly";
        default: break;
    }
    if (layout.number) return "a flag is 0 or 1, not " + std::to_string(number);
    if (!services_.system.codePage.FromUtf8(*config::WellFormedText(*stored)))
        return "it has characters that the ANSI code page cannot hold";
    return "it is longer than the 254 characters the editor holds";
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
