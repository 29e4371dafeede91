// Image, TEMP-directory and label options: a file-name or label box is usable only while its option
// is ticked, loading an image excludes the TEMP directory and the label, and turning image saving
// off turns AutoSave off.
#include "editor/editor.h"

namespace sarnex::editor {

void Editor::LoadImage_Click() {
    if (LoadImage.Value() == 1) {
        Text1.SetEnabled(true);
        DiskLabelText.SetEnabled(false);
        DiskLabelCheckBox.SetValue(0);
        TempDirCheckBox.SetValue(0);
    } else {
        Text1.SetEnabled(false);
    }
}

void Editor::SaveImage_Click() {
    if (SaveImage.Value() == 1) {
        Text2.SetEnabled(true);
    } else {
        Text2.SetEnabled(false);
        AutoSaveTime.SetEnabled(false);
        SaveCheckBox.SetValue(0);
    }
}

void Editor::TempDirCheckBox_Click() {
    if (TempDirCheckBox.Value() == 1) {
        LoadImage.SetValue(0);
        Text1.SetEnabled(false);
    }
}

void Editor::DiskLabelCheckBox_Click() {
    if (DiskLabelCheckBox.Value() == 1) {
        DiskLabelText.SetEnabled(true);
        LoadImage.SetValue(0);
        Text1.SetEnabled(false);
    } else {
        DiskLabelText.SetEnabled(false);
    }
}

}  // namespace sarnex::editor
