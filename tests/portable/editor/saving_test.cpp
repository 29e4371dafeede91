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
        p.registry.ClearOperations();
        p.user.Click(e.saveButton);
        EXPECT_EQ(p.Sets(), AllWritten());
        EXPECT_EQ(p.registry.OpenHandleCount(), 0u);
        std::map<std::string, std::optional<StoredValue>> saved;
        for (const auto& name : kWritingOrder) saved[name] = p.Stored(name);
        FreshProgram again(saved);
        EXPECT_EQ(StatesOf(e), StatesOf(again.Start())) << "after a save the editor shows the key as a new start would";
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
            p.user.Click(p.Window<notices::RegistrySaveFailedNotice>()->closeButton);
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

// A write that fails does not stop the others: each is written in order, and the user is told.
TEST(Saving, AWriteTheRegistryRefusesIsReportedAndTheRestWritten) {
    for (const auto& failing : kWritingOrder) {
        SCOPED_TRACE(failing);
        FreshProgram p;
        editor::Editor& e = p.Start();
        p.user.Pick(e.diskTypeList, 1);  // an edit that shows whether DiskType was written
        p.registry.FailSet(kKey, failing, platform::registry_status::kAccessDenied);
        p.registry.ClearOperations();
        p.user.Click(e.okButton);
        std::vector<std::string> expected;
        for (const auto& name : kWritingOrder) expected.push_back(name + (name == failing ? ":5" : ":0"));
        EXPECT_EQ(p.Sets(), expected);
        EXPECT_EQ(p.Stored("DiskType"), failing == "DiskType" ? Text("HDC") : Text("FDC14"));
        EXPECT_TRUE(p.IsLoaded<notices::RegistrySaveFailedNotice>());
        EXPECT_TRUE(e.Loaded()) << "OK keeps the editor while a value is not stored";
    }
}

// A value the editor cannot encode refuses the whole save before anything is written, for "Save" and
// "OK" alike: the box says which control and what is wrong, and the editor keeps every edit.
TEST(Saving, AnEditThatCannotBeStoredWritesNothingAndNamesItsControl) {
    FreshProgram p;
    editor::Editor& e = p.Start();
    p.user.Clear(e.driveLetterBox);
    p.user.Retype(e.autoSaveIntervalBox, "100");
    p.user.Focus(e.cancelButton);
    for (forms::CommandButton* button : {&e.saveButton, &e.okButton}) {
        const auto before = StatesOf(e);
        p.registry.ClearOperations();
        p.user.Click(*button);
        EXPECT_TRUE(p.Sets().empty());
        EXPECT_EQ(StatesOf(e), before);
        EXPECT_TRUE(e.Loaded());
    }
    const headless::HeadlessHost::Question told{"Editor", "Sarnex Settings Check",
        "Select Drive Letter: the drive letter box is empty; type a letter from D to Z\n\nNothing was saved."};
    EXPECT_EQ(p.host.Messages(), (std::vector{told, told}));
    EXPECT_FALSE(p.IsLoaded<notices::RegistrySaveFailedNotice>());

    // On a double-byte code page a name within the box's 254 characters may take more bytes than a
    // text value holds.
    FreshProgram japanese(TypicalRecord(), 932);
    editor::Editor& j = japanese.Start();
    std::string name = "C:\\";
    for (int i = 0; i < 130; ++i) name += "\xE6\x97\xA5";  // 日, two bytes in code page 932
    japanese.user.Retype(j.saveImageFileBox, name);
    japanese.user.Click(j.saveButton);
    ASSERT_EQ(japanese.host.Messages().size(), 1u);
    EXPECT_EQ(japanese.host.Messages()[0].text, "Save Image Settings, Filename: the text takes 263 bytes in the ANSI "
                                                "code page; at most 254 can be stored\n\nNothing was saved.");
    EXPECT_EQ(japanese.Stored("SaveImageFile"), Text("C:\\save.img"));
    name.resize(name.size() - 3 * 5);  // 125 characters of two bytes: 253 bytes with the rest, which fit
    japanese.facts.AddFolder("C:\\", 4096 * kMegabyte);
    japanese.user.Retype(j.saveImageFileBox, name);
    japanese.user.Click(j.saveButton);
    EXPECT_EQ(japanese.host.Messages().size(), 1u);
    EXPECT_EQ(japanese.registry.GetStored(kKey, "SaveImageFile")->data.size(), 2u * (3 + 125 + 1));
}

// Values loading cannot read as they stand, as other programs leave them: an untouched save keeps each
// byte for byte, or absent, and so does an edit of another control; the user's edit of its own
// control writes what the control then shows. A design text is never stored.
struct UnreadCase {
    const char* name;
    const char* value;
    std::optional<StoredValue> stored;
    Edit touch;
    std::optional<StoredValue> touched;  // the value after the touch and a save; none: still absent
};

const UnreadCase kUnread[] = {
    {"absent from the key", "SaveImageFile", std::nullopt,
     [](UserDriver& u, editor::Editor& e) { u.Retype(e.saveImageFileBox, "C:\\new.img"); }, Text("C:\\new.img")},
    {"a design text is never stored", "DiskLabel", std::nullopt,
     [](UserDriver& u, editor::Editor& e) { u.Click(e.loadImageCheck), u.Click(e.volumeLabelCheck); }, std::nullopt},
    {"longer than the editor holds", "SaveImageFile", Text(std::string(300, 'p')),
     [](UserDriver& u, editor::Editor& e) { u.Retype(e.saveImageFileBox, "C:\\short.img"); }, Text("C:\\short.img")},
    {"another type", "SizeIn4kPages", Raw(11, std::string("\x00\x80\x00\x00\x00\x00\x00\x00", 8)),
     [](UserDriver& u, editor::Editor& e) { u.Retype(e.diskSizeBox, "48"); }, Number(12288)},
    {"another size", "MakeTempDir", Raw(4, std::string("\x01\x00", 2)),
     [](UserDriver& u, editor::Editor& e) { u.Click(e.tempDirCheck); }, Number(0)},
    {"a text as a number", "AutoSaveTrigger", Raw(1, std::string("60\0", 3)),
     [](UserDriver& u, editor::Editor& e) { u.Retype(e.autoSaveIntervalBox, "100"); }, Number(25)},
    {"a text the code page cannot hold", "DiskLabel", Wide(u"日本語ラベル"),
     [](UserDriver& u, editor::Editor& e) { u.Retype(e.volumeLabelBox, "DATA"); }, Text("DATA")},
    {"a text with a zero inside", "LoadImageFile", Raw(1, std::string("C:\\a\0b.img\0", 11)),
     [](UserDriver& u, editor::Editor& e) { u.Click(e.loadImageCheck), u.Type(e.loadImageFileBox, "x"); },
     Text("C:\\ab.imgx")},
    {"a flag other than 0 or 1", "UseDiskLabel", Number(2),
     [](UserDriver& u, editor::Editor& e) { u.Click(e.volumeLabelCheck); }, Number(1)},
    {"a disk type the list does not know", "DiskType", Text("hdc"),
     [](UserDriver& u, editor::Editor& e) { u.Pick(e.diskTypeList, 2); }, Text("FDC28")},
    {"bits no control shows", "UserDriveLetter", Number(0x01000112),
     [](UserDriver& u, editor::Editor& e) { u.Retype(e.driveLetterBox, "t"); }, Number(0x01000113)},
    {"a letter outside D to Z", "UserDriveLetter", Number(0x01000001),
     [](UserDriver& u, editor::Editor& e) { u.Click(e.driveLetterCheck); }, Number(3)},
};

TEST(Saving, WhatLoadingCannotReadStaysAsStoredUntilItsControlIsChanged) {
    for (const UnreadCase& c : kUnread) {
        SCOPED_TRACE(c.name);
        FreshProgram p(With(TypicalRecord(), {{c.value, c.stored}}));
        p.host.AnswerBy([](const std::string& title) { return title == "Sarnex Settings Check"; });
        editor::Editor& e = p.Start();
        const auto before = p.Kept();
        p.user.Click(e.saveButton);
        EXPECT_EQ(p.Kept(), before);
        // An edit of another control writes that control's value only.
        const bool label = std::string_view(c.value).ends_with("DiskLabel");
        p.user.Retype(label ? e.autoSaveIntervalBox : e.volumeLabelBox, label ? "100" : "OTHER");
        p.user.Click(e.saveButton);
        const auto others = [&](std::vector<platform::StoredValue> values) {
            std::erase_if(values, [&](const auto& v) { return v.name == (label ? "AutoSaveTrigger" : "DiskLabel"); });
            return values;
        };
        EXPECT_EQ(others(p.Kept()), others(before));
        c.touch(p.user, e);
        p.user.Click(e.saveButton);
        for (const auto& question : p.host.Questions()) EXPECT_EQ(question.title, "Sarnex Settings Check");
        if (c.touched) EXPECT_EQ(p.Stored(c.value), c.touched);
        else if (!c.stored) EXPECT_EQ(p.Stored(c.value), std::nullopt);
    }
}

}  // namespace
}  // namespace sarnex::testing
