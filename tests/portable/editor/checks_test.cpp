// The checks before saving: settings and system facts -> findings with their numbers, and the
// editor's questions, what No keeps and what Yes writes, values changed by another program meanwhile.
#include <functional>

#include "config/value_layout.h"
#include "editor/save_checks.h"
#include "portable/program.h"

namespace sarnex::testing {
namespace {

using config::DriverConfiguration;
using Findings = std::vector<std::string>;
using Facts = std::function<void(FixedSystemFacts&)>;
using platform::FileFacts;
using platform::FolderFacts;

constexpr std::uint64_t kMB = kMegabyte, k5MB = 5 * kMegabyte, kSmall = 1474560, kLarge = 2949120;
const std::string kImage = "D:\\disk.img", kSaved = "E:\\Saved\\ram.img";

DriverConfiguration Disk(const std::string& type, std::int32_t pages = 1280, std::int32_t load = 0, std::int32_t save = 0) {
    return {.DiskType = type, .LoadImageFile = kImage, .SaveImageFile = kSaved, .LoadImageOnStart = load,
            .SaveImageOnExit = save, .SizeIn4kPages = pages};
}
Facts Memory(std::uint64_t total, std::uint64_t available) {
    return [=](FixedSystemFacts& f) { f.memory = {total, available, {}}; };
}
Facts Image(std::uint64_t size) { return [=](FixedSystemFacts& f) { f.AddFile(kImage, size); }; }
Facts Room(std::uint64_t free, std::uint64_t oldImage = 0) {
    return [=](FixedSystemFacts& f) {
        f.AddFolder("E:\\Saved\\", free);
        if (oldImage != 0) f.AddFile(kSaved, oldImage);
    };
}
const Facts kNothing = [](FixedSystemFacts&) {};
const std::string kLoad = "The image file to load, \"D:\\disk.img\",";
const std::string kNoRoom = " free on the volume of \"E:\\Saved\\\", so the driver could not save its image.";

const struct {
    const char* name;
    DriverConfiguration settings;
    Facts facts;
    Findings expected;
} kCases[] = {
    {"exactly the memory available", Disk("HDC"), Memory(8 * kMB, k5MB), {}},
    {"a byte more than available", Disk("HDC"), Memory(8 * kMB, k5MB - 1),
     {"The disk of 5 MB may not fit into the physical memory: 4 MB available now, of 8 MB in all."}},
    {"exactly the total", Disk("HDC"), Memory(k5MB, k5MB - 1),
     {"The disk of 5 MB may not fit into the physical memory: 4 MB available now, of 5 MB in all."}},
    {"a byte more than the total", Disk("HDC"), Memory(k5MB - 1, 3 * kMB),
     {"The disk of 5 MB cannot fit into the physical memory: 4 MB in all, 3 MB available now."}},
    {"a size with a fraction", Disk("HDC", 1408), Memory(6 * kMB, k5MB + 524287),
     {"The disk of 5.5 MB may not fit into the physical memory: 5 MB available now, of 6 MB in all."}},
    {"large numbers grouped", Disk("HDC", 524288), Memory(2047 * kMB, 500 * kMB),
     {"The disk of 2,048 MB cannot fit into the physical memory: 2,047 MB in all, 500 MB available now."}},
    {"1.44 MB floppy exactly", Disk("FDC14", 524288), Memory(8 * kMB, kSmall), {}},
    {"1.44 MB floppy a byte more", Disk("FDC14", 524288), Memory(8 * kMB, kSmall - 1),
     {"The disk of 1.40625 MB may not fit into the physical memory: 1 MB available now, of 8 MB in all."}},
    {"2.88 MB floppy a byte more than the total", Disk("FDC28", 1), Memory(kLarge - 1, kLarge - 1),
     {"The disk of 2.8125 MB cannot fit into the physical memory: 2 MB in all, 2 MB available now."}},
    {"a hard disk without a size", Disk("HDC", 0, 1, 1), [](FixedSystemFacts& f) { f.memory = {1, 0, {}}; Image(1)(f); Room(0)(f); }, {}},
    {"memory unknown", Disk("FDC14"), [](FixedSystemFacts& f) { f.memory.failure = "Not enough quota."; },
     {"The disk of 1.40625 MB could not be checked against the physical memory: Not enough quota."}},
    {"image to load unticked and missing", Disk("HDC"), kNothing, {}},
    {"image to load missing", Disk("HDC", 1280, 1), kNothing, {kLoad + " does not exist."}},
    {"any flag but 0 counts", Disk("HDC", 1280, 2), kNothing, {kLoad + " does not exist."}},
    {"image exactly the disk's size", Disk("HDC", 1280, 1), Image(k5MB), {}},
    {"image a byte larger", Disk("HDC", 1280, 1), Image(k5MB + 1),
     {kLoad + " is larger than the disk: 5,242,881 bytes against 5,242,880 bytes."}},
    {"image a byte larger than a 1.44 MB floppy", Disk("FDC14", 1280, 1), Image(kSmall + 1),
     {kLoad + " is larger than the disk: 1,474,561 bytes against 1,474,560 bytes."}},
    {"image exactly a 2.88 MB floppy", Disk("FDC28", 1, 1), Image(kLarge), {}},
    {"image unreadable", Disk("HDC", 1280, 1),
     [](FixedSystemFacts& f) { f.files[kImage] = {FileFacts::State::Unreadable, 0, "Access denied."}; },
     {kLoad + " cannot be opened for reading: Access denied."}},
    {"image to load unnamed", {.DiskType = "HDC", .LoadImageFile = "", .LoadImageOnStart = 1, .SizeIn4kPages = 1280},
     kNothing, {"Loading an image is ticked, but no image file is named."}},
    {"image to save unticked, folder missing", Disk("HDC"), kNothing, {}},
    {"folder to save into missing", Disk("HDC", 1280, 0, 1), kNothing,
     {"The folder \"E:\\Saved\\\" for the image file to save does not exist."}},
    {"exactly the free space", Disk("HDC", 1280, 0, 1), Room(k5MB), {}},
    {"a byte more than the free space", Disk("HDC", 1280, 0, 1), Room(k5MB - 1),
     {"The disk of 5 MB is larger than the 4 MB" + kNoRoom}},
    {"the image there now counts as free", Disk("HDC", 1280, 0, 1), Room(3 * kMB, 2 * kMB), {}},
    {"and a byte short with it", Disk("HDC", 1280, 0, 1), Room(3 * kMB, 2 * kMB - 1),
     {"The disk of 5 MB is larger than the 3 MB free on the volume of \"E:\\Saved\\\" and the 1 MB of the image file "
      "there now, so the driver could not save its image."}},
    {"a 2.88 MB floppy a byte more than the free space", Disk("FDC28", 1280, 0, 1), Room(kLarge - 1),
     {"The disk of 2.8125 MB is larger than the 2 MB" + kNoRoom}},
    {"a bare name's folder is the driver's to choose", {.DiskType = "HDC", .SaveImageFile = "ram.img", .SaveImageOnExit = 1},
     kNothing, {}},
    {"a folder that cannot be reached", Disk("HDC", 1280, 0, 1),
     [](FixedSystemFacts& f) { f.folders["E:\\Saved\\"] = {FolderFacts::State::Unreachable, "The network path was not found."}; },
     {"The folder \"E:\\Saved\\\" for the image file to save cannot be reached: The network path was not found."}},
    {"free space unknown", Disk("HDC", 1280, 0, 1),
     [](FixedSystemFacts& f) { f.folders["E:\\Saved\\"] = {FolderFacts::State::Exists, {}}; },
     {"The free space on the volume of \"E:\\Saved\\\" could not be determined: No such volume."}},
    {"all three, in order", {.DiskType = "HDC", .LoadImageFile = "", .SaveImageFile = "", .LoadImageOnStart = 1,
                             .SaveImageOnExit = 1, .SizeIn4kPages = 1280},
     Memory(16 * kMB, k5MB - 1),
     {"The disk of 5 MB may not fit into the physical memory: 4 MB available now, of 16 MB in all.",
      "Loading an image is ticked, but no image file is named.", "Saving an image is ticked, but no image file is named."}},
};

TEST(Checks, SettingsAgainstTheMachine) {
    for (const auto& c : kCases) {
        FixedSystemFacts facts;
        c.facts(facts);
        EXPECT_EQ(editor::CheckSettings(c.settings, facts), c.expected) << c.name;
    }
    EXPECT_EQ(editor::SettingsCheckQuestion({"One.", "Two."}), "One.\nTwo.\n\nSave these settings anyway?");
}

TEST(Checks, ChangedValuesAndTheReferenceASaveLeaves) {
    const DriverConfiguration reference = Disk("HDC", 16384, 0, 1);
    for (const config::ValueId id : config::kWritingOrder) {
        const config::ValueLayout& layout = config::LayoutOf(id);
        DriverConfiguration changed = reference;
        if (layout.text) changed.*layout.text = "x";
        else changed.*layout.number = 7;
        const std::vector<std::string_view> one{layout.name};
        EXPECT_EQ(editor::ChangedValues(reference, changed), one);
        EXPECT_EQ(editor::ChangedValues(changed, reference), one) << "a value that appeared or vanished";
    }
    EXPECT_EQ(editor::SettingsChangedQuestion({"AutoSaveEnabled", "DiskLabel"}),
              "Since these settings were read, another program has changed:\nAutoSaveEnabled\nDiskLabel\n\n"
              "Replace them with the settings shown here?");

    DriverConfiguration written = reference;
    written.DiskLabel = "NEW";
    written.SizeIn4kPages = 1280;
    written.MakeTempDir = 0;
    DriverConfiguration adopted = reference;
    editor::AdoptWrittenValues(adopted, written, config::WriteOutcome{2, {}});
    EXPECT_EQ(adopted, reference) << "nothing was written when the key did not open";
    using Reason = config::UnwrittenValue::Reason;
    editor::AdoptWrittenValues(adopted, written, {0, {{config::ValueId::SizeIn4kPages, Reason::SetFailed, 5},
                                                     {config::ValueId::DiskLabel, Reason::NotStorable}}});
    DriverConfiguration expected = reference;
    expected.MakeTempDir = 0;
    EXPECT_EQ(adopted, expected);
}

// The typical record saves its image to C:\; with C:\ gone, every "OK" and "Save" finds that.
TEST(Checks, NoKeepsEveryEditAndWritesNothingYesSavesAsBefore) {
    for (const std::string word : {"", "install"}) {
        FreshProgram p;
        editor::Editor& e = p.Start(word);
        p.facts.folders.clear();
        p.user.Retype(e.volumeLabelBox, "EDITED");
        const auto before = StatesOf(e);
        for (forms::CommandButton* button : {&e.okButton, &e.saveButton}) {
            p.host.QueueAnswer(false);
            p.registry.ClearOperations();
            p.user.Click(*button);
            EXPECT_TRUE(p.registry.Operations().empty()) << "not even the key is read again";
            EXPECT_EQ(StatesOf(e), before);
        }
        const headless::HeadlessHost::Question asked{
            "Editor", "Sarnex Settings Check",
            "The folder \"C:\\\" for the image file to save does not exist.\n\nSave these settings anyway?"};
        EXPECT_EQ(p.host.Questions(), (std::vector{asked, asked}));
        p.host.QueueAnswer(true);
        p.user.Click(e.okButton);
        EXPECT_EQ(p.Stored("DiskLabel"), Text("EDITED"));
        EXPECT_EQ(p.IsLoaded<notices::RestartPrompt>(), word.empty());
    }
}

TEST(Checks, AValueChangedMeanwhileIsNamedAndOnlyYesReplacesIt) {
    FreshProgram p;
    editor::Editor& e = p.Start();
    StoreKey(p.registry, {{"DiskLabel", Text("OTHER")}, {"MakeTempDir", Number(0)}});
    p.host.QueueAnswer(false);
    p.user.Click(e.saveButton);
    EXPECT_EQ(p.host.Questions().back().text, "Since these settings were read, another program has changed:\n"
                                              "MakeTempDir\nDiskLabel\n\nReplace them with the settings shown here?");
    EXPECT_EQ(p.Stored("DiskLabel"), Text("OTHER"));
    p.host.QueueAnswer(true);
    p.user.Click(e.saveButton);
    EXPECT_EQ(p.Stored("DiskLabel"), Text("RAMDISK"));
    // What the editor wrote, even partly, is its own and no change next time; a key that cannot be
    // opened is no change either.
    p.registry.FailSet(kKey, "DiskLabel", platform::registry_status::kAccessDenied);
    p.user.Retype(e.volumeLabelBox, "THIRD");
    p.user.Click(e.tempDirCheck);
    p.user.Click(e.saveButton);
    p.registry.FailSet(kKey, "DiskLabel", 0);
    p.user.Click(e.saveButton);
    p.registry.FailOpen(kKey, platform::registry_status::kAccessDenied);
    p.user.Click(e.saveButton);
    EXPECT_EQ(p.host.Questions().size(), 2u);
    EXPECT_EQ(p.host.UnusedAnswers(), 0u);
}

TEST(Checks, TheCheckComesFirstAndTheKeyIsReadOnlyAfterIt) {
    FreshProgram p;
    editor::Editor& e = p.Start();
    p.facts.folders.clear();
    StoreKey(p.registry, {{"DiskLabel", Text("OTHER")}});
    p.host.QueueAnswer(true);
    p.host.QueueAnswer(false);
    p.registry.ClearOperations();
    p.user.Click(e.okButton);
    EXPECT_EQ(p.host.Log().back(), "ask Editor Sarnex Settings Changed");
    EXPECT_EQ(p.registry.Operations().size(), 15u) << "one reading pass, no write";
    EXPECT_TRUE(e.Loaded());
}

}  // namespace
}  // namespace sarnex::testing
