#include "editor/editor.h"

#include <utility>

#include "editor/editor_design.h"
#include "platform/shell.h"

namespace sarnex::editor {

using forms::Event;

Editor::Editor(forms::FormsRuntime& runtime, EditorServices services)
    : Form(runtime, EditorDesign()),
      saveFileCaption(Get<forms::Label>("saveFileCaption")),
      loadFileCaption(Get<forms::Label>("loadFileCaption")),
      diskTypeCaption(Get<forms::Label>("diskTypeCaption")),
      titleLabel(Get<forms::Label>("titleLabel")),
      versionLabel(Get<forms::Label>("versionLabel")),
      diskSizeCaption(Get<forms::Label>("diskSizeCaption")),
      restartNote(Get<forms::Label>("restartNote")),
      webLink(Get<forms::Label>("webLink")),
      saveImageFrameTitle(Get<forms::Label>("saveImageFrameTitle")),
      hardDiskFrameTitle(Get<forms::Label>("hardDiskFrameTitle")),
      secondsUnit(Get<forms::Label>("secondsUnit")),
      megabytesUnit(Get<forms::Label>("megabytesUnit")),
      loadImageFrameTitle(Get<forms::Label>("loadImageFrameTitle")),
      diskTypeList(Get<forms::ComboBox>("diskTypeList")),
      loadImageFileBox(Get<forms::TextBox>("loadImageFileBox")),
      saveImageFileBox(Get<forms::TextBox>("saveImageFileBox")),
      diskSizeBox(Get<forms::TextBox>("diskSizeBox")),
      driveLetterBox(Get<forms::TextBox>("driveLetterBox")),
      autoSaveIntervalBox(Get<forms::TextBox>("autoSaveIntervalBox")),
      volumeLabelBox(Get<forms::TextBox>("volumeLabelBox")),
      diskSizeSpinner(Get<forms::VScrollBar>("diskSizeSpinner")),
      driveLetterSpinner(Get<forms::VScrollBar>("driveLetterSpinner")),
      autoSaveSpinner(Get<forms::VScrollBar>("autoSaveSpinner")),
      fat32Check(Get<forms::CheckBox>("fat32Check")),
      driveLetterCheck(Get<forms::CheckBox>("driveLetterCheck")),
      autoSaveCheck(Get<forms::CheckBox>("autoSaveCheck")),
      saveImageCheck(Get<forms::CheckBox>("saveImageCheck")),
      loadImageCheck(Get<forms::CheckBox>("loadImageCheck")),
      tempDirCheck(Get<forms::CheckBox>("tempDirCheck")),
      volumeLabelCheck(Get<forms::CheckBox>("volumeLabelCheck")),
      okButton(Get<forms::CommandButton>("okButton")),
      cancelButton(Get<forms::CommandButton>("cancelButton")),
      saveButton(Get<forms::CommandButton>("saveButton")),
      services_(std::move(services)) {
    BindHandlers();
    // These texts are stored through the code page: a character it cannot hold is refused where it
    // is typed or pasted, rather than failing the save half-way.
    for (forms::TextBox* box : {&loadImageFileBox, &saveImageFileBox, &volumeLabelBox}) box->HoldTo(services_.system.codePage);
}

void Editor::BindHandlers() {
    diskTypeList.On(Event::Click, [this] { OnDiskTypePicked(); });
    diskTypeList.On(Event::Change, [this] { OnDiskTypeTyped(); });
    diskSizeBox.On(Event::Change, [this] { OnDiskSizeTyped(); });
    diskSizeBox.On(Event::LostFocus, [this] { NormaliseDiskSize(); });
    diskSizeSpinner.On(Event::Change, [this] { OnDiskSizeSpun(); });
    driveLetterCheck.On(Event::Click, [this] { OnDriveLetterTicked(); });
    driveLetterBox.On(Event::Change, [this] { OnDriveLetterTyped(); });
    driveLetterSpinner.On(Event::Change, [this] { OnDriveLetterSpun(); });
    autoSaveCheck.On(Event::Click, [this] { OnAutoSaveTicked(); });
    autoSaveIntervalBox.On(Event::LostFocus, [this] { NormaliseAutoSaveInterval(); });
    autoSaveSpinner.On(Event::Change, [this] { OnAutoSaveIntervalSpun(); });
    loadImageCheck.On(Event::Click, [this] { OnLoadImageTicked(); });
    saveImageCheck.On(Event::Click, [this] { OnSaveImageTicked(); });
    tempDirCheck.On(Event::Click, [this] { OnTempDirTicked(); });
    volumeLabelCheck.On(Event::Click, [this] { OnVolumeLabelTicked(); });
    okButton.On(Event::Click, [this] { OnOk(); });
    saveButton.On(Event::Click, [this] { OnSave(); });
    cancelButton.On(Event::Click, [this] { OnCancel(); });
    webLink.On(Event::Click, [this] { OpenWebPage(); });
}

void Editor::SetBy(forms::CheckBox& box, int value, config::ValueId id, std::string why) {
    if (box.Value() != value) ruleLog_.push_back({id, std::move(why)});
    box.SetValue(value);
}

void Editor::SetTextBy(forms::TextBox& box, std::string text, config::ValueId id, std::string why) {
    if (box.Text() != text) ruleLog_.push_back({id, std::move(why)});
    box.SetText(std::move(text));
}

std::int16_t Editor::AcceptStep(forms::VScrollBar& bar) {
    int position = bar.Value();
    if (position == bar.Min()) ++position;
    else if (position == bar.Max()) --position;
    return static_cast<std::int16_t>(position);
}

// The shell opens the address with its registered handler; whether anything opens it is not
// looked at, so a click never changes the editor.
void Editor::OpenWebPage() { services_.shell.OpenWebPage(kWebAddress); }

}  // namespace sarnex::editor
