// export and import: the whole key to and from a .reg file, byte for byte.
#include "config/registry_record.h"
#include "ctl/check.h"
#include "ctl/commands.h"
#include "ctl/reg_file.h"
#include "ctl/stored_key.h"

namespace sarnex::ctl {
namespace {

std::string Notation(const platform::StoredValue* value) { return value ? DataNotation(*value) : "(absent)"; }

}  // namespace

Outcome ExportCommand(const Command& command, const Services& services) {
    const StoredKey stored = ReadStoredKey(services.registry, services.codePage);
    if (!stored.Opened())
        return Failed(exit_code::kRegistry, "cannot read " + std::string(kKeyPath) + ": " +
                                                RegistryFailure(stored.openStatus) + "; no file was written");
    if (const auto error = services.files.Write(command.file, WriteRegFile(stored.values)))
        return Failed(exit_code::kUsage, "cannot write " + command.file + ": " + *error + "; the registry was not changed");
    return {exit_code::kSuccess,
            "Exported " + std::to_string(stored.values.size()) + " values of " + std::string(kKeyPath) + " to " +
                command.file + ".\n",
            ""};
}

Outcome ImportCommand(const Command& command, const Services& services) {
    const std::string unchanged = "; nothing was written to " + std::string(kKeyPath);
    if (command.file.empty()) return Failed(exit_code::kUsage, "import needs the name of a .reg file, not an empty one" + unchanged);
    std::vector<std::byte> contents;
    if (const auto error = services.files.Read(command.file, contents))
        return Failed(exit_code::kUsage, "cannot read " + command.file + ": " + *error + unchanged);
    auto parsed = ParseRegFile(contents, services.codePage);
    if (const auto* error = std::get_if<RegSyntaxError>(&parsed))
        return Failed(exit_code::kUsage, command.file + ", line " + std::to_string(error->line) + ", column " +
                                             std::to_string(error->column) + ": " + error->message + unchanged);
    std::vector<RegEntry> entries;

    const StoredKey stored = ReadStoredKey(services.registry, services.codePage);
    const bool newKey = stored.openStatus == platform::registry_status::kNotFound;
    if (!stored.Opened() && !newKey)
        return Failed(exit_code::kRegistry,
                      "cannot read " + std::string(kKeyPath) + ": " + RegistryFailure(stored.openStatus) + unchanged);
    // A new key starts from the editor's defaults, as set and init make it, so that a file with some
    // of the values leaves a key the editor can read and save.
    if (newKey)
        for (platform::StoredValue& value : DefaultValues(services.codePage, services.systemFacts))
            entries.push_back({value.name, std::move(value)});
    for (RegEntry& entry : std::get<std::vector<RegEntry>>(parsed)) entries.push_back(std::move(entry));

    // The file's entries in order; a later entry for the same name wins, as in regedit.
    std::vector<const RegEntry*> changes;
    std::vector<std::pair<std::string, std::string>> rows;
    StoredKey now = stored;  // as the key stands after each entry
    for (const RegEntry& entry : entries) {
        const platform::StoredValue* current = now.Find(entry.name);
        if (entry.value ? Holds(current, *entry.value) : current == nullptr) continue;
        rows.emplace_back(entry.name.empty() ? "@" : entry.name,
                          Notation(current) + " -> " + (entry.value ? DataNotation(*entry.value) : "(deleted)"));
        changes.push_back(&entry);
        if (current) now.values.erase(now.values.begin() + (current - now.values.data()));
        if (entry.value) now.values.push_back(*entry.value);
    }
    Outcome outcome;
    if (newKey) outcome.out = std::string(kKeyPath) + " does not exist: import creates it with the editor's defaults.\n";
    outcome.out += Columns(rows, "");
    if (changes.empty()) {
        outcome.out += "Nothing changes; nothing was written.\n";
        return outcome;
    }
    // The key as the file would leave it, looked at before anything is written.
    headless::MemoryRegistry imported(services.codePage);
    LoadKey(imported, now.values);
    std::string checked;
    const Inspection inspection = Inspect(imported, services.codePage, services.systemFacts);
    for (const Finding& finding : inspection.findings) checked += "check: " + finding.text + "\n";
    if (command.strict && !inspection.findings.empty())
        return {exit_code::kFound, outcome.out + checked,
                "sarnexctl: --strict: check finds the settings above" + unchanged + "\n"};
    if (command.dryRun) {
        outcome.out += "Dry run: nothing was written.\n" + checked;
        return outcome;
    }
    if (newKey) {
        if (const auto status = services.registry.CreateKey(config::kDriverKey); status != 0)
            return Failed(status == platform::registry_status::kAccessDenied ? exit_code::kNoRight : exit_code::kRegistry,
                          "cannot create " + std::string(kKeyPath) + ": " + RegistryFailure(status) + unchanged);
    }
    auto [status, key] = platform::RegistryKey::Open(services.registry, config::kDriverKey, platform::KeyAccess::Set);
    if (status == platform::registry_status::kAccessDenied)
        return Failed(exit_code::kNoRight, "no right to write " + std::string(kKeyPath) +
                                               ": run sarnexctl from an elevated prompt (Run as administrator)" + unchanged);
    if (!key.IsOpen())
        return Failed(exit_code::kRegistry,
                      "cannot write " + std::string(kKeyPath) + ": " + RegistryFailure(status) + unchanged);
    std::vector<std::string> written;
    for (const RegEntry* change : changes) {
        const platform::RegistryStatus result = change->value ? key.SetStored(*change->value) : key.Delete(change->name);
        if (result == platform::registry_status::kSuccess ||
            (!change->value && result == platform::registry_status::kNotFound)) {
            written.push_back(change->name);
            continue;
        }
        const std::vector<std::string> stuck = Restore(services.registry, stored, written);
        std::string message = "cannot write " + change->name + ": " + RegistryFailure(result);
        if (stuck.empty()) return Failed(exit_code::kRegistry, message + "; the values already written were put back" + unchanged);
        for (const std::string& name : stuck) message += "; " + name + " could not be put back";
        return Failed(exit_code::kRegistry, message);
    }
    outcome.out += "Imported " + std::to_string(changes.size()) + (changes.size() == 1 ? " change" : " changes") +
                   " into " + std::string(kKeyPath) + ".\n" + checked;
    if (const auto note = FastStartupNote(services.registry)) outcome.out += "note: " + *note + "\n";
    return outcome;
}

}  // namespace sarnex::ctl
