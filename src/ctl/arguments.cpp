#include "ctl/arguments.h"

#include "ctl/ascii.h"
#include "ctl/word_list.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace sarnex::ctl {
namespace {

struct CommandWord {
    std::string_view word;
    CommandKind kind;
    std::array<std::string_view, 2> options;  // the options it takes
};

constexpr std::array<CommandWord, 6> kWords = {{
    {"show", CommandKind::Show, {"--json"}},
    {"set", CommandKind::Set, {"--dry-run", "--strict"}},
    {"init", CommandKind::Init, {}},
    {"check", CommandKind::Check, {"--json"}},
    {"export", CommandKind::Export, {}},
    {"import", CommandKind::Import, {"--dry-run", "--strict"}},
}};

UsageError Usage(std::string message) { return {std::move(message) + "; nothing was changed (see sarnexctl --help)"}; }

std::variant<Assignment, UsageError> ParseAssignment(const std::string& operand) {
    const auto equals = operand.find('=');
    if (equals == std::string::npos) return Usage("expected SETTING=VALUE, not \"" + operand + "\"");
    const Setting* setting = FindSetting(std::string_view(operand).substr(0, equals));
    if (setting == nullptr) return Usage("no setting is called \"" + operand.substr(0, equals) + "\"");
    std::string value = operand.substr(equals + 1);
    if (auto refusal = RefuseValue(setting->id, value)) return Usage(*refusal);
    return Assignment{setting->id, std::move(value)};
}

}  // namespace

std::variant<Command, UsageError> ParseArguments(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        const std::string lower = AsciiLower(argument);
        if (lower == "--help" || lower == "-h" || lower == "/?") return Command{CommandKind::Help};
        if (lower == "--version") return Command{CommandKind::Version};
    }
    if (arguments.empty()) return Usage("no command given");
    const std::string word = AsciiLower(arguments.front());
    const auto found = std::find_if(kWords.begin(), kWords.end(), [&](const CommandWord& w) { return w.word == word; });
    if (found == kWords.end()) return Usage("unknown command \"" + arguments.front() + "\"");

    Command command{found->kind};
    std::vector<std::string> operands;
    for (auto it = arguments.begin() + 1; it != arguments.end(); ++it) {
        const std::string lower = AsciiLower(*it);
        if (command.kind == CommandKind::Set && lower.starts_with("--words=")) {
            // Words from the text are operands only: an option inside it is refused as a setting.
            auto words = SplitWords(std::string_view(*it).substr(8));
            if (const auto* error = std::get_if<WordListError>(&words)) return Usage("--words: " + error->message);
            for (std::string& word : std::get<std::vector<std::string>>(words)) operands.push_back(std::move(word));
        } else if (!lower.starts_with("--")) {
            operands.push_back(*it);
        } else if (std::find(found->options.begin(), found->options.end(), lower) == found->options.end()) {
            return Usage(std::string(found->word) + " takes no option \"" + *it + "\"");
        } else {
            command.json |= lower == "--json";
            command.dryRun |= lower == "--dry-run";
            command.strict |= lower == "--strict";
        }
    }

    switch (command.kind) {
        case CommandKind::Set:
            if (operands.empty()) return Usage("set needs at least one SETTING=VALUE");
            for (const std::string& operand : operands) {
                auto parsed = ParseAssignment(operand);
                if (auto* error = std::get_if<UsageError>(&parsed)) return *error;
                const Assignment& assignment = std::get<Assignment>(parsed);
                const bool twice = std::any_of(command.assignments.begin(), command.assignments.end(),
                                               [&](const Assignment& a) { return a.setting == assignment.setting; });
                if (twice) return Usage(std::string(SettingOf(assignment.setting).name) + " is given twice");
                command.assignments.push_back(assignment);
            }
            break;
        case CommandKind::Export:
        case CommandKind::Import:
            if (operands.size() != 1) return Usage(std::string(found->word) + " needs exactly one FILE");
            command.file = operands.front();
            break;
        default:
            if (!operands.empty()) return Usage(std::string(found->word) + " takes no \"" + operands.front() + "\"");
    }
    return command;
}

}  // namespace sarnex::ctl
