// The notices and the restart prompt: each button does its one thing and closes only its own
// window; the program ends when no window is left.
#include <functional>

#include "editor/editor_design.h"
#include "portable/program.h"

namespace sarnex::testing {
namespace {

TEST(Notices, TheDriversNoticesEndTheRunWithTheirButton) {
    for (const auto& [word, title] : {std::pair{"badload", "Sarnex Image Load Error"}, {"nomem", "Sarnex Memory Allocation Error"}}) {
        FreshProgram p;
        p.program.Start(word);
        ASSERT_EQ(p.runtime.LoadedForms().size(), 1u);
        auto& notice = dynamic_cast<notices::ClosingNotice&>(*p.runtime.LoadedForms()[0]);
        EXPECT_EQ(notice.Caption(), title);
        p.user.Click(notice.closeButton);
        EXPECT_TRUE(p.runtime.ProgramEnded()) << word;
    }
}

// Opened after "OK", with the editor already gone.
struct Prompted : FreshProgram {
    explicit Prompted(const std::optional<StoredValues>& values = TypicalRecord()) : FreshProgram(values) {
        Start();
        registry.AddKey(kKey);  // a key missing at start is back for the save
        user.Click(Editor().okButton);
    }
    notices::RestartPrompt& Prompt() { return *Window<notices::RestartPrompt>(); }
};

TEST(Notices, EachButtonOfTheRestartPromptMakesItsOneRequestAndCloses) {
    const struct {
        std::function<void(Prompted&)> press;
        std::vector<std::string> requests;
    } cases[] = {
        {[](Prompted& p) { p.user.Click(p.Prompt().restartButton); }, {"offer restart"}},
        {[](Prompted& p) { p.user.Click(p.Prompt().systemButton); }, {"open system properties"}},
        {[](Prompted& p) { p.user.Click(p.Prompt().cancelButton); }, {}},
        {[](Prompted& p) { p.user.Close(p.Prompt()); }, {}},
    };
    for (const auto& c : cases) {
        Prompted p;
        ASSERT_TRUE(p.IsLoaded<notices::RestartPrompt>());
        EXPECT_EQ(p.Prompt().Caption(), "Settings Saved");
        EXPECT_TRUE(p.shell.requests.empty());
        c.press(p);
        EXPECT_EQ(p.shell.requests, c.requests);
        EXPECT_TRUE(p.runtime.ProgramEnded());
    }
}

// A notice left open keeps the program running after the prompt has gone.
TEST(Notices, AnOpenNoticeKeepsTheProgramRunning) {
    Prompted p(std::nullopt);
    ASSERT_TRUE(p.IsLoaded<notices::RegistryReadFailedNotice>());
    p.user.Click(p.Prompt().cancelButton);
    EXPECT_FALSE(p.runtime.ProgramEnded());
    p.user.Click(p.Window<notices::RegistryReadFailedNotice>()->closeButton);
    EXPECT_TRUE(p.runtime.ProgramEnded());
}

// Each click on the link asks the shell afresh and changes nothing else, beside a notice too.
TEST(Notices, TheWebLinkOnlyAsksTheShell) {
    for (const bool keyMissing : {false, true}) {
        FreshProgram p(keyMissing ? std::nullopt : std::optional(TypicalRecord()));
        editor::Editor& e = p.Start();
        p.user.Retype(e.volumeLabelBox, "EDITED");
        const auto before = StatesOf(e);
        const auto shown = p.host.ShownForms();
        p.registry.ClearOperations();
        for (int i = 0; i < 3; ++i) p.user.Click(e.webLink);
        EXPECT_EQ(p.shell.requests, std::vector<std::string>(3, "open web page " + std::string(editor::kWebAddress)));
        EXPECT_EQ(e.webLink.Caption(), editor::kWebAddress);
        EXPECT_EQ(StatesOf(e), before);
        EXPECT_EQ(p.host.ShownForms(), shown);
        EXPECT_TRUE(p.registry.Operations().empty());
    }
}

}  // namespace
}  // namespace sarnex::testing
