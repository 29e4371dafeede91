// The editing rules driven through real windows: typing, clicks, combo picks and edits, spinner
// arrows and focus moves reach the same handlers as the headless tests, with the same results.
#include <gtest/gtest.h>

#include "editor/editor.h"
#include "platform/code_page_1252.h"
#include "platform/memory_registry.h"
#include "platform/recording_shell.h"
#include "shared/editor_scenarios.h"
#include "win32/win32_driver.h"

#undef LoadImage  // windows.h would rename the editor's check box

namespace sarnex::testing {
namespace {

// A shown editor on real windows, its loading run against a key with no values.
struct Win32Editor {
    Win32Editor() {
        registry.AddKey("Software\\Sarnex");
        editor.Show();
        host.PumpMessages();
    }

    win32::Win32Host host{GetModuleHandleW(nullptr)};
    platform::MemoryRegistry registry;
    platform::CodePage1252 codePage;
    platform::RecordingShell shell;
    std::int16_t showRestartQuery = 1;
    forms::FormsRuntime runtime{host};
    editor::Editor& editor = runtime.DefaultInstance<editor::Editor>(editor::EditorServices{
        registry, codePage, shell, editor::ProgramVersion{1, 0, 0}, showRestartQuery, [] {}, [] {}, [] {}});
    Win32Driver user{host};
};

TEST(EditorRulesOnWindows, NestedRunsOfTheEditingRules) {
    for (const TraceScenario& scenario : EditorTraceScenarios()) {
        Win32Editor w;
        RunTraceScenario(w.user, w.editor, scenario);
    }
}

TEST(EditorRulesOnWindows, LeavingTheSizeBoxNormalisesIt) {
    Win32Editor w;
    for (const SizeCase& c : SizeNormalisationCases()) RunSizeNormalisation(w.user, w.editor, c);
}

TEST(EditorRulesOnWindows, LeavingTheIntervalBoxNormalisesIt) {
    Win32Editor w;
    for (const IntervalCase& c : IntervalNormalisationCases()) RunIntervalNormalisation(w.user, w.editor, c);
}

TEST(EditorRulesOnWindows, TypedLettersBecomeDriveLetters) {
    Win32Editor w;
    for (const LetterCase& c : LetterCases()) RunLetterTyped(w.user, w.editor, c);
}

TEST(EditorRulesOnWindows, WindowsShowWhatTheModelHolds) {
    Win32Editor w;
    auto& e = w.editor;
    ApplyLoadedState(e, LoadedState{});
    w.user.Pick(e.Combo1, 1);  // a floppy disables the size, letter and FAT32 controls
    for (forms::Control* c : std::initializer_list<forms::Control*>{&e.Text3, &e.DriveCheckBox, &e.DriveLetterText,
                                                                     &e.Fat32Enable, &e.Label6, &e.Label12}) {
        SCOPED_TRACE(c->Name());
        EXPECT_FALSE(c->Enabled());
        EXPECT_FALSE(IsWindowEnabled(w.host.WindowOf(*c)));
    }
    w.user.TypeInCombo(e.Combo1, "x");  // typing leaves no item selected: back to the hard disk
    EXPECT_EQ(e.Combo1.ListIndex(), 0);
    EXPECT_EQ(win32::WindowText(w.host.WindowOf(e.Combo1)), "Hard Disk");
    EXPECT_TRUE(IsWindowEnabled(w.host.WindowOf(e.Text3)));
    w.user.Retype(e.Text3, "1023");
    w.user.Arrow(e.VScroll1, Arrow::Up);  // the size box loses the focus first, then the step runs
    w.user.Arrow(e.VScroll1, Arrow::Up);
    EXPECT_EQ(win32::WindowText(w.host.WindowOf(e.Text3)), " 1026");
    EXPECT_EQ(GetScrollPos(w.host.WindowOf(e.VScroll1), SB_CTL), e.SizeScrollPos);
    w.user.Click(e.SaveImage);  // unticking image saving unticks AutoSave
    EXPECT_EQ(SendMessageW(w.host.WindowOf(e.SaveCheckBox), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(IsWindowEnabled(w.host.WindowOf(e.AutoSaveTime)));
    EXPECT_FALSE(IsWindowEnabled(w.host.WindowOf(e.Text2)));
}

}  // namespace
}  // namespace sarnex::testing
