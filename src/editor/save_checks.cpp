#include "editor/save_checks.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>

#include "config/value_conversions.h"

namespace sarnex::editor {
namespace {

using platform::FileFacts;
using platform::FolderFacts;

constexpr std::uint64_t kMegabyte = 1048576;
constexpr std::uint64_t kPageBytes = 4096;
constexpr std::uint64_t kSmallFloppyBytes = 1474560;  // 1.44 MB floppy
constexpr std::uint64_t kLargeFloppyBytes = 2949120;  // 2.88 MB floppy

// The disk's size in bytes as the driver makes it: a floppy by its type, a hard disk by its size.
// None for a hard disk whose size is absent or not positive, which nothing can be compared with.
std::optional<std::uint64_t> DiskBytes(const config::DriverConfiguration& settings) {
    const std::string type = settings.DiskType.value_or("");
    if (type == "FDC14") return kSmallFloppyBytes;
    if (type == "FDC28") return kLargeFloppyBytes;
    if (!settings.SizeIn4kPages || *settings.SizeIn4kPages <= 0) return std::nullopt;
    return static_cast<std::uint64_t>(*settings.SizeIn4kPages) * kPageBytes;
}

// 1474560 -> "1,474,560"; the digits before a point only.
std::string Grouped(std::string digits) {
    for (std::size_t end = std::min(digits.find('.'), digits.size()); end > 3; end -= 3) digits.insert(end - 3, ",");
    return digits;
}
std::string Grouped(std::uint64_t number) { return Grouped(std::to_string(number)); }

std::string Bytes(std::uint64_t number) { return Grouped(number) + " bytes"; }

// The disk's size in MB with every decimal it has ("5.5 MB", "1.40625 MB"); a disk is whole pages.
std::string ExactMegabytes(std::uint64_t bytes) {
    return Grouped(config::ExactMegabytes(static_cast<std::int64_t>(bytes / kPageBytes))) + " MB";
}

// Memory and free space in whole MB, rounded down, so that a room one byte too small never shows
// as large as the disk.
std::string WholeMegabytes(std::uint64_t bytes) { return Grouped(bytes / kMegabyte) + " MB"; }

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// The folder of a full file name, with its last separator ("C:\images\" of "C:\images\disk.img").
std::string FolderOf(const std::string& file) { return file.substr(0, file.find_last_of("\\/") + 1); }

// A flag the driver may take as set: the editor stores only 0 and 1, other programs may not.
bool Ticked(const std::optional<std::int32_t>& flag) { return flag.value_or(0) != 0; }

void CheckMemory(std::uint64_t disk, const platform::SystemFacts& system, std::vector<std::string>& findings) {
    const platform::PhysicalMemory memory = system.Memory();
    const std::string diskText = "The disk of " + ExactMegabytes(disk);
    if (!memory.failure.empty()) {
        findings.push_back(diskText + " could not be checked against the physical memory: " + memory.failure);
        return;
    }
    const std::string total = WholeMegabytes(memory.total);
    const std::string available = WholeMegabytes(memory.available);
    if (disk > memory.total)
        findings.push_back(diskText + " cannot fit into the physical memory: " + total + " in all, " + available +
                           " available now.");
    else if (disk > memory.available)
        findings.push_back(diskText + " may not fit into the physical memory: " + available + " available now, of " +
                           total + " in all.");
}

// Whether a name says where it is whatever the current folder: "C:\..." or "\\server\share\...".
bool IsFullPath(const std::string& file) {
    const std::string_view head = std::string_view(file).substr(0, 3);
    const bool drive = head.size() == 3 && std::isalpha(static_cast<unsigned char>(head[0])) && head[1] == ':' &&
                       (head[2] == '\\' || head[2] == '/');
    return drive || file.starts_with("\\\\") || file.starts_with("//");
}

// The image file an option names when it is ticked; a ticked option without a name, or with one
// that cannot be an image file, is a finding.
std::optional<std::string> TickedImageFile(const std::optional<std::int32_t>& tick,
                                           const std::optional<std::string>& file, const char* doing,
                                           const char* which, std::vector<std::string>& findings) {
    if (!Ticked(tick)) return std::nullopt;
    if (file.value_or("").empty()) {
        findings.push_back(std::string(doing) + " an image is ticked, but no image file is named.");
        return std::nullopt;
    }
    const std::string image = std::string("The image file ") + which + ", " + Quoted(*file) + ",";
    if (file->back() == ' ') {
        findings.push_back(image + " ends in a blank, which Windows drops from file names; remove it.");
    } else if (file->back() == '\\' || file->back() == '/') {
        findings.push_back(image + " names a folder; name the image file in it.");
    } else if (!IsFullPath(*file)) {
        findings.push_back(image + " is not a full path such as C:\\images\\disk.img; the driver starts before any "
                           "folder is current.");
    } else {
        return file;
    }
    return std::nullopt;
}

void CheckImageToLoad(const config::DriverConfiguration& settings, std::optional<std::uint64_t> disk,
                      const platform::SystemFacts& system, std::vector<std::string>& findings) {
    const auto named = TickedImageFile(settings.LoadImageOnStart, settings.LoadImageFile, "Loading", "to load", findings);
    if (!named) return;
    const std::string& file = *named;
    const std::string image = "The image file to load, " + Quoted(file) + ",";
    const FileFacts facts = system.File(file);
    if (facts.state == FileFacts::State::Missing) {
        findings.push_back(image + " does not exist.");
    } else if (facts.state == FileFacts::State::Unreadable) {
        findings.push_back(image + " cannot be opened for reading: " + facts.failure);
    } else if (disk && facts.size > *disk) {
        findings.push_back(image + " is larger than the disk: " + Bytes(facts.size) + " against " + Bytes(*disk) +
                           ".");
    }
}

void CheckImageToSave(const config::DriverConfiguration& settings, std::optional<std::uint64_t> disk,
                      const platform::SystemFacts& system, std::vector<std::string>& findings) {
    const auto file = TickedImageFile(settings.SaveImageOnExit, settings.SaveImageFile, "Saving", "to save", findings);
    if (!file) return;
    const auto folder = FolderOf(*file);
    const std::string folderText = "The folder " + Quoted(folder) + " for the image file to save";
    const FolderFacts facts = system.Folder(folder);
    if (facts.state == FolderFacts::State::Missing) {
        findings.push_back(folderText + " does not exist.");
        return;
    }
    if (facts.state == FolderFacts::State::Unreachable) {
        findings.push_back(folderText + " cannot be reached: " + facts.failure);
        return;
    }
    if (!disk) return;
    const platform::FreeSpace space = system.FreeSpaceFor(folder);
    const std::string volume = "the volume of " + Quoted(folder);
    if (!space.failure.empty()) {
        findings.push_back("The free space on " + volume + " could not be determined: " + space.failure);
        return;
    }
    // The image file there now is overwritten, so its room counts as free.
    const FileFacts existing = system.File(*file);
    const std::uint64_t reusable = existing.state == FileFacts::State::Readable ? existing.size : 0;
    if (*disk <= space.bytes + reusable) return;
    std::string finding = "The disk of " + ExactMegabytes(*disk) + " is larger than the " +
                          WholeMegabytes(space.bytes) + " free on " + volume;
    if (reusable != 0) finding += " and the " + WholeMegabytes(reusable) + " of the image file there now";
    findings.push_back(finding + ", so the driver could not save its image.");
}

// A letter held by anything but a RAM disk, which is taken to be this one, cannot be the RAM disk's.
void CheckDriveLetter(const config::DriverConfiguration& settings, const platform::SystemFacts& system,
                      std::vector<std::string>& findings) {
    if (settings.DiskType != "HDC" || !settings.UserDriveLetter) return;
    const auto bits = static_cast<std::uint32_t>(*settings.UserDriveLetter);
    const std::uint32_t index = bits & 0xFF;
    if ((bits >> 24) == 0 || index < 3 || index > 25) return;
    const char letter = static_cast<char>('A' + index);
    using Kind = platform::DriveLetterHolder::Kind;
    const platform::DriveLetterHolder holder = system.DriveLetter(letter);
    if (holder.kind == Kind::Free || holder.kind == Kind::RamDisk) return;
    std::string what;
    if (holder.device.starts_with("\\??\\")) {
        what = "a SUBST of " + Quoted(holder.device.substr(4));
    } else {
        switch (holder.kind) {
            case Kind::Removable: what = "a removable drive"; break;
            case Kind::Fixed: what = "a local disk"; break;
            case Kind::Network: what = "a network drive"; break;
            case Kind::CdRom: what = "a CD or DVD drive"; break;
            default: what = "a drive"; break;
        }
        if (!holder.device.empty()) what += " (" + holder.device + ")";
    }
    findings.push_back("The drive letter " + std::string(1, letter) + ": is already taken by " + what +
                       ", so the driver could not give it to the RAM disk; choose another letter.");
}

}  // namespace

std::vector<std::string> CheckSettings(const config::DriverConfiguration& settings,
                                       const platform::SystemFacts& system) {
    std::vector<std::string> findings;
    const auto disk = DiskBytes(settings);
    if (disk) CheckMemory(*disk, system, findings);
    CheckImageToLoad(settings, disk, system, findings);
    CheckImageToSave(settings, disk, system, findings);
    CheckDriveLetter(settings, system, findings);
    return findings;
}

std::string SettingsCheckQuestion(const std::vector<std::string>& findings) {
    std::string text;
    for (const std::string& finding : findings) text += finding + "\n";
    return text + "\nSave these settings anyway?";
}

}  // namespace sarnex::editor
