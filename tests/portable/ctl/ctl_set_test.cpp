// set: each setting applied to the editor's own form as the user's action, the changes with the
// rules that made them, refusals, and all or nothing.
#include <functional>

#include "ctl_fixture.h"

namespace sarnex::testing {
namespace {

using Record = config::DriverConfiguration;
using Change = std::function<void(Record&)>;

const std::string kSaved = "Saved to HKEY_LOCAL_MACHINE\\Software\\Sarnex; the driver takes the settings when it next starts.\n";
const std::string kNothingWritten = "sarnexctl: nothing was written to HKEY_LOCAL_MACHINE\\Software\\Sarnex\n";

struct SetCase {
    const char* name;
    Change stored;                    // from the typical record
    std::vector<std::string> arguments;
    int exitCode;
    std::string output;               // standard output, then the error stream
    Change written;                   // from the stored record; none when nothing may be written
};

class CtlSet : public CtlTest, public ::testing::WithParamInterface<SetCase> {};

TEST_P(CtlSet, AppliesTheEditorsRules) {
    const SetCase& c = GetParam();
    Record stored = TypicalRecord();
    if (c.stored) c.stored(stored);
    Store(stored);
    registry.ClearOperations();

    const ctl::Outcome outcome = Run(c.arguments);
    EXPECT_EQ(outcome.out + outcome.err, c.output);
    EXPECT_EQ(outcome.exitCode, c.exitCode);
    Record expected = stored;
    if (c.written) c.written(expected);
    EXPECT_EQ(Stored(), expected);
    if (!c.written) {
        for (const auto& op : registry.Operations()) EXPECT_NE(op.kind, RegistryOperation::Kind::Set) << op.target;
    }
}

std::vector<std::string> Set(std::initializer_list<std::string> settings) {
    std::vector<std::string> arguments{"set"};
    arguments.insert(arguments.end(), settings);
    return arguments;
}

const SetCase kCases[] = {
    {"LoadingAnImageUnticksTheTempDirectory", nullptr, Set({"load-file=D:\\disk.img", "load-image=on"}), 0,
     "load-image  off -> on\n"
     "load-file   \"C:\\load.img\" -> \"D:\\disk.img\"\n"
     "temp-dir    on -> off  (loading an image excludes the TEMP directory)\n" + kSaved +
         "warning: The image file to load, \"D:\\disk.img\", does not exist.\n",
     [](Record& r) { r.LoadImageOnStart = 1; r.LoadImageFile = "D:\\disk.img"; r.MakeTempDir = 0; }},
    {"SizeBeforeFat32", [](Record& r) { r.SizeIn4kPages = 4096; r.DiskFormatFAT32 = 0; }, Set({"fat32=on", "size=40"}), 0,
     "size   16 -> 40\nfat32  off -> on\n" + kSaved, [](Record& r) { r.SizeIn4kPages = 10240; r.DiskFormatFAT32 = 1; }},
    {"SizeBeforeFat32Either", [](Record& r) { r.SizeIn4kPages = 4096; r.DiskFormatFAT32 = 0; }, Set({"size=40", "fat32=on"}), 0,
     "size   16 -> 40\nfat32  off -> on\n" + kSaved, [](Record& r) { r.SizeIn4kPages = 10240; r.DiskFormatFAT32 = 1; }},
    {"AutoSaveTicksImageSavingAndImageSavingUnticksAutoSave", [](Record& r) { r.SaveImageOnExit = 0; },
     Set({"autosave=100"}), 0,
     "save-image         off -> on  (AutoSave saves the image)\nautosave           off -> on\n"
     "autosave interval  60 -> 100\n" + kSaved,
     [](Record& r) { r.SaveImageOnExit = 1; r.AutoSaveEnabled = 1; r.AutoSaveTrigger = 25; }},
    {"NormalisedAsTheWindowNormalises", nullptr, Set({"size=3000", "letter=a", "autosave=5", "label=Data"}), 0,
     "size               64 -> 2048  (the editor keeps sizes to whole MB from 5 to 2048)\n"
     "autosave           off -> on\n"
     "autosave interval  60 -> 20  (the editor keeps intervals from 20 to 32767 seconds, in steps of 4)\n"
     "letter             auto (E) -> D  (drive letters run from D to Z)\n"
     "label              off -> on\nlabel text         \"Sarnexia\" -> \"Data\"\n" + kSaved +
         "warning: The disk of 2,048 MB is larger than the 1,024 MB free on the volume of \"C:\\\", so the driver "
         "could not save its image.\n",
     [](Record& r) {
         r.SizeIn4kPages = 524288; r.AutoSaveEnabled = 1; r.AutoSaveTrigger = 5; r.UserDriveLetter = 0x01000003;
         r.UseDiskLabel = 1; r.DiskLabel = "Data";
     }},
    {"LetterTypedInLowerCaseAndTheTempDirectoryOff", nullptr, Set({"letter=x", "temp-dir=off", "save-image=off"}), 0,
     "save-image  on -> off\nletter      auto (E) -> X\ntemp-dir    on -> off\n" + kSaved,
     [](Record& r) { r.SaveImageOnExit = 0; r.UserDriveLetter = 0x01000017; r.MakeTempDir = 0; }},
    {"WhatLoadingChangesIsShownWithItsRule", [](Record& r) { r.UseDiskLabel = 2; r.LoadImageOnStart = 1; },
     Set({"letter=auto", "size=48"}), 0,
     "load-image  on -> off  (LoadImageOnStart: the TEMP directory excludes loading an image)\n"
     "size        64 -> 48\nlabel       2 -> off  (UseDiskLabel: a flag is 0 or 1, not 2)\n" + kSaved,
     [](Record& r) { r.LoadImageOnStart = 0; r.SizeIn4kPages = 12288; r.UseDiskLabel = 0; }},
    {"AFloppyKeepsItsSize", nullptr, Set({"type=floppy2.88"}), 0, "type  hard -> floppy2.88\n" + kSaved,
     [](Record& r) { r.DiskType = "FDC28"; }},
    {"NothingChanges", nullptr, Set({"size=64", "fat32=on"}), 0, "Nothing changes; nothing was written.\n", nullptr},
    {"DryRun", nullptr, Set({"size=48", "--dry-run"}), 0, "size  64 -> 48\nDry run: nothing was written.\n", nullptr},
    {"Fat32NeedsMoreThan32MB", nullptr, Set({"fat32=on", "size=32"}), 2,
     "sarnexctl: refused: fat32=on: FAT32 is available only above 32 MB\n" + kNothingWritten, nullptr},
    {"AFloppyHasNoSizeLetterOrFat32", nullptr, Set({"size=7", "letter=F", "type=floppy1.44", "fat32=off"}), 2,
     "sarnexctl: refused: size=7: the size is fixed for a floppy disk\n"
     "sarnexctl: refused: fat32=off: FAT32 is available only for a hard disk\n"
     "sarnexctl: refused: letter=F: the drive letter is chosen only for a hard disk\n" + kNothingWritten, nullptr},
    {"NoDiskTypeStored", [](Record& r) { r.DiskType = "hdc"; }, Set({"size=7"}), 2,
     "sarnexctl: refused: size=7: the size is set only for a hard disk (type=hard)\n" + kNothingWritten, nullptr},
    {"FileNamesNeedTheirOption", nullptr, Set({"load-file=x.img"}), 2,
     "sarnexctl: refused: load-file=x.img: the file to load is used only while load-image is on\n" + kNothingWritten,
     nullptr},
    {"SaveFileNeedsImageSaving", nullptr, Set({"save-image=off", "save-file=y.img"}), 2,
     "sarnexctl: refused: save-file=y.img: the file to save is used only while save-image is on\n" + kNothingWritten,
     nullptr},
    {"ASettingUndoneByALaterOneIsRefused", nullptr, Set({"load-image=on", "label=DATA", "save-image=off", "autosave=30"}),
     2,
     "sarnexctl: refused: load-image=on undoes label=DATA: loading an image excludes the disk label\n"
     "sarnexctl: refused: save-image=off undoes autosave=30: AutoSave needs the image to be saved\n" + kNothingWritten,
     nullptr},
    {"TheLabelHoldsElevenCharacters", nullptr, Set({"label=ABCDEFGHIJKL"}), 2,
     "sarnexctl: refused: label=ABCDEFGHIJKL: the label holds at most 11 characters\n" + kNothingWritten, nullptr},
    {"ATextTheCodePageCannotHold", nullptr, Set({"label=\xE4\xB8\xAD", "size=10"}), 2,
     "sarnexctl: refused: label=\xE4\xB8\xAD: the label takes only characters that the ANSI code page can hold\n" +
         kNothingWritten, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Cases, CtlSet, ::testing::ValuesIn(kCases), [](const auto& info) { return info.param.name; });

TEST_F(CtlTest, AStoredTextTooLongToWriteBackStopsTheWholeSave) {
    Store(TypicalRecord());
    registry.PutValue(kKey, "SaveImageFile", 3, std::vector<std::byte>(255, std::byte{'s'}));
    registry.ClearOperations();
    const ctl::Outcome outcome = Run({"set", "size=10"});
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_EQ(outcome.err, "sarnexctl: refused: save-file (SaveImageFile): it takes 255 bytes; a text value holds at "
                           "most 254\n" + kNothingWritten);
    for (const auto& op : registry.Operations()) EXPECT_NE(op.kind, RegistryOperation::Kind::Set) << op.target;
}

TEST_F(CtlTest, AMissingKeyIsCreatedWithTheEditorsDefaults) {
    const ctl::Outcome outcome = Run({"set", "size=10", "label=RAM"});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_TRUE(outcome.out.starts_with("HKEY_LOCAL_MACHINE\\Software\\Sarnex does not exist: set creates it (the "
                                        "editor's Save would not) and starts from the editor's defaults.\n"
                                        "type               (absent) -> hard  (a new key starts from the editor's "
                                        "defaults)\n"))
        << outcome.out;
    EXPECT_NE(outcome.out.find("\nsize               (absent) -> 10\n"), std::string::npos) << outcome.out;
    Record expected{"HDC", "", "", "RAM", 0, 0, 2560, 0, 0, 5, 3, 0, 1};
    EXPECT_EQ(Stored(), expected);
}

TEST_F(CtlTest, RegistryFailuresWriteNothing) {
    Store(TypicalRecord());
    registry.FailOpen(kKey, registry_status::kAccessDenied);
    EXPECT_EQ(Run({"set", "size=10"}).err, "sarnexctl: cannot read HKEY_LOCAL_MACHINE\\Software\\Sarnex: access is "
                                           "denied (error 5); nothing was written\n");
    registry.FailOpen(kKey, 0);
    registry.DenySet(kKey);
    const ctl::Outcome denied = Run({"set", "size=10"});
    EXPECT_EQ(denied.exitCode, 3);
    EXPECT_EQ(denied.err, "sarnexctl: cannot write HKEY_LOCAL_MACHINE\\Software\\Sarnex: access is denied (error 5); "
                          "nothing was written\n");
    registry.DenySet(kKey, false);
    registry.FailSet(kKey, "AutoSaveEnabled", registry_status::kAccessDenied);
    const ctl::Outcome refused = Run({"set", "size=10", "autosave=40"});
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_EQ(refused.err, "sarnexctl: the registry refused to write AutoSaveEnabled; the values already written were "
                           "put back, so nothing was changed\n");
    EXPECT_EQ(Stored(), TypicalRecord());
}

}  // namespace
}  // namespace sarnex::testing

namespace sarnex::testing {
namespace {

// Another program writes the key between the editor's loading and its save.
class ChangedMeanwhile final : public platform::Registry {
public:
    explicit ChangedMeanwhile(MemoryRegistry& inner) : inner_(inner) {}
    RegistryStatus OpenKey(std::string_view subKey, platform::KeyAccess access, RegistryKeyHandle& key) override {
        if (access == platform::KeyAccess::Query && ++queries_ == 4) PutNumber(inner_, "MakeTempDir", 0);
        return inner_.OpenKey(subKey, access, key);
    }
    RegistryStatus QueryValue(RegistryKeyHandle k, std::string_view n, std::uint32_t& t, std::byte* d, std::uint32_t& s) override {
        return inner_.QueryValue(k, n, t, d, s);
    }
    RegistryStatus SetValue(RegistryKeyHandle k, std::string_view n, std::uint32_t t, const std::byte* d, std::uint32_t s) override {
        return inner_.SetValue(k, n, t, d, s);
    }
    RegistryStatus CloseKey(RegistryKeyHandle k) override { return inner_.CloseKey(k); }
    RegistryStatus CreateKey(std::string_view k) override { return inner_.CreateKey(k); }
    RegistryStatus ReadStoredValues(RegistryKeyHandle k, std::vector<platform::StoredValue>& v) override {
        return inner_.ReadStoredValues(k, v);
    }
    RegistryStatus SetStoredValue(RegistryKeyHandle k, const platform::StoredValue& v) override {
        return inner_.SetStoredValue(k, v);
    }
    RegistryStatus DeleteValue(RegistryKeyHandle k, std::string_view n) override { return inner_.DeleteValue(k, n); }

private:
    MemoryRegistry& inner_;
    int queries_ = 0;
};

TEST_F(CtlTest, AKeyChangedMeanwhileIsNotOverwritten) {
    Store(TypicalRecord());
    ChangedMeanwhile changing(registry);
    const ctl::Outcome outcome = ctl::Run({"set", "size=10"}, {changing, codePage, files, facts, {1, 0, 7}});
    EXPECT_EQ(outcome.exitCode, 3);
    EXPECT_EQ(outcome.err, "sarnexctl: another program changed HKEY_LOCAL_MACHINE\\Software\\Sarnex while sarnexctl "
                           "ran; nothing was written, so its change stays\n");
    Record expected = TypicalRecord();
    expected.MakeTempDir = 0;
    EXPECT_EQ(Stored(), expected);
}

}  // namespace
}  // namespace sarnex::testing
