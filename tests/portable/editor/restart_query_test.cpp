// The restart prompt after "OK": each button does its one thing and closes the prompt.
#include "portable/editor/program_fixture.h"

namespace sarnex::testing {
namespace {

class RestartPromptTest : public ProgramTest {
protected:
    void SetUp() override {
        StoredRecord{}.StoreIn(registry);
        Start();
        user.Click(Editor().okButton);
        ASSERT_TRUE(IsLoaded<notices::RestartPrompt>());
    }
    notices::RestartPrompt& Prompt() { return *Window<notices::RestartPrompt>(); }
};

TEST_F(RestartPromptTest, ShownAfterOkWithItsTitle) {
    EXPECT_EQ(Prompt().Caption(), "Settings Saved");
    EXPECT_EQ(host.ShownForms(), std::vector<std::string>{"RestartPrompt"});
    EXPECT_TRUE(shell.requests.empty());
}

TEST_F(RestartPromptTest, RestartOffersTheSystemsRestartAndCloses) {
    user.Click(Prompt().restartButton);
    EXPECT_EQ(shell.requests, std::vector<std::string>{"offer restart"});
    EXPECT_TRUE(runtime.ProgramEnded());
}

TEST_F(RestartPromptTest, SystemOpensTheSystemPropertiesAndCloses) {
    user.Click(Prompt().systemButton);
    EXPECT_EQ(shell.requests, std::vector<std::string>{"open system properties"});
    EXPECT_TRUE(runtime.ProgramEnded());
}

TEST_F(RestartPromptTest, CancelOnlyCloses) {
    user.Click(Prompt().cancelButton);
    EXPECT_TRUE(shell.requests.empty());
    EXPECT_TRUE(runtime.ProgramEnded());
}

TEST_F(RestartPromptTest, CloseBoxUnloadsLikeCancel) {
    user.Close(Prompt());
    EXPECT_TRUE(shell.requests.empty());
    EXPECT_TRUE(runtime.ProgramEnded());
}

// The read-failure notice left open keeps the program running after the prompt has gone.
TEST(RestartPromptWithNotice, OpenNoticeKeepsTheProgramRunning) {
    headless::HeadlessHost host;
    forms::FormsRuntime runtime{host};
    testing::MemoryRegistry registry;
    registry.FailOpen(kKey, platform::registry_status::kNotFound);
    testing::CodePage1252 codePage;
    testing::RecordingShell shell;
    startup::Program program{runtime, {registry, codePage, shell, {1, 0, 41}}};
    HeadlessDriver user;
    program.Start("");
    registry.FailOpen(kKey, 0);
    user.Click(program.Editor().okButton);
    auto* prompt = runtime.ExistingInstance<notices::RestartPrompt>();
    ASSERT_NE(prompt, nullptr);
    user.Click(prompt->cancelButton);
    EXPECT_FALSE(runtime.ProgramEnded());
    auto* notice = runtime.ExistingInstance<notices::RegistryReadFailedNotice>();
    ASSERT_NE(notice, nullptr);
    ASSERT_TRUE(notice->Loaded());
    user.Click(notice->cancelButton);
    EXPECT_TRUE(runtime.ProgramEnded());
}

}  // namespace
}  // namespace sarnex::testing
