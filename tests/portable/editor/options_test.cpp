// Clicks on the option boxes and the disk-type list -> exactly the controls their rules change.
#include <functional>

#include "portable/program.h"

namespace sarnex::testing {
namespace {

using Act = std::function<void(UserDriver&, editor::Editor&)>;

const StoredValues kTypical = TypicalRecord();  // TEMP directory and label ticked, image saving with AutoSave
const StoredValues kLoading =
    With(kTypical, {{"LoadImageOnStart", Number(1)}, {"MakeTempDir", Number(0)}, {"UseDiskLabel", Number(0)}});
const StoredValues kNoSaving = With(kTypical, {{"SaveImageOnExit", Number(0)}, {"AutoSaveEnabled", Number(0)}});

Act ClickOn(forms::CheckBox& (*box)(editor::Editor&)) {
    return [box](UserDriver& u, editor::Editor& e) { u.Click(box(e)); };
}
#define BOX(name) [](editor::Editor& e) -> forms::CheckBox& { return e.name; }

struct OptionCase {
    const char* name;
    StoredValues stored;
    Act act;
    std::map<std::string, std::string> changed;  // every control whose state changes, and to what
};

const OptionCase kCases[] = {
    {"image loading unticks TEMP and label", kTypical, ClickOn(BOX(loadImageCheck)),
     {{"loadImageCheck", "on 1"}, {"loadImageFileBox", "on \"C:\\disk.img\""}, {"tempDirCheck", "on 0"},
      {"volumeLabelCheck", "on 0"}, {"volumeLabelBox", "off \"RAMDISK\""}}},
    {"image loading disables the label box even without the label's tick",
     With(kTypical, {{"UseDiskLabel", std::nullopt}, {"MakeTempDir", Number(0)}}), ClickOn(BOX(loadImageCheck)),
     {{"loadImageCheck", "on 1"}, {"loadImageFileBox", "on \"C:\\disk.img\""}, {"volumeLabelBox", "off \"RAMDISK\""}}},
    {"TEMP unticks image loading", kLoading, ClickOn(BOX(tempDirCheck)),
     {{"tempDirCheck", "on 1"}, {"loadImageCheck", "on 0"}, {"loadImageFileBox", "off \"C:\\disk.img\""}}},
    {"label unticks image loading", kLoading, ClickOn(BOX(volumeLabelCheck)),
     {{"volumeLabelCheck", "on 1"}, {"volumeLabelBox", "on \"RAMDISK\""}, {"loadImageCheck", "on 0"},
      {"loadImageFileBox", "off \"C:\\disk.img\""}}},
    {"TEMP disables the load file name even without image loading's tick",
     With(kTypical, {{"LoadImageOnStart", std::nullopt}, {"MakeTempDir", Number(0)}, {"UseDiskLabel", Number(0)}}),
     ClickOn(BOX(tempDirCheck)), {{"tempDirCheck", "on 1"}, {"loadImageFileBox", "off \"C:\\disk.img\""}}},
    {"the label disables the load file name even without image loading's tick",
     With(kTypical, {{"LoadImageOnStart", std::nullopt}, {"MakeTempDir", Number(0)}, {"UseDiskLabel", Number(0)}}),
     ClickOn(BOX(volumeLabelCheck)),
     {{"volumeLabelCheck", "on 1"}, {"volumeLabelBox", "on \"RAMDISK\""}, {"loadImageFileBox", "off \"C:\\disk.img\""}}},
    {"TEMP and label together", With(kTypical, {{"UseDiskLabel", Number(0)}}), ClickOn(BOX(volumeLabelCheck)),
     {{"volumeLabelCheck", "on 1"}, {"volumeLabelBox", "on \"RAMDISK\""}}},
    {"unticking TEMP", kTypical, ClickOn(BOX(tempDirCheck)), {{"tempDirCheck", "on 0"}}},
    {"unticking TEMP does not tick image loading back", kLoading,
     [](UserDriver& u, editor::Editor& e) {
         u.Click(e.tempDirCheck);
         u.Click(e.tempDirCheck);
     },
     {{"loadImageCheck", "on 0"}, {"loadImageFileBox", "off \"C:\\disk.img\""}}},
    {"unticking the label", kTypical, ClickOn(BOX(volumeLabelCheck)),
     {{"volumeLabelCheck", "on 0"}, {"volumeLabelBox", "off \"RAMDISK\""}}},
    {"unticking image loading", kLoading, ClickOn(BOX(loadImageCheck)),
     {{"loadImageCheck", "on 0"}, {"loadImageFileBox", "off \"C:\\disk.img\""}}},
    {"unticking image saving unticks AutoSave", kTypical, ClickOn(BOX(saveImageCheck)),
     {{"saveImageCheck", "on 0"}, {"saveImageFileBox", "off \"C:\\save.img\""}, {"autoSaveCheck", "on 0"},
      {"autoSaveIntervalBox", "off \" 60\""}}},
    {"unticking image saving disables the interval even without AutoSave's tick",
     With(kTypical, {{"AutoSaveEnabled", std::nullopt}}), ClickOn(BOX(saveImageCheck)),
     {{"saveImageCheck", "on 0"}, {"saveImageFileBox", "off \"C:\\save.img\""}, {"autoSaveIntervalBox", "off \" 60\""}}},
    {"ticking image saving leaves AutoSave off", kNoSaving, ClickOn(BOX(saveImageCheck)),
     {{"saveImageCheck", "on 1"}, {"saveImageFileBox", "on \"C:\\save.img\""}}},
    {"ticking AutoSave ticks image saving", kNoSaving, ClickOn(BOX(autoSaveCheck)),
     {{"autoSaveCheck", "on 1"}, {"autoSaveIntervalBox", "on \" 60\""}, {"saveImageCheck", "on 1"},
      {"saveImageFileBox", "on \"C:\\save.img\""}}},
    {"unticking AutoSave disables only the interval", kTypical, ClickOn(BOX(autoSaveCheck)),
     {{"autoSaveCheck", "on 0"}, {"autoSaveIntervalBox", "off \" 60\""}}},
    {"unticking FAT32", kTypical, ClickOn(BOX(fat32Check)), {{"fat32Check", "on 0"}}},
    {"unticking the drive letter keeps the letter", kTypical, ClickOn(BOX(driveLetterCheck)),
     {{"driveLetterCheck", "on 0"}, {"driveLetterBox", "off \"S\""}}},
    {"a floppy type disables size, letter and FAT32 and keeps their values", kTypical,
     [](UserDriver& u, editor::Editor& e) { u.Pick(e.diskTypeList, 2); },
     {{"diskTypeList", "on 2 \"2.88MB Floppy\""}, {"diskSizeBox", "off \" 64\""}, {"diskSizeCaption", "off \"Disk Size:\""},
      {"megabytesUnit", "off \"MB\""}, {"driveLetterCheck", "off 1"}, {"driveLetterBox", "off \"S\""},
      {"fat32Check", "off 1"}}},
    {"the hard disk enables the letter box even unticked, FAT32 by size",
     With(kTypical, {{"UserDriveLetter", Number(18)}, {"SizeIn4kPages", Number(8192)}}),
     [](UserDriver& u, editor::Editor& e) {
         u.Click(e.driveLetterCheck);
         u.Click(e.driveLetterCheck);  // now unticked, its box disabled
         u.Pick(e.diskTypeList, 1);
         u.Pick(e.diskTypeList, 0);
     },
     {}},
    {"picking the hard disk again after a floppy", kTypical,
     [](UserDriver& u, editor::Editor& e) {
         u.Pick(e.diskTypeList, 1);
         u.Pick(e.diskTypeList, 0);
     },
     {}},
};

TEST(Options, EachActionChangesExactlyWhatItsRulesSay) {
    for (const OptionCase& c : kCases) {
        SCOPED_TRACE(c.name);
        FreshProgram p(c.stored);
        editor::Editor& e = p.Start();
        const auto before = StatesOf(e);
        c.act(p.user, e);
        const auto after = StatesOf(e);
        std::map<std::string, std::string> changed;
        for (const auto& name : Changed(before, after)) changed[name] = after.at(name);
        EXPECT_EQ(changed, c.changed);
    }
}

}  // namespace
}  // namespace sarnex::testing
