#include "ctl/run.h"

#include <algorithm>

#include "ctl/commands.h"
#include "ctl/settings.h"
#include "ctl/stored_key.h"

namespace sarnex::ctl {
namespace {

std::string VersionText(const platform::ProgramVersion& v) {
    return "sarnexctl " + std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.revision);
}

std::string Help(const platform::ProgramVersion& version) {
    std::string text = VersionText(version) +
                       ": the Sarnex RAM disk's settings from the command line, with the editor's rules.\n"
                       "The driver reads them from " + std::string(kKeyPath) + " when it starts.\n\n"
                       "Commands:\n";
    text += Columns({{"sarnexctl show [--json]", "the settings as the editor would show them, and the stored values"},
                     {"sarnexctl set SETTING=VALUE... [--dry-run] [--strict]", "change settings as the editor window would"},
                     {"sarnexctl set --words=TEXT [--dry-run] [--strict]", "the same words in one text; 'quote' a value with blanks"},
                     {"sarnexctl init", "create the key with the editor's defaults, if it is missing"},
                     {"sarnexctl check [--json]", "problems in the stored settings"},
                     {"sarnexctl export FILE", "the key as a .reg file"},
                     {"sarnexctl import FILE [--dry-run] [--strict]", "a .reg file into the key"},
                     {"sarnexctl --help | --version", ""}},
                    "  ");
    text += "\nSettings (names in any case; applied in the window's order, top to bottom):\n";
    std::vector<std::pair<std::string, std::string>> settings;
    for (const Setting& setting : Settings()) settings.emplace_back(setting.name, setting.values);
    text += Columns(settings, "  ");
    text += "\nset prints every stored value that changes, with the rule that changed it, and writes\n"
            "nothing when a setting is refused or a value cannot be stored; a value the editor cannot\n"
            "read stays as stored. --dry-run writes nothing; --strict writes nothing when check would\n"
            "find something in the result. Writing needs an elevated prompt (Run as administrator);\n"
            "show, check and export work for any user. On 64-bit Windows the key is the one 64-bit\n"
            "regedit shows, not the one under Wow6432Node.\n"
            "\nExit codes:\n";
    text += Columns({{"0", "success"},
                     {"1", "check found something (also set and import with --strict)"},
                     {"2", "usage error, or a bad input file"},
                     {"3", "registry error"},
                     {"4", "no right to write the settings: run from an elevated prompt"},
                     {"5", "internal error"}},
                    "  ");
    return text;
}

}  // namespace

Outcome Failed(int exitCode, const std::string& message) { return {exitCode, "", "sarnexctl: " + message + "\n"}; }

std::string RegistryFailure(platform::RegistryStatus status) {
    const std::string code = " (error " + std::to_string(status) + ")";
    switch (status) {
        case platform::registry_status::kNotFound: return "it does not exist" + code;
        case platform::registry_status::kAccessDenied: return "access is denied" + code;
        default: return "the registry refused" + code;
    }
}

std::string Columns(const std::vector<std::pair<std::string, std::string>>& rows, std::string_view indent) {
    std::size_t width = 0;
    for (const auto& row : rows)
        if (!row.second.empty()) width = std::max(width, row.first.size());
    std::string text;
    for (const auto& [first, second] : rows) {
        std::string line = std::string(indent) + first;
        if (!second.empty()) line += std::string(width - first.size() + 2, ' ') + second;
        text += line + "\n";
    }
    return text;
}

namespace {

Outcome Dispatch(const std::vector<std::string>& arguments, const Services& services) {
    auto parsed = ParseArguments(arguments);
    if (const auto* error = std::get_if<UsageError>(&parsed)) return Failed(exit_code::kUsage, error->message);
    const Command& command = std::get<Command>(parsed);
    switch (command.kind) {
        case CommandKind::Help: return {exit_code::kSuccess, Help(services.version), ""};
        case CommandKind::Version: return {exit_code::kSuccess, VersionText(services.version) + "\n", ""};
        case CommandKind::Show: return ShowCommand(command, services);
        case CommandKind::Check: return CheckCommand(command, services);
        case CommandKind::Set:
        case CommandKind::Init: return SetCommand(command, services);
        case CommandKind::Export: return ExportCommand(command, services);
        case CommandKind::Import: return ImportCommand(command, services);
    }
    return {};
}

}  // namespace

Outcome Run(const std::vector<std::string>& arguments, const Services& services) {
    try {
        return Dispatch(arguments, services);
    } catch (const std::exception& e) {
        return Failed(exit_code::kInternal, std::string("internal error: ") + e.what() + "; report it, with the command");
    } catch (...) {
        return Failed(exit_code::kInternal, "internal error of an unknown kind; report it, with the command");
    }
}

}  // namespace sarnex::ctl
