// The order and nesting of the events the editing rules raise, compared as whole traces: each line
// is a control's event whose handler ran, one '.' per level of nesting.
#include <functional>

#include "portable/program.h"
#include "shared/event_trace.h"

namespace sarnex::testing {
namespace {

using Arrow = forms::VScrollBar::Arrow;
using Act = std::function<void(UserDriver&, editor::Editor&)>;

const StoredValues kTypical = TypicalRecord();
const StoredValues kLoading =
    With(kTypical, {{"LoadImageOnStart", Number(1)}, {"MakeTempDir", Number(0)}, {"UseDiskLabel", Number(0)}});
const StoredValues kNoSaving = With(kTypical, {{"SaveImageOnExit", Number(0)}, {"AutoSaveEnabled", Number(0)}});

Act RetypeSize(std::string text) { return [text](UserDriver& u, editor::Editor& e) { u.Retype(e.diskSizeBox, text); }; }
Act TypeLetter(std::string text) { return [text](UserDriver& u, editor::Editor& e) { u.Type(e.driveLetterBox, text); }; }
const Act kClearLetter = [](UserDriver& u, editor::Editor& e) { u.Clear(e.driveLetterBox); };
Act Spin(forms::VScrollBar& (*bar)(editor::Editor&), Arrow arrow, int times = 1) {
    return [=](UserDriver& u, editor::Editor& e) {
        for (int i = 0; i < times; ++i) u.Arrow(bar(e), arrow);
    };
}
forms::VScrollBar& SizeBar(editor::Editor& e) { return e.diskSizeSpinner; }
forms::VScrollBar& LetterBar(editor::Editor& e) { return e.driveLetterSpinner; }
forms::VScrollBar& IntervalBar(editor::Editor& e) { return e.autoSaveSpinner; }
const Act kLeaveSize = [](UserDriver& u, editor::Editor& e) { u.Focus(e.diskTypeList); };
const Act kNothing = [](UserDriver&, editor::Editor&) {};

struct TraceCase {
    const char* name;
    StoredValues stored;
    Act prepare;  // not traced
    Act act;      // traced
    std::vector<std::string> trace;
};

const TraceCase kCases[] = {
    {"size 3 raised to 5", kTypical, RetypeSize("3"), kLeaveSize,
     {"diskSizeBox.LostFocus", ".diskSizeBox.Change", ".diskSizeBox.Change", ".diskSizeSpinner.Change",
      ".diskSizeBox.Change"}},
    {"size normalised before the spin step", kTypical, RetypeSize("1000"), Spin(SizeBar, Arrow::Up),
     {"diskSizeBox.LostFocus", ".diskSizeBox.Change", ".diskSizeSpinner.Change", "diskSizeSpinner.Change",
      ".diskSizeBox.Change"}},
    {"size steps across 1024", With(kTypical, {{"SizeIn4kPages", Number(1023 * 256)}}), kNothing,
     [](UserDriver& u, editor::Editor& e) {
         Spin(SizeBar, Arrow::Up, 2)(u, e);
         Spin(SizeBar, Arrow::Down)(u, e);
     },
     {"diskSizeSpinner.Change", ".diskSizeBox.Change", "diskSizeSpinner.Change", ".diskSizeBox.Change",
      "diskSizeSpinner.Change", ".diskSizeBox.Change"}},
    {"size down from 5 put back", With(kTypical, {{"SizeIn4kPages", Number(1280)}}), kNothing, Spin(SizeBar, Arrow::Down),
     {"diskSizeSpinner.Change", ".diskSizeSpinner.Change"}},
    {"disk type typed", kTypical, kNothing, [](UserDriver& u, editor::Editor& e) { u.TypeInCombo(e.diskTypeList, "F"); },
     {"diskTypeList.Change", ".diskTypeList.Click"}},
    {"letter a", kTypical, kClearLetter, TypeLetter("a"),
     {"driveLetterBox.Change", ".driveLetterBox.Change", "..driveLetterBox.Change"}},
    {"letter spin up", kTypical, kNothing, Spin(LetterBar, Arrow::Up), {"driveLetterSpinner.Change", ".driveLetterBox.Change"}},
    {"letter spin up at Z put back", With(kTypical, {{"UserDriveLetter", Number(0x01000000 + 25)}}), kNothing,
     Spin(LetterBar, Arrow::Up), {"driveLetterSpinner.Change", ".driveLetterSpinner.Change"}},
    {"interval 5 raised to 20", kTypical, [](UserDriver& u, editor::Editor& e) { u.Retype(e.autoSaveIntervalBox, "5"); },
     [](UserDriver& u, editor::Editor& e) { u.Focus(e.saveImageCheck); },
     {"autoSaveIntervalBox.LostFocus", ".autoSaveSpinner.Change"}},
    {"AutoSave ticks image saving", kNoSaving, kNothing, [](UserDriver& u, editor::Editor& e) { u.Click(e.autoSaveCheck); },
     {"autoSaveCheck.Click", ".saveImageCheck.Click"}},
    {"image saving off unticks AutoSave", kTypical, kNothing,
     [](UserDriver& u, editor::Editor& e) { u.Click(e.saveImageCheck); }, {"saveImageCheck.Click", ".autoSaveCheck.Click"}},
    {"image loading unticks label and TEMP", kTypical, kNothing,
     [](UserDriver& u, editor::Editor& e) { u.Click(e.loadImageCheck); },
     {"loadImageCheck.Click", ".volumeLabelCheck.Click", ".tempDirCheck.Click"}},
};

TEST(Traces, NestedRunsOfTheEditingRules) {
    for (const TraceCase& c : kCases) {
        SCOPED_TRACE(c.name);
        FreshProgram p(c.stored);
        editor::Editor& e = p.Start();
        c.prepare(p.user, e);
        EventTrace trace(e);
        c.act(p.user, e);
        EXPECT_EQ(trace.Entries(), c.trace);
        ExpectSpinnersAtTheirAcceptedPositions(e);
    }
}

}  // namespace
}  // namespace sarnex::testing
