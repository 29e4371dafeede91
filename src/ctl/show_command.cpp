// show and check: the key as the editor would load it, and what is wrong with it.
#include "ctl/check.h"
#include "ctl/commands.h"
#include "ctl/json.h"
#include "ctl/settings.h"
#include "ctl/value_text.h"

namespace sarnex::ctl {
namespace {

// Reads the key and loads it into the editor; nothing when the key cannot be read.
std::optional<Inspection> Inspected(const Services& services, Outcome& failure) {
    Inspection inspection = Inspect(services.registry, services.codePage, services.systemFacts);
    if (!inspection.stored.Opened()) {
        failure = Failed(exit_code::kRegistry, "cannot read " + std::string(kKeyPath) + ": " +
                                                   RegistryFailure(inspection.stored.openStatus) +
                                                   "; nothing was changed");
        return std::nullopt;
    }
    return inspection;
}

std::string JsonProblems(const std::vector<Finding>& findings) {
    std::string json = "[";
    for (std::size_t i = 0; i < findings.size(); ++i) json += (i ? "," : "") + JsonString(findings[i].text);
    return json + "]";
}

std::string ShowJson(const Inspection& inspection) {
    std::string json = "{\"settings\":{";
    const auto texts = SettingTexts(inspection.Record());
    for (std::size_t i = 0; i < texts.size(); ++i)
        json += (i ? "," : "") + JsonString(Settings()[i].name) + ":" + JsonString(texts[i]);
    json += "},\"values\":{";
    for (std::size_t i = 0; i < config::kWritingOrder.size(); ++i) {
        const config::ValueId id = config::kWritingOrder[i];
        const platform::StoredValue* value = inspection.stored.Find(id);
        json += (i ? "," : "") + JsonString(config::ValueName(id)) + ":";
        json += value ? "{\"type\":" + JsonString(platform::TypeName(value->type)) + ",\"hex\":" +
                            JsonString(HexBytes(value->data, "")) + "}"
                      : "null";
    }
    return json + "},\"problems\":" + JsonProblems(inspection.findings) + "}\n";
}

std::string ShowText(const Inspection& inspection) {
    std::vector<std::pair<std::string, std::string>> rows;
    const auto texts = SettingTexts(inspection.Record());
    for (std::size_t i = 0; i < texts.size(); ++i) rows.emplace_back(Settings()[i].name, texts[i]);
    std::string text = "Settings, as the editor shows them:\n" + Columns(rows, "  ");
    text += "Stored values in " + std::string(kKeyPath) + ":\n";
    rows.clear();
    for (const config::ValueId id : config::kWritingOrder) {
        const platform::StoredValue* value = inspection.stored.Find(id);
        std::string type = value ? platform::TypeName(value->type) : "(absent)";
        // Type names line up in 11 columns; a longer one (none is exactly 11) keeps one blank.
        if (value) type += std::string(type.size() < 11 ? 11 - type.size() : 1, ' ') + HexBytes(value->data);
        rows.emplace_back(config::ValueName(id), type);
        for (const Finding& finding : inspection.findings)
            if (finding.value == id) rows.emplace_back("  ! " + finding.text, "");
    }
    for (const Finding& finding : inspection.findings)
        if (!finding.value) rows.emplace_back("! " + finding.text, "");
    return text + Columns(rows, "  ");
}

}  // namespace

Outcome ShowCommand(const Command& command, const Services& services) {
    Outcome outcome;
    const auto inspection = Inspected(services, outcome);
    if (!inspection) return outcome;
    outcome.out = command.json ? ShowJson(*inspection) : ShowText(*inspection);
    return outcome;
}

Outcome CheckCommand(const Command& command, const Services& services) {
    Outcome outcome;
    const auto inspection = Inspected(services, outcome);
    if (!inspection) return outcome;
    const auto& findings = inspection->findings;
    outcome.exitCode = findings.empty() ? exit_code::kSuccess : exit_code::kFound;
    const auto note = FastStartupNote(services.registry);
    if (command.json) {
        outcome.out = "{\"problems\":" + JsonProblems(findings) + ",\"notes\":[" + (note ? JsonString(*note) : "") + "]}\n";
        return outcome;
    }
    if (findings.empty()) outcome.out = "No problems found in " + std::string(kKeyPath) + ".\n";
    for (const Finding& finding : findings) outcome.out += finding.text + "\n";
    if (note) outcome.out += "note: " + *note + "\n";
    return outcome;
}

}  // namespace sarnex::ctl
