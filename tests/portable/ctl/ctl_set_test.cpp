// set: each setting applied to the editor's own form as the user's action, the changes with the rules that
// made them, refusals, and all or nothing.
#include "ctl_fixture.h"

namespace sarnex::testing {
namespace {

const std::string kSaved = "Saved to " + kPath + "; the driver takes the settings when it next starts.\n";
const std::string kNothing = "sarnexctl: nothing was written to " + kPath + "\n", kRefused = "sarnexctl: refused: ";

TEST_F(CtlTest, SetAppliesTheEditorsRulesAndWritesAllOrNothing) {
    const std::string nowhere = "warning: The disk of 2,048 MB is larger than the 1,024 MB free on the volume of "
                                "\"C:\\\", so the driver could not save its image.\n";
    Expect({
        {"", "set load-file=D:\\disk.img load-image=on", 0, "load-image  off -> on\nload-file   \"C:\\load.img\" -> "
         "\"D:\\disk.img\"\ntemp-dir    on -> off  (loading an image excludes the TEMP directory)\n" + kSaved +
         "warning: The image file to load, \"D:\\disk.img\", does not exist.\n",
         "LoadImageOnStart=1 LoadImageFile=D:\\disk.img MakeTempDir=0"},
        {"SizeIn4kPages=4096 DiskFormatFAT32=0", "set fat32=on size=40 letter=x temp-dir=off save-image=off", 0,
         "save-image  on -> off\nsize        16 -> 40\nfat32       off -> on\nletter      auto (E) -> X\n"
         "temp-dir    on -> off\n" + kSaved,
         "SaveImageOnExit=0 SizeIn4kPages=10240 DiskFormatFAT32=1 UserDriveLetter=0x01000017 MakeTempDir=0"},
        {"SaveImageOnExit=0", "set autosave=100", 0, "save-image         off -> on  (AutoSave saves the image)\n"
         "autosave           off -> on\nautosave interval  60 -> 100\n" + kSaved,
         "SaveImageOnExit=1 AutoSaveEnabled=1 AutoSaveTrigger=25"},
        {"", "set size=3000 letter=a autosave=5 label=Data", 0,
         "size               64 -> 2048  (the editor keeps sizes to whole MB from 5 to 2048)\n"
         "autosave           off -> on\n"
         "autosave interval  60 -> 20  (the editor keeps intervals from 20 to 32767 seconds, in steps of 4)\n"
         "letter             auto (E) -> D  (drive letters run from D to Z)\nlabel              off -> on\n"
         "label text         \"Sarnexia\" -> \"Data\"\n" + kSaved + nowhere, "SizeIn4kPages=524288 AutoSaveEnabled=1 "
         "AutoSaveTrigger=5 UserDriveLetter=0x01000003 UseDiskLabel=1 DiskLabel=Data"},
        {"UseDiskLabel=2 LoadImageOnStart=1", "set letter=auto size=48", 0, "load-image  on -> off  "
         "(LoadImageOnStart: the TEMP directory excludes loading an image)\nsize        64 -> 48\n"
         "label       2 -> off  (UseDiskLabel: a flag is 0 or 1, not 2)\n" + kSaved,
         "LoadImageOnStart=0 SizeIn4kPages=12288 UseDiskLabel=0"},
        {"", "set type=floppy2.88", 0, "type  hard -> floppy2.88\n" + kSaved, "DiskType=FDC28"},
        {"", "set size=64 fat32=on", 0, "Nothing changes; nothing was written.\n", ""},
        {"", "set size=48 --dry-run", 0, "size  64 -> 48\nDry run: nothing was written.\n", ""},
        {"", "set fat32=on size=32 label=ABCDEFGHIJKL", 2, kRefused + "label=ABCDEFGHIJKL: the label holds at most 11 "
         "characters\n" + kRefused + "fat32=on: FAT32 is available only above 32 MB\n" + kNothing, ""},
        {"", "set size=7 letter=F type=floppy1.44 fat32=off", 2, kRefused + "size=7: the size is fixed for a floppy "
         "disk\n" + kRefused + "fat32=off: FAT32 is available only for a hard disk\n" + kRefused +
         "letter=F: the drive letter is chosen only for a hard disk\n" + kNothing, ""},
        {"DiskType=hdc", "set size=7", 2,
         kRefused + "size=7: the size is set only for a hard disk (type=hard)\n" + kNothing, ""},
        {"", "set save-image=off save-file=y.img load-file=x.img", 2, kRefused + "load-file=x.img: the file to load "
         "is used only while load-image is on\n" + kRefused + "save-file=y.img: the file to save is used only "
         "while save-image is on\n" + kNothing, ""},
        {"", "set load-image=on label=DATA save-image=off autosave=30", 2, kRefused + "load-image=on undoes "
         "label=DATA: loading an image excludes the disk label\n" + kRefused + "save-image=off undoes autosave=30: "
         "AutoSave needs the image to be saved\n" + kNothing, ""},
        {"", "set label=\xE4\xB8\xAD size=10", 2, kRefused + "label=\xE4\xB8\xAD: the label takes only characters "
         "that the ANSI code page can hold\n" + kNothing, ""},
        {"SaveImageFile:3=" + std::string(510, '7'), "set size=10", 2, kRefused + "save-file (SaveImageFile): it "
         "takes 255 bytes; a text value holds at most 254\n" + kNothing, ""},
        {"open=!5", "set size=10", 3,
         "sarnexctl: cannot read " + kPath + ": access is denied (error 5); nothing was written\n", ""},
        {"write=!5", "set size=10", 3,
         "sarnexctl: cannot write " + kPath + ": access is denied (error 5); nothing was written\n", ""},
        {"AutoSaveEnabled=!5", "set size=10 autosave=40", 3, "sarnexctl: the registry refused to write "
         "AutoSaveEnabled; the values already written were put back, so nothing was changed\n", ""},
    });
}

// Another program writes the key while sarnexctl looks at the memory, after loading and before saving.
struct Meddling final : platform::SystemFacts {
    explicit Meddling(MemoryRegistry& registry) : registry(registry) {}
    platform::PhysicalMemory Memory() const override {
        registry.PutStored(kKey, Values("MakeTempDir=0")[0]);
        return {};
    }
    platform::FileFacts File(const std::string&) const override { return {}; }
    platform::FolderFacts Folder(const std::string&) const override { return {}; }
    platform::FreeSpace FreeSpaceFor(const std::string&) const override { return {}; }
    MemoryRegistry& registry;
};

TEST_F(CtlTest, SetCreatesAMissingKeyAndLeavesAKeyAnotherProgramChanged) {
    EXPECT_TRUE(Run("set size=10 label=RAM").out.starts_with(
        kPath + " does not exist: set creates it (the editor's Save would not) and starts from the editor's "
        "defaults.\ntype               (absent) -> hard  (a new key starts from the editor's defaults)\n"));
    EXPECT_EQ(Kept(), Values("AutoSaveEnabled=0 AutoSaveTrigger=5 DiskFormatFAT32=0 DiskLabel=RAM DiskType=HDC "
                             "LoadImageFile= LoadImageOnStart=0 MakeTempDir=0 SaveImageFile= SaveImageOnExit=0 "
                             "SizeIn4kPages=2560 UseDiskLabel=1 UserDriveLetter=3"));
    Store();
    const Meddling meddling(registry);
    const ctl::Outcome outcome = Run("set size=10", &meddling);
    EXPECT_EQ(outcome.err, "sarnexctl: another program changed " + kPath + " while sarnexctl ran; nothing was written, "
                           "so its change stays\n");
    EXPECT_EQ(outcome.exitCode, 3);
    EXPECT_EQ(registry.GetStored(kKey, "MakeTempDir"), Values("MakeTempDir=0")[0]);
}

}  // namespace
}  // namespace sarnex::testing
