// The drive letter: typed characters brought into D..Z, the letter spinner and its limits, and the
// letter box's availability.
#include "editor_fixture.h"

namespace sarnex::testing {
namespace {

TEST(EditorDriveLetter, TypedCharacterBecomesALetterFromDToZ) {
    for (const LetterCase& c : LetterCases()) {
        EditorHarness harness;
        harness.Load();
        RunLetterTyped(harness.user, harness.editor, c);
    }
}

TEST_F(EditorRules, LetterAssignedByCodeIsNormalisedByItsFirstCharacter) {
    Load();
    const std::pair<std::string, std::string> cases[] = {
        {"ab", "D"}, {"zz", "ZZ"}, {"eX", "EX"}, {"\xC3\xBF", "Z"} /* y with diaeresis, code 255 */,
        {"\xFF", "Z"} /* not UTF-8 at all */, {"\xC3\xA0x", "Z"}};
    for (const auto& [assigned, shown] : cases) {
        SCOPED_TRACE(assigned);
        e.driveLetterBox.SetText(assigned);
        EXPECT_EQ(e.driveLetterBox.Text(), shown);
    }
}

TEST_F(EditorRules, DeletingTheLetterChangesNothingElse) {
    Load();
    const auto before = Snapshot(e);
    user.Clear(e.driveLetterBox);
    EXPECT_EQ(e.driveLetterBox.Text(), "");
    EXPECT_EQ(Differences(before, Snapshot(e)), std::vector<std::string>{"driveLetterBox"});
}

struct LetterSpin {
    std::string start;
    Arrow arrow;
    int clicks;
    std::string shown;
};

TEST(EditorDriveLetter, SpinSteps) {
    const LetterSpin cases[] = {
        {"Y", Arrow::Up, 1, "Z"},   {"Z", Arrow::Up, 1, "Z"},   {"E", Arrow::Down, 1, "D"},
        {"D", Arrow::Down, 1, "D"}, {"R", Arrow::Up, 30, "Z"},  {"R", Arrow::Down, 30, "D"},
        {"D", Arrow::Up, 1, "E"},   {"M", Arrow::Down, 1, "L"},
    };
    for (const LetterSpin& c : cases) {
        SCOPED_TRACE(c.start + (c.arrow == Arrow::Up ? " up " : " down ") + std::to_string(c.clicks));
        EditorHarness h;
        LoadedState state;
        state.letter = c.start;
        h.Load(state);
        for (int i = 0; i < c.clicks; ++i) {
            h.user.Arrow(h.editor.driveLetterSpinner, c.arrow);
            ASSERT_EQ(h.editor.driveLetterSpinner.Value(), h.editor.AcceptedPositions().letter);
        }
        EXPECT_EQ(h.editor.driveLetterBox.Text(), c.shown);
        // The bar stays within 22 places of the middle: refused steps put it back.
        EXPECT_LE(std::abs(h.editor.driveLetterSpinner.Value() - 16384), 22);
    }
}

TEST_F(EditorRules, LetterSpinWithAnEmptyBoxIsRefused) {
    Load();
    user.Clear(e.driveLetterBox);
    for (Arrow arrow : {Arrow::Up, Arrow::Down, Arrow::Up}) {
        user.Arrow(e.driveLetterSpinner, arrow);
        EXPECT_EQ(e.driveLetterBox.Text(), "");
        EXPECT_EQ(e.driveLetterSpinner.Value(), 16384);
        EXPECT_EQ(e.AcceptedPositions().letter, 16384);
    }
    user.Type(e.driveLetterBox, "k");
    user.Arrow(e.driveLetterSpinner, Arrow::Up);
    EXPECT_EQ(e.driveLetterBox.Text(), "L");
    EXPECT_EQ(e.AcceptedPositions().letter, 16383);
}

TEST_F(EditorRules, LetterWithoutASingleByteCodeCountsAboveZ) {
    Load();
    e.driveLetterBox.SetText("\xCE\xA9");  // Greek Omega
    ASSERT_EQ(e.driveLetterBox.Text(), "Z");
    user.Arrow(e.driveLetterSpinner, Arrow::Down);
    EXPECT_EQ(e.driveLetterBox.Text(), "Y");
}

TEST_F(EditorRules, UntickingSelectDriveLetterDisablesTheBoxAndKeepsTheLetter) {
    Load();
    user.Click(e.driveLetterCheck);
    EXPECT_FALSE(e.driveLetterBox.Enabled());
    EXPECT_EQ(e.driveLetterBox.Text(), "R");
    for (Arrow arrow : {Arrow::Up, Arrow::Down}) {
        user.Arrow(e.driveLetterSpinner, arrow);
        EXPECT_EQ(e.driveLetterBox.Text(), "R");
        EXPECT_EQ(e.driveLetterSpinner.Value(), 16384);
        EXPECT_EQ(e.AcceptedPositions().letter, 16384);
    }
    user.Click(e.driveLetterCheck);
    EXPECT_TRUE(e.driveLetterBox.Enabled());
}

TEST_F(EditorRules, TickSetByCodeWhileAFloppyIsChosenKeepsTheLetterBoxDisabled) {
    LoadedState state;
    state.diskType = 1;
    state.driveLetter = 0;
    Load(state);
    ASSERT_FALSE(e.driveLetterCheck.Enabled());
    e.driveLetterCheck.SetValue(1);
    EXPECT_FALSE(e.driveLetterBox.Enabled());
    e.driveLetterCheck.SetValue(2);  // greyed counts as unticked
    EXPECT_FALSE(e.driveLetterBox.Enabled());
}

}  // namespace
}  // namespace sarnex::testing
