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
    user.Click(Editor().webLink);
    EXPECT_EQ(shell.requests, std::vector<std::string>{"open web page " + Editor().webLink.Caption()});
    EXPECT_EQ(Editor().webLink.Caption(), editor::kWebAddress);
}

TEST_F(WebLink, EachClickMakesAFreshRequestAndChangesNothingElse) {
    Start();
    user.Retype(Editor().volumeLabelBox, "EDITED");
    const auto before = ControlStates(Editor());
    const auto shownBefore = host.ShownForms();
    registry.ClearOperations();
    for (int i = 0; i < 3; ++i) user.Click(Editor().webLink);
    EXPECT_EQ(shell.requests, std::vector<std::string>(3, "open web page " + std::string(editor::kWebAddress)));
    EXPECT_EQ(ControlStates(Editor()), before);
    EXPECT_EQ(host.ShownForms(), shownBefore);
    EXPECT_TRUE(registry.Operations().empty());
    EXPECT_TRUE(IsLoaded<editor::Editor>());
}

TEST_F(WebLink, WorksBesideTheReadFailureNotice) {
    registry.FailOpen(kKey, platform::registry_status::kNotFound);
    Start();
    user.Click(Editor().webLink);
    EXPECT_EQ(shell.requests.size(), 1u);
    EXPECT_TRUE(IsLoaded<notices::RegistryReadFailedNotice>());
}

}  // namespace
}  // namespace sarnex::testing
