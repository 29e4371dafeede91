// The restart prompt after "OK": each button does its one thing and closes the prompt; the shell
// receives exactly the requests the operating system would.
#include "portable/editor/program_fixture.h"

namespace sarnex::testing {
namespace {

class RestartQuery : public ProgramTest {
protected:
    void SetUp() override {
        StoredRecord{}.StoreIn(registry);
        Start();
        user.Click(Editor().Command1);
        ASSERT_TRUE(IsLoaded<notices::RestartQuery>());
    }
    forms::CommandButton& Button(const char* name) {
        return Window<notices::RestartQuery>()->Get<forms::CommandButton>(name);
    }
};

TEST_F(RestartQuery, ShownAfterOkWithItsTitle) {
    EXPECT_EQ(Window<notices::RestartQuery>()->Caption(), "Settings Saved");
    EXPECT_EQ(host.ShownForms(), std::vector<std::string>{"RestartQuery"});
    EXPECT_TRUE(shell.restartDialogs.empty());
    EXPECT_TRUE(shell.startedPrograms.empty());
}

TEST_F(RestartQuery, RestartCallsTheRestartDialogAndCloses) {
    user.Click(Button("Restart"));
    ASSERT_EQ(shell.restartDialogs.size(), 1u);
    EXPECT_EQ(shell.restartDialogs[0], (platform::RecordingShell::RestartDialogCall{0, "", 2}));
    EXPECT_TRUE(shell.startedPrograms.empty());
    EXPECT_FALSE(IsLoaded<notices::RestartQuery>());
    EXPECT_TRUE(runtime.ProgramEnded());
}

TEST_F(RestartQuery, SystemStartsTheControlPanelByFullPathAndCloses) {
    user.Click(Button("System"));
    ASSERT_EQ(shell.startedPrograms.size(), 1u);
    EXPECT_EQ(shell.startedPrograms[0],
              (platform::RecordingShell::StartProgramCall{
                  "\"C:\\Windows\\System32\\rundll32.exe\" shell32.dll,Control_RunDLL sysdm.cpl,,1", 1}));
    EXPECT_TRUE(shell.restartDialogs.empty());
    EXPECT_TRUE(runtime.ProgramEnded());
}

TEST_F(RestartQuery, SystemDirectoryWithATrailingBackslashGivesTheSameCommandLine) {
    shell.systemDirectory = "D:\\WINNT\\system32\\";
    user.Click(Button("System"));
    ASSERT_EQ(shell.startedPrograms.size(), 1u);
    EXPECT_EQ(shell.startedPrograms[0].commandLine,
              "\"D:\\WINNT\\system32\\rundll32.exe\" shell32.dll,Control_RunDLL sysdm.cpl,,1");
}

TEST_F(RestartQuery, CancelAndTheCloseBoxDoNothingButClose) {
    user.Click(Button("Cancel"));
    EXPECT_TRUE(shell.restartDialogs.empty());
    EXPECT_TRUE(shell.startedPrograms.empty());
    EXPECT_TRUE(shell.executed.empty());
    EXPECT_TRUE(runtime.ProgramEnded());
}

TEST_F(RestartQuery, CloseBoxUnloadsLikeCancel) {
    user.Close(*Window<notices::RestartQuery>());
    EXPECT_TRUE(shell.restartDialogs.empty());
    EXPECT_TRUE(shell.startedPrograms.empty());
    EXPECT_TRUE(runtime.ProgramEnded());
}

// The read-failure notice left open keeps the program running after the prompt has gone.
TEST(RestartQueryWithNotice, OpenNoticeKeepsTheProgramRunning) {
    headless::HeadlessHost host;
    forms::FormsRuntime runtime{host};
    platform::MemoryRegistry registry;
    registry.FailOpen(kKey, platform::registry_status::kNotFound);
    platform::CodePage1252 codePage;
    platform::RecordingShell shell;
    startup::Program program{runtime, {registry, codePage, shell, {1, 0, 41}}};
    HeadlessDriver user;
    program.Main("");
    registry.FailOpen(kKey, 0);
    user.Click(program.Editor().Command1);
    auto* prompt = runtime.ExistingInstance<notices::RestartQuery>();
    ASSERT_NE(prompt, nullptr);
    user.Click(prompt->Get<forms::CommandButton>("Cancel"));
    EXPECT_FALSE(runtime.ProgramEnded());
    auto* notice = runtime.ExistingInstance<notices::ReadRegFail>();
    ASSERT_NE(notice, nullptr);
    ASSERT_TRUE(notice->Loaded());
    user.Click(notice->Get<forms::CommandButton>("Cancel"));
    EXPECT_TRUE(runtime.ProgramEnded());
}

}  // namespace
}  // namespace sarnex::testing
