// AutoSave: the interval's normalisation and spin steps, and AutoSave's tie to image saving.
#include "editor_fixture.h"

namespace sarnex::testing {
namespace {

TEST(EditorAutoSave, LeavingTheIntervalBoxNormalisesIt) {
    for (const IntervalCase& c : IntervalNormalisationCases()) {
        EditorHarness harness;
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
        ApplyLoadedState(h.editor, LoadedState{});
        h.user.Retype(h.editor.AutoSaveTime, c.start);
        h.user.Focus(h.editor.SaveImage);
        for (int i = 0; i < c.clicks; ++i) {
            h.user.Arrow(h.editor.VScroll3, c.arrow);
            ASSERT_EQ(h.editor.VScroll3.Value(), h.editor.TimeScrollPos);
        }
        EXPECT_EQ(h.editor.AutoSaveTime.Text(), c.shown);
    }
}

TEST_F(EditorRules, IntervalSpinOnANumberBeyondADoubleIsRefused) {
    Load();
    for (const char* text : {"1e999", "-1e999"}) {
        e.AutoSaveTime.SetText(text);  // only code can leave such a text in the box
        for (int delta : {-1, 1}) {
            const int bar = e.VScroll3.Value();
            e.VScroll3.SetValue(bar + delta);
            EXPECT_EQ(e.AutoSaveTime.Text(), text);
            EXPECT_EQ(e.VScroll3.Value(), bar);
            EXPECT_EQ(e.TimeScrollPos, bar);
        }
    }
}

TEST_F(EditorRules, IntervalSpinWhileAutoSaveIsOffChangesNothing) {
    Load();
    user.Click(e.SaveCheckBox);
    ASSERT_FALSE(e.AutoSaveTime.Enabled());
    const auto before = Snapshot(e);
    user.Arrow(e.VScroll3, Arrow::Up);
    user.Arrow(e.VScroll3, Arrow::Down);
    EXPECT_EQ(Differences(before, Snapshot(e)), std::vector<std::string>{});
}

TEST_F(EditorRules, TickingAutoSaveTicksImageSaving) {
    LoadedState state;
    state.saveImage = 0;
    state.autoSave = 0;
    Load(state);
    ASSERT_FALSE(e.Text2.Enabled());
    user.Click(e.SaveCheckBox);
    EXPECT_TRUE(e.AutoSaveTime.Enabled());
    EXPECT_EQ(e.SaveImage.Value(), 1);
    EXPECT_TRUE(e.Text2.Enabled());
}

TEST_F(EditorRules, UntickingAutoSaveDisablesOnlyTheIntervalBox) {
    Load();
    const auto before = Snapshot(e);
    user.Click(e.SaveCheckBox);
    EXPECT_EQ(Differences(before, Snapshot(e)), (std::vector<std::string>{"AutoSaveTime", "SaveCheckBox"}));
    EXPECT_FALSE(e.AutoSaveTime.Enabled());
    EXPECT_EQ(e.AutoSaveTime.Text(), " 300");
    EXPECT_EQ(e.SaveImage.Value(), 1);
    EXPECT_TRUE(e.Text2.Enabled());
}

}  // namespace
}  // namespace sarnex::testing
