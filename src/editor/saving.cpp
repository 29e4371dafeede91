// Saving and leaving: the controls become the driver's record, written in one pass; "OK" saves and
// closes, "Save" saves and stays, "Cancel" closes without writing.
#include "config/registry_record.h"
#include "config/value_conversions.h"
#include "editor/editor.h"

namespace sarnex::editor {

// Reads the controls whatever their enabled state. A value that cannot be encoded (a size or an
// interval beyond the stored range, an empty drive letter, a text the code page cannot hold) is left
// out; the writer skips it, writes the others in order and reports it, and the user is told that
// the settings were not saved.
bool Editor::SaveSettings() {
    config::DriverConfiguration record;
    record.DiskType = config::DiskTypeCodeFromIndex(Combo1.ListIndex());
    record.LoadImageOnStart = config::FlagFromCheckValue(LoadImage.Value());
    record.LoadImageFile = Text1.Text();
    record.SaveImageOnExit = config::FlagFromCheckValue(SaveImage.Value());
    record.SaveImageFile = Text2.Text();
    record.SizeIn4kPages = config::PagesFromSizeText(Text3.Text());
    record.AutoSaveEnabled = config::FlagFromCheckValue(SaveCheckBox.Value());
    record.DiskFormatFAT32 = config::FlagFromCheckValue(Fat32Enable.Value());
    record.AutoSaveTrigger = config::TriggerFromIntervalText(AutoSaveTime.Text());
    record.UserDriveLetter =
        config::StoredFromDriveLetter(DriveCheckBox.Value(), DriveLetterText.Text(), services_.codePage);
    record.MakeTempDir = config::FlagFromCheckValue(TempDirCheckBox.Value());
    record.UseDiskLabel = config::FlagFromCheckValue(DiskLabelCheckBox.Value());
    record.DiskLabel = DiskLabelText.Text();

    const config::WriteOutcome outcome =
        config::WriteDriverConfiguration(services_.registry, services_.codePage, record);
    if (!outcome.KeyOpened() || !outcome.notWritten.empty()) {
        services_.showSaveRegFail();
        return false;
    }
    return true;
}

// "OK". When the settings could not all be saved the editor stays open with the user's edits (the
// notice says why), so nothing typed is lost and no restart is offered for settings not stored.
void Editor::Command1_Click() {
    if (!SaveSettings()) return;
    Unload();
    if (services_.showRestartQuery == 1) services_.showRestartPrompt();
}

// "Save".
void Editor::Command3_Click() { SaveSettings(); }

// "Cancel".
void Editor::Command2_Click() { Unload(); }

}  // namespace sarnex::editor
