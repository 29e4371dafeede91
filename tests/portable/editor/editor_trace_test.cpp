// The nested handler runs of the editing rules, compared as whole traces.
#include "editor_fixture.h"

namespace sarnex::testing {
namespace {

TEST(EditorTrace, NestedRunsOfTheEditingRules) {
    for (const TraceScenario& scenario : EditorTraceScenarios()) {
        EditorHarness harness;
        RunTraceScenario(harness.user, harness.editor, scenario);
    }
}

TEST_F(EditorRules, TraceOfTypicalLoadingAssignments) {
    EventTrace trace(e);
    Load();
    // Each assignment that changes a value runs its handler once, with the nesting of the rules.
    EXPECT_EQ(trace.Entries(), (std::vector<std::string>{
                                   "Combo1_Click", "SaveImage_Click", "Text3_Change", "SaveCheckBox_Click",
                                   "DriveCheckBox_Click", "DriveLetterText_Change", "TempDirCheckBox_Click",
                                   "DiskLabelCheckBox_Click", "VScroll1_Change", "VScroll2_Change",
                                   "VScroll3_Change"}));
    EXPECT_LE(e.DeepestEventNesting(), 2);
}

TEST_F(EditorRules, TraceOfSizeSpinStepsAcrossThe1024Threshold) {
    Load();
    user.Retype(e.Text3, "1023");
    user.Focus(e.Combo1);
    EventTrace trace(e);
    user.Arrow(e.VScroll1, Arrow::Up);
    user.Arrow(e.VScroll1, Arrow::Up);
    user.Arrow(e.VScroll1, Arrow::Down);
    EXPECT_EQ(trace.Entries(), (std::vector<std::string>{"VScroll1_Change", ".Text3_Change", "VScroll1_Change",
                                                         ".Text3_Change", "VScroll1_Change", ".Text3_Change"}));
    EXPECT_EQ(e.Text3.Text(), " 1024");
}

TEST_F(EditorRules, TraceOfRefusedUpStepAt2048WithBarAboveZero) {
    Load();
    user.Retype(e.Text3, "1024");
    user.Focus(e.Combo1);
    for (int i = 0; i < 512; ++i) user.Arrow(e.VScroll1, Arrow::Up);
    ASSERT_EQ(e.Text3.Text(), " 2048");
    ASSERT_EQ(e.VScroll1.Value(), 512);
    EventTrace trace(e);
    user.Arrow(e.VScroll1, Arrow::Up);
    EXPECT_EQ(trace.Entries(), (std::vector<std::string>{"VScroll1_Change", ".VScroll1_Change"}));
    EXPECT_EQ(e.VScroll1.Value(), 512);
    EXPECT_EQ(e.SizeScrollPos, 512);
    EXPECT_EQ(e.Text3.Text(), " 2048");
}

TEST_F(EditorRules, TraceOfIntervalSpinRefusedAtTheTop) {
    Load();
    user.Retype(e.AutoSaveTime, "32764");
    user.Focus(e.SaveImage);
    EventTrace trace(e);
    user.Arrow(e.VScroll3, Arrow::Up);
    EXPECT_EQ(trace.Entries(), (std::vector<std::string>{"VScroll3_Change", ".VScroll3_Change"}));
    EXPECT_EQ(e.AutoSaveTime.Text(), " 32764");
}

}  // namespace
}  // namespace sarnex::testing
