// Saving and leaving: the controls become the driver's record, every value encoded before the first
// write; what loading could not take stays as stored; "OK" saves and closes, "Save" saves and stays,
// "Cancel" closes without writing.
#include <algorithm>

#include "config/number_text.h"
#include "config/registry_record.h"
#include "config/value_conversions.h"
#include "editor/editor.h"
#include "editor/save_checks.h"
#include "platform/system_facts.h"

namespace sarnex::editor {
namespace {

using config::ValueId;
using Action = PlannedValue::Action;

std::size_t At(ValueId id) { return static_cast<std::size_t>(id); }

}  // namespace

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
    if (record.UserDriveLetter) *record.UserDriveLetter |= driveLetterHiddenBits_;
    record.MakeTempDir = config::FlagFromCheckValue(tempDirCheck.Value());
    record.UseDiskLabel = config::FlagFromCheckValue(volumeLabelCheck.Value());
    record.DiskLabel = volumeLabelBox.Text();
    return record;
}

std::vector<PlannedValue> Editor::PlannedSave() const {
    const config::DriverConfiguration shown = SettingsShown();
    const platform::CodePage& codePage = services_.system.codePage;
    std::vector<PlannedValue> plan;
    for (const ValueId id : config::kWritingOrder) {
        PlannedValue& planned = plan.emplace_back(PlannedValue{id, Action::Write, std::nullopt, {}, {}});
        const std::optional<std::string>& unfaithful = unfaithful_[At(id)];
        if (keyRead_ && unfaithful && ControlState(id) == loadedState_[At(id)]) {
            planned.action = Action::Keep;
            planned.reason = *unfaithful;
            if (const platform::StoredValue* kept = config::FindValue(reference_, id)) planned.value = *kept;
            continue;
        }
        planned.value = config::StoredForm(shown, id, codePage);
        if (planned.value) {
            const double seconds = config::NumberFromText(autoSaveIntervalBox.Text());
            if (id == ValueId::AutoSaveTrigger && config::SecondsFromTrigger(*shown.AutoSaveTrigger) != seconds)
                planned.note = "the driver counts the interval in 4-second units: " +
                               config::TextFromNumber(seconds).substr(1) + " seconds are stored as " +
                               config::TriggerSeconds(*shown.AutoSaveTrigger);
            continue;
        }
        planned.action = Action::Refuse;
        const config::ValueLayout& layout = config::LayoutOf(id);
        const std::string caption = CaptionOf(id) + ": ";
        if (id == ValueId::UserDriveLetter) {
            planned.reason = caption + "the drive letter box is empty; type a letter from D to Z";
        } else if (layout.number) {
            planned.reason = caption + "the number is beyond what the driver's value can hold";
        } else if (const auto codes = codePage.FromUtf8(*(shown.*layout.text)); !codes) {
            planned.reason = caption + "the text has characters that the ANSI code page cannot hold";
        } else {
            planned.reason = caption + "the text takes " + std::to_string(codes->size()) +
                             " bytes in the ANSI code page; at most 254 can be stored";
        }
    }
    return plan;
}

config::DriverConfiguration Editor::RecordOf(const std::vector<PlannedValue>& plan) {
    std::vector<platform::StoredValue> values;
    for (const PlannedValue& planned : plan)
        if (planned.value) values.push_back(*planned.value);
    return config::RecordFromStored(values);
}

// Nothing is written unless every value can be; another program's changes since loading are merged
// in before the checks, which then see what the key will hold. After the save the editor reads the
// key again, which becomes the base for the next save. A registry that refuses the key or a value
// shows its own notice; the edits stay in the editor either way.
bool Editor::SaveSettings() {
    std::vector<PlannedValue> plan = PlannedSave();
    std::string refusals;
    for (const PlannedValue& planned : plan)
        if (planned.action == Action::Refuse) refusals += planned.reason + "\n";
    if (!refusals.empty()) {
        Tell(std::string(kSettingsCheckTitle), refusals + "\nNothing was saved.");
        return false;
    }
    const config::ReadOutcome now = config::ReadDriverConfiguration(services_.system.registry, services_.system.codePage);
    if (now.KeyOpened()) MergeChangesMeanwhile(plan, now);
    const std::vector<std::string> findings = CheckSettings(RecordOf(plan), services_.system.systemFacts);
    if (!findings.empty() && !AskYesNo(std::string(kSettingsCheckTitle), SettingsCheckQuestion(findings)))
        return false;

    config::DriverConfiguration writes;
    for (const PlannedValue& planned : plan) {
        if (planned.action != Action::Write) continue;
        const config::ValueLayout& layout = config::LayoutOf(planned.id);
        const config::DriverConfiguration stored = config::RecordFromStored({*planned.value});
        if (layout.text) writes.*layout.text = stored.*layout.text;
        else writes.*layout.number = stored.*layout.number;
    }
    const config::WriteOutcome outcome =
        config::WriteDriverConfiguration(services_.system.registry, services_.system.codePage, writes);
    if (outcome.KeyOpened() && outcome.notWritten.empty()) {
        ReadKey();
        return true;
    }
    // What was written is this editor's own, not another program's change; the rest stays as edited.
    for (const PlannedValue& planned : plan) {
        const bool failed = std::any_of(outcome.notWritten.begin(), outcome.notWritten.end(),
                                        [&](const config::UnwrittenValue& v) { return v.id == planned.id; });
        if (!outcome.KeyOpened() || planned.action != Action::Write || failed) continue;
        if (const platform::StoredValue* old = config::FindValue(reference_, planned.id))
            reference_.erase(reference_.begin() + (old - reference_.data()));
        reference_.push_back(*planned.value);
    }
    services_.showSaveFailedNotice();
    return false;
}

// "OK". When the settings could not be saved the editor stays open with the user's edits, so
// nothing typed is lost and no restart is offered for settings not stored.
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
