// Saving: what the user did in the editor -> the bytes stored, and what "OK", "Save" and "Cancel"
// do when the key can, or cannot, take them.
#include <functional>

#include "portable/program.h"

namespace sarnex::testing {
namespace {

using namespace std::string_view_literals;
using Kind = RegistryOperation::Kind;
using Edit = std::function<void(UserDriver&, editor::Editor&)>;

const StoredValues kTypical = TypicalRecord();

std::vector<std::string> AllWritten() {
    std::vector<std::string> out;
    for (const auto& name : kWritingOrder) out.push_back(name + ":0");
    return out;
}

struct SaveCase {
    const char* name;
    StoredValues stored;
    Edit edit;
    StoredValues expected;  // the values to check after "Save"; empty: every stored value unchanged
};

const SaveCase kSaveCases[] = {
    // Records a save writes back byte for byte
    {"typical record", kTypical, nullptr, {}},
    {"floppy", With(kTypical, {{"DiskType", Text("FDC14")}, {"SizeIn4kPages", Number(360)}, {"DiskFormatFAT32", Number(0)},
                               {"SaveImageOnExit", Number(0)}, {"AutoSaveEnabled", Number(0)},
                               {"AutoSaveTrigger", Number(8191)}, {"UserDriveLetter", Number(3)}, {"SaveImageFile", Text("")}}),
     nullptr, {}},
    {"image loading with Western characters",
     With(kTypical, {{"DiskType", Text("FDC28")}, {"SizeIn4kPages", Number(1408)}, {"LoadImageOnStart", Number(1)},
                     {"LoadImageFile", Text("C:\\Bilder\\Gr\xF6\xDF" "e \x80.img")}, {"MakeTempDir", Number(0)},
                     {"UseDiskLabel", Number(0)}, {"DiskLabel", Text("")}, {"UserDriveLetter", Number(16777241)},
                     {"AutoSaveTrigger", Number(5)}}),
     nullptr, {}},
    {"the defaults", With(kTypical, {{"LoadImageFile", Text("")}, {"SaveImageOnExit", Number(0)}, {"SaveImageFile", Text("")},
                                     {"SizeIn4kPages", Number(1280)}, {"AutoSaveEnabled", Number(0)},
                                     {"DiskFormatFAT32", Number(0)}, {"AutoSaveTrigger", Number(5)},
                                     {"UserDriveLetter", Number(3)}, {"MakeTempDir", Number(0)},
                                     {"UseDiskLabel", Number(0)}, {"DiskLabel", Text("Sarnexia")}}),
     nullptr, {}},
    {"largest values", With(kTypical, {{"SizeIn4kPages", Number(524288)}, {"AutoSaveTrigger", Number(8191)},
                                       {"LoadImageFile", Text(std::string(254, 'x'))},
                                       {"UserDriveLetter", Number(16777216 + 25)}}),
     nullptr, {}},
    // Edits
    {"size, interval, letter and FAT32 edited", kTypical,
     [](UserDriver& u, editor::Editor& e) {
         u.Click(e.fat32Check);
         u.Retype(e.diskSizeBox, "5.1");  // cut to 5 when the focus leaves the box
         u.Retype(e.autoSaveIntervalBox, "22");  // 5.5 units, rounded to even
         u.Retype(e.driveLetterBox, "r");
     },
     {{"DiskType", Text("HDC")}, {"SizeIn4kPages", Number(1280)}, {"AutoSaveTrigger", Number(6)},
      {"UserDriveLetter", Number(16777233)}, {"DiskFormatFAT32", Number(0)}, {"DiskLabel", Text("RAMDISK")}}},
    {"disabled controls are saved as they hold", kTypical,
     [](UserDriver& u, editor::Editor& e) { u.Pick(e.diskTypeList, 2); },
     {{"DiskType", Text("FDC28")}, {"LoadImageFile", Text("C:\\disk.img")}, {"SizeIn4kPages", Number(16384)},
      {"DiskFormatFAT32", Number(1)}, {"UserDriveLetter", Number(16777234)}}},
    {"no selection saves the hard disk", With(kTypical, {{"DiskType", Text("hdc")}}), nullptr,
     {{"DiskType", Text("HDC")}}},
    {"unticked letter keeps its letter", kTypical, [](UserDriver& u, editor::Editor& e) { u.Click(e.driveLetterCheck); },
     {{"UserDriveLetter", Number(18)}}},
    {"options", kTypical,
     [](UserDriver& u, editor::Editor& e) {
         u.Click(e.loadImageCheck);  // unticks the TEMP directory and the label
         u.Click(e.saveImageCheck);  // unticks AutoSave
     },
     {{"LoadImageOnStart", Number(1)}, {"MakeTempDir", Number(0)}, {"UseDiskLabel", Number(0)},
      {"SaveImageOnExit", Number(0)}, {"AutoSaveEnabled", Number(0)}}},
    {"a number box is normalised before the button saves it", kTypical,
     [](UserDriver& u, editor::Editor& e) {
         u.Retype(e.autoSaveIntervalBox, "7");
         u.Click(e.saveButton);
         u.Retype(e.diskSizeBox, "99999");
     },
     {{"AutoSaveTrigger", Number(5)}, {"SizeIn4kPages", Number(524288)}}},
};

TEST(Saving, EditsBecomeStoredBytes) {
    for (const SaveCase& c : kSaveCases) {
        SCOPED_TRACE(c.name);
        FreshProgram p(c.stored);
        p.facts.AddFile("C:\\Bilder\\Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC.img", 0);  // the image one case loads
        editor::Editor& e = p.Start();
        if (c.edit) c.edit(p.user, e);
        p.user.Focus(e.saveButton);  // leaving a number box normalises it: the save must change nothing
        const auto before = StatesOf(e);
        p.registry.ClearOperations();
        p.user.Click(e.saveButton);
        // One pass reads the key again for changes made meanwhile, one writes it.
        EXPECT_EQ(p.Operations(Kind::Open), std::vector<std::string>(2, std::string(kKey) + ":0"));
        EXPECT_EQ(p.Sets(), AllWritten());
        EXPECT_EQ(p.Operations(Kind::Close).size(), 2u);
        EXPECT_EQ(StatesOf(e), before);
        for (const auto& [name, value] : c.expected.empty() ? c.stored : c.expected) EXPECT_EQ(p.Stored(name), value) << name;
        EXPECT_EQ(p.registry.ValueCount(kKey), 13u);
        EXPECT_FALSE(p.IsLoaded<notices::RegistrySaveFailedNotice>());
        EXPECT_TRUE(e.Loaded());
    }
}

TEST(Saving, CancelAndTheCloseBoxWriteNothing) {
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        FreshProgram p;
        editor::Editor& e = p.Start();
        p.user.Retype(e.volumeLabelBox, "SAVED");
        p.user.Click(e.saveButton);  // what an earlier "Save" wrote stays
        p.user.Retype(e.volumeLabelBox, "LOST");
        p.registry.ClearOperations();
        if (closeBox) p.user.Close(e);
        else p.user.Click(e.cancelButton);
        EXPECT_TRUE(p.registry.Operations().empty());
        EXPECT_EQ(p.Stored("DiskLabel"), Text("SAVED"));
        EXPECT_TRUE(p.runtime.ProgramEnded());
        EXPECT_EQ(p.Window<notices::RestartPrompt>(), nullptr);
    }
}

// A key that cannot be opened for saving, missing or read-only: both buttons report it, write
// nothing, keep the editor with every edit and offer no restart; once the key is back, "OK" goes its
// usual way.
TEST(Saving, AKeyThatCannotBeWrittenIsReportedAndTheEditsStay) {
    const std::function<void(MemoryRegistry&, bool)> faults[] = {
        [](MemoryRegistry& r, bool on) { r.FailOpen(kKey, on ? platform::registry_status::kNotFound : 0); },
        [](MemoryRegistry& r, bool on) { r.DenySet(kKey, on); },
    };
    for (const auto& fault : faults) {
        FreshProgram p;
        editor::Editor& e = p.Start();
        p.user.Retype(e.volumeLabelBox, "KEEPME");
        fault(p.registry, true);
        for (forms::CommandButton* button : {&e.saveButton, &e.okButton}) {
            p.registry.ClearOperations();
            p.user.Click(*button);
            EXPECT_TRUE(p.Sets().empty());
            ASSERT_TRUE(p.IsLoaded<notices::RegistrySaveFailedNotice>());
            EXPECT_TRUE(e.Loaded());
            EXPECT_EQ(e.volumeLabelBox.Text(), "KEEPME");
            p.user.Click(p.Window<notices::RegistrySaveFailedNotice>()->cancelButton);
            EXPECT_FALSE(p.IsLoaded<notices::RegistrySaveFailedNotice>());
        }
        EXPECT_EQ(p.Stored("DiskLabel"), Text("RAMDISK"));
        EXPECT_EQ(p.Window<notices::RestartPrompt>(), nullptr);
        fault(p.registry, false);
        p.user.Click(e.okButton);
        EXPECT_EQ(p.Stored("DiskLabel"), Text("KEEPME"));
        EXPECT_TRUE(p.IsLoaded<notices::RestartPrompt>());
    }
}

// A write that fails, or a value that cannot be stored, does not stop the others: each is written
// in order, the user is told, and "OK" keeps the editor open with the edits.
TEST(Saving, ValuesThatCannotBeStoredAreReportedAndTheRestWritten) {
    for (const auto& failing : kWritingOrder) {
        SCOPED_TRACE(failing);
        FreshProgram p;
        editor::Editor& e = p.Start();
        p.user.Pick(e.diskTypeList, 1);  // an edit that shows whether DiskType was written
        p.registry.FailSet(kKey, failing, platform::registry_status::kAccessDenied);
        p.registry.ClearOperations();
        p.user.Click(e.saveButton);
        std::vector<std::string> expected;
        for (const auto& name : kWritingOrder) expected.push_back(name + (name == failing ? ":5" : ":0"));
        EXPECT_EQ(p.Sets(), expected);
        EXPECT_EQ(p.Stored("DiskType"), failing == "DiskType" ? Text("HDC") : Text("FDC14"));
        EXPECT_TRUE(p.IsLoaded<notices::RegistrySaveFailedNotice>());
    }

    FreshProgram p;
    editor::Editor& e = p.Start();
    p.user.Clear(e.driveLetterBox);                  // no letter to store
    e.volumeLabelBox.SetText("\xE4\xB8\xAD");         // no Windows-1252 code: typing refuses it
    e.diskSizeBox.SetText("9000000");                // pages beyond 32 bits: only code can leave this
    p.user.Retype(e.saveImageFileBox, "E:\\saved.img");
    p.facts.AddFolder("E:\\", 1024 * kMegabyte);
    p.registry.ClearOperations();
    p.user.Click(e.okButton);
    std::vector<std::string> expected;
    for (const auto& name : kWritingOrder)
        if (name != "UserDriveLetter" && name != "DiskLabel" && name != "SizeIn4kPages") expected.push_back(name + ":0");
    EXPECT_EQ(p.Sets(), expected);
    EXPECT_EQ(p.Stored("UserDriveLetter"), Number(16777234));
    EXPECT_EQ(p.Stored("SaveImageFile"), Text("E:\\saved.img"));
    EXPECT_TRUE(p.IsLoaded<notices::RegistrySaveFailedNotice>());
    EXPECT_TRUE(e.Loaded()) << "OK keeps the editor while a value cannot be stored";
    EXPECT_EQ(p.Window<notices::RestartPrompt>(), nullptr);
}

}  // namespace
}  // namespace sarnex::testing
