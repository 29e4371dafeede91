// The product web-page link: one shell request per click, nothing else touched.
#include "editor/editor_design.h"
#include "portable/editor/program_fixture.h"

namespace sarnex::testing {
namespace {

class WebLink : public ProgramTest {
protected:
    void SetUp() override { StoredRecord{}.StoreIn(registry); }
};

TEST_F(WebLink, ClickAsksTheShellToOpenTheAddressShownByTheLabel) {
    Start();
    user.Click(Editor().Label8);
    const platform::ShellExecuteRequest expected{.operation = "Open", .file = editor::kWebAddress,
                                                 .parameters = std::nullopt, .directory = std::nullopt,
                                                 .showCommand = 1};
    ASSERT_EQ(shell.executed.size(), 1u);
    EXPECT_EQ(shell.executed[0], expected);
    EXPECT_EQ(shell.executed[0].file, Editor().Label8.Caption());
    EXPECT_TRUE(shell.restartDialogs.empty());
    EXPECT_TRUE(shell.startedPrograms.empty());
}

TEST_F(WebLink, EachClickMakesAFreshRequestAndChangesNothingElse) {
    Start();
    user.Retype(Editor().DiskLabelText, "EDITED");
    const auto before = ControlStates(Editor());
    const auto shownBefore = host.ShownForms();
    registry.ClearOperations();
    for (int i = 0; i < 3; ++i) user.Click(Editor().Label8);
    EXPECT_EQ(shell.executed.size(), 3u);
    EXPECT_EQ(shell.executed[2], shell.executed[0]);
    EXPECT_EQ(ControlStates(Editor()), before);
    EXPECT_EQ(host.ShownForms(), shownBefore);
    EXPECT_TRUE(registry.Operations().empty());
    EXPECT_TRUE(IsLoaded<editor::Editor>());
}

TEST_F(WebLink, WorksBesideTheReadFailureNotice) {
    registry.FailOpen(kKey, platform::registry_status::kNotFound);
    Start();
    user.Click(Editor().Label8);
    EXPECT_EQ(shell.executed.size(), 1u);
    EXPECT_TRUE(IsLoaded<notices::ReadRegFail>());
}

}  // namespace
}  // namespace sarnex::testing
