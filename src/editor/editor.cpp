#include "editor/editor.h"

#include <utility>

#include "editor/editor_design.h"

namespace sarnex::editor {

using forms::Event;

Editor::Editor(forms::FormsRuntime& runtime, EditorServices services)
    : Form(runtime, EditorDesign()),
      Label1(Get<forms::Label>("Label1")),
      Label2(Get<forms::Label>("Label2")),
      Label3(Get<forms::Label>("Label3")),
      Label4(Get<forms::Label>("Label4")),
      Label5(Get<forms::Label>("Label5")),
      Label6(Get<forms::Label>("Label6")),
      Label7(Get<forms::Label>("Label7")),
      Label8(Get<forms::Label>("Label8")),
      Label9(Get<forms::Label>("Label9")),
      Label10(Get<forms::Label>("Label10")),
      Label11(Get<forms::Label>("Label11")),
      Label12(Get<forms::Label>("Label12")),
      Label13(Get<forms::Label>("Label13")),
      Combo1(Get<forms::ComboBox>("Combo1")),
      Text1(Get<forms::TextBox>("Text1")),
      Text2(Get<forms::TextBox>("Text2")),
      Text3(Get<forms::TextBox>("Text3")),
      DriveLetterText(Get<forms::TextBox>("DriveLetterText")),
      AutoSaveTime(Get<forms::TextBox>("AutoSaveTime")),
      DiskLabelText(Get<forms::TextBox>("DiskLabelText")),
      VScroll1(Get<forms::VScrollBar>("VScroll1")),
      VScroll2(Get<forms::VScrollBar>("VScroll2")),
      VScroll3(Get<forms::VScrollBar>("VScroll3")),
      Fat32Enable(Get<forms::CheckBox>("Fat32Enable")),
      DriveCheckBox(Get<forms::CheckBox>("DriveCheckBox")),
      SaveCheckBox(Get<forms::CheckBox>("SaveCheckBox")),
      SaveImage(Get<forms::CheckBox>("SaveImage")),
      LoadImage(Get<forms::CheckBox>("LoadImage")),
      TempDirCheckBox(Get<forms::CheckBox>("TempDirCheckBox")),
      DiskLabelCheckBox(Get<forms::CheckBox>("DiskLabelCheckBox")),
      Command1(Get<forms::CommandButton>("Command1")),
      Command2(Get<forms::CommandButton>("Command2")),
      Command3(Get<forms::CommandButton>("Command3")),
      services_(std::move(services)) {
    BindHandlers();
}

void Editor::BindHandlers() {
    Combo1.On(Event::Click, [this] { Combo1_Click(); });
    Combo1.On(Event::Change, [this] { Combo1_Change(); });
    Text3.On(Event::Change, [this] { Text3_Change(); });
    Text3.On(Event::LostFocus, [this] { Text3_LostFocus(); });
    VScroll1.On(Event::Change, [this] { VScroll1_Change(); });
    DriveCheckBox.On(Event::Click, [this] { DriveCheckBox_Click(); });
    DriveLetterText.On(Event::Change, [this] { DriveLetterText_Change(); });
    VScroll2.On(Event::Change, [this] { VScroll2_Change(); });
    SaveCheckBox.On(Event::Click, [this] { SaveCheckBox_Click(); });
    AutoSaveTime.On(Event::LostFocus, [this] { AutoSaveTime_LostFocus(); });
    VScroll3.On(Event::Change, [this] { VScroll3_Change(); });
    LoadImage.On(Event::Click, [this] { LoadImage_Click(); });
    SaveImage.On(Event::Click, [this] { SaveImage_Click(); });
    TempDirCheckBox.On(Event::Click, [this] { TempDirCheckBox_Click(); });
    DiskLabelCheckBox.On(Event::Click, [this] { DiskLabelCheckBox_Click(); });
    Command1.On(Event::Click, [this] { Command1_Click(); });
    Command3.On(Event::Click, [this] { Command3_Click(); });
    Command2.On(Event::Click, [this] { Command2_Click(); });
    Label8.On(Event::Click, [this] { Label8_Click(); });
}

}  // namespace sarnex::editor
