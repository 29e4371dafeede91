// The command line: command words, options and settings, the usage errors, help and version.
#include "ctl/arguments.h"
#include "ctl_fixture.h"

namespace sarnex::testing {
namespace {

// The parsed command in short ("set dry-run size=64"), or "error: " and the message before its common ending.
std::string Summary(const std::vector<std::string>& arguments) {
    const auto parsed = ctl::ParseArguments(arguments);
    if (const auto* error = std::get_if<ctl::UsageError>(&parsed)) {
        const std::string ending = "; nothing was changed (see sarnexctl --help)";
        EXPECT_TRUE(error->message.ends_with(ending)) << error->message;
        return "error: " + error->message.substr(0, error->message.size() - ending.size());
    }
    const ctl::Command& c = std::get<ctl::Command>(parsed);
    std::string text = std::array{"help", "version", "show", "set", "check", "export", "import"}[int(c.kind)];
    text += std::string(c.json ? " json" : "") + (c.dryRun ? " dry-run" : "");
    for (const auto& a : c.assignments) text += " " + std::string(ctl::SettingOf(a.setting).name) + "=" + a.value;
    return c.file.empty() ? text : text + " file=" + c.file;
}

TEST(CtlArguments, CommandsOptionsSettingsAndUsageErrors) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "error: no command given"},
        {{"show", "--HELP"}, "help"},
        {{"/?"}, "help"},
        {{"set", "nonsense", "--version"}, "version"},
        {{"SHOW", "--Json"}, "show json"},
        {{"show", "--dry-run"}, "error: show takes no option \"--dry-run\""},
        {{"check", "now"}, "error: check takes no \"now\""},
        {{"frobnicate"}, "error: unknown command \"frobnicate\""},
        {{"set", "Size=64", "FAT32=on", "--dry-run", "Load-File="}, "set dry-run size=64 fat32=on load-file="},
        {{"set", "label=Off", "letter=e", "autosave=off", "size=-2.5"}, "set label=Off letter=e autosave=off size=-2.5"},
        {{"set", "size"}, "error: expected SETTING=VALUE, not \"size\""},
        {{"set", "colour=red"}, "error: no setting is called \"colour\""},
        {{"set", "size=64MB"}, "error: size is a number of MB, not \"64MB\""},
        {{"set", "size=."}, "error: size is a number of MB, not \".\""},
        {{"set", "size=6.x"}, "error: size is a number of MB, not \"6.x\""},
        {{"set", "autosave=soon"}, "error: autosave is off or a number of seconds, not \"soon\""},
        {{"set", "type=Hard"}, "error: type is hard, floppy1.44 or floppy2.88, not \"Hard\""},
        {{"set", "letter=EF"}, "error: letter is auto or one letter from D to Z, not \"EF\""},
        {{"set", "fat32=yes"}, "error: fat32 is on or off, not \"yes\""},
        {{"set", "size=8", "SIZE=9"}, "error: size is given twice"},
        {{"export", "a.reg", "b.reg"}, "error: export needs exactly one FILE"},
        {{"import", "C:\\x.reg", "--dry-run"}, "import dry-run file=C:\\x.reg"},
    };
    for (const auto& [arguments, expected] : cases)
        EXPECT_EQ(Summary(arguments), expected) << ::testing::PrintToString(arguments);
}

TEST_F(CtlTest, UsageErrorsHelpAndVersion) {
    const ctl::Outcome usage = Run("set");
    EXPECT_EQ(usage.err, "sarnexctl: set needs at least one SETTING=VALUE; nothing was changed (see sarnexctl --help)\n");
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_EQ(Run("--version").out, "sarnexctl 1.0.7\n");
    const std::string help = Run("-h").out;
    for (const char* line : {"sarnexctl 1.0.7: ", "\n  sarnexctl check [--json]                    problems in the",
                             "\n  letter      auto, or D ... Z (a hard disk only)\n", "\n  2  usage error, or a bad"})
        EXPECT_NE(help.find(line), std::string::npos) << line;
}

}  // namespace
}  // namespace sarnex::testing
