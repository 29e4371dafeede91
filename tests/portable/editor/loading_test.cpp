// Loading: stored bytes -> what the editor shows. Normal, malformed and edge values, floppies, an
// empty key, a missing key and one that cannot be opened.
#include "editor/editor_design.h"
#include "portable/program.h"

namespace sarnex::testing {
namespace {

using namespace std::string_view_literals;
using Kind = RegistryOperation::Kind;

const StoredValues kTypical = TypicalRecord();
const StoredValue kEightBytes = Raw(11, "\x00\x40\x00\x00\x00\x00\x00\x00"sv);  // too long for a number

StoredValues Flags(const StoredValue& v) {
    return With(kTypical, {{"LoadImageOnStart", v}, {"SaveImageOnExit", v}, {"AutoSaveEnabled", v},
                           {"DiskFormatFAT32", v}, {"MakeTempDir", v}, {"UseDiskLabel", v}});
}

struct LoadCase {
    const char* name;
    std::optional<StoredValues> stored;  // std::nullopt: no key at all
    std::map<std::string, std::string> expected;
};

const LoadCase kLoadCases[] = {
    {"typical record", kTypical,
     {{"versionLabel", "on \"Version 1.0.41\""}, {"diskTypeList", "on 0 \"Hard Disk\""},
      {"loadImageCheck", "on 0"}, {"loadImageFileBox", "off \"C:\\disk.img\""},
      {"saveImageCheck", "on 1"}, {"saveImageFileBox", "on \"C:\\save.img\""},
      {"diskSizeBox", "on \" 64\""}, {"diskSizeCaption", "on \"Disk Size:\""}, {"megabytesUnit", "on \"MB\""},
      {"fat32Check", "on 1"}, {"autoSaveCheck", "on 1"}, {"autoSaveIntervalBox", "on \" 60\""},
      {"driveLetterCheck", "on 1"}, {"driveLetterBox", "on \"S\""}, {"tempDirCheck", "on 1"},
      {"volumeLabelCheck", "on 1"}, {"volumeLabelBox", "on \"RAMDISK\""},
      {"diskSizeSpinner", "on 1984"}, {"driveLetterSpinner", "on 16384"}, {"autoSaveSpinner", "on 32707"}}},
    {"empty key: design texts, bars at the bottom", StoredValues{},
     {{"diskTypeList", "on -1 \"Combo1\""}, {"diskSizeBox", "off \"Text3\""}, {"diskSizeCaption", "off \"Disk Size:\""},
      {"megabytesUnit", "off \"MB\""}, {"loadImageFileBox", "on \"Text1\""}, {"saveImageFileBox", "on \"Text2\""},
      {"driveLetterBox", "on \"Text4\""}, {"volumeLabelBox", "on \"Text4\""}, {"autoSaveIntervalBox", "on \"Text5\""},
      {"fat32Check", "on 0"}, {"loadImageCheck", "on 0"}, {"tempDirCheck", "on 0"},
      {"diskSizeSpinner", "on 2048"}, {"driveLetterSpinner", "on 16384"}, {"autoSaveSpinner", "on 32767"}}},
    {"missing key: the fixed defaults", std::nullopt,
     {{"diskTypeList", "on 0 \"Hard Disk\""}, {"driveLetterCheck", "on 0"}, {"driveLetterBox", "off \"D\""},
      {"fat32Check", "off 0"}, {"loadImageCheck", "on 0"}, {"saveImageCheck", "on 0"},
      {"loadImageFileBox", "off \"\""}, {"saveImageFileBox", "off \"\""}, {"diskSizeBox", "on \"5\""},
      {"autoSaveCheck", "on 0"}, {"autoSaveIntervalBox", "off \"20\""}, {"volumeLabelBox", "off \"Sarnexia\""},
      {"volumeLabelCheck", "on 0"}, {"tempDirCheck", "on 0"},
      {"diskSizeSpinner", "on 2048"}, {"driveLetterSpinner", "on 16384"}, {"autoSaveSpinner", "on 32747"}}},
    // Disk types and sizes
    {"1.44 MB floppy", With(kTypical, {{"DiskType", Text("FDC14")}, {"SizeIn4kPages", Number(360)}}),
     {{"diskTypeList", "on 1 \"1.44MB Floppy\""}, {"diskSizeBox", "off \" 1.40625\""}, {"fat32Check", "off 1"},
      {"diskSizeCaption", "off \"Disk Size:\""}, {"driveLetterCheck", "off 1"}, {"driveLetterBox", "off \"S\""},
      {"diskSizeSpinner", "on 2047"}}},
    {"33 MB makes FAT32 available", With(kTypical, {{"SizeIn4kPages", Number(8448)}, {"DiskFormatFAT32", Number(0)}}),
     {{"diskSizeBox", "on \" 33\""}, {"fat32Check", "on 0"}, {"diskSizeSpinner", "on 2015"}}},
    {"32 MB does not", With(kTypical, {{"SizeIn4kPages", Number(8192)}}),
     {{"diskSizeBox", "on \" 32\""}, {"fat32Check", "off 1"}}},
    {"type compared case-sensitively", With(kTypical, {{"DiskType", Text("hdc")}}),
     {{"diskTypeList", "on -1 \"Combo1\""}, {"diskSizeBox", "off \" 64\""}, {"fat32Check", "off 1"}}},
    {"half megabyte: position rounds to even", With(kTypical, {{"SizeIn4kPages", Number(1408)}}),
     {{"diskSizeBox", "on \" 5.5\""}, {"diskSizeSpinner", "on 2042"}}},
    // Sizes and intervals the bars cannot show: the text shows the number, the bars are held in range
    {"4096 MB and 40000 s", With(kTypical, {{"SizeIn4kPages", Number(1048576)}, {"AutoSaveTrigger", Number(10000)}}),
     {{"diskSizeBox", "on \" 4096\""}, {"autoSaveIntervalBox", "on \" 40000\""}, {"diskSizeSpinner", "on 0"},
      {"autoSaveSpinner", "on 0"}}},
    {"negative size and interval", With(kTypical, {{"SizeIn4kPages", Number(-256)}, {"AutoSaveTrigger", Number(-5)}}),
     {{"diskSizeBox", "on \"-1\""}, {"autoSaveIntervalBox", "on \"-20\""}, {"fat32Check", "off 1"},
      {"diskSizeSpinner", "on 2048"}, {"autoSaveSpinner", "on 32767"}}},
    {"just inside the bars", With(kTypical, {{"SizeIn4kPages", Number(524288)}, {"AutoSaveTrigger", Number(8191)}}),
     {{"diskSizeBox", "on \" 2048\""}, {"autoSaveIntervalBox", "on \" 32764\""}, {"diskSizeSpinner", "on 0"},
      {"autoSaveSpinner", "on 3"}}},
    {"just outside", With(kTypical, {{"SizeIn4kPages", Number(524544)}, {"AutoSaveTrigger", Number(8192)}}),
     {{"diskSizeBox", "on \" 2049\""}, {"autoSaveIntervalBox", "on \" 32768\""}, {"diskSizeSpinner", "on 0"},
      {"autoSaveSpinner", "on 0"}}},
    // Numbers of the wrong length or type, and odd flags
    {"a number of 8 bytes is absent, of 1 byte is read",
     With(kTypical, {{"SizeIn4kPages", kEightBytes}, {"UseDiskLabel", Raw(3, "\x01")}}),
     {{"diskSizeBox", "on \"Text3\""}, {"fat32Check", "off 1"}, {"diskSizeSpinner", "on 2048"}, {"volumeLabelCheck", "on 1"}}},
    {"flags of 2 read as unticked", Flags(Number(2)),
     {{"loadImageCheck", "on 0"}, {"saveImageCheck", "on 0"}, {"autoSaveCheck", "on 0"}, {"fat32Check", "on 0"},
      {"tempDirCheck", "on 0"}, {"volumeLabelCheck", "on 0"}, {"saveImageFileBox", "off \"C:\\save.img\""},
      {"autoSaveIntervalBox", "off \" 60\""}, {"volumeLabelBox", "off \"RAMDISK\""}}},
    {"flags stored as the text 1 (49)", Flags(Text("1")), {{"autoSaveCheck", "on 0"}, {"fat32Check", "on 0"}}},
    // Texts
    {"texts of 255 bytes are read, of 256 absent",
     With(kTypical, {{"LoadImageFile", Text(std::string(254, 'L'))}, {"SaveImageFile", Text(std::string(255, 'S'))},
                     {"DiskLabel", Raw(1, std::string(255, 'D'))}}),
     {{"loadImageFileBox", "off \"" + std::string(254, 'L') + "\""}, {"saveImageFileBox", "on \"Text2\""},
      {"volumeLabelBox", "on \"Text4\""}}},
    {"code page characters, zero bytes and any type",
     With(kTypical, {{"DiskLabel", Raw(1, "AB\0CD\0"sv)}, {"LoadImageFile", Text("C:\\Gr\xF6\xDF" "e\\\x80.img")},
                     {"SaveImageFile", Raw(4, "a\0b\0"sv)}}),
     {{"volumeLabelBox", "on \"ABCD\""}, {"loadImageFileBox", "off \"C:\\Gr\xC3\xB6\xC3\x9F" "e\\\xE2\x82\xAC.img\""},
      {"saveImageFileBox", "on \"ab\""}}},
    // Drive letters: bits 24-31 tick, bits 0-7 index from "A", raised to "D" and held to "Z"
    {"a is upper-cased, then raised to D", With(kTypical, {{"UserDriveLetter", Number(32)}}), {{"driveLetterBox", "on \"D\""}}},
    {"letter with a floppy stays unavailable",
     With(kTypical, {{"DiskType", Text("FDC28")}, {"UserDriveLetter", Number(16777216 + 7)}}),
     {{"driveLetterCheck", "off 1"}, {"driveLetterBox", "off \"H\""}}},
    // How values combine on the way
    {"AutoSave without image saving ticks image saving", With(kTypical, {{"SaveImageOnExit", Number(0)}}),
     {{"saveImageCheck", "on 1"}, {"saveImageFileBox", "on \"C:\\save.img\""}, {"autoSaveIntervalBox", "on \" 60\""}}},
    {"image loading with the TEMP directory comes up unticked",
     With(kTypical, {{"LoadImageOnStart", Number(1)}, {"UseDiskLabel", Number(0)}}),
     {{"loadImageCheck", "on 0"}, {"loadImageFileBox", "off \"C:\\disk.img\""}, {"tempDirCheck", "on 1"},
      {"volumeLabelBox", "off \"RAMDISK\""}}},
    {"image loading alone enables its file name",
     With(kTypical, {{"LoadImageOnStart", Number(1)}, {"MakeTempDir", Number(0)}, {"UseDiskLabel", Number(0)}}),
     {{"loadImageCheck", "on 1"}, {"loadImageFileBox", "on \"C:\\disk.img\""}, {"volumeLabelBox", "off \"RAMDISK\""}}},
};

TEST(Loading, StoredBytesBecomeControlStates) {
    for (const LoadCase& c : kLoadCases) {
        SCOPED_TRACE(c.name);
        FreshProgram p(c.stored);
        editor::Editor& e = p.Start();
        ExpectStates(e, c.expected);
        ExpectSpinnersAtTheirAcceptedPositions(e);
        EXPECT_EQ(p.IsLoaded<notices::RegistryReadFailedNotice>(), !c.stored.has_value());
        EXPECT_TRUE(p.Operations(Kind::Set).empty()) << "loading writes nothing";
        EXPECT_EQ(p.registry.OpenHandleCount(), 0u);
    }
}

// One value that cannot be read leaves exactly its own controls as the design or the rules before
// it left them; some change nothing visible because a later step sets the same state.
TEST(Loading, AnAbsentValueChangesOnlyItsOwnControls) {
    const std::map<std::string, std::vector<std::string>> cases = {
        {"DiskType", {"diskSizeBox", "diskSizeCaption", "diskTypeList", "driveLetterCheck", "fat32Check", "megabytesUnit"}},
        {"LoadImageOnStart", {}},  // the TEMP-directory tick disables the file name all the same
        {"LoadImageFile", {"loadImageFileBox"}},
        {"SaveImageOnExit", {}},  // AutoSave ticks image saving on the way
        {"SaveImageFile", {"saveImageFileBox"}},
        {"SizeIn4kPages", {"diskSizeBox", "diskSizeSpinner", "fat32Check"}},
        {"DiskFormatFAT32", {"fat32Check"}},
        {"AutoSaveEnabled", {"autoSaveCheck"}},
        {"AutoSaveTrigger", {"autoSaveIntervalBox", "autoSaveSpinner"}},
        {"UserDriveLetter", {"driveLetterBox", "driveLetterCheck"}},
        {"MakeTempDir", {"tempDirCheck"}},
        {"DiskLabel", {"volumeLabelBox"}},
        {"UseDiskLabel", {"volumeLabelCheck"}},
    };
    FreshProgram full;
    const auto fullStates = StatesOf(full.Start());
    for (const auto& [absent, changed] : cases) {
        SCOPED_TRACE(absent);
        FreshProgram p(With(kTypical, {{absent, Raw(3, std::string(256, 'x'))}}));  // longer than any buffer
        EXPECT_EQ(Changed(fullStates, StatesOf(p.Start())), changed);
        ExpectSpinnersAtTheirAcceptedPositions(p.Editor());
    }
}

TEST(Loading, AKeyThatCannotBeOpenedShowsTheDefaultsAndTheNoticeInFront) {
    for (platform::RegistryStatus status : {platform::registry_status::kNotFound, platform::registry_status::kAccessDenied}) {
        SCOPED_TRACE(status);
        FreshProgram p;  // present but unreachable: nothing of it may show
        p.registry.FailOpen(kKey, status);
        editor::Editor& e = p.Start();
        EXPECT_EQ(StateOf(e.diskSizeBox), "on \"5\"");
        EXPECT_EQ(p.host.ShownForms(), (std::vector<std::string>{"RegistryReadFailedNotice", "Editor"}));
        EXPECT_TRUE(p.Window<notices::RegistryReadFailedNotice>()->Topmost());
        EXPECT_FALSE(e.Topmost());
        EXPECT_EQ(p.registry.Operations().size(), 1u) << "nothing is queried or closed";

        // The editor stays usable beside the notice, which closes only itself.
        p.user.Arrow(e.diskSizeSpinner, forms::VScrollBar::Arrow::Up);
        EXPECT_EQ(StateOf(e.diskSizeBox), "on \" 6\"");
        EXPECT_EQ(e.diskSizeSpinner.Value(), 2047);
        p.user.Click(p.Window<notices::RegistryReadFailedNotice>()->closeButton);
        EXPECT_TRUE(e.Loaded());
        EXPECT_FALSE(p.runtime.ProgramEnded());
    }
}

}  // namespace
}  // namespace sarnex::testing
