// The checks before saving as plain functions of a record and the system facts: each finding with
// its numbers, and its absence, at the boundaries and for each disk type.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/value_layout.h"
#include "editor/save_checks.h"
#include "support/fixed_system_facts.h"

namespace sarnex::testing {
namespace {

using config::DriverConfiguration;
using Findings = std::vector<std::string>;
using State = platform::FileFacts::State;

constexpr std::uint64_t kFiveMegabytes = 5 * kMegabyte;
constexpr std::uint64_t kSmallFloppy = 1474560;
constexpr std::uint64_t kLargeFloppy = 2949120;

DriverConfiguration Disk(const std::string& type, std::int32_t pages = 1280) {
    DriverConfiguration settings;
    settings.DiskType = type;
    settings.SizeIn4kPages = pages;
    settings.LoadImageOnStart = 0;
    settings.SaveImageOnExit = 0;
    return settings;
}

// --- memory --------------------------------------------------------------------------------------

struct MemoryCase {
    const char* name;
    DriverConfiguration settings;
    std::uint64_t total, available;
    Findings expected;
};

class MemoryCheck : public ::testing::TestWithParam<MemoryCase> {};

TEST_P(MemoryCheck, ComparesTheDiskWithTotalAndAvailableMemory) {
    const MemoryCase& c = GetParam();
    FixedSystemFacts system;
    system.memory = {c.total, c.available, {}};
    EXPECT_EQ(editor::CheckSettings(c.settings, system), c.expected);
}

const MemoryCase kMemoryCases[] = {
    {"HardDiskExactlyAvailable", Disk("HDC"), 8 * kMegabyte, kFiveMegabytes, {}},
    {"HardDiskOneByteMoreThanAvailable", Disk("HDC"), 8 * kMegabyte, kFiveMegabytes - 1,
     {"The disk of 5 MB may not fit into the physical memory: 4 MB available now, of 8 MB in all."}},
    {"HardDiskExactlyTotal", Disk("HDC"), kFiveMegabytes, kFiveMegabytes - 1,
     {"The disk of 5 MB may not fit into the physical memory: 4 MB available now, of 5 MB in all."}},
    {"HardDiskOneByteMoreThanTotal", Disk("HDC"), kFiveMegabytes - 1, 3 * kMegabyte,
     {"The disk of 5 MB cannot fit into the physical memory: 4 MB in all, 3 MB available now."}},
    {"HardDiskWithAFraction", Disk("HDC", 1408), 6 * kMegabyte, 5 * kMegabyte + 524287,
     {"The disk of 5.5 MB may not fit into the physical memory: 5 MB available now, of 6 MB in all."}},
    {"LargeNumbersGrouped", Disk("HDC", 524288), 2047 * kMegabyte, 500 * kMegabyte,
     {"The disk of 2,048 MB cannot fit into the physical memory: 2,047 MB in all, 500 MB available now."}},
    {"EmptyTypeIsAHardDisk", Disk(""), 8 * kMegabyte, kFiveMegabytes - 1,
     {"The disk of 5 MB may not fit into the physical memory: 4 MB available now, of 8 MB in all."}},
    {"SmallFloppyExactlyAvailable", Disk("FDC14", 524288), 8 * kMegabyte, kSmallFloppy, {}},
    {"SmallFloppyOneByteMore", Disk("FDC14", 524288), 8 * kMegabyte, kSmallFloppy - 1,
     {"The disk of 1.40625 MB may not fit into the physical memory: 1 MB available now, of 8 MB in all."}},
    {"LargeFloppyExactlyTotal", Disk("FDC28", 524288), kLargeFloppy, 0,
     {"The disk of 2.8125 MB may not fit into the physical memory: 0 MB available now, of 2 MB in all."}},
    {"LargeFloppyOneByteMoreThanTotal", Disk("FDC28", 1), kLargeFloppy - 1, kLargeFloppy - 1,
     {"The disk of 2.8125 MB cannot fit into the physical memory: 2 MB in all, 2 MB available now."}},
    {"HardDiskWithoutSize", Disk("HDC", 0), 1, 0, {}},
};

INSTANTIATE_TEST_SUITE_P(Disks, MemoryCheck, ::testing::ValuesIn(kMemoryCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MemoryCheck, MemoryTheSystemCannotTellIsReported) {
    FixedSystemFacts system;
    system.memory = {0, 0, "Not enough quota."};
    EXPECT_EQ(editor::CheckSettings(Disk("FDC14"), system),
              Findings{"The disk of 1.40625 MB could not be checked against the physical memory: Not enough quota."});
}

// --- the image to load ---------------------------------------------------------------------------

constexpr const char* kImage = "D:\\Images\\disk.img";

struct LoadCase {
    const char* name;
    DriverConfiguration settings;
    std::int32_t ticked;
    std::optional<std::uint64_t> imageSize;  // none: the file is missing
    Findings expected;
};

class LoadImageCheck : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadImageCheck, FindsAMissingOrTooLargeImageOnlyWhenLoadingIsTicked) {
    const LoadCase& c = GetParam();
    FixedSystemFacts system;
    if (c.imageSize) system.AddFile(kImage, *c.imageSize);
    DriverConfiguration settings = c.settings;
    settings.LoadImageOnStart = c.ticked;
    settings.LoadImageFile = kImage;
    EXPECT_EQ(editor::CheckSettings(settings, system), c.expected);
}

const std::string kLoadImage = std::string("The image file to load, \"") + kImage + "\",";

const LoadCase kLoadCases[] = {
    {"UntickedMissing", Disk("HDC"), 0, std::nullopt, {}},
    {"UntickedTooLarge", Disk("HDC"), 0, kFiveMegabytes + 1, {}},
    {"Missing", Disk("HDC"), 1, std::nullopt, {kLoadImage + " does not exist."}},
    {"AnyFlagButZeroCounts", Disk("HDC"), 2, std::nullopt, {kLoadImage + " does not exist."}},
    {"HardDiskExactSize", Disk("HDC"), 1, kFiveMegabytes, {}},
    {"HardDiskOneByteLarger", Disk("HDC"), 1, kFiveMegabytes + 1,
     {kLoadImage + " is larger than the disk: 5,242,881 bytes against 5,242,880 bytes."}},
    {"SmallFloppyExactSize", Disk("FDC14"), 1, kSmallFloppy, {}},
    {"SmallFloppyOneByteLarger", Disk("FDC14"), 1, kSmallFloppy + 1,
     {kLoadImage + " is larger than the disk: 1,474,561 bytes against 1,474,560 bytes."}},
    {"LargeFloppyExactSize", Disk("FDC28", 1), 1, kLargeFloppy, {}},
    {"LargeFloppyOneByteLarger", Disk("FDC28", 1), 1, kLargeFloppy + 1,
     {kLoadImage + " is larger than the disk: 2,949,121 bytes against 2,949,120 bytes."}},
    {"HardDiskWithoutSize", Disk("HDC", 0), 1, kFiveMegabytes, {}},
};

INSTANTIATE_TEST_SUITE_P(Disks, LoadImageCheck, ::testing::ValuesIn(kLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LoadImageCheck, UnreadableOrUnnamedImages) {
    FixedSystemFacts system;
    system.files[kImage] = {State::Unreadable, 0, "Access denied."};
    DriverConfiguration settings = Disk("HDC");
    settings.LoadImageOnStart = 1;
    settings.LoadImageFile = kImage;
    EXPECT_EQ(editor::CheckSettings(settings, system),
              Findings{kLoadImage + " cannot be opened for reading: Access denied."});
    for (const std::optional<std::string>& name : {std::optional<std::string>(""), std::optional<std::string>()}) {
        settings.LoadImageFile = name;
        EXPECT_EQ(editor::CheckSettings(settings, system),
                  Findings{"Loading an image is ticked, but no image file is named."});
    }
}

// --- the image to save ---------------------------------------------------------------------------

constexpr const char* kFolder = "E:\\Saved\\";
constexpr const char* kSaveFile = "E:\\Saved\\ram.img";

struct SaveCase {
    const char* name;
    DriverConfiguration settings;
    std::int32_t ticked;
    std::optional<std::uint64_t> freeBytes;  // none: the folder is missing
    std::optional<std::uint64_t> oldImage;   // the image file there now
    Findings expected;
};

class SaveImageCheck : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveImageCheck, FindsAMissingFolderOrTooLittleRoomOnlyWhenSavingIsTicked) {
    const SaveCase& c = GetParam();
    FixedSystemFacts system;
    if (c.freeBytes) system.AddFolder(kFolder, *c.freeBytes);
    if (c.oldImage) system.AddFile(kSaveFile, *c.oldImage);
    DriverConfiguration settings = c.settings;
    settings.SaveImageOnExit = c.ticked;
    settings.SaveImageFile = kSaveFile;
    EXPECT_EQ(editor::CheckSettings(settings, system), c.expected);
}

const std::string kTooLittleRoom = "The disk of 5 MB is larger than the 4 MB free on the volume of \"E:\\Saved\\\"";
const std::string kCouldNotSave = ", so the driver could not save its image.";

const SaveCase kSaveCases[] = {
    {"UntickedMissingFolder", Disk("HDC"), 0, std::nullopt, std::nullopt, {}},
    {"UntickedTooLittleRoom", Disk("HDC"), 0, 1, std::nullopt, {}},
    {"MissingFolder", Disk("HDC"), 1, std::nullopt, std::nullopt,
     {"The folder \"E:\\Saved\\\" for the image file to save does not exist."}},
    {"HardDiskExactlyTheFreeSpace", Disk("HDC"), 1, kFiveMegabytes, std::nullopt, {}},
    {"HardDiskOneByteMore", Disk("HDC"), 1, kFiveMegabytes - 1, std::nullopt, {kTooLittleRoom + kCouldNotSave}},
    {"OldImageRoomCounts", Disk("HDC"), 1, 3 * kMegabyte, 2 * kMegabyte, {}},
    {"OldImageOneByteShort", Disk("HDC"), 1, 3 * kMegabyte, 2 * kMegabyte - 1,
     {"The disk of 5 MB is larger than the 3 MB free on the volume of \"E:\\Saved\\\" and the 1 MB of the image "
      "file there now" +
      kCouldNotSave}},
    {"SmallFloppyExactly", Disk("FDC14"), 1, kSmallFloppy, std::nullopt, {}},
    {"SmallFloppyOneByteMore", Disk("FDC14"), 1, kSmallFloppy - 1, std::nullopt,
     {"The disk of 1.40625 MB is larger than the 1 MB free on the volume of \"E:\\Saved\\\"" + kCouldNotSave}},
    {"LargeFloppyOneByteMore", Disk("FDC28"), 1, kLargeFloppy - 1, std::nullopt,
     {"The disk of 2.8125 MB is larger than the 2 MB free on the volume of \"E:\\Saved\\\"" + kCouldNotSave}},
    {"HardDiskWithoutSize", Disk("HDC", 0), 1, 0, std::nullopt, {}},
};

INSTANTIATE_TEST_SUITE_P(Disks, SaveImageCheck, ::testing::ValuesIn(kSaveCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SaveImageCheck, NamesAndFoldersTheSystemCannotReach) {
    FixedSystemFacts system;
    DriverConfiguration settings = Disk("HDC");
    settings.SaveImageOnExit = 1;
    const auto check = [&](const std::string& file) {
        settings.SaveImageFile = file;
        return editor::CheckSettings(settings, system);
    };
    EXPECT_EQ(check(""), Findings{"Saving an image is ticked, but no image file is named."});
    EXPECT_EQ(check("ram.img"), Findings{}) << "a bare name's folder is the driver's to choose";
    EXPECT_EQ(check("E:/Saved/ram.img"),
              Findings{"The folder \"E:/Saved/\" for the image file to save does not exist."});
    system.folders["\\\\server\\share\\"] = {platform::FolderFacts::State::Unreachable, "The network path was not found."};
    EXPECT_EQ(check("\\\\server\\share\\ram.img"),
              Findings{"The folder \"\\\\server\\share\\\" for the image file to save cannot be reached: The network "
                       "path was not found."});
    system.folders[kFolder] = {platform::FolderFacts::State::Exists, {}};
    EXPECT_EQ(check(kSaveFile), Findings{"The free space on the volume of \"E:\\Saved\\\" could not be determined: "
                                         "No such volume."});
}

// --- all at once, and the question ---------------------------------------------------------------

TEST(SettingsCheck, FindingsComeInOrderAndTheQuestionListsThemOneALine) {
    FixedSystemFacts system;
    system.memory = {16 * kMegabyte, kFiveMegabytes - 1, {}};
    DriverConfiguration settings = Disk("HDC");
    settings.LoadImageOnStart = 1;
    settings.LoadImageFile = "";
    settings.SaveImageOnExit = 1;
    settings.SaveImageFile = "";
    const Findings findings = editor::CheckSettings(settings, system);
    EXPECT_EQ(findings, (Findings{"The disk of 5 MB may not fit into the physical memory: 4 MB available now, of 16 "
                                  "MB in all.",
                                  "Loading an image is ticked, but no image file is named.",
                                  "Saving an image is ticked, but no image file is named."}));
    EXPECT_EQ(editor::SettingsCheckQuestion(findings),
              findings[0] + "\n" + findings[1] + "\n" + findings[2] + "\n\nSave these settings anyway?");
}

// --- changed meanwhile ---------------------------------------------------------------------------

DriverConfiguration FullRecord() {
    DriverConfiguration r = Disk("HDC", 16384);
    r.LoadImageFile = "C:\\disk.img";
    r.SaveImageFile = "C:\\save.img";
    r.AutoSaveEnabled = 1;
    r.DiskFormatFAT32 = 1;
    r.AutoSaveTrigger = 15;
    r.UserDriveLetter = 16777234;
    r.MakeTempDir = 1;
    r.UseDiskLabel = 1;
    r.DiskLabel = "RAMDISK";
    return r;
}

TEST(ChangedValues, EachValueThatDiffersIsNamedInWritingOrder) {
    const DriverConfiguration reference = FullRecord();
    EXPECT_TRUE(editor::ChangedValues(reference, reference).empty());
    for (const config::ValueId id : config::kWritingOrder) {
        const config::ValueLayout& layout = config::LayoutOf(id);
        SCOPED_TRACE(std::string(layout.name));
        DriverConfiguration changed = reference;
        DriverConfiguration vanished = reference;
        if (layout.text) {
            changed.*layout.text = *(reference.*layout.text) + "x";
            vanished.*layout.text = std::nullopt;
        } else {
            changed.*layout.number = *(reference.*layout.number) + 1;
            vanished.*layout.number = std::nullopt;
        }
        const std::vector<std::string_view> one{layout.name};
        EXPECT_EQ(editor::ChangedValues(reference, changed), one);
        EXPECT_EQ(editor::ChangedValues(reference, vanished), one);
        EXPECT_EQ(editor::ChangedValues(vanished, reference), one) << "a value that appeared";
    }
    DriverConfiguration two = reference;
    two.DiskLabel = "OTHER";
    two.AutoSaveEnabled = 0;
    two.DiskFormatFAT32 = 0;
    const std::vector<std::string_view> names = editor::ChangedValues(reference, two);
    EXPECT_EQ(names, (std::vector<std::string_view>{"AutoSaveEnabled", "DiskFormatFAT32", "DiskLabel"}));
    EXPECT_EQ(editor::SettingsChangedQuestion(names),
              "Since these settings were read, another program has changed:\nAutoSaveEnabled\nDiskFormatFAT32\n"
              "DiskLabel\n\nReplace them with the settings shown here?");
}

TEST(AdoptWrittenValues, TakesWhatWasStoredAndKeepsWhatWasNot) {
    const DriverConfiguration loaded = FullRecord();
    DriverConfiguration written = loaded;
    written.DiskLabel = "NEW";
    written.SizeIn4kPages = 1280;
    written.MakeTempDir = 0;
    using Reason = config::UnwrittenValue::Reason;
    const config::WriteOutcome partly{0, {{config::ValueId::SizeIn4kPages, Reason::SetFailed, 5},
                                          {config::ValueId::DiskLabel, Reason::NotStorable}}};

    DriverConfiguration reference = loaded;
    editor::AdoptWrittenValues(reference, written, config::WriteOutcome{2, {}});
    EXPECT_EQ(reference, loaded) << "nothing was written when the key did not open";

    editor::AdoptWrittenValues(reference, written, partly);
    DriverConfiguration expected = loaded;
    expected.MakeTempDir = 0;
    EXPECT_EQ(reference, expected);

    editor::AdoptWrittenValues(reference, written, config::WriteOutcome{});
    EXPECT_EQ(reference, written);
}

}  // namespace
}  // namespace sarnex::testing
