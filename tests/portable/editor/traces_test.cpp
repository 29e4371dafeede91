// The order and nesting of the events the editing rules raise where it is what the user sees: each
// line is a control's event whose handler ran, one '.' per level of nesting.
#include <functional>

#include "portable/program.h"
#include "shared/event_trace.h"

namespace sarnex::testing {
namespace {

using Act = std::function<void(UserDriver&, editor::Editor&)>;

TEST(Traces, NestedRunsOfTheEditingRules) {
    const auto retypeSize = [](std::string text) { return [text](UserDriver& u, editor::Editor& e) { u.Retype(e.diskSizeBox, text); }; };
    const struct {
        const char* name;
        StoredValues stored;
        Act prepare, act;  // only the act is traced
        std::vector<std::string> trace;
    } cases[] = {
        {"size 3 raised to 5: each step's text raises its Change", TypicalRecord(), retypeSize("3"),
         [](UserDriver& u, editor::Editor& e) { u.Focus(e.diskTypeList); },
         {"diskSizeBox.LostFocus", ".diskSizeBox.Change", ".diskSizeBox.Change", ".diskSizeSpinner.Change", ".diskSizeBox.Change"}},
        {"the size is normalised before the spin step", TypicalRecord(), retypeSize("1000"),
         [](UserDriver& u, editor::Editor& e) { u.Arrow(e.diskSizeSpinner, forms::VScrollBar::Arrow::Up); },
         {"diskSizeBox.LostFocus", ".diskSizeBox.Change", ".diskSizeSpinner.Change", "diskSizeSpinner.Change",
          ".diskSizeBox.Change"}},
        {"a letter a: upper case, then D, then nothing", TypicalRecord(),
         [](UserDriver& u, editor::Editor& e) { u.Clear(e.driveLetterBox); },
         [](UserDriver& u, editor::Editor& e) { u.Type(e.driveLetterBox, "a"); },
         {"driveLetterBox.Change", ".driveLetterBox.Change", "..driveLetterBox.Change"}},
        {"AutoSave ticks image saving", With(TypicalRecord(), {{"SaveImageOnExit", Number(0)}, {"AutoSaveEnabled", Number(0)}}),
         [](UserDriver&, editor::Editor&) {}, [](UserDriver& u, editor::Editor& e) { u.Click(e.autoSaveCheck); },
         {"autoSaveCheck.Click", ".saveImageCheck.Click"}},
        {"image loading unticks the label, then TEMP", TypicalRecord(), [](UserDriver&, editor::Editor&) {},
         [](UserDriver& u, editor::Editor& e) { u.Click(e.loadImageCheck); },
         {"loadImageCheck.Click", ".volumeLabelCheck.Click", ".tempDirCheck.Click"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FreshProgram p(c.stored);
        editor::Editor& e = p.Start();
        c.prepare(p.user, e);
        EventTrace trace(e);
        c.act(p.user, e);
        EXPECT_EQ(trace.Entries(), c.trace);
    }
}

}  // namespace
}  // namespace sarnex::testing
