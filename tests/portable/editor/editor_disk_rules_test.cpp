// Disk type and size: normalising the size, the spin steps and their limits, and what a floppy
// type makes unavailable.
#include "editor_fixture.h"

namespace sarnex::testing {
namespace {

TEST(EditorDiskSize, LeavingTheBoxNormalisesTheSize) {
    for (const SizeCase& c : SizeNormalisationCases()) {
        EditorHarness harness;
        harness.Load();
        RunSizeNormalisation(harness.user, harness.editor, c);
    }
}

TEST_F(EditorRules, Fat32FollowsEachKeystrokeOfTheSize) {
    Load();
    struct Step {
        std::string typed;
        bool enabled;
    } steps[] = {{"3", false}, {"33", true}, {"332", true}, {"", false}, {"3", false}, {"32", false}, {"32.5", true},
                 {"32.", false}, {"33", true}, {"1e", false}, {"1e2", true}, {"abc", false}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.typed);
        user.Clear(e.diskSizeBox);
        user.Type(e.diskSizeBox, s.typed);
        EXPECT_EQ(e.fat32Check.Enabled(), s.enabled);
    }
}

struct SpinCase {
    const char* name;
    std::string start;  // typed into the size box and normalised by leaving it
    Arrow arrow;
    int clicks;
    std::string shown;
    bool fat32Enabled;
};

TEST(EditorDiskSize, SpinSteps) {
    const SpinCase cases[] = {
        {"up below 1024 adds 1", "1022", Arrow::Up, 1, " 1023", true},
        {"up to 1024", "1023", Arrow::Up, 1, " 1024", true},
        {"up from 1024 adds 2", "1023", Arrow::Up, 2, " 1026", true},
        {"down above 1024 takes 2", "1026", Arrow::Down, 1, " 1024", true},
        {"down at 1024 takes 1", "1026", Arrow::Down, 2, " 1023", true},
        {"down from 6", "6", Arrow::Down, 1, " 5", false},
        {"down from 5 refused", "5", Arrow::Down, 1, " 5", false},
        {"down to 32 disables FAT32", "33", Arrow::Down, 1, " 32", false},
        {"up to 33 enables FAT32", "32", Arrow::Up, 1, " 33", true},
        {"odd size near the top lands on 2048", "2047", Arrow::Up, 1, " 2048", true},
        {"many up steps stop at 2048", "1024", Arrow::Up, 700, " 2048", true},
        {"many down steps stop at 5", "2048", Arrow::Down, 3000, " 5", false},
        {"up from 5", "5", Arrow::Up, 1, " 6", false},
        {"odd size above 1024 stays odd", "1501", Arrow::Down, 1, " 1499", true},
    };
    for (const SpinCase& c : cases) {
        SCOPED_TRACE(c.name);
        EditorHarness h;
        h.Load(LoadedState{});
        h.user.Retype(h.editor.diskSizeBox, c.start);
        h.user.Focus(h.editor.diskTypeList);
        for (int i = 0; i < c.clicks; ++i) {
            h.user.Arrow(h.editor.diskSizeSpinner, c.arrow);
            ASSERT_EQ(h.editor.diskSizeSpinner.Value(), h.editor.AcceptedPositions().size);
            const double size = config::NumberFromText(h.editor.diskSizeBox.Text());
            ASSERT_GE(size, 5);
            ASSERT_LE(size, 2048);
        }
        EXPECT_EQ(h.editor.diskSizeBox.Text(), c.shown);
        EXPECT_EQ(h.editor.fat32Check.Enabled(), c.fat32Enabled);
    }
}

TEST_F(EditorRules, RefusedDownStepPutsTheBarBackAndLeavesFat32Alone) {
    LoadedState state;
    state.size = " 5";
    Load(state);
    e.fat32Check.SetEnabled(true);  // whatever it was, a refused step does not touch it
    const int bar = e.diskSizeSpinner.Value();
    user.Arrow(e.diskSizeSpinner, Arrow::Down);
    EXPECT_EQ(e.diskSizeBox.Text(), " 5");
    EXPECT_EQ(e.diskSizeSpinner.Value(), bar);
    EXPECT_EQ(e.AcceptedPositions().size, bar);
    EXPECT_TRUE(e.fat32Check.Enabled());
}

TEST_F(EditorRules, SpinStepKeepsTheFractionOfALoadedSize) {
    LoadedState state;
    state.size = " 64.5";
    Load(state);
    user.Arrow(e.diskSizeSpinner, Arrow::Up);
    EXPECT_EQ(e.diskSizeBox.Text(), " 65.5");
    user.Arrow(e.diskSizeSpinner, Arrow::Down);
    user.Arrow(e.diskSizeSpinner, Arrow::Down);
    EXPECT_EQ(e.diskSizeBox.Text(), " 63.5");
    EXPECT_EQ(e.diskSizeSpinner.Value(), e.AcceptedPositions().size);
}

TEST_F(EditorRules, SpinStepOnALoadedSizeAbove2048) {
    LoadedState state;
    state.size = " 4096";
    Load(state);  // the bar is held at 0 here, so a down step is the only move
    user.Arrow(e.diskSizeSpinner, Arrow::Down);
    EXPECT_EQ(e.diskSizeBox.Text(), " 4094");
    EXPECT_EQ(e.AcceptedPositions().size, 1);
    user.Arrow(e.diskSizeSpinner, Arrow::Up);
    EXPECT_EQ(e.diskSizeBox.Text(), " 4094");  // refused: never carried further past 2048
    EXPECT_EQ(e.diskSizeSpinner.Value(), 1);
}

TEST_F(EditorRules, SpinStepOnANumberBeyondADoubleIsRefused) {
    Load();
    e.diskSizeBox.SetText("1e999");  // only code can leave such a text in the box
    for (Arrow arrow : {Arrow::Up, Arrow::Down}) {
        const int bar = e.diskSizeSpinner.Value();
        e.diskSizeSpinner.SetValue(arrow == Arrow::Up ? bar - 1 : bar + 1);
        EXPECT_EQ(e.diskSizeBox.Text(), "1e999");
        EXPECT_EQ(e.diskSizeSpinner.Value(), bar);
        EXPECT_EQ(e.AcceptedPositions().size, bar);
    }
}

TEST(EditorDiskType, FloppyTypesDisableSizeLetterAndFat32WithoutTouchingValues) {
    for (int floppy : {1, 2}) {
        SCOPED_TRACE(floppy);
        EditorHarness h;
        editor::Editor& e = h.editor;
        LoadedState state;
        state.fat32 = 1;
        h.Load(state);
        const auto before = Snapshot(e);
        h.user.Pick(e.diskTypeList, floppy);
        for (forms::Control* c : std::initializer_list<forms::Control*>{&e.diskSizeBox, &e.diskSizeCaption, &e.megabytesUnit,
                                                                        &e.driveLetterCheck, &e.driveLetterBox,
                                                                        &e.fat32Check})
            EXPECT_FALSE(c->Enabled()) << c->Name();
        EXPECT_EQ(Differences(before, Snapshot(e)),
                  (std::vector<std::string>{"diskSizeBox", "diskSizeCaption", "diskTypeList", "driveLetterBox",
                                            "driveLetterCheck", "fat32Check", "megabytesUnit"}));
        EXPECT_EQ(e.diskSizeBox.Text(), " 64");
        EXPECT_EQ(e.fat32Check.Value(), 1);
        EXPECT_EQ(e.driveLetterCheck.Value(), 1);
        EXPECT_EQ(e.driveLetterBox.Text(), "R");

        // Both arrows are undone while the size box is unavailable.
        for (Arrow arrow : {Arrow::Up, Arrow::Down}) {
            h.user.Arrow(e.diskSizeSpinner, arrow);
            EXPECT_EQ(e.diskSizeBox.Text(), " 64");
            EXPECT_EQ(e.AcceptedPositions().size, 1984);
            EXPECT_EQ(e.diskSizeSpinner.Value(), 1984);
        }
    }
}

TEST(EditorDiskType, HardDiskEnablesAgainWithFat32BySize) {
    struct Case {
        std::string size;
        int driveLetter;
        bool fat32Enabled;
    } cases[] = {{" 64", 1, true}, {" 32", 0, false}, {" 33", 0, true}, {" 5", 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        EditorHarness h;
        editor::Editor& e = h.editor;
        LoadedState state;
        state.size = c.size;
        state.driveLetter = c.driveLetter;
        h.Load(state);
        h.user.Pick(e.diskTypeList, 2);
        h.user.Pick(e.diskTypeList, 0);
        for (forms::Control* c2 : std::initializer_list<forms::Control*>{&e.diskSizeBox, &e.diskSizeCaption, &e.megabytesUnit,
                                                                         &e.driveLetterCheck, &e.driveLetterBox})
            EXPECT_TRUE(c2->Enabled()) << c2->Name();  // the letter box even with the box unticked
        EXPECT_EQ(e.fat32Check.Enabled(), c.fat32Enabled);
        EXPECT_EQ(e.diskSizeBox.Text(), c.size);
    }
}

TEST_F(EditorRules, TypingIntoTheComboTurnsTheTypeBackToHardDisk) {
    Load();
    user.Pick(e.diskTypeList, 1);
    user.TypeInCombo(e.diskTypeList, "Floppy");
    EXPECT_EQ(e.diskTypeList.ListIndex(), 0);
    EXPECT_EQ(e.diskTypeList.Text(), "Hard Disk");
    EXPECT_TRUE(e.diskSizeBox.Enabled());
    EXPECT_TRUE(e.fat32Check.Enabled());
}

TEST_F(EditorRules, ComboEditWithAnEmptyListLeavesTheTypeUnavailable) {
    // Before the list is filled there is no item to fall back to; nothing may fail.
    user.TypeInCombo(e.diskTypeList, "x");
    EXPECT_EQ(e.diskTypeList.ListIndex(), -1);
    EXPECT_FALSE(e.diskSizeBox.Enabled());
    EXPECT_FALSE(e.driveLetterCheck.Enabled());
}

TEST_F(EditorRules, SizeTextAssignedByCodeRunsFat32AvailabilityEvenForAFloppy) {
    Load();
    user.Pick(e.diskTypeList, 1);
    e.diskSizeBox.SetText(" 100");
    EXPECT_TRUE(e.fat32Check.Enabled());  // loading sets the availability itself afterwards
}

}  // namespace
}  // namespace sarnex::testing
