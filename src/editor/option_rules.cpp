// Image, TEMP-directory and label options: a file-name or label box is usable only while its option
// is ticked, loading an image excludes the TEMP directory and the label, and turning image saving
// off turns AutoSave off.
#include "editor/editor.h"

namespace sarnex::editor {

using config::ValueId;

void Editor::OnLoadImageTicked() {
    if (loadImageCheck.Value() == 1) {
        loadImageFileBox.SetEnabled(true);
        SetBy(volumeLabelCheck, 0, ValueId::UseDiskLabel, "loading an image excludes the disk label");
        SetBy(tempDirCheck, 0, ValueId::MakeTempDir, "loading an image excludes the TEMP directory");
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
        SetBy(autoSaveCheck, 0, ValueId::AutoSaveEnabled, "AutoSave needs the image to be saved");
    }
}

void Editor::OnTempDirTicked() {
    if (tempDirCheck.Value() == 1) {
        SetBy(loadImageCheck, 0, ValueId::LoadImageOnStart, "the TEMP directory excludes loading an image");
        loadImageFileBox.SetEnabled(false);
    }
}

void Editor::OnVolumeLabelTicked() {
    if (volumeLabelCheck.Value() == 1) {
        volumeLabelBox.SetEnabled(true);
        SetBy(loadImageCheck, 0, ValueId::LoadImageOnStart, "a disk label excludes loading an image");
        loadImageFileBox.SetEnabled(false);
    } else {
        volumeLabelBox.SetEnabled(false);
    }
}

}  // namespace sarnex::editor
