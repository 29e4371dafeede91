// AutoSave: the interval's normalisation and spin steps, and AutoSave's tie to image saving.
#include "editor_fixture.h"

namespace sarnex::testing {
namespace {

TEST(EditorAutoSave, LeavingTheIntervalBoxNormalisesIt) {
    for (const IntervalCase& c : IntervalNormalisationCases()) {
        EditorHarness harness;
        harness.Load();
        RunIntervalNormalisation(harness.user, harness.editor, c);
    }
}

struct IntervalSpin {
    std::string start;
    Arrow arrow;
    int clicks;
    std::string shown;
};

TEST(EditorAutoSave, IntervalSpinSteps) {
    const IntervalSpin cases[] = {
        {"32763", Arrow::Up, 1, " 32767"},  {"32764", Arrow::Up, 1, " 32764"},   {"24", Arrow::Down, 1, " 20"},
        {"23", Arrow::Down, 1, " 23"},      {"20", Arrow::Up, 1, " 24"},         {"25.5", Arrow::Up, 1, " 29.5"},
        {"20", Arrow::Up, 9000, " 32764"},  {"32767", Arrow::Down, 9000, " 23"}, {"20", Arrow::Down, 1, " 20"},
        {"32767", Arrow::Up, 1, " 32767"},
    };
    for (const IntervalSpin& c : cases) {
        SCOPED_TRACE(c.start + (c.arrow == Arrow::Up ? " up " : " down ") + std::to_string(c.clicks));
        EditorHarness h;
        h.Load(LoadedState{});
        h.user.Retype(h.editor.autoSaveIntervalBox, c.start);
        h.user.Focus(h.editor.saveImageCheck);
        for (int i = 0; i < c.clicks; ++i) {
            h.user.Arrow(h.editor.autoSaveSpinner, c.arrow);
            ASSERT_EQ(h.editor.autoSaveSpinner.Value(), h.editor.AcceptedPositions().interval);
        }
        EXPECT_EQ(h.editor.autoSaveIntervalBox.Text(), c.shown);
    }
}

TEST_F(EditorRules, IntervalSpinOnANumberBeyondADoubleIsRefused) {
    Load();
    for (const char* text : {"1e999", "-1e999"}) {
        e.autoSaveIntervalBox.SetText(text);  // only code can leave such a text in the box
        for (int delta : {-1, 1}) {
            const int bar = e.autoSaveSpinner.Value();
            e.autoSaveSpinner.SetValue(bar + delta);
            EXPECT_EQ(e.autoSaveIntervalBox.Text(), text);
            EXPECT_EQ(e.autoSaveSpinner.Value(), bar);
            EXPECT_EQ(e.AcceptedPositions().interval, bar);
        }
    }
}

TEST_F(EditorRules, IntervalSpinWhileAutoSaveIsOffChangesNothing) {
    Load();
    user.Click(e.autoSaveCheck);
    ASSERT_FALSE(e.autoSaveIntervalBox.Enabled());
    const auto before = Snapshot(e);
    user.Arrow(e.autoSaveSpinner, Arrow::Up);
    user.Arrow(e.autoSaveSpinner, Arrow::Down);
    EXPECT_EQ(Differences(before, Snapshot(e)), std::vector<std::string>{});
}

TEST_F(EditorRules, TickingAutoSaveTicksImageSaving) {
    LoadedState state;
    state.saveImage = 0;
    state.autoSave = 0;
    Load(state);
    ASSERT_FALSE(e.saveImageFileBox.Enabled());
    user.Click(e.autoSaveCheck);
    EXPECT_TRUE(e.autoSaveIntervalBox.Enabled());
    EXPECT_EQ(e.saveImageCheck.Value(), 1);
    EXPECT_TRUE(e.saveImageFileBox.Enabled());
}

TEST_F(EditorRules, UntickingAutoSaveDisablesOnlyTheIntervalBox) {
    Load();
    const auto before = Snapshot(e);
    user.Click(e.autoSaveCheck);
    EXPECT_EQ(Differences(before, Snapshot(e)), (std::vector<std::string>{"autoSaveCheck", "autoSaveIntervalBox"}));
    EXPECT_FALSE(e.autoSaveIntervalBox.Enabled());
    EXPECT_EQ(e.autoSaveIntervalBox.Text(), " 300");
    EXPECT_EQ(e.saveImageCheck.Value(), 1);
    EXPECT_TRUE(e.saveImageFileBox.Enabled());
}

}  // namespace
}  // namespace sarnex::testing
