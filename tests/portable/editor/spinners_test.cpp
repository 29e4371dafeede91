// The three spinners: each arrow, and Home or End on the focused bar, makes one step of the number or
// letter beside it, or is refused and the bar put back; a step counts once however far the bar moved.
#include <functional>

#include "config/number_text.h"
#include "portable/program.h"

namespace sarnex::testing {
namespace {

using Arrow = forms::VScrollBar::Arrow;
constexpr Arrow Up = Arrow::Up;
constexpr Arrow Down = Arrow::Down;

enum class Spinner { Size, Letter, Interval };
using Prepare = std::function<void(UserDriver&, editor::Editor&)>;

forms::TextBox& BoxOf(editor::Editor& e, Spinner s) {
    return s == Spinner::Size ? e.diskSizeBox : s == Spinner::Letter ? e.driveLetterBox : e.autoSaveIntervalBox;
}
forms::VScrollBar& BarOf(editor::Editor& e, Spinner s) {
    return s == Spinner::Size ? e.diskSizeSpinner : s == Spinner::Letter ? e.driveLetterSpinner : e.autoSaveSpinner;
}

// Types a number into the spinner's box and leaves it, which normalises it and aligns the bar.
Prepare Typed(Spinner s, std::string text) {
    return [s, text](UserDriver& u, editor::Editor& e) {
        u.Retype(BoxOf(e, s), text);
        u.Focus(e.saveImageCheck);
    };
}

struct SpinCase {
    const char* name;
    StoredValues stored;
    Prepare prepare;
    Spinner spinner;
    std::string arrows;  // '^' the top arrow, 'v' the bottom one; 'H' Home, 'E' End
    std::string shown;
    int bar;  // -1: not checked
};

StoredValues Size(std::int32_t megabytes) { return With(TypicalRecord(), {{"SizeIn4kPages", Number(megabytes * 256)}}); }
StoredValues Letter(char letter) {
    return With(TypicalRecord(), {{"UserDriveLetter", Number(0x01000000 + (letter - 'A'))}});
}
const StoredValues kTypical = TypicalRecord();
const StoredValues kFloppy = With(kTypical, {{"DiskType", Text("FDC14")}});
const StoredValues kAutoSaveOff = With(kTypical, {{"AutoSaveEnabled", Number(0)}});
const Prepare kNothing = [](UserDriver&, editor::Editor&) {};

// Each step is checked against the rule of steps in the random run; these are the cases it cannot reach.
const SpinCase kCases[] = {
    {"size loaded above 2048 steps down, never up", Size(4096), kNothing, Spinner::Size, "^v^", " 4094", 1},
    {"fraction of a loaded size kept", With(kTypical, {{"SizeIn4kPages", Number(16512)}}), kNothing, Spinner::Size, "^",
     " 65.5", 1983},
    {"interval loaded above 32767 steps down", With(kTypical, {{"AutoSaveTrigger", Number(10000)}}), kNothing,
     Spinner::Interval, "v", " 39996", 1},
    {"Home steps up once, End down once, and the arrows work after", kTypical, kNothing, Spinner::Size, "HHEv", " 64",
     2047},
    {"letter Home at Z refused, End, then down", Letter('Z'), kNothing, Spinner::Letter, "HEv", "X", 32766},
    {"interval End then Home, then up", kTypical, kNothing, Spinner::Interval, "EH^", " 64", 1},
    {"size steps up stop at 2048", Size(1024), kNothing, Spinner::Size, std::string(700, '^'), " 2048", -1},
    {"interval steps down stop at 23", kTypical, Typed(Spinner::Interval, "32767"), Spinner::Interval,
     std::string(9000, 'v'), " 23", -1},
};

TEST(Spinners, EachArrowStepsOnceOrIsPutBack) {
    for (const SpinCase& c : kCases) {
        SCOPED_TRACE(c.name);
        FreshProgram p(c.stored);
        editor::Editor& e = p.Start();
        c.prepare(p.user, e);
        for (char arrow : c.arrows) {
            if (arrow == 'H' || arrow == 'E') {
                BarOf(e, c.spinner).UserMoveToEnd(arrow == 'H' ? Up : Down);
                EXPECT_EQ(e.ActiveControl(), &BarOf(e, c.spinner));
            } else {
                p.user.Arrow(BarOf(e, c.spinner), arrow == '^' ? Up : Down);
            }
            ASSERT_NO_FATAL_FAILURE(ExpectSpinnersAtTheirAcceptedPositions(e));
        }
        EXPECT_EQ(BoxOf(e, c.spinner).Text(), c.shown);
        if (c.bar >= 0) {
            EXPECT_EQ(BarOf(e, c.spinner).Value(), c.bar);
        }
        ExpectSpinnersAtTheirAcceptedPositions(e);
        if (c.spinner == Spinner::Size && e.diskTypeList.ListIndex() == 0) {
            EXPECT_EQ(e.fat32Check.Enabled(), config::NumberFromText(e.diskSizeBox.Text()) > 32);
        }
    }
}

// Texts only code can leave in a box: a number beyond a double, a letter without a single-byte code.
TEST(Spinners, TextsNoUserCanTypeAreHandled) {
    FreshProgram p;
    editor::Editor& e = p.Start();
    for (const char* text : {"1e999", "-1e999"}) {
        e.diskSizeBox.SetText(text);
        e.autoSaveIntervalBox.SetText(text);
        for (Arrow arrow : {Up, Down}) {
            p.user.Arrow(e.diskSizeSpinner, arrow);
            p.user.Arrow(e.autoSaveSpinner, arrow);
            EXPECT_EQ(e.diskSizeBox.Text(), text);
            EXPECT_EQ(e.autoSaveIntervalBox.Text(), text);
            ExpectSpinnersAtTheirAcceptedPositions(e);
        }
    }
    e.driveLetterBox.SetText("\xCE\xA9");  // Greek Omega counts above Z
    ASSERT_EQ(e.driveLetterBox.Text(), "Z");
    p.user.Arrow(e.driveLetterSpinner, Down);
    EXPECT_EQ(e.driveLetterBox.Text(), "Y");
}

}  // namespace
}  // namespace sarnex::testing
