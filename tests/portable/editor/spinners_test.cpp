// The three spinners where the random run cannot reach: numbers loaded beyond the limits or with a
// fraction, Home and End on the focused bar, long runs to the limits, and texts only code can leave.
#include "portable/program.h"

namespace sarnex::testing {
namespace {

using Arrow = forms::VScrollBar::Arrow;

TEST(Spinners, EachArrowStepsOnceOrIsPutBack) {
    const auto stored = [](const char* name, std::int32_t value) { return With(TypicalRecord(), {{name, Number(value)}}); };
    const struct {
        const char* name;
        StoredValues stored;
        int spinner;         // 0 size, 1 letter, 2 interval
        std::string arrows;  // '^' the top arrow, 'v' the bottom one; 'H' Home, 'E' End
        std::string shown;
        int bar;  // -1: not checked
    } cases[] = {
        {"size loaded above 2048 steps down, never up", stored("SizeIn4kPages", 4096 * 256), 0, "^v^", " 4094", 1},
        {"fraction of a loaded size kept", stored("SizeIn4kPages", 16512), 0, "^", " 65.5", 1983},
        {"interval loaded above 32767 steps down", stored("AutoSaveTrigger", 10000), 2, "v", " 39996", 1},
        {"Home up once, End down once, the arrows work after", TypicalRecord(), 0, "HHEv", " 64", 2047},
        {"letter Home at Z refused, End, then down", stored("UserDriveLetter", 0x01000019), 1, "HEv", "X", 32766},
        {"interval End then Home, then up", TypicalRecord(), 2, "EH^", " 64", 1},
        {"letter Home, then up, the bar where the step left it", TypicalRecord(), 1, "H^", "U", 1},
        {"size from 1024 steps up by two", stored("SizeIn4kPages", 1024 * 256), 0, "^", " 1026", -1},
        {"size steps up stop at 2048", stored("SizeIn4kPages", 1024 * 256), 0, std::string(700, '^'), " 2048", -1},
        {"interval steps down stop at 20", TypicalRecord(), 2, std::string(9000, 'v'), " 20", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FreshProgram p(c.stored);
        editor::Editor& e = p.Start();
        forms::VScrollBar* bars[] = {&e.diskSizeSpinner, &e.driveLetterSpinner, &e.autoSaveSpinner};
        forms::TextBox* boxes[] = {&e.diskSizeBox, &e.driveLetterBox, &e.autoSaveIntervalBox};
        forms::VScrollBar& bar = *bars[c.spinner];
        for (char arrow : c.arrows) {
            if (arrow == 'H' || arrow == 'E') bar.UserMoveToEnd(arrow == 'H' ? Arrow::Up : Arrow::Down);
            else p.user.Arrow(bar, arrow == '^' ? Arrow::Up : Arrow::Down);
            ASSERT_NO_FATAL_FAILURE(ExpectSpinnersAtTheirAcceptedPositions(e));
        }
        EXPECT_EQ(boxes[c.spinner]->Text(), c.shown);
        if (c.bar >= 0) EXPECT_EQ(bar.Value(), c.bar);
    }
}

// Texts only code can leave in a box: a number beyond a double, a letter without a single-byte code.
TEST(Spinners, TextsNoUserCanTypeAreHandled) {
    FreshProgram p;
    editor::Editor& e = p.Start();
    for (const char* text : {"1e999", "-1e999"}) {
        e.diskSizeBox.SetText(text);
        e.autoSaveIntervalBox.SetText(text);
        for (Arrow arrow : {Arrow::Up, Arrow::Down}) {
            p.user.Arrow(e.diskSizeSpinner, arrow);
            p.user.Arrow(e.autoSaveSpinner, arrow);
            EXPECT_EQ(e.diskSizeBox.Text(), text);
            EXPECT_EQ(e.autoSaveIntervalBox.Text(), text);
            ExpectSpinnersAtTheirAcceptedPositions(e);
        }
    }
    e.driveLetterBox.SetText("\xCE\xA9");  // Greek Omega counts above Z
    ASSERT_EQ(e.driveLetterBox.Text(), "Z");
    p.user.Arrow(e.driveLetterSpinner, Arrow::Down);
    EXPECT_EQ(e.driveLetterBox.Text(), "Y");
}

}  // namespace
}  // namespace sarnex::testing
