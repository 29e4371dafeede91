// Image, TEMP-directory and label options: a file-name or label box is usable only while its option
// is ticked, loading an image excludes the TEMP directory and the label, and turning image saving
// off turns AutoSave off.
#include "editor/editor.h"

namespace sarnex::editor {

void Editor::OnLoadImageTicked() {
    if (loadImageCheck.Value() == 1) {
        loadImageFileBox.SetEnabled(true);
        volumeLabelBox.SetEnabled(false);
        volumeLabelCheck.SetValue(0);
        tempDirCheck.SetValue(0);
    } else {
        loadImageFileBox.SetEnabled(false);
    }
}

void Editor::OnSaveImageTicked() {
    if (saveImageCheck.Value() == 1) {
        saveImageFileBox.SetEnabled(true);
    } else {
        saveImageFileBox.SetEnabled(false);
        autoSaveIntervalBox.SetEnabled(false);
        autoSaveCheck.SetValue(0);
    }
}

void Editor::OnTempDirTicked() {
    if (tempDirCheck.Value() == 1) {
        loadImageCheck.SetValue(0);
        loadImageFileBox.SetEnabled(false);
    }
}

void Editor::OnVolumeLabelTicked() {
    if (volumeLabelCheck.Value() == 1) {
        volumeLabelBox.SetEnabled(true);
        loadImageCheck.SetValue(0);
        loadImageFileBox.SetEnabled(false);
    } else {
        volumeLabelBox.SetEnabled(false);
    }
}

}  // namespace sarnex::editor
