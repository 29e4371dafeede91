// The command line: command words, options and settings, and the usage errors.
#include <gtest/gtest.h>

#include "ctl/arguments.h"

namespace sarnex::ctl {
namespace {

// The parsed command in short ("set dry-run size=64"), or "error: " and the message.
std::string Summary(const std::vector<std::string>& arguments) {
    const auto parsed = ParseArguments(arguments);
    if (const auto* error = std::get_if<UsageError>(&parsed)) return "error: " + error->message;
    const Command& c = std::get<Command>(parsed);
    static const char* const kWords[] = {"help", "version", "show", "set", "check", "export", "import"};
    std::string text = kWords[static_cast<int>(c.kind)];
    if (c.json) text += " json";
    if (c.dryRun) text += " dry-run";
    for (const Assignment& a : c.assignments) text += " " + std::string(SettingOf(a.setting).name) + "=" + a.value;
    if (!c.file.empty()) text += " file=" + c.file;
    return text;
}

struct Case {
    std::vector<std::string> arguments;
    std::string expected;
};

TEST(CtlArguments, CommandsOptionsSettingsAndUsageErrors) {
    const std::string seeHelp = "; nothing was changed (see sarnexctl --help)";
    const Case cases[] = {
        {{}, "error: no command given" + seeHelp},
        {{"show", "--HELP"}, "help"},
        {{"/?"}, "help"},
        {{"set", "nonsense", "--version"}, "version"},
        {{"SHOW", "--Json"}, "show json"},
        {{"check"}, "check"},
        {{"show", "--dry-run"}, "error: show takes no option \"--dry-run\"" + seeHelp},
        {{"check", "now"}, "error: check takes no \"now\"" + seeHelp},
        {{"frobnicate"}, "error: unknown command \"frobnicate\"" + seeHelp},
        {{"set"}, "error: set needs at least one SETTING=VALUE" + seeHelp},
        {{"set", "Size=64", "FAT32=on", "--dry-run", "Load-File="}, "set dry-run size=64 fat32=on load-file="},
        {{"set", "label=Off", "letter=e", "autosave=off", "size=-2.5"}, "set label=Off letter=e autosave=off size=-2.5"},
        {{"set", "size"}, "error: expected SETTING=VALUE, not \"size\"" + seeHelp},
        {{"set", "colour=red"}, "error: no setting is called \"colour\"" + seeHelp},
        {{"set", "size=64MB"}, "error: size is a number of MB, not \"64MB\"" + seeHelp},
        {{"set", "size=."}, "error: size is a number of MB, not \".\"" + seeHelp},
        {{"set", "size=6.x"}, "error: size is a number of MB, not \"6.x\"" + seeHelp},
        {{"set", "autosave=soon"}, "error: autosave is off or a number of seconds, not \"soon\"" + seeHelp},
        {{"set", "type=Hard"}, "error: type is hard, floppy1.44 or floppy2.88, not \"Hard\"" + seeHelp},
        {{"set", "letter=EF"}, "error: letter is auto or one letter from D to Z, not \"EF\"" + seeHelp},
        {{"set", "fat32=yes"}, "error: fat32 is on or off, not \"yes\"" + seeHelp},
        {{"set", "size=8", "SIZE=9"}, "error: size is given twice" + seeHelp},
        {{"export"}, "error: export needs exactly one FILE" + seeHelp},
        {{"export", "a.reg", "b.reg"}, "error: export needs exactly one FILE" + seeHelp},
        {{"import", "C:\\x.reg", "--dry-run"}, "import dry-run file=C:\\x.reg"},
    };
    for (const Case& c : cases) EXPECT_EQ(Summary(c.arguments), c.expected) << ::testing::PrintToString(c.arguments);
}

}  // namespace
}  // namespace sarnex::ctl
