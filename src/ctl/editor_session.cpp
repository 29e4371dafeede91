#include "ctl/editor_session.h"

#include <algorithm>

#include "editor/save_checks.h"

namespace sarnex::ctl {

EditorSession::EditorSession(platform::Registry& registry, const platform::CodePage& codePage,
                             const platform::SystemFacts& systemFacts)
    : editor_(runtime_.DefaultInstance<editor::Editor>(editor::EditorServices{
          .system = {registry, codePage, systemFacts, {}},
          .shell = shell_,
          .showReadFailedNotice = [] {},  // a missing key is found before loading
          .showSaveFailedNotice = [this] { saveFailed_ = true; },
          .showRestartPrompt = [] {},
      })) {
    host_.AnswerBy([this](const std::string& title) {
        changedMeanwhile_ = title == editor::kSettingsChangedTitle;
        return !changedMeanwhile_;
    });
    editor_.Load();
}

forms::Control& EditorSession::ControlOf(SettingId setting) const {
    switch (setting) {
        case SettingId::Type: return editor_.diskTypeList;
        case SettingId::Size: return editor_.diskSizeBox;
        case SettingId::Letter: return editor_.driveLetterCheck;
        case SettingId::Fat32: return editor_.fat32Check;
        case SettingId::LoadImage: return editor_.loadImageCheck;
        case SettingId::LoadFile: return editor_.loadImageFileBox;
        case SettingId::SaveImage: return editor_.saveImageCheck;
        case SettingId::SaveFile: return editor_.saveImageFileBox;
        case SettingId::AutoSave: return editor_.autoSaveCheck;
        case SettingId::TempDir: return editor_.tempDirCheck;
        case SettingId::Label: return editor_.volumeLabelCheck;
    }
    return editor_.diskTypeList;
}

std::vector<SettingId> EditorSession::WindowOrder() const {
    std::vector<SettingId> order;
    for (const Setting& setting : Settings()) order.push_back(setting.id);
    std::stable_sort(order.begin(), order.end(), [this](SettingId a, SettingId b) {
        const forms::ControlDesign& first = ControlOf(a).Design();
        const forms::ControlDesign& second = ControlOf(b).Design();
        return std::pair(first.top, first.left) < std::pair(second.top, second.left);
    });
    return order;
}

void EditorSession::Tick(forms::CheckBox& box, bool ticked) {
    if ((box.Value() == 1) != ticked) box.UserClick();
}

std::optional<std::string> EditorSession::Refuse(const forms::TextBox& box, std::string_view text,
                                                 std::string_view what) const {
    const auto limit = static_cast<std::size_t>(box.MaxLength());
    if (limit > 0 && forms::CharacterCount(text) > limit)
        return std::string(what) + " holds at most " + std::to_string(limit) + " characters";
    return std::nullopt;
}

// Selects the box's text and types over it one character at a time, as the keyboard does, then
// leaves the box for the "Save" button, which runs the box's own normalisation. False when the box
// refused a character, as it refuses one the code page cannot hold.
bool EditorSession::TypeAndLeave(forms::TextBox& box, std::string_view text) {
    box.UserEdit("");
    for (std::size_t count = 1; count <= forms::CharacterCount(text); ++count)
        if (!box.UserEdit(forms::FirstCharacters(text, count))) return false;
    editor_.MoveFocus(editor_.saveButton);
    return true;
}

std::optional<std::string> EditorSession::Apply(SettingId setting, std::string_view value) {
    // The box a setting types into, the check box that makes it available, and the word that turns
    // the check box off.
    struct Typed {
        forms::TextBox& box;
        forms::CheckBox* check;
        const char* off;  // none for a box without a check box
        std::string_view what;
    };
    const auto type = [&](const Typed& t) -> std::optional<std::string> {
        const bool on = t.off == nullptr || value != t.off;
        if (on) {
            if (auto refusal = Refuse(t.box, value, t.what)) return refusal;
        }
        if (t.check) Tick(*t.check, on);
        if (on && !TypeAndLeave(t.box, value))
            return std::string(t.what) + " takes only characters that the ANSI code page can hold";
        return std::nullopt;
    };
    switch (setting) {
        case SettingId::Type:
            editor_.diskTypeList.UserPick(value == "hard" ? 0 : value == "floppy1.44" ? 1 : 2);
            return std::nullopt;
        case SettingId::Size:
            if (!editor_.diskSizeBox.Enabled())
                return editor_.diskTypeList.ListIndex() > 0 ? "the size is fixed for a floppy disk"
                                                            : "the size is set only for a hard disk (type=hard)";
            return type({editor_.diskSizeBox, nullptr, nullptr, "the size"});
        case SettingId::Fat32:
            if (!editor_.fat32Check.Enabled())
                return editor_.diskTypeList.ListIndex() == 0 ? "FAT32 is available only above 32 MB"
                                                             : "FAT32 is available only for a hard disk";
            break;
        case SettingId::Letter:
            if (!editor_.driveLetterCheck.Enabled()) return "the drive letter is chosen only for a hard disk";
            return type({editor_.driveLetterBox, &editor_.driveLetterCheck, "auto", "the drive letter"});
        case SettingId::LoadFile:
            if (!editor_.loadImageFileBox.Enabled()) return "the file to load is used only while load-image is on";
            return type({editor_.loadImageFileBox, nullptr, nullptr, "a file name"});
        case SettingId::SaveFile:
            if (!editor_.saveImageFileBox.Enabled()) return "the file to save is used only while save-image is on";
            return type({editor_.saveImageFileBox, nullptr, nullptr, "a file name"});
        case SettingId::AutoSave:
            return type({editor_.autoSaveIntervalBox, &editor_.autoSaveCheck, "off", "the interval"});
        case SettingId::Label:
            return type({editor_.volumeLabelBox, &editor_.volumeLabelCheck, "off", "the label"});
        case SettingId::LoadImage:
        case SettingId::SaveImage:
        case SettingId::TempDir:
            break;
    }
    Tick(static_cast<forms::CheckBox&>(ControlOf(setting)), value == "on");
    return std::nullopt;
}

EditorSession::Saved EditorSession::Save() {
    const std::size_t told = host_.Messages().size();
    editor_.saveButton.UserClick();
    if (changedMeanwhile_) return Saved::ChangedMeanwhile;
    return saveFailed_ || host_.Messages().size() != told ? Saved::Failed : Saved::Yes;
}

}  // namespace sarnex::ctl
