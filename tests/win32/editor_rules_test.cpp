// The editing rules driven through real windows: typing, clicks, combo picks and edits, spinner
// arrows and focus moves reach the same handlers as the headless tests, with the same results.
#include <gtest/gtest.h>

#include "editor/editor.h"
#include "support/code_page_1252.h"
#include "support/memory_registry.h"
#include "support/recording_shell.h"
#include "shared/editor_scenarios.h"
#include "win32/win32_driver.h"


namespace sarnex::testing {
namespace {

// A shown editor on real windows, loaded from `state` by its own loading.
struct Win32Editor {
    explicit Win32Editor(const LoadedState& state = LoadedState{}) {
        StoreLoadedState(registry, state);
        editor.Show();
        host.PumpMessages();
    }

    win32::Win32Host host{GetModuleHandleW(nullptr)};
    testing::MemoryRegistry registry;
    testing::CodePage1252 codePage;
    testing::RecordingShell shell;
    forms::FormsRuntime runtime{host};
    editor::Editor& editor = runtime.DefaultInstance<editor::Editor>(editor::EditorServices{
        registry, codePage, shell, platform::ProgramVersion{1, 0, 0}, true, [] {}, [] {}, [] {}});
    Win32Driver user{host};
};

TEST(EditorRulesOnWindows, NestedRunsOfTheEditingRules) {
    for (const TraceScenario& scenario : EditorTraceScenarios()) {
        Win32Editor w(scenario.state);
        RunTraceScenario(w.user, w.editor, scenario);
    }
}

TEST(EditorRulesOnWindows, LeavingTheSizeBoxNormalisesIt) {
    for (const SizeCase& c : SizeNormalisationCases()) {
        Win32Editor w;
        RunSizeNormalisation(w.user, w.editor, c);
    }
}

TEST(EditorRulesOnWindows, LeavingTheIntervalBoxNormalisesIt) {
    for (const IntervalCase& c : IntervalNormalisationCases()) {
        Win32Editor w;
        RunIntervalNormalisation(w.user, w.editor, c);
    }
}

TEST(EditorRulesOnWindows, TypedLettersBecomeDriveLetters) {
    for (const LetterCase& c : LetterCases()) {
        Win32Editor w;
        RunLetterTyped(w.user, w.editor, c);
    }
}

TEST(EditorRulesOnWindows, WindowsShowWhatTheModelHolds) {
    Win32Editor w;
    auto& e = w.editor;
    w.user.Pick(e.diskTypeList, 1);  // a floppy disables the size, letter and FAT32 controls
    for (forms::Control* c : std::initializer_list<forms::Control*>{&e.diskSizeBox, &e.driveLetterCheck, &e.driveLetterBox,
                                                                     &e.fat32Check, &e.diskSizeCaption, &e.megabytesUnit}) {
        SCOPED_TRACE(c->Name());
        EXPECT_FALSE(c->Enabled());
        EXPECT_FALSE(IsWindowEnabled(w.host.WindowOf(*c)));
    }
    w.user.TypeInCombo(e.diskTypeList, "x");  // typing leaves no item selected: back to the hard disk
    EXPECT_EQ(e.diskTypeList.ListIndex(), 0);
    EXPECT_EQ(win32::WindowText(w.host.WindowOf(e.diskTypeList)), "Hard Disk");
    EXPECT_TRUE(IsWindowEnabled(w.host.WindowOf(e.diskSizeBox)));
    w.user.Retype(e.diskSizeBox, "1023");
    w.user.Arrow(e.diskSizeSpinner, Arrow::Up);  // the size box loses the focus first, then the step runs
    w.user.Arrow(e.diskSizeSpinner, Arrow::Up);
    EXPECT_EQ(win32::WindowText(w.host.WindowOf(e.diskSizeBox)), " 1026");
    EXPECT_EQ(GetScrollPos(w.host.WindowOf(e.diskSizeSpinner), SB_CTL), e.AcceptedPositions().size);
    w.user.Click(e.saveImageCheck);  // unticking image saving unticks AutoSave
    EXPECT_EQ(SendMessageW(w.host.WindowOf(e.autoSaveCheck), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(IsWindowEnabled(w.host.WindowOf(e.autoSaveIntervalBox)));
    EXPECT_FALSE(IsWindowEnabled(w.host.WindowOf(e.saveImageFileBox)));
}

}  // namespace
}  // namespace sarnex::testing
