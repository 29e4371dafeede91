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
    {"a byte more than the total", Disk("HDC"), Memory(k5MB - 1, 3 * kMB),
     {"The disk of 5 MB cannot fit into the physical memory: 4 MB in all, 3 MB available now."}},
    {"a size with a fraction", Disk("HDC", 1408), Memory(6 * kMB, k5MB + 524287),
     {"The disk of 5.5 MB may not fit into the physical memory: 5 MB available now, of 6 MB in all."}},
    {"large numbers grouped", Disk("HDC", 524288), Memory(2047 * kMB, 500 * kMB),
     {"The disk of 2,048 MB cannot fit into the physical memory: 2,047 MB in all, 500 MB available now."}},
    {"1.44 MB floppy a byte more", Disk("FDC14", 524288), Memory(8 * kMB, kSmall - 1),
     {"The disk of 1.40625 MB may not fit into the physical memory: 1 MB available now, of 8 MB in all."}},
    {"2.88 MB floppy exactly the memory available", Disk("FDC28", 1), Memory(8 * kMB, kLarge), {}},
    {"2.88 MB floppy a byte more than the total", Disk("FDC28", 1), Memory(kLarge - 1, kLarge - 1),
     {"The disk of 2.8125 MB cannot fit into the physical memory: 2 MB in all, 2 MB available now."}},
    {"a hard disk without a size", Disk("HDC", 0, 1, 1), [](FixedSystemFacts& f) { f.memory = {1, 0, {}}; Image(1)(f); Room(0)(f); }, {}},
    {"memory unknown", Disk("FDC14"), [](FixedSystemFacts& f) { f.memory.failure = "Not enough quota."; },
     {"The disk of 1.40625 MB could not be checked against the physical memory: Not enough quota."}},
    {"image to load missing", Disk("HDC", 1280, 1), kNothing, {kLoad + " does not exist."}},
    {"any flag but 0 counts", Disk("HDC", 1280, 2), kNothing, {kLoad + " does not exist."}},
    {"image exactly the disk's size", Disk("HDC", 1280, 1), Image(k5MB), {}},
    {"image a byte larger", Disk("HDC", 1280, 1), Image(k5MB + 1),
     {kLoad + " is larger than the disk: 5,242,881 bytes against 5,242,880 bytes."}},
    {"image a byte larger than a 1.44 MB floppy", Disk("FDC14", 1280, 1), Image(kSmall + 1),
     {kLoad + " is larger than the disk: 1,474,561 bytes against 1,474,560 bytes."}},
    {"image unreadable", Disk("HDC", 1280, 1),
     [](FixedSystemFacts& f) { f.files[kImage] = {FileFacts::State::Unreadable, 0, "Access denied."}; },
     {kLoad + " cannot be opened for reading: Access denied."}},
    {"image to load unnamed", {.DiskType = "HDC", .LoadImageFile = "", .LoadImageOnStart = 1, .SizeIn4kPages = 1280},
     kNothing, {"Loading an image is ticked, but no image file is named."}},
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
    {"names that cannot be image files", {.DiskType = "HDC", .LoadImageFile = "C:disk.img", .SaveImageFile = "ram.img",
                                          .LoadImageOnStart = 1, .SaveImageOnExit = 1},
     kNothing,
     {"The image file to load, \"C:disk.img\", is not a full path such as C:\\images\\disk.img; the driver starts "
      "before any folder is current.",
      "The image file to save, \"ram.img\", is not a full path such as C:\\images\\disk.img; the driver starts before "
      "any folder is current."}},
    {"a folder, and trailing blanks", {.DiskType = "HDC", .LoadImageFile = "\\\\server\\img\\", .SaveImageFile = "E:\\r.img ",
                                       .LoadImageOnStart = 1, .SaveImageOnExit = 1},
     kNothing,
     {"The image file to load, \"\\\\server\\img\\\", names a folder; name the image file in it.",
      "The image file to save, \"E:\\r.img \", ends in a blank, which Windows drops from file names; remove it."}},
    {"a folder that cannot be reached", Disk("HDC", 1280, 0, 1),
     [](FixedSystemFacts& f) { f.folders["E:\\Saved\\"] = {FolderFacts::State::Unreachable, "The network path was not found."}; },
     {"The folder \"E:\\Saved\\\" for the image file to save cannot be reached: The network path was not found."}},
    {"free space unknown", Disk("HDC", 1280, 0, 1),
     [](FixedSystemFacts& f) { f.folders["E:\\Saved\\"] = {FolderFacts::State::Exists, {}}; },
     {"The free space on the volume of \"E:\\Saved\\\" could not be determined: No such volume."}},
    {"a letter another drive holds", {.DiskType = "HDC", .SizeIn4kPages = 1280, .UserDriveLetter = 0x01000000 + 25},
     [](FixedSystemFacts& f) { f.drives['Z'] = {platform::DriveLetterHolder::Kind::Network, "\\Device\\Mup\\srv\\share"}; },
     {"The drive letter Z: is already taken by a network drive (\\Device\\Mup\\srv\\share), so the driver could not "
      "give it to the RAM disk; choose another letter."}},
    {"a SUBST", {.DiskType = "HDC", .SizeIn4kPages = 1280, .UserDriveLetter = 0x01000000 + 18},
     [](FixedSystemFacts& f) { f.drives['S'] = {platform::DriveLetterHolder::Kind::Fixed, "\\??\\C:\\Temp"}; },
     {"The drive letter S: is already taken by a SUBST of \"C:\\Temp\", so the driver could not give it to the RAM "
      "disk; choose another letter."}},
    {"the lowest letter, a CD drive's", {.DiskType = "HDC", .SizeIn4kPages = 1280, .UserDriveLetter = 0x01000000 + 3},
     [](FixedSystemFacts& f) { f.drives['D'] = {platform::DriveLetterHolder::Kind::CdRom, "\\Device\\CdRom0"}; },
     {"The drive letter D: is already taken by a CD or DVD drive (\\Device\\CdRom0), so the driver could not give "
      "it to the RAM disk; choose another letter."}},
    {"a RAM disk's letter is taken to be its own",
     {.DiskType = "HDC", .SizeIn4kPages = 1280, .UserDriveLetter = 0x01000000 + 18},
     [](FixedSystemFacts& f) { f.drives['S'] = {platform::DriveLetterHolder::Kind::RamDisk, "\\Device\\Ram"}; }, {}},
    {"an unticked letter", {.DiskType = "HDC", .SizeIn4kPages = 1280, .UserDriveLetter = 18},
     [](FixedSystemFacts& f) { f.drives['S'] = {platform::DriveLetterHolder::Kind::CdRom, "\\Device\\CdRom0"}; }, {}},
    {"a floppy's letter", {.DiskType = "FDC14", .SizeIn4kPages = 1280, .UserDriveLetter = 0x01000000 + 18},
     [](FixedSystemFacts& f) { f.drives['S'] = {platform::DriveLetterHolder::Kind::CdRom, "\\Device\\CdRom0"}; }, {}},
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
            EXPECT_TRUE(p.Sets().empty());
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

// Another program writes the key while the editor is open: what only it changed stays as it left it,
// what only the user changed is written, and only what both changed, or what the two together would
// have loading change, is asked about; after the save the stored key is the base for the next one.
TEST(Checks, ChangesMeanwhileAreMergedAndOnlyConflictsAsked) {
    const struct {
        const char* name;
        StoredValues theirs;
        std::function<void(UserDriver&, editor::Editor&)> mine;
        std::string question;  // empty: none
        StoredValues afterNo, afterYes;
    } cases[] = {
        {"different values", {{"DiskLabel", Text("OTHER")}},
         [](UserDriver& u, editor::Editor& e) { u.Retype(e.diskSizeBox, "100"); }, "",
         {{"DiskLabel", Text("OTHER")}, {"SizeIn4kPages", Number(25600)}}, {}},
        {"the same value", {{"DiskLabel", Text("OTHER")}, {"MakeTempDir", Number(0)}},
         [](UserDriver& u, editor::Editor& e) { u.Retype(e.volumeLabelBox, "MINE"), u.Retype(e.diskSizeBox, "100"); },
         "Disk Label text: stored now \"OTHER\", here \"MINE\"\n",
         {{"DiskLabel", Text("OTHER")}, {"MakeTempDir", Number(0)}, {"SizeIn4kPages", Number(25600)}},
         {{"DiskLabel", Text("MINE")}, {"MakeTempDir", Number(0)}}},
        {"a value removed", {{"DiskLabel", std::nullopt}},
         [](UserDriver& u, editor::Editor& e) { u.Retype(e.diskSizeBox, "100"); }, "",
         {{"DiskLabel", std::nullopt}, {"SizeIn4kPages", Number(25600)}}, {}},
        {"the same change", {{"DiskLabel", Text("SAME")}},
         [](UserDriver& u, editor::Editor& e) { u.Retype(e.volumeLabelBox, "SAME"); }, "", {{"DiskLabel", Text("SAME")}}, {}},
        {"together against a rule", {{"MakeTempDir", Number(1)}},
         [](UserDriver& u, editor::Editor& e) { u.Click(e.loadImageCheck); },
         "Load Disk Image: stored now unticked, here ticked\nCreate TEMP directory: stored now ticked, here "
         "unticked\nDisk Label: stored now ticked, here unticked\n",
         {{"LoadImageOnStart", Number(0)}, {"MakeTempDir", Number(1)}, {"UseDiskLabel", Number(1)}},
         {{"LoadImageOnStart", Number(1)}, {"MakeTempDir", Number(0)}, {"UseDiskLabel", Number(0)}}},
    };
    for (const auto& c : cases) {
        for (const bool yes : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (yes ? ", Yes" : ", No"));
            FreshProgram p(With(TypicalRecord(), {{"MakeTempDir", Number(0)}}));
            editor::Editor& e = p.Start();
            c.mine(p.user, e);
            StoreKey(p.registry, c.theirs);
            for (const auto& [name, value] : c.theirs) {
                platform::RegistryKeyHandle key;
                if (!value && p.registry.OpenKey(kKey, platform::KeyAccess::Set, key) == 0)
                    p.registry.DeleteValue(key, name), p.registry.CloseKey(key);
            }
            if (!c.question.empty()) p.host.QueueAnswer(yes);
            p.user.Click(e.saveButton);
            if (c.question.empty()) {
                EXPECT_TRUE(p.host.Questions().empty());
            } else {
                ASSERT_EQ(p.host.Questions().size(), 1u);
                EXPECT_EQ(p.host.Questions()[0].text, "Since the editor read these settings, another program has "
                                                      "changed them:\n" + c.question + "\nReplace the stored values "
                                                      "with the ones shown here? No keeps the other program's.");
            }
            for (const auto& [name, value] : yes && !c.afterYes.empty() ? c.afterYes : c.afterNo)
                EXPECT_EQ(p.Stored(name), value) << name;
            p.user.Click(e.saveButton);
            EXPECT_EQ(p.host.Questions().size(), c.question.empty() ? 0u : 1u) << "the saved key is the next base";
        }
    }
}

}  // namespace
}  // namespace sarnex::testing
