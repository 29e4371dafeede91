// The editor window: every driver setting as a control, the rules that keep the controls
// consistent while the user edits, loading from and saving to the driver's record.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/driver_configuration.h"
#include "config/registry_record.h"
#include "config/value_layout.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/forms_runtime.h"
#include "platform/program_version.h"

namespace sarnex::platform {
class Registry;
class CodePage;
class Shell;
class SystemFacts;
}  // namespace sarnex::platform

namespace sarnex::editor {

// The system the program stands on, as the editor and sarnexctl use it.
struct SystemServices {
    platform::Registry& registry;
    const platform::CodePage& codePage;
    // What the settings are checked against before "OK" and "Save" write them.
    const platform::SystemFacts& systemFacts;
    platform::ProgramVersion version;
};

// What the editor needs from the program that wires it: services, the shell for the web link,
// whether "OK" offers a restart, and the windows it opens but does not own.
struct EditorServices {
    SystemServices system;
    platform::Shell& shell;
    bool offerRestart = true;  // false in a run started with "install"
    std::function<void()> showReadFailedNotice;
    std::function<void()> showSaveFailedNotice;
    std::function<void()> showRestartPrompt;
};

// One value as a save would leave it: written from its control, kept as the key holds it, or refused.
struct PlannedValue {
    enum class Action { Write, Keep, Refuse };
    config::ValueId id;
    Action action;
    std::optional<platform::StoredValue> value;  // Write: what it stores; Keep: what the key holds (none: absent)
    std::string reason;  // Keep: why loading could not take it; Refuse: what is wrong, by the control's caption
    std::string note;    // Write: how storing changes what the control shows, if it does
};

// A rule of the editor changed a control: the value the control shows, and why.
struct RuleNote {
    config::ValueId value;
    std::string why;
};

class Editor : public forms::Form {
public:
    Editor(forms::FormsRuntime& runtime, EditorServices services);

    // Controls, by the names the rules use.
    forms::Label& saveFileCaption;
    forms::Label& loadFileCaption;
    forms::Label& diskTypeCaption;
    forms::Label& titleLabel;
    forms::Label& versionLabel;
    forms::Label& diskSizeCaption;
    forms::Label& restartNote;
    forms::Label& webLink;
    forms::Label& saveImageFrameTitle;
    forms::Label& hardDiskFrameTitle;
    forms::Label& secondsUnit;
    forms::Label& megabytesUnit;
    forms::Label& loadImageFrameTitle;
    forms::ComboBox& diskTypeList;
    forms::TextBox& loadImageFileBox;
    forms::TextBox& saveImageFileBox;
    forms::TextBox& diskSizeBox;
    forms::TextBox& driveLetterBox;
    forms::TextBox& autoSaveIntervalBox;
    forms::TextBox& volumeLabelBox;
    forms::VScrollBar& diskSizeSpinner;
    forms::VScrollBar& driveLetterSpinner;
    forms::VScrollBar& autoSaveSpinner;
    forms::CheckBox& fat32Check;
    forms::CheckBox& driveLetterCheck;
    forms::CheckBox& autoSaveCheck;
    forms::CheckBox& saveImageCheck;
    forms::CheckBox& loadImageCheck;
    forms::CheckBox& tempDirCheck;
    forms::CheckBox& volumeLabelCheck;
    forms::CommandButton& okButton;
    forms::CommandButton& cancelButton;
    forms::CommandButton& saveButton;

    // The position at which each spinner's bar was last accepted: the next step compares the bar
    // with it only to learn its direction, and a refused step puts the bar back to it.
    struct SpinnerPositions {
        std::int16_t size = 0;
        std::int16_t letter = 0;
        std::int16_t interval = 0;
    };
    const SpinnerPositions& AcceptedPositions() const { return accepted_; }

    // The controls as they stand, whatever is enabled, as the record a save encodes from them; a
    // value that cannot be encoded is absent.
    config::DriverConfiguration SettingsShown() const;

    // What a save would do with each value now, in writing order. A value loading read faithfully
    // (it re-encodes to the very bytes stored) is written as its control shows it; any other keeps its
    // stored bytes, or stays absent, until the user's action, or a rule it set off, changes its
    // control. After a key that could not be opened, every value is written.
    std::vector<PlannedValue> PlannedSave() const;
    // The record as the key would hold it after that save: what is written, and what is kept.
    static config::DriverConfiguration RecordOf(const std::vector<PlannedValue>& plan);

    // Every change a rule made to another control since the editor was created, in order (loading's
    // included), so that a caller can say why a value is not what it was or what it was set to.
    const std::vector<RuleNote>& RuleLog() const { return ruleLog_; }

    // The caption the user knows a value's control by ("Disk Size", "Load Image Settings, Filename").
    std::string CaptionOf(config::ValueId id) const;

protected:
    void OnLoad() override;

private:
    // Disk type and size
    void OnDiskTypePicked();
    void OnDiskTypeTyped();
    void OnDiskSizeTyped();
    void NormaliseDiskSize();
    void OnDiskSizeSpun();
    // Drive letter and autosave interval
    void OnDriveLetterTicked();
    void OnDriveLetterTyped();
    void OnDriveLetterSpun();
    void OnAutoSaveTicked();
    void NormaliseAutoSaveInterval();
    void OnAutoSaveIntervalSpun();
    // Image, TEMP-directory and label options
    void OnLoadImageTicked();
    void OnSaveImageTicked();
    void OnTempDirTicked();
    void OnVolumeLabelTicked();
    // Saving and leaving. SaveSettings tells whether the settings were stored; false means keep
    // editing. MergeChangesMeanwhile takes into the plan what another program changed since loading.
    bool SaveSettings();
    void MergeChangesMeanwhile(std::vector<PlannedValue>& plan, const config::ReadOutcome& now);
    bool LoadingWouldChange(const std::vector<platform::StoredValue>& values) const;
    std::string ValueWords(config::ValueId id, const platform::StoredValue* value) const;
    void OnOk();
    void OnSave();
    void OnCancel();
    // The link to the product web page
    void OpenWebPage();

    void BindHandlers();
    // Reads the key into the controls (steps after the list is filled); false when it cannot be opened.
    bool ReadKey();
    void ApplyRecord(const config::ReadOutcome& read);
    // Whether the control of `id` now shows what the key holds, byte for byte; the reason when not.
    std::optional<std::string> UnfaithfulReason(config::ValueId id, const config::ReadOutcome& read) const;
    // The state loading falls back to when the key cannot be opened.
    void ShowDefaults();
    // What the controls of a value show, to tell whether anything changed them since loading.
    std::string ControlState(config::ValueId id) const;
    // A rule sets another control: noted first, so the notes of rules it sets off follow it.
    void SetBy(forms::CheckBox& box, int value, config::ValueId id, std::string why);
    void SetTextBy(forms::TextBox& box, std::string text, config::ValueId id, std::string why);

    // Steps shared by the editing rules.
    double DiskSize() const;          // the number in diskSizeBox
    double AutoSaveInterval() const;  // the number in autoSaveIntervalBox
    void ApplyDiskTypeRule();
    void UpdateFat32Availability();

    // Keeps a stepped spinner's bar off its ends, where one of its arrows would do nothing.
    std::int16_t AcceptStep(forms::VScrollBar& bar);

    EditorServices services_;
    SpinnerPositions accepted_;
    // What the key held as this editor last read it, by loading or after a save: the base against
    // which another program's changes and the user's own are told apart.
    std::vector<platform::StoredValue> reference_;
    bool keyRead_ = false;  // false after a key that could not be opened: the defaults are the user's
    // Per value, in ValueId order: why loading could not take it, and what its controls showed then.
    std::array<std::optional<std::string>, 13> unfaithful_;
    std::array<std::string, 13> loadedState_;
    // Bits 8 to 23 of the drive letter's value, which no control shows and a save keeps.
    std::int32_t driveLetterHiddenBits_ = 0;
    std::vector<RuleNote> ruleLog_;
};

}  // namespace sarnex::editor
