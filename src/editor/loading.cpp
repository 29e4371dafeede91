// Loading: the editor fills itself from the driver's record once, when it is created. Every
// assignment goes through the controls' setters, so the editing rules run nested as they would for
// the user, and each step finds the controls as the steps before it (and their handlers) left them.
#include <cstdint>
#include <string>

#include "config/number_text.h"
#include "config/registry_record.h"
#include "config/value_conversions.h"
#include "editor/editor.h"
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

std::string VersionLine(const ProgramVersion& version) {
    return "Version " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
           std::to_string(version.revision);
}

}  // namespace

void Editor::Form_Load() {
    Label5.SetCaption(VersionLine(services_.version));

    Combo1.AddItem("Hard Disk");
    Combo1.AddItem("1.44MB Floppy");
    Combo1.AddItem("2.88MB Floppy");

    // One pass over the key: open, every query, close. The values are then applied in the same order.
    const config::ReadOutcome read = config::ReadDriverConfiguration(services_.registry, services_.codePage);
    if (!read.KeyOpened()) {
        LoadDefaults();
        return;
    }
    const config::DriverConfiguration& record = read.record;

    if (record.DiskType) {
        if (const auto index = config::DiskTypeIndexFromCode(*record.DiskType)) Combo1.SetListIndex(*index);
    }

    if (record.LoadImageOnStart) {
        const int ticked = config::CheckValueFromFlag(*record.LoadImageOnStart);
        LoadImage.SetValue(ticked);
        Text1.SetEnabled(ticked == 1);
    }
    if (record.LoadImageFile) Text1.SetText(*record.LoadImageFile);

    if (record.SaveImageOnExit) {
        const int ticked = config::CheckValueFromFlag(*record.SaveImageOnExit);
        SaveImage.SetValue(ticked);
        Text2.SetEnabled(ticked == 1);
    }
    if (record.SaveImageFile) Text2.SetText(*record.SaveImageFile);

    float sizeInMegabytes = 0;
    if (record.SizeIn4kPages) {
        sizeInMegabytes = config::MegabytesFromPages(*record.SizeIn4kPages);
        Text3.SetText(config::SizeTextFromPages(*record.SizeIn4kPages));
    }

    // The size field belongs to the hard disk; with a floppy or no type at all it is unavailable.
    const bool hardDisk = Combo1.ListIndex() == kHardDisk;
    Text3.SetEnabled(hardDisk);
    Label6.SetEnabled(hardDisk);
    Label12.SetEnabled(hardDisk);

    if (record.DiskFormatFAT32) {
        Fat32Enable.SetValue(config::CheckValueFromFlag(*record.DiskFormatFAT32));
        Fat32Enable.SetEnabled(Combo1.ListIndex() == kHardDisk && config::NumberFromText(Text3.Text()) > 32);
    }

    if (record.AutoSaveEnabled) {
        const int ticked = config::CheckValueFromFlag(*record.AutoSaveEnabled);
        SaveCheckBox.SetValue(ticked);
        AutoSaveTime.SetEnabled(ticked == 1);
    }

    float intervalInSeconds = 0;
    if (record.AutoSaveTrigger) {
        intervalInSeconds = config::SecondsFromTrigger(*record.AutoSaveTrigger);
        AutoSaveTime.SetText(config::IntervalTextFromTrigger(*record.AutoSaveTrigger));
    }

    if (record.UserDriveLetter) {
        const config::DriveLetterSetting drive =
            config::DriveLetterFromStored(*record.UserDriveLetter, services_.codePage);
        DriveCheckBox.SetValue(drive.checkValue);
        DriveLetterText.SetText(drive.letter);
        DriveCheckBox.SetEnabled(Combo1.ListIndex() == kHardDisk);
    }

    if (record.MakeTempDir) TempDirCheckBox.SetValue(config::CheckValueFromFlag(*record.MakeTempDir));

    if (record.DiskLabel) DiskLabelText.SetText(*record.DiskLabel);

    if (record.UseDiskLabel) {
        const int ticked = config::CheckValueFromFlag(*record.UseDiskLabel);
        DiskLabelCheckBox.SetValue(ticked);
        DiskLabelText.SetEnabled(ticked == 1);
    }

    // Each position variable before its bar, so the bar's Change handler finds no movement.
    SizeScrollPos = BarPositionFor(2048, sizeInMegabytes, VScroll1);
    VScroll1.SetValue(SizeScrollPos);
    DriveScrollPos = 32768 / 2;
    VScroll2.SetValue(DriveScrollPos);
    TimeScrollPos = BarPositionFor(32767, intervalInSeconds, VScroll3);
    VScroll3.SetValue(TimeScrollPos);
}

// The key could not be opened: a fixed default state, then the notice in front of the editor.
void Editor::LoadDefaults() {
    Combo1.SetListIndex(kHardDisk);
    DriveCheckBox.SetValue(0);
    DriveCheckBox.SetEnabled(true);
    DriveLetterText.SetEnabled(false);
    DriveLetterText.SetText("D");
    Fat32Enable.SetEnabled(true);
    Fat32Enable.SetValue(0);
    LoadImage.SetValue(0);
    SaveImage.SetValue(0);
    Text1.SetText("");
    Text1.SetEnabled(false);
    Text2.SetText("");
    Text2.SetEnabled(false);
    Text3.SetText("5");
    Text3.SetEnabled(true);
    SaveCheckBox.SetValue(0);
    AutoSaveTime.SetText("20");
    TimeScrollPos = 32747;
    VScroll3.SetValue(TimeScrollPos);
    AutoSaveTime.SetEnabled(false);
    SizeScrollPos = 2048;  // not 2043: the position does not follow the 5 MB shown
    VScroll1.SetValue(SizeScrollPos);
    DriveScrollPos = 32768 / 2;
    VScroll2.SetValue(DriveScrollPos);
    DiskLabelText.SetText("Sarnexia");
    DiskLabelText.SetEnabled(false);
    DiskLabelCheckBox.SetValue(0);
    TempDirCheckBox.SetValue(0);
    services_.showReadRegFail();
}

}  // namespace sarnex::editor
