// The real program started with each command word: which window opens, and how the run ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32/program_run.h"

namespace sarnex::testing {
namespace {

// The editor's "OK" needs a key it can save into; the test prefix holds its own.
void EnsureDriverKey() {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Sarnex", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

struct NoticeCase {
    const char* word;
    const wchar_t* title;
    const wchar_t* button;
};

class StartupNotice : public ::testing::TestWithParam<NoticeCase> {};

TEST_P(StartupNotice, OpensOnlyItsNoticeAndItsButtonEndsTheProgram) {
    const auto& c = GetParam();
    ProgramRun run(c.word);
    ASSERT_TRUE(run.Started());
    HWND notice = run.WaitForWindow(c.title);
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(run.VisibleWindows(), std::vector<std::wstring>{c.title});
    ASSERT_TRUE(ProgramRun::PressButton(notice, c.button));
    EXPECT_EQ(run.WaitForExit(), 0);
}

INSTANTIATE_TEST_SUITE_P(Words, StartupNotice,
                         ::testing::Values(NoticeCase{"badload", L"Sarnex Image Load Error", L"OK"},
                                           NoticeCase{"nomem", L"Sarnex Memory Allocation Error", L"OK"}));

struct EditorCase {
    const char* arguments;
    bool restartOffered;  // "OK" is followed by the restart prompt
};

class StartupEditor : public ::testing::TestWithParam<EditorCase> {};

TEST_P(StartupEditor, OpensTheEditorAndOffersTheRestartUnlessInstalling) {
    EnsureDriverKey();
    const auto& c = GetParam();
    ProgramRun run(c.arguments);
    HWND editor = run.WaitForWindow(L"Sarnex Configuration Utility");
    ASSERT_NE(editor, nullptr) << "arguments: [" << c.arguments << "]";
    ASSERT_TRUE(ProgramRun::PressButton(editor, L"OK"));
    if (c.restartOffered) {
        HWND prompt = run.WaitForWindow(L"Settings Saved");
        ASSERT_NE(prompt, nullptr) << "arguments: [" << c.arguments << "]";
        EXPECT_EQ(run.VisibleWindows(), std::vector<std::wstring>{L"Settings Saved"});
        ASSERT_TRUE(ProgramRun::PressButton(prompt, L"Cancel"));
    }
    EXPECT_EQ(run.WaitForExit(), 0) << "arguments: [" << c.arguments << "]";
}

INSTANTIATE_TEST_SUITE_P(Words, StartupEditor,
                         ::testing::Values(EditorCase{"install", false}, EditorCase{"install ", true},
                                           EditorCase{"Install", true}, EditorCase{"INSTALL", true},
                                           EditorCase{"", true}, EditorCase{"install now", true}));

}  // namespace
}  // namespace sarnex::testing
