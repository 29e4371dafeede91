// The nested handler runs of the editing rules, compared as whole traces.
#include "editor_fixture.h"

namespace sarnex::testing {
namespace {

TEST(EditorTrace, NestedRunsOfTheEditingRules) {
    for (const TraceScenario& scenario : EditorTraceScenarios()) {
        EditorHarness harness;
        harness.Load(scenario.state);
        RunTraceScenario(harness.user, harness.editor, scenario);
    }
}

TEST_F(EditorRules, TraceOfTypicalLoadingAssignments) {
    EventTrace trace(e);
    Load();
    // Each assignment that changes a value runs its handler once, with the nesting of the rules.
    EXPECT_EQ(trace.Entries(), (std::vector<std::string>{
                                   "diskTypeList.Click", "saveImageCheck.Click", "diskSizeBox.Change", "autoSaveCheck.Click",
                                   "driveLetterCheck.Click", "driveLetterBox.Change", "tempDirCheck.Click",
                                   "volumeLabelCheck.Click", "diskSizeSpinner.Change", "driveLetterSpinner.Change",
                                   "autoSaveSpinner.Change"}));
    EXPECT_LE(e.DeepestEventNesting(), 2);
}

TEST_F(EditorRules, TraceOfSizeSpinStepsAcrossThe1024Threshold) {
    Load();
    user.Retype(e.diskSizeBox, "1023");
    user.Focus(e.diskTypeList);
    EventTrace trace(e);
    user.Arrow(e.diskSizeSpinner, Arrow::Up);
    user.Arrow(e.diskSizeSpinner, Arrow::Up);
    user.Arrow(e.diskSizeSpinner, Arrow::Down);
    EXPECT_EQ(trace.Entries(), (std::vector<std::string>{"diskSizeSpinner.Change", ".diskSizeBox.Change", "diskSizeSpinner.Change",
                                                         ".diskSizeBox.Change", "diskSizeSpinner.Change", ".diskSizeBox.Change"}));
    EXPECT_EQ(e.diskSizeBox.Text(), " 1024");
}

TEST_F(EditorRules, TraceOfRefusedUpStepAt2048WithBarAboveZero) {
    Load();
    user.Retype(e.diskSizeBox, "1024");
    user.Focus(e.diskTypeList);
    for (int i = 0; i < 512; ++i) user.Arrow(e.diskSizeSpinner, Arrow::Up);
    ASSERT_EQ(e.diskSizeBox.Text(), " 2048");
    ASSERT_EQ(e.diskSizeSpinner.Value(), 512);
    EventTrace trace(e);
    user.Arrow(e.diskSizeSpinner, Arrow::Up);
    EXPECT_EQ(trace.Entries(), (std::vector<std::string>{"diskSizeSpinner.Change", ".diskSizeSpinner.Change"}));
    EXPECT_EQ(e.diskSizeSpinner.Value(), 512);
    EXPECT_EQ(e.AcceptedPositions().size, 512);
    EXPECT_EQ(e.diskSizeBox.Text(), " 2048");
}

TEST_F(EditorRules, TraceOfIntervalSpinRefusedAtTheTop) {
    Load();
    user.Retype(e.autoSaveIntervalBox, "32764");
    user.Focus(e.saveImageCheck);
    EventTrace trace(e);
    user.Arrow(e.autoSaveSpinner, Arrow::Up);
    EXPECT_EQ(trace.Entries(), (std::vector<std::string>{"autoSaveSpinner.Change", ".autoSaveSpinner.Change"}));
    EXPECT_EQ(e.autoSaveIntervalBox.Text(), " 32764");
}

}  // namespace
}  // namespace sarnex::testing
