// Home and End on a spinner: the bar moves all the way to one end, and the spinner's rule counts that
// as one step.
#include "portable/program.h"

namespace sarnex::testing {
namespace {

using Arrow = forms::VScrollBar::Arrow;

TEST(SpinnerKeys, HomeAndEndMoveTheBarToAnEndAndStepOnce) {
    FreshProgram p;
    editor::Editor& e = p.Start();  // 64 MB
    e.diskSizeSpinner.UserMoveToEnd(Arrow::Up);
    e.diskSizeSpinner.UserMoveToEnd(Arrow::Up);  // at the top already: no move, no step
    EXPECT_EQ(e.diskSizeBox.Text(), " 65");
    EXPECT_EQ(e.diskSizeSpinner.Value(), 0);
    EXPECT_EQ(e.ActiveControl(), &e.diskSizeSpinner);
    e.diskSizeSpinner.UserMoveToEnd(Arrow::Down);
    EXPECT_EQ(e.diskSizeBox.Text(), " 64");
    EXPECT_EQ(e.diskSizeSpinner.Value(), e.diskSizeSpinner.Max());
    ExpectSpinnersAtTheirAcceptedPositions(e);
}

}  // namespace
}  // namespace sarnex::testing
