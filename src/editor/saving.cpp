// Saving and leaving: the controls become the driver's record, written in one pass; "OK" saves and
// closes, "Save" saves and stays, "Cancel" closes without writing.
#include "config/registry_record.h"
#include "config/value_conversions.h"
#include "editor/editor.h"
#include "editor/save_checks.h"
#include "platform/system_facts.h"

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
        config::StoredFromDriveLetter(driveLetterCheck.Value(), driveLetterBox.Text(), services_.system.codePage);
    record.MakeTempDir = config::FlagFromCheckValue(tempDirCheck.Value());
    record.UseDiskLabel = config::FlagFromCheckValue(volumeLabelCheck.Value());
    record.DiskLabel = volumeLabelBox.Text();
    return record;
}

// A value that cannot be stored (a size beyond the stored range, a text the code page cannot hold or
// too long for the record) is skipped; the others are still written in order, and the user is told
// that the settings were not saved. Typing refuses what the code page cannot hold, so little gets
// this far.
bool Editor::SaveSettings() {
    const config::DriverConfiguration settings = SettingsShown();
    const config::WriteOutcome outcome =
        config::WriteDriverConfiguration(services_.system.registry, services_.system.codePage, settings);
    AdoptWrittenValues(reference_, settings, outcome);
    if (!outcome.KeyOpened() || !outcome.notWritten.empty()) {
        services_.showSaveFailedNotice();
        return false;
    }
    return true;
}

// The settings are checked first and the user asked about what would fail at the driver's next
// start; only then is the key read again, as close to the write as can be, for changes made by
// another program meanwhile. A key that cannot be opened is no change: the save reports it.
bool Editor::SaveConfirmed() {
    const std::vector<std::string> findings = CheckSettings(SettingsShown(), services_.system.systemFacts);
    if (!findings.empty() && !AskYesNo(std::string(kSettingsCheckTitle), SettingsCheckQuestion(findings)))
        return false;
    const config::ReadOutcome stored = config::ReadDriverConfiguration(services_.system.registry, services_.system.codePage);
    if (!stored.KeyOpened()) return true;
    const std::vector<std::string_view> changed = ChangedValues(reference_, stored.record);
    return changed.empty() || AskYesNo(std::string(kSettingsChangedTitle), SettingsChangedQuestion(changed));
}

// "OK". When the settings could not all be saved the editor stays open with the user's edits (the
// notice says why), so nothing typed is lost and no restart is offered for settings not stored.
void Editor::OnOk() {
    if (!SaveConfirmed() || !SaveSettings()) return;
    Unload();
    if (services_.offerRestart) services_.showRestartPrompt();
}

// "Save".
void Editor::OnSave() {
    if (SaveConfirmed()) SaveSettings();
}

// "Cancel".
void Editor::OnCancel() { Unload(); }

}  // namespace sarnex::editor
