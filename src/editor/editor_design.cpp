#include "editor/editor_design.h"

#include "editor/limits.h"

namespace sarnex::editor {

using forms::Alignment;
using forms::ArialBold;
using forms::Color;
using forms::ControlDesign;
using forms::ControlType;

namespace {

const Color kRed = Color::Rgb(255, 0, 0);
const Color kLinkBlue = Color::Rgb(0, 0, 192);
const Color kHighlight = Color::System(Color::Kind::Highlight);
const Color kWindowText = Color::System(Color::Kind::WindowText);

ControlDesign LabelRow(std::string name, std::string caption, int l, int t, int w, int h, int tab, forms::Font font,
                    Alignment align = Alignment::Left, Color color = Color::System(Color::Kind::ButtonText)) {
    return {.type = ControlType::Label, .name = std::move(name), .caption = std::move(caption), .left = l, .top = t,
            .width = w, .height = h, .tabIndex = tab, .font = std::move(font), .foreColor = color, .alignment = align};
}

ControlDesign InputRow(ControlType type, std::string name, std::string caption, int l, int t, int w, int h, int tab,
                  std::string tip, int maxLength = 0, Alignment align = Alignment::Left) {
    return {.type = type, .name = std::move(name), .caption = std::move(caption), .left = l, .top = t, .width = w,
            .height = h, .tabIndex = tab, .font = ArialBold(9), .alignment = align, .maxLength = maxLength,
            .toolTip = std::move(tip)};
}

ControlDesign ButtonRow(std::string name, std::string caption, int l, int tab, std::string tip) {
    return {.type = ControlType::CommandButton, .name = std::move(name), .caption = std::move(caption), .left = l,
            .top = 5520, .width = 1575, .height = 615, .tabIndex = tab, .font = ArialBold(12),
            .toolTip = std::move(tip)};
}

ControlDesign SpinnerRow(std::string name, int l, int t, int tab, int max) {
    return {.type = ControlType::VScrollBar, .name = std::move(name), .left = l, .top = t, .width = 255,
            .height = 375, .tabIndex = tab, .max = max};
}

ControlDesign LineRow(std::string name, int x1, int y1, int x2, int y2) {
    return {.type = ControlType::Line, .name = std::move(name), .foreColor = kWindowText, .x1 = x1, .y1 = y1,
            .x2 = x2, .y2 = y2, .borderWidth = 2};
}

}  // namespace

forms::FormDesign EditorDesign(const std::string& webAddress) {
    forms::FormDesign f{.name = "Editor", .caption = "Sarnex Configuration Utility", .clientWidth = 7305,
                        .clientHeight = 6735};
    f.controls = {
        // Heading
        LabelRow("titleLabel", "Sarnex", 1560, 0, 4095, 735, 8, ArialBold(36, true), Alignment::Centre, kRed),
        LabelRow("versionLabel", "Version 0", 1560, 840, 4215, 375, 9, ArialBold(12), Alignment::Centre),
        {.type = ControlType::Label, .name = "webLink", .caption = webAddress, .left = 2160, .top = 1200, .width = 2895,
         .height = 255, .tabIndex = 22, .font = {"MS Sans Serif", 9.75, 400, false, true}, .foreColor = kLinkBlue,
         .toolTip = "Sarnex web page"},
        LabelRow("diskTypeCaption", "Disk Type:", 360, 2160, 975, 375, 6, ArialBold(9)),
        InputRow(ControlType::ComboBox, "diskTypeList", "Combo1", 1440, 2160, 1935, 345, 7, "Select disk type."),
        // Hard Disk Settings
        LabelRow("hardDiskFrameTitle", "Hard Disk Settings", 480, 2880, 1575, 255, 23, ArialBold(8.25), Alignment::Left, kHighlight),
        LabelRow("diskSizeCaption", "Disk Size:", 720, 3240, 855, 255, 10, ArialBold(9)),
        InputRow(ControlType::TextBox, "diskSizeBox", "Text3", 1680, 3120, 855, 375, 12, "Enter RAM disk size in MB.", 0, Alignment::Centre),
        SpinnerRow("diskSizeSpinner", 2520, 3120, 16, kDiskSizeSpinnerMax),
        LabelRow("megabytesUnit", "MB", 2880, 3240, 375, 255, 26, ArialBold(9)),
        InputRow(ControlType::CheckBox, "fat32Check", "FAT32 format ", 480, 3720, 1455, 255, 24, "Format disk using FAT32."),
        InputRow(ControlType::CheckBox, "driveLetterCheck", "Select Drive Letter", 480, 4080, 1935, 255, 15,
            "Enable user-selected drive letter."),
        InputRow(ControlType::TextBox, "driveLetterBox", "Text4", 1440, 4440, 855, 375, 17, "Select RAM drive letter.", 1,
            Alignment::Centre),
        SpinnerRow("driveLetterSpinner", 2280, 4440, 18, kDriveLetterSpinnerMax),
        // Load Image Settings
        LabelRow("loadImageFrameTitle", "Load Image Settings", 4200, 1560, 1695, 255, 31, ArialBold(8.25), Alignment::Left,
              kHighlight),
        InputRow(ControlType::CheckBox, "volumeLabelCheck", "Disk Label:", 4080, 1920, 1335, 255, 29,
            "Create a disk label for the RAM disk."),
        InputRow(ControlType::TextBox, "volumeLabelBox", "Text4", 5520, 1845, 1335, 360, 30, "", 11),
        InputRow(ControlType::CheckBox, "tempDirCheck", "Create TEMP directory", 4080, 2280, 2415, 195, 28,
            "Create a TEMP directory in the RAM disk."),
        InputRow(ControlType::CheckBox, "loadImageCheck", "Load Disk Image", 4080, 2520, 1815, 255, 0,
            "Enable disk image load when driver starts."),
        LabelRow("loadFileCaption", "Filename:", 4080, 2760, 975, 255, 5, ArialBold(9)),
        InputRow(ControlType::TextBox, "loadImageFileBox", "Text1", 4080, 3000, 2775, 375, 2, "Enter filename for disk image load.", 254),
        // Save Image Settings
        LabelRow("saveImageFrameTitle", "Save Image Settings", 4200, 3600, 1695, 255, 27, ArialBold(8.25), Alignment::Left,
              kHighlight),
        InputRow(ControlType::CheckBox, "autoSaveCheck", "AutoSave", 4080, 3960, 1215, 255, 19,
            "Enable disk image save (if modified) at fixed time interval."),
        InputRow(ControlType::TextBox, "autoSaveIntervalBox", "Text5", 5280, 3960, 855, 375, 20, "Enter time interval for AutoSave check.", 0,
            Alignment::Centre),
        SpinnerRow("autoSaveSpinner", 6120, 3960, 21, kAutoSaveSpinnerMax),
        LabelRow("secondsUnit", "sec", 6480, 3960, 375, 255, 25, ArialBold(9)),
        InputRow(ControlType::CheckBox, "saveImageCheck", "Save Disk Image", 4080, 4440, 1815, 255, 1,
            "Enable disk image save for AutoSave or driver shutdown."),
        LabelRow("saveFileCaption", " Filename:", 4080, 4680, 975, 255, 4, ArialBold(9)),
        InputRow(ControlType::TextBox, "saveImageFileBox", "Text2", 4080, 4920, 2775, 375, 3, "Enter filename for disk image save.", 254),
        // Buttons and closing note
        ButtonRow("okButton", "OK", 1080, 11, "Save Sarnex configuration and exit."),
        ButtonRow("saveButton", "Save", 2880, 32, "Save Sarnex configuration."),
        ButtonRow("cancelButton", "Cancel", 4680, 14, "Exit without saving changes."),
        LabelRow("restartNote", "Configuration changes will take effect the next time the driver is started. ", 480, 6360,
              6375, 255, 13, ArialBold(9), Alignment::Centre),
        // Group frames: each top edge leaves a gap for its title
        LineRow("hardDiskFrameLeft", 240, 3000, 240, 4920),
        LineRow("hardDiskFrameTopRight", 2160, 3000, 3720, 3000),
        LineRow("hardDiskFrameBottom", 240, 4920, 3720, 4920),
        LineRow("hardDiskFrameRight", 3720, 4920, 3720, 3000),
        LineRow("loadImageFrameTopRight", 6000, 1680, 6960, 1680),
        LineRow("loadImageFrameLeft", 3960, 3480, 3960, 1680),
        LineRow("loadImageFrameBottom", 6960, 3480, 3960, 3480),
        LineRow("loadImageFrameRight", 6960, 1680, 6960, 3480),
        LineRow("saveImageFrameLeft", 3960, 3720, 3960, 5400),
        LineRow("saveImageFrameTopLeft", 3960, 3720, 4080, 3720),
        LineRow("saveImageFrameBottom", 6960, 5400, 3960, 5400),
        LineRow("saveImageFrameRight", 6960, 3720, 6960, 5400),
        LineRow("loadImageFrameTopLeft", 3960, 1680, 4080, 1680),
        LineRow("saveImageFrameTopRight", 6000, 3720, 6960, 3720),
        LineRow("hardDiskFrameTopLeft", 240, 3000, 360, 3000),
    };
    return f;
}

}  // namespace sarnex::editor
