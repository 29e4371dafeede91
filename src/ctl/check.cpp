#include "ctl/check.h"

#include "config/registry_record.h"
#include "config/value_conversions.h"
#include "ctl/value_text.h"
#include "editor/limits.h"
#include "editor/save_checks.h"

namespace sarnex::ctl {
namespace {

using config::ValueId;

bool IsFlag(ValueId id) {
    return id == ValueId::LoadImageOnStart || id == ValueId::SaveImageOnExit || id == ValueId::AutoSaveEnabled ||
           id == ValueId::DiskFormatFAT32 || id == ValueId::MakeTempDir || id == ValueId::UseDiskLabel;
}

std::optional<std::string> OutOfRange(ValueId id, std::int32_t number, const config::DriverConfiguration& read) {
    if (IsFlag(id) && number != 0 && number != 1) return "a flag is 0 or 1, not " + std::to_string(number);
    if (id == ValueId::UserDriveLetter && !DriveLetterWords(number)) return "it is not a drive letter from D to Z";
    const bool hardDisk = read.DiskType && config::DiskTypeIndexFromCode(*read.DiskType) == 0;
    const double megabytes = number / 256.0;
    if (id == ValueId::SizeIn4kPages && hardDisk &&
        (megabytes < editor::kSmallestDiskSize || megabytes > editor::kLargestDiskSize))
        return ExactMegabytes(number) + " MB is outside 5 to 2048 MB";
    const double seconds = static_cast<double>(number) * 4;  // a multiple of 4: never 32767 itself
    if (id == ValueId::AutoSaveTrigger &&
        (seconds < editor::kShortestAutoSaveInterval || seconds > editor::kLongestAutoSaveInterval))
        return TriggerSeconds(number) + " seconds is outside 20 to 32767 seconds";
    return std::nullopt;
}

// The first thing wrong with a stored value, if anything; `read` is what the editor reads.
std::optional<std::string> Problem(ValueId id, const platform::StoredValue* value,
                                   const config::DriverConfiguration& read) {
    if (value == nullptr) return "it is absent";
    const config::ValueLayout& layout = LayoutOf(id);
    if (value->type != layout.type) return "it is a " + TypeName(value->type) + ", not a " + TypeName(layout.type);
    if (layout.number) {
        if (!WellFormedNumber(*value)) return "it has " + std::to_string(value->data.size()) + " bytes, not 4";
        if (auto outOfRange = OutOfRange(id, *(read.*layout.number), read)) return outOfRange;
        // Loading sets the TEMP directory and the label after image loading, and each unticks it.
        if (id == ValueId::LoadImageOnStart && read.LoadImageOnStart == 1 && read.MakeTempDir == 1)
            return "the TEMP directory excludes loading an image";
        if (id == ValueId::LoadImageOnStart && read.LoadImageOnStart == 1 && read.UseDiskLabel == 1)
            return "a disk label excludes loading an image";
        return std::nullopt;
    }
    if (!WellFormedText(*value)) return "it is not a plain text ending in one zero character";
    if (!(read.*layout.text)) return "it is longer than the 254 characters the editor reads";
    if (id == ValueId::DiskType && !config::DiskTypeIndexFromCode(*read.DiskType))
        return "\"" + *read.DiskType + "\" is not one of the disk types HDC, FDC14, FDC28";
    if (id == ValueId::DiskType && read.DiskType->empty()) return "it is empty, which the editor takes as a hard disk";
    return std::nullopt;
}

}  // namespace

std::vector<Finding> StoredValueFindings(const StoredKey& stored, const config::DriverConfiguration& loaded,
                                         const platform::CodePage& codePage) {
    std::vector<Finding> findings;
    for (const ValueId id : config::kLoadingOrder) {
        const platform::StoredValue* value = stored.Find(id);
        const bool storable = !config::EncodeValue(loaded, id, codePage).problem;
        std::optional<platform::StoredValue> saved;
        if (storable) saved = StoredFormOf(loaded, id, codePage);
        const bool changes = !saved || !Holds(value, *saved);
        std::optional<std::string> problem = Problem(id, value, stored.record);
        if (!problem && changes) problem = "the editor reads it otherwise than it stands";
        if (!problem) continue;
        std::string text = std::string(config::ValueName(id)) + ": " + *problem;
        if (!saved) text += "; the editor cannot save it";
        else if (changes) text += "; the editor would save " + StoredWords(id, &*saved);
        findings.push_back({id, *problem, std::move(text)});
    }
    return findings;
}

std::vector<Finding> StartFindings(const config::DriverConfiguration& settings, const platform::SystemFacts& system) {
    std::vector<Finding> findings;
    for (std::string& text : editor::CheckSettings(settings, system)) findings.push_back({std::nullopt, text, text});
    return findings;
}

std::vector<Finding> Check(const StoredKey& stored, const config::DriverConfiguration& loaded,
                           const platform::CodePage& codePage, const platform::SystemFacts& system) {
    std::vector<Finding> findings = StoredValueFindings(stored, loaded, codePage);
    for (Finding& finding : StartFindings(loaded, system)) findings.push_back(std::move(finding));
    return findings;
}

}  // namespace sarnex::ctl
