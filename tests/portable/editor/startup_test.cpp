// Start-up: the command word picks the one window shown and the restart flag.
#include "notices/driver_notices.h"
#include "portable/editor/program_fixture.h"

namespace sarnex::testing {
namespace {

using Kind = testing::RegistryOperation::Kind;

struct CommandCase {
    const char* label;
    std::string command;
    std::string window;
    std::int16_t flag;
    friend void PrintTo(const CommandCase& c, std::ostream* os) { *os << '"' << c.command << '"'; }
};

class Startup : public ProgramTest, public ::testing::WithParamInterface<CommandCase> {
protected:
    void SetUp() override { StoredRecord{}.StoreIn(registry); }
};

TEST_P(Startup, ShowsExactlyTheWindowTheWordCallsFor) {
    const CommandCase& c = GetParam();
    Start(c.command);
    EXPECT_EQ(host.ShownForms(), std::vector<std::string>{c.window});
    EXPECT_EQ(program.OffersRestart(), c.flag == 1);
    EXPECT_EQ(runtime.LoadedForms().size(), 1u);
    const auto& log = host.Log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "show " + c.window);
    EXPECT_EQ(log.back(), "refresh " + c.window) << "painted at once";
    if (c.window == "Editor") {
        EXPECT_EQ(Editor().diskSizeBox.Text(), " 64") << "the editor is filled from the registry";
        EXPECT_EQ(Operations(Kind::Query).size(), 13u);
    } else {
        EXPECT_TRUE(registry.Operations().empty()) << "a notice reads no registry";
    }
}

class StartupOk : public Startup {};

TEST_P(StartupOk, OkOffersTheRestartExactlyWhenTheFlagIsOne) {
    const CommandCase& c = GetParam();
    ASSERT_EQ(c.window, "Editor");
    Start(c.command);
    user.Click(Editor().okButton);
    EXPECT_EQ(IsLoaded<notices::RestartPrompt>(), c.flag == 1);
    EXPECT_EQ(runtime.ProgramEnded(), c.flag == 0);
}

const CommandCase kEditorWords[] = {
    {"Empty", "", "Editor", 1},
    {"Install", "install", "Editor", 0},
    {"InstallTrailingBlank", "install ", "Editor", 1},
    {"InstallLeadingBlank", " install", "Editor", 1},
    {"InstallCapitalised", "Install", "Editor", 1},
    {"InstallUpperCase", "INSTALL", "Editor", 1},
    {"InstallAndAWord", "install x", "Editor", 1},
    {"OtherWord", "settings", "Editor", 1},
    {"BadloadUpperCase", "BADLOAD", "Editor", 1},
    {"NomemTrailingBlank", "nomem ", "Editor", 1},
};
const CommandCase kNoticeWords[] = {
    {"Badload", "badload", "ImageLoadFailedNotice", 1},
    {"OutOfMemoryNotice", "nomem", "OutOfMemoryNotice", 1},
};

auto CaseName = [](const auto& info) { return std::string(info.param.label); };

INSTANTIATE_TEST_SUITE_P(EditorWords, Startup, ::testing::ValuesIn(kEditorWords), CaseName);
INSTANTIATE_TEST_SUITE_P(NoticeWords, Startup, ::testing::ValuesIn(kNoticeWords), CaseName);
INSTANTIATE_TEST_SUITE_P(EditorWords, StartupOk, ::testing::ValuesIn(kEditorWords), CaseName);

class StartupNotice : public ProgramTest {};

TEST_F(StartupNotice, BadloadButtonEndsTheProgram) {
    Start("badload");
    auto* notice = Window<notices::ImageLoadFailedNotice>();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->Caption(), "Sarnex Image Load Error");
    EXPECT_FALSE(runtime.ProgramEnded());
    user.Click(notice->okButton);
    EXPECT_TRUE(runtime.ProgramEnded());
    EXPECT_EQ(Window<editor::Editor>(), nullptr) << "the editor is never created";
    EXPECT_TRUE(registry.Operations().empty());
}

TEST_F(StartupNotice, NomemButtonEndsTheProgram) {
    Start("nomem");
    auto* notice = Window<notices::OutOfMemoryNotice>();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->Caption(), "Sarnex Memory Allocation Error");
    user.Click(notice->okButton);
    EXPECT_TRUE(runtime.ProgramEnded());
    EXPECT_EQ(Window<editor::Editor>(), nullptr);
    EXPECT_TRUE(registry.Operations().empty());
}

TEST_F(StartupNotice, InstallRunWithTheKeyMissingShowsTheReadNoticeToo) {
    registry.FailOpen(kKey, platform::registry_status::kNotFound);
    Start("install");
    EXPECT_FALSE(program.OffersRestart());
    EXPECT_EQ(host.ShownForms(), (std::vector<std::string>{"RegistryReadFailedNotice", "Editor"}));
}

}  // namespace
}  // namespace sarnex::testing
