// Each stored value as the user knows it: by the caption of its control, and in the words of the window.
#include <string>

#include "config/registry_record.h"
#include "config/value_conversions.h"
#include "editor/editor.h"

namespace sarnex::editor {
namespace {

using config::ValueId;

// "Disk Type:" -> "Disk Type", " Filename:" -> "Filename", "FAT32 format " -> "FAT32 format".
std::string Trimmed(std::string caption) {
    while (!caption.empty() && (caption.back() == ':' || caption.back() == ' ')) caption.pop_back();
    return caption.substr(caption.find_first_not_of(' '));
}

}  // namespace

std::string Editor::CaptionOf(ValueId id) const {
    switch (id) {
        case ValueId::DiskType: return Trimmed(diskTypeCaption.Caption());
        case ValueId::LoadImageOnStart: return Trimmed(loadImageCheck.Caption());
        case ValueId::LoadImageFile: return loadImageFrameTitle.Caption() + ", " + Trimmed(loadFileCaption.Caption());
        case ValueId::SaveImageOnExit: return Trimmed(saveImageCheck.Caption());
        case ValueId::SaveImageFile: return saveImageFrameTitle.Caption() + ", " + Trimmed(saveFileCaption.Caption());
        case ValueId::SizeIn4kPages: return Trimmed(diskSizeCaption.Caption());
        case ValueId::AutoSaveEnabled: return Trimmed(autoSaveCheck.Caption());
        case ValueId::DiskFormatFAT32: return Trimmed(fat32Check.Caption());
        case ValueId::AutoSaveTrigger: return Trimmed(autoSaveCheck.Caption()) + " interval";
        case ValueId::UserDriveLetter: return Trimmed(driveLetterCheck.Caption());
        case ValueId::MakeTempDir: return Trimmed(tempDirCheck.Caption());
        case ValueId::UseDiskLabel: return Trimmed(volumeLabelCheck.Caption());
        case ValueId::DiskLabel: return Trimmed(volumeLabelCheck.Caption()) + " text";
    }
    return {};
}

std::string Editor::ControlState(ValueId id) const {
    switch (id) {
        case ValueId::DiskType: return std::to_string(diskTypeList.ListIndex());
        case ValueId::LoadImageOnStart: return std::to_string(loadImageCheck.Value());
        case ValueId::LoadImageFile: return loadImageFileBox.Text();
        case ValueId::SaveImageOnExit: return std::to_string(saveImageCheck.Value());
        case ValueId::SaveImageFile: return saveImageFileBox.Text();
        case ValueId::SizeIn4kPages: return diskSizeBox.Text();
        case ValueId::AutoSaveEnabled: return std::to_string(autoSaveCheck.Value());
        case ValueId::DiskFormatFAT32: return std::to_string(fat32Check.Value());
        case ValueId::AutoSaveTrigger: return autoSaveIntervalBox.Text();
        case ValueId::UserDriveLetter: return std::to_string(driveLetterCheck.Value()) + driveLetterBox.Text();
        case ValueId::MakeTempDir: return std::to_string(tempDirCheck.Value());
        case ValueId::UseDiskLabel: return std::to_string(volumeLabelCheck.Value());
        case ValueId::DiskLabel: return volumeLabelBox.Text();
    }
    return {};
}

// "Hard Disk", "ticked", "64 MB", "60 sec", "S, selected", a text in quotes; "nothing" for an absent
// value and "a value the editor cannot read" for one of another type or size.
std::string Editor::ValueWords(ValueId id, const platform::StoredValue* value) const {
    if (value == nullptr) return "nothing";
    const config::ValueLayout& layout = config::LayoutOf(id);
    if (layout.text) {
        const auto text = config::WellFormedText(*value);
        if (!text) return "a value the editor cannot read";
        const auto index = id == ValueId::DiskType ? config::DiskTypeIndexFromCode(*text) : std::nullopt;
        if (index && !text->empty()) return diskTypeList.List().at(static_cast<std::size_t>(*index));
        return "\"" + *text + "\"";
    }
    const auto number = config::WellFormedNumber(*value);
    if (!number) return "a value the editor cannot read";
    switch (id) {
        case ValueId::SizeIn4kPages: return config::ExactMegabytes(*number) + " MB";
        case ValueId::AutoSaveTrigger: return config::TriggerSeconds(*number) + " sec";
        case ValueId::UserDriveLetter: {
            const auto drive = config::DriveLetterFromStored(*number, services_.system.codePage);
            return drive.letter + (drive.checkValue == 1 ? ", selected" : ", not selected");
        }
        default: return *number == 1 ? "ticked" : *number == 0 ? "unticked" : std::to_string(*number);
    }
}

}  // namespace sarnex::editor
