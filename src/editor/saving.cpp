// Saving and leaving: the controls become the driver's record, written in one pass; "OK" saves and
// closes, "Save" saves and stays, "Cancel" closes without writing.
#include "config/registry_record.h"
#include "config/value_conversions.h"
#include "editor/editor.h"

namespace sarnex::editor {

// The controls whatever their enabled state. A value that cannot be encoded (a size or an interval
// beyond the stored range, an empty drive letter) is left absent.
config::DriverConfiguration Editor::SettingsShown() const {
    config::DriverConfiguration record;
    record.DiskType = config::DiskTypeCodeFromIndex(diskTypeList.ListIndex());
    record.LoadImageOnStart = config::FlagFromCheckValue(loadImageCheck.Value());
    record.LoadImageFile = loadImageFileBox.Text();
    record.SaveImageOnExit = config::FlagFromCheckValue(saveImageCheck.Value());
    record.SaveImageFile = saveImageFileBox.Text();
    record.SizeIn4kPages = config::PagesFromSizeText(diskSizeBox.Text());
    record.AutoSaveEnabled = config::FlagFromCheckValue(autoSaveCheck.Value());
    record.DiskFormatFAT32 = config::FlagFromCheckValue(fat32Check.Value());
    record.AutoSaveTrigger = config::TriggerFromIntervalText(autoSaveIntervalBox.Text());
    record.UserDriveLetter =
        config::StoredFromDriveLetter(driveLetterCheck.Value(), driveLetterBox.Text(), services_.codePage);
    record.MakeTempDir = config::FlagFromCheckValue(tempDirCheck.Value());
    record.UseDiskLabel = config::FlagFromCheckValue(volumeLabelCheck.Value());
    record.DiskLabel = volumeLabelBox.Text();
    return record;
}

// All or nothing: when any value cannot be stored (a size beyond the stored range, a text the code
// page cannot hold or too long for the record) nothing is written, so the driver never finds half
// of a new record beside half of the old one, and the user is told that the settings were not
// saved. A write the registry itself refuses is reported the same way.
bool Editor::SaveSettings() {
    const config::DriverConfiguration record = SettingsShown();
    if (!config::UnstorableValues(record, services_.codePage).empty()) {
        services_.showSaveFailedNotice();
        return false;
    }
    const config::WriteOutcome outcome = config::WriteDriverConfiguration(services_.registry, services_.codePage, record);
    if (!outcome.KeyOpened() || !outcome.notWritten.empty()) {
        services_.showSaveFailedNotice();
        return false;
    }
    return true;
}

// "OK". When the settings could not all be saved the editor stays open with the user's edits (the
// notice says why), so nothing typed is lost and no restart is offered for settings not stored.
void Editor::OnOk() {
    if (!SaveSettings()) return;
    Unload();
    if (services_.offerRestart) services_.showRestartPrompt();
}

// "Save".
void Editor::OnSave() { SaveSettings(); }

// "Cancel".
void Editor::OnCancel() { Unload(); }

}  // namespace sarnex::editor
