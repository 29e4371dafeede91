// The drive letter: its box is usable only while "Select Drive Letter" is usable and ticked; the
// letter is one upper-case letter from D to Z, kept there as it is typed and as it is spun.
#include <algorithm>

#include "editor/editor.h"
#include "editor/rule_helpers.h"
#include "platform/code_page.h"

namespace sarnex::editor {

namespace {

// Codes in the system's single-byte character set (the same in every ANSI code page).
constexpr int kLowestLetter = 'D';
constexpr int kHighestLetter = 'Z';

}  // namespace

void Editor::DriveCheckBox_Click() {
    const int value = DriveCheckBox.Value();
    const bool usable = DriveCheckBox.Enabled();
    DriveLetterText.SetEnabled(usable && value == 1);
}

void Editor::DriveLetterText_Change() {
    if (DriveLetterText.Text().empty()) return;
    // Each assignment below runs this handler again on the new text; an unchanged text raises
    // nothing, and each step only moves the text toward a letter from D to Z, so the nesting ends.
    DriveLetterText.SetText(UpperCase(DriveLetterText.Text()));
    const auto above = FirstCharacterCode(DriveLetterText.Text(), services_.codePage);
    if (above && *above > kHighestLetter) {
        DriveLetterText.SetText("Z");
        DriveLetterText.Refresh();
    }
    const auto below = FirstCharacterCode(DriveLetterText.Text(), services_.codePage);
    if (below && *below < kLowestLetter) {
        DriveLetterText.SetText("D");
        DriveLetterText.Refresh();
    }
}

void Editor::VScroll2_Change() {
    if (!DriveLetterText.Enabled()) {
        VScroll2.SetValue(DriveScrollPos);
        return;
    }
    const auto code = FirstCharacterCode(DriveLetterText.Text(), services_.codePage);
    if (!code) {
        // An empty box has no letter to step from: the step is refused like one past D or Z.
        VScroll2.SetValue(DriveScrollPos);
        return;
    }
    if (VScroll2.Value() < DriveScrollPos) {
        if (*code < kHighestLetter) {
            DriveLetterText.SetText(CharacterOfCode(*code + 1, services_.codePage));
            DriveLetterText.Refresh();
            DriveScrollPos = static_cast<std::int16_t>(VScroll2.Value());
        } else {
            VScroll2.SetValue(DriveScrollPos);
        }
        return;
    }
    if (VScroll2.Value() > DriveScrollPos) {
        if (*code > kLowestLetter) {
            // A character without a single-byte code counts as above every code: its next lower
            // code is the highest one, which the letter rule then brings down to Z.
            DriveLetterText.SetText(CharacterOfCode(std::min(*code - 1, 255), services_.codePage));
            DriveLetterText.Refresh();
            DriveScrollPos = static_cast<std::int16_t>(VScroll2.Value());
        } else {
            VScroll2.SetValue(DriveScrollPos);
        }
    }
}

}  // namespace sarnex::editor
