#include "ctl/settings.h"

#include <algorithm>

#include "ctl/ascii.h"
#include "config/number_text.h"
#include "ctl/value_text.h"
#include "editor/editor_design.h"
#include "editor/limits.h"

namespace sarnex::ctl {
namespace {

using config::ValueId;

std::string Range(int from, int to) { return std::to_string(from) + " to " + std::to_string(to); }

// The ranges are the editor's; the label's length is its box's.
const std::array<Setting, 11> kSettings = {{
    {SettingId::Type, "type", "hard, floppy1.44, floppy2.88", {ValueId::DiskType}},
    {SettingId::Size, "size", "MB, " + Range(editor::kSmallestDiskSize, editor::kLargestDiskSize) + " (a hard disk only)",
     {ValueId::SizeIn4kPages}},
    {SettingId::Letter, "letter",
     "auto, or " + std::string(1, editor::kLowestDriveLetter) + " ... " + std::string(1, editor::kHighestDriveLetter) +
         " (a hard disk only)",
     {ValueId::UserDriveLetter}},
    {SettingId::Fat32, "fat32", "on, off (a hard disk above " + std::to_string(editor::kLargestDiskSizeWithoutFat32) +
                                    " MB only)", {ValueId::DiskFormatFAT32}},
    {SettingId::LoadImage, "load-image", "on, off (on turns temp-dir and label off)", {ValueId::LoadImageOnStart}},
    {SettingId::LoadFile, "load-file", "PATH (while load-image is on)", {ValueId::LoadImageFile}},
    {SettingId::SaveImage, "save-image", "on, off (off turns autosave off)", {ValueId::SaveImageOnExit}},
    {SettingId::SaveFile, "save-file", "PATH (while save-image is on)", {ValueId::SaveImageFile}},
    {SettingId::AutoSave, "autosave",
     "off, or SECONDS, " + Range(editor::kShortestAutoSaveInterval, editor::kLongestAutoSaveInterval) +
         " (turns save-image on)",
     {ValueId::AutoSaveEnabled, ValueId::AutoSaveTrigger}},
    {SettingId::TempDir, "temp-dir", "on, off (on turns load-image off)", {ValueId::MakeTempDir}},
    {SettingId::Label, "label",
     "off, or TEXT of up to " + std::to_string(editor::EditorDesign().Control("volumeLabelBox").maxLength) +
         " characters (turns load-image off)",
     {ValueId::UseDiskLabel, ValueId::DiskLabel}},
}};

// A number greater than 0, as the editor reads it (exponents included), and nothing else after it:
// a command line takes values, not what a box happens to make of a text.
bool IsPositiveNumber(std::string_view text) {
    const auto number = config::WholeNumberFromText(text);
    return number && *number > 0;
}

bool IsAsciiLetter(std::string_view text) {
    return text.size() == 1 && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z'));
}

std::string Quoted(std::string_view value) { return "\"" + std::string(value) + "\""; }

}  // namespace

const std::array<Setting, 11>& Settings() { return kSettings; }

const Setting& SettingOf(SettingId id) {
    return *std::find_if(kSettings.begin(), kSettings.end(), [id](const Setting& s) { return s.id == id; });
}

const Setting* FindSetting(std::string_view name) {
    const auto found =
        std::find_if(kSettings.begin(), kSettings.end(), [name](const Setting& s) { return SameIgnoringCase(s.name, name); });
    return found == kSettings.end() ? nullptr : &*found;
}

const Setting& SettingFor(ValueId value) {
    return *std::find_if(kSettings.begin(), kSettings.end(), [value](const Setting& s) {
        return std::find(s.stored.begin(), s.stored.end(), value) != s.stored.end();
    });
}

std::optional<std::string> RefuseValue(SettingId id, std::string_view value) {
    const std::string_view name = SettingOf(id).name;
    switch (id) {
        case SettingId::Type:
            if (value == "hard" || value == "floppy1.44" || value == "floppy2.88") return std::nullopt;
            return std::string(name) + " is hard, floppy1.44 or floppy2.88, not " + Quoted(value);
        case SettingId::Size:
            if (IsPositiveNumber(value)) return std::nullopt;
            return std::string(name) + " is a number of MB greater than 0, not " + Quoted(value);
        case SettingId::AutoSave:
            if (value == "off" || IsPositiveNumber(value)) return std::nullopt;
            return std::string(name) + " is off or a number of seconds greater than 0, not " + Quoted(value);
        case SettingId::Letter:
            if (value == "auto" || IsAsciiLetter(value)) return std::nullopt;
            return std::string(name) + " is auto or one letter from D to Z, not " + Quoted(value);
        case SettingId::Fat32:
        case SettingId::LoadImage:
        case SettingId::SaveImage:
        case SettingId::TempDir:
            if (value == "on" || value == "off") return std::nullopt;
            return std::string(name) + " is on or off, not " + Quoted(value);
        case SettingId::LoadFile:
        case SettingId::SaveFile:
        case SettingId::Label:
            return std::nullopt;
    }
    return std::nullopt;
}

std::array<std::string, 11> SettingTexts(const config::DriverConfiguration& r) {
    const std::string unstorable = "(kept as stored)";
    const auto flag = [&](const std::optional<std::int32_t>& v) { return v ? std::string(*v == 1 ? "on" : "off") : unstorable; };
    const auto number = [&](ValueId id, const std::optional<std::int32_t>& v) {
        return v ? NumberWords(id, *v) : unstorable;
    };
    std::string letter = number(ValueId::UserDriveLetter, r.UserDriveLetter);
    if (letter.starts_with("auto")) letter = "auto";
    std::array<std::string, 11> texts;
    for (std::size_t i = 0; i < kSettings.size(); ++i) {
        std::string& text = texts[i];
        switch (kSettings[i].id) {
            case SettingId::Type: text = r.DiskType ? TextWords(ValueId::DiskType, *r.DiskType) : unstorable; break;
            case SettingId::Size: text = number(ValueId::SizeIn4kPages, r.SizeIn4kPages); break;
            case SettingId::Letter: text = letter; break;
            case SettingId::Fat32: text = flag(r.DiskFormatFAT32); break;
            case SettingId::LoadImage: text = flag(r.LoadImageOnStart); break;
            case SettingId::LoadFile: text = r.LoadImageFile.value_or(unstorable); break;
            case SettingId::SaveImage: text = flag(r.SaveImageOnExit); break;
            case SettingId::SaveFile: text = r.SaveImageFile.value_or(unstorable); break;
            case SettingId::AutoSave:
                text = r.AutoSaveEnabled == 1 ? number(ValueId::AutoSaveTrigger, r.AutoSaveTrigger) : flag(r.AutoSaveEnabled);
                break;
            case SettingId::TempDir: text = flag(r.MakeTempDir); break;
            case SettingId::Label: text = r.UseDiskLabel == 1 ? r.DiskLabel.value_or(unstorable) : flag(r.UseDiskLabel); break;
        }
    }
    return texts;
}

}  // namespace sarnex::ctl
