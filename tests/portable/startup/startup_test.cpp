// Start-up: the command word, compared whole and case-sensitively, picks the one window shown and
// whether "OK", which saves and closes the editor, offers the restart.
#include "portable/program.h"

namespace sarnex::testing {
namespace {

struct WordCase {
    std::string word;
    std::string window;
    bool offersRestart;
};

const WordCase kWords[] = {
    {"", "Editor", true},           {"install", "Editor", false},     {"install ", "Editor", true},
    {" install", "Editor", true},   {"Install", "Editor", true},      {"INSTALL", "Editor", true},
    {"install x", "Editor", true},  {"settings", "Editor", true},     {"BADLOAD", "Editor", true},
    {"nomem ", "Editor", true},     {"badload", "ImageLoadFailedNotice", true},
    {"nomem", "OutOfMemoryNotice", true},
};

TEST(Startup, EachWordShowsExactlyOneWindow) {
    for (const WordCase& c : kWords) {
        SCOPED_TRACE("\"" + c.word + "\"");
        FreshProgram p;
        p.program.Start(c.word);
        EXPECT_EQ(p.host.ShownForms(), std::vector<std::string>{c.window});
        EXPECT_EQ(p.runtime.LoadedForms().size(), 1u);
        EXPECT_EQ(p.program.OffersRestart(), c.offersRestart);
        if (c.window != "Editor") {
            EXPECT_TRUE(p.registry.Operations().empty()) << "a driver notice reads no registry";
            EXPECT_EQ(p.Window<editor::Editor>(), nullptr);
            continue;
        }
        p.user.Retype(p.Editor().volumeLabelBox, "OK");
        p.user.Click(p.Editor().okButton);
        EXPECT_EQ(p.Stored("DiskLabel"), Text("OK"));
        EXPECT_FALSE(p.Editor().Loaded());
        EXPECT_EQ(p.runtime.ProgramEnded(), !c.offersRestart);
        EXPECT_EQ(p.IsLoaded<notices::RestartPrompt>(), c.offersRestart) << "the prompt follows the editor";
    }
}

TEST(Startup, AnInstallRunWithTheKeyMissingShowsTheReadNoticeToo) {
    FreshProgram p(std::nullopt);
    p.Start("install");
    EXPECT_FALSE(p.program.OffersRestart());
    EXPECT_EQ(p.host.ShownForms(), (std::vector<std::string>{"RegistryReadFailedNotice", "Editor"}));
}

}  // namespace
}  // namespace sarnex::testing
