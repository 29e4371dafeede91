// The editor window: every driver setting as a control, the rules that keep the controls
// consistent while the user edits, loading from and saving to the driver's record.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "config/driver_configuration.h"
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

// The system the program stands on, as the program's windows use it.
struct SystemServices {
    platform::Registry& registry;
    const platform::CodePage& codePage;
    platform::Shell& shell;
    // What the settings are checked against before "OK" and "Save" write them.
    const platform::SystemFacts& systemFacts;
    platform::ProgramVersion version;
};

// What the editor needs from the program that wires it: services, whether "OK" offers a restart,
// and the windows it opens but does not own.
struct EditorServices {
    SystemServices system;
    bool offerRestart = true;  // false in a run started with "install"
    std::function<void()> showReadFailedNotice;
    std::function<void()> showSaveFailedNotice;
    std::function<void()> showRestartPrompt;
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

    // The record a save would write now: the controls as they stand, whatever is enabled.
    config::DriverConfiguration SettingsShown() const;

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
    // Saving and leaving; SaveSettings tells whether every value was stored. SaveConfirmed runs the
    // checks before saving and asks the user about what they find; false means keep editing.
    bool SaveConfirmed();
    bool SaveSettings();
    void OnOk();
    void OnSave();
    void OnCancel();
    // The link to the product web page
    void OpenWebPage();

    void BindHandlers();
    // The state loading falls back to when the key cannot be opened.
    void ShowDefaults();

    // Steps shared by the editing rules.
    double DiskSize() const;          // the number in diskSizeBox
    double AutoSaveInterval() const;  // the number in autoSaveIntervalBox
    void ApplyDiskTypeRule();
    void UpdateFat32Availability();

    EditorServices services_;
    SpinnerPositions accepted_;
    // What the key held as this editor last knew it: read by loading, updated by each save. A value
    // stored that differs from it was changed by another program.
    config::DriverConfiguration reference_;
};

}  // namespace sarnex::editor
