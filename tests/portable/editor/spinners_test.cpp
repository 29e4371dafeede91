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

const SpinCase kCases[] = {
    {"size up below 1024 adds 1", Size(1022), kNothing, Spinner::Size, "^", " 1023", 1025},
    {"size up from 1024 adds 2", Size(1023), kNothing, Spinner::Size, "^^", " 1026", 1023},
    {"size down above 1024 takes 2", Size(1026), kNothing, Spinner::Size, "v", " 1024", 1023},
    {"size down at 1024 takes 1", Size(1026), kNothing, Spinner::Size, "vv", " 1023", 1024},
    {"size down from 6", Size(6), kNothing, Spinner::Size, "v", " 5", 2043},
    {"size down from 5 refused", Size(5), kNothing, Spinner::Size, "v", " 5", 2043},
    {"size up from 5", Size(5), kNothing, Spinner::Size, "^", " 6", 2042},
    {"size down to 32 takes FAT32 away", Size(33), kNothing, Spinner::Size, "v", " 32", 2016},
    {"size up to 33 makes FAT32 available", Size(32), kNothing, Spinner::Size, "^", " 33", 2015},
    {"odd size near the top lands on 2048", kTypical, Typed(Spinner::Size, "2047"), Spinner::Size, "^", " 2048", 1},
    {"size steps up stop at 2048", Size(1024), kNothing, Spinner::Size, std::string(700, '^'), " 2048", -1},
    {"size steps down stop at 5", Size(2048), kNothing, Spinner::Size, std::string(3000, 'v'), " 5", -1},
    {"odd size above 1024 stays odd", kTypical, Typed(Spinner::Size, "1501"), Spinner::Size, "v", " 1499", 548},
    {"fraction of a loaded size kept", With(kTypical, {{"SizeIn4kPages", Number(16512)}}), kNothing, Spinner::Size, "^",
     " 65.5", 1983},
    {"size loaded above 2048 steps down, never up", Size(4096), kNothing, Spinner::Size, "^v^", " 4094", 1},
    {"Home steps up once, End down once, and the arrows work after", kTypical, kNothing, Spinner::Size, "HHEv", " 64",
     2047},
    {"size while a floppy is chosen", kFloppy, kNothing, Spinner::Size, "^v", " 64", 1984},
    {"letter up", Letter('Y'), kNothing, Spinner::Letter, "^", "Z", 16383},
    {"letter up at Z refused", Letter('Z'), kNothing, Spinner::Letter, "^", "Z", 16384},
    {"letter down", Letter('E'), kNothing, Spinner::Letter, "v", "D", 16385},
    {"letter down at D refused", Letter('D'), kNothing, Spinner::Letter, "v", "D", 16384},
    {"letter up stops at Z", Letter('R'), kNothing, Spinner::Letter, std::string(30, '^'), "Z", 16376},
    {"letter down stops at D", Letter('R'), kNothing, Spinner::Letter, std::string(30, 'v'), "D", 16398},
    {"letter Home at Z refused, End, then down", Letter('Z'), kNothing, Spinner::Letter, "HEv", "X", 32766},
    {"letter while unticked", kTypical, [](UserDriver& u, editor::Editor& e) { u.Click(e.driveLetterCheck); },
     Spinner::Letter, "^v", "S", 16384},
    {"letter while a floppy is chosen", kFloppy, kNothing, Spinner::Letter, "v^", "S", 16384},
    {"empty letter box", kTypical, [](UserDriver& u, editor::Editor& e) { u.Clear(e.driveLetterBox); },
     Spinner::Letter, "^v", "", 16384},
    {"interval up to the top", kTypical, Typed(Spinner::Interval, "32763"), Spinner::Interval, "^", " 32767", 3},
    {"interval up refused above 32763", kTypical, Typed(Spinner::Interval, "32764"), Spinner::Interval, "^", " 32764", 3},
    {"interval down to the bottom", kTypical, Typed(Spinner::Interval, "24"), Spinner::Interval, "v", " 20", 32744},
    {"interval down refused below 24", kTypical, Typed(Spinner::Interval, "23"), Spinner::Interval, "v", " 23", 32744},
    {"interval up from 20", kTypical, Typed(Spinner::Interval, "20"), Spinner::Interval, "^", " 24", 32746},
    {"interval keeps its fraction", kTypical, Typed(Spinner::Interval, "25.5"), Spinner::Interval, "^", " 29.5", 32741},
    {"interval steps up stop at 32764", kTypical, Typed(Spinner::Interval, "20"), Spinner::Interval,
     std::string(9000, '^'), " 32764", -1},
    {"interval steps down stop at 23", kTypical, Typed(Spinner::Interval, "32767"), Spinner::Interval,
     std::string(9000, 'v'), " 23", -1},
    {"interval End then Home, then up", kTypical, kNothing, Spinner::Interval, "EH^", " 64", 1},
    {"interval while AutoSave is off", kAutoSaveOff, kNothing, Spinner::Interval, "v^", " 60", 32707},
    {"interval loaded above 32767 steps down", With(kTypical, {{"AutoSaveTrigger", Number(10000)}}), kNothing,
     Spinner::Interval, "v", " 39996", 1},
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
