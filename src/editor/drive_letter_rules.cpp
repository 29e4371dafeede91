// The drive letter: its box is usable only while "Select Drive Letter" is usable and ticked; the
// letter is one upper-case letter from D to Z, kept there as it is typed and as it is spun.

#include "editor/editor.h"
#include "editor/limits.h"
#include "editor/rule_helpers.h"
#include "platform/code_page.h"

namespace sarnex::editor {

void Editor::OnDriveLetterTicked() {
    const int value = driveLetterCheck.Value();
    const bool usable = driveLetterCheck.Enabled();
    driveLetterBox.SetEnabled(usable && value == 1);
}

void Editor::OnDriveLetterTyped() {
    if (driveLetterBox.Text().empty()) return;
    // Each assignment below runs this handler again on the new text; an unchanged text raises
    // nothing, and each step only moves the text toward a letter from D to Z, so the nesting ends.
    driveLetterBox.SetText(services_.system.codePage.UpperCase(driveLetterBox.Text()));
    const auto above = FirstCharacterCode(driveLetterBox.Text(), services_.system.codePage);
    const std::string why = "drive letters run from D to Z";
    if (above && *above > kHighestDriveLetter)
        SetTextBy(driveLetterBox, CharacterOfCode(kHighestDriveLetter, services_.system.codePage),
                  config::ValueId::UserDriveLetter, why);
    const auto below = FirstCharacterCode(driveLetterBox.Text(), services_.system.codePage);
    if (below && *below < kLowestDriveLetter)
        SetTextBy(driveLetterBox, CharacterOfCode(kLowestDriveLetter, services_.system.codePage),
                  config::ValueId::UserDriveLetter, why);
}

void Editor::OnDriveLetterSpun() {
    if (!driveLetterBox.Enabled()) {
        driveLetterSpinner.SetValue(accepted_.letter);
        return;
    }
    const auto code = FirstCharacterCode(driveLetterBox.Text(), services_.system.codePage);
    if (!code) {
        // An empty box has no letter to step from: the step is refused like one past D or Z.
        driveLetterSpinner.SetValue(accepted_.letter);
        return;
    }
    if (driveLetterSpinner.Value() < accepted_.letter) {
        if (*code < kHighestDriveLetter) {
            driveLetterBox.SetText(CharacterOfCode(*code + 1, services_.system.codePage));
            accepted_.letter = AcceptStep(driveLetterSpinner);
            driveLetterSpinner.SetValue(accepted_.letter);
        } else {
            driveLetterSpinner.SetValue(accepted_.letter);
        }
        return;
    }
    if (driveLetterSpinner.Value() > accepted_.letter) {
        if (*code > kLowestDriveLetter) {  // the letter rule has kept the box at D..Z
            driveLetterBox.SetText(CharacterOfCode(*code - 1, services_.system.codePage));
            accepted_.letter = AcceptStep(driveLetterSpinner);
            driveLetterSpinner.SetValue(accepted_.letter);
        } else {
            driveLetterSpinner.SetValue(accepted_.letter);
        }
    }
}

}  // namespace sarnex::editor
