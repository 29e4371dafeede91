// Loading the driver's record into the editor: the main path, an empty key and absent values.
#include "editor/editor.h"

#include <algorithm>

#include "editor/editor_design.h"
#include "shared/event_trace.h"
#include "portable/editor/program_fixture.h"

namespace sarnex::testing {
namespace {

using Kind = testing::RegistryOperation::Kind;

class EditorLoad : public ProgramTest {};

TEST_F(EditorLoad, MainPathFillsEveryControlAndRunsTheRulesOnTheWay) {
    StoredRecord{}.StoreIn(registry);
    editor::Editor& e = Editor();
    EventTrace trace(e);
    Start();

    EXPECT_EQ(e.versionLabel.Caption(), "Version 1.0.41");
    EXPECT_EQ(e.diskTypeList.List(), (std::vector<std::string>{"Hard Disk", "1.44MB Floppy", "2.88MB Floppy"}));
    EXPECT_EQ(e.diskTypeList.ListIndex(), 0);
    EXPECT_EQ(e.diskTypeList.Text(), "Hard Disk");

    EXPECT_EQ(e.loadImageCheck.Value(), 0);
    EXPECT_EQ(e.loadImageFileBox.Text(), "C:\\disk.img");
    EXPECT_FALSE(e.loadImageFileBox.Enabled());
    EXPECT_EQ(e.saveImageCheck.Value(), 1);
    EXPECT_EQ(e.saveImageFileBox.Text(), "C:\\save.img");
    EXPECT_TRUE(e.saveImageFileBox.Enabled());

    EXPECT_EQ(e.diskSizeBox.Text(), " 64");
    EXPECT_TRUE(e.diskSizeBox.Enabled());
    EXPECT_TRUE(e.diskSizeCaption.Enabled());
    EXPECT_TRUE(e.megabytesUnit.Enabled());
    EXPECT_EQ(e.fat32Check.Value(), 1);
    EXPECT_TRUE(e.fat32Check.Enabled());

    EXPECT_EQ(e.autoSaveCheck.Value(), 1);
    EXPECT_EQ(e.autoSaveIntervalBox.Text(), " 60");
    EXPECT_TRUE(e.autoSaveIntervalBox.Enabled());

    EXPECT_EQ(e.driveLetterCheck.Value(), 1);
    EXPECT_TRUE(e.driveLetterCheck.Enabled());
    EXPECT_EQ(e.driveLetterBox.Text(), "S");
    EXPECT_TRUE(e.driveLetterBox.Enabled());

    EXPECT_EQ(e.tempDirCheck.Value(), 1);
    EXPECT_EQ(e.volumeLabelCheck.Value(), 1);
    EXPECT_EQ(e.volumeLabelBox.Text(), "RAMDISK");
    EXPECT_TRUE(e.volumeLabelBox.Enabled());

    EXPECT_EQ(e.AcceptedPositions().size, 1984);
    EXPECT_EQ(e.diskSizeSpinner.Value(), 1984);
    EXPECT_EQ(e.AcceptedPositions().letter, 16384);
    EXPECT_EQ(e.driveLetterSpinner.Value(), 16384);
    EXPECT_EQ(e.AcceptedPositions().interval, 32707);
    EXPECT_EQ(e.autoSaveSpinner.Value(), 32707);

    // Each assignment raised its control's handler at once; the bars found no movement.
    EXPECT_EQ(trace.Entries(), (std::vector<std::string>{
                                   "diskTypeList.Click", "saveImageCheck.Click", "diskSizeBox.Change", "autoSaveCheck.Click",
                                   "driveLetterCheck.Click", "driveLetterBox.Change", "tempDirCheck.Click",
                                   "volumeLabelCheck.Click", "diskSizeSpinner.Change", "driveLetterSpinner.Change",
                                   "autoSaveSpinner.Change"}));

    EXPECT_EQ(host.ShownForms(), std::vector<std::string>{"Editor"});
    EXPECT_FALSE(IsLoaded<notices::RegistryReadFailedNotice>());
}

TEST_F(EditorLoad, ReadsThirteenValuesInLoadingOrderInOnePassAndClosesTheKey) {
    StoredRecord{}.StoreIn(registry);
    Start();
    const auto& ops = registry.Operations();
    ASSERT_EQ(ops.size(), 15u);
    EXPECT_EQ(ops.front().kind, Kind::Open);
    EXPECT_EQ(ops.front().target, kKey);
    EXPECT_EQ(ops.back().kind, Kind::Close);
    std::vector<std::string> queried;
    for (std::size_t i = 1; i + 1 < ops.size(); ++i) {
        EXPECT_EQ(ops[i].kind, Kind::Query);
        queried.push_back(ops[i].target);
    }
    EXPECT_EQ(queried, ValueNamesInLoadingOrder());
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
    EXPECT_TRUE(SetsMade().empty()) << "loading writes nothing";
}

TEST_F(EditorLoad, EmptyKeyLeavesTheDesignStateExceptSizeFieldAndBars) {
    editor::Editor& e = Editor();
    EventTrace trace(e);
    Start();

    EXPECT_EQ(e.versionLabel.Caption(), "Version 1.0.41");
    EXPECT_EQ(e.diskTypeList.ListCount(), 3);
    EXPECT_EQ(e.diskTypeList.ListIndex(), -1);
    EXPECT_EQ(e.diskTypeList.Text(), "Combo1");
    EXPECT_FALSE(e.diskSizeBox.Enabled());
    EXPECT_FALSE(e.diskSizeCaption.Enabled());
    EXPECT_FALSE(e.megabytesUnit.Enabled());
    EXPECT_EQ(e.diskSizeBox.Text(), "Text3");
    EXPECT_EQ(e.loadImageFileBox.Text(), "Text1");
    EXPECT_EQ(e.saveImageFileBox.Text(), "Text2");
    EXPECT_EQ(e.driveLetterBox.Text(), "Text4");
    EXPECT_EQ(e.volumeLabelBox.Text(), "Text4");
    EXPECT_EQ(e.autoSaveIntervalBox.Text(), "Text5");
    for (forms::CheckBox* box : {&e.loadImageCheck, &e.saveImageCheck, &e.fat32Check, &e.autoSaveCheck, &e.driveLetterCheck,
                                 &e.tempDirCheck, &e.volumeLabelCheck}) {
        EXPECT_EQ(box->Value(), 0) << box->Name();
        EXPECT_TRUE(box->Enabled()) << box->Name();
    }
    for (forms::TextBox* box : {&e.loadImageFileBox, &e.saveImageFileBox, &e.driveLetterBox, &e.autoSaveIntervalBox, &e.volumeLabelBox})
        EXPECT_TRUE(box->Enabled()) << box->Name();
    EXPECT_EQ(e.diskSizeSpinner.Value(), 2048);
    EXPECT_EQ(e.AcceptedPositions().size, 2048);
    EXPECT_EQ(e.driveLetterSpinner.Value(), 16384);
    EXPECT_EQ(e.AcceptedPositions().letter, 16384);
    EXPECT_EQ(e.autoSaveSpinner.Value(), 32767);
    EXPECT_EQ(e.AcceptedPositions().interval, 32767);
    EXPECT_EQ(trace.Entries(), (std::vector<std::string>{"diskSizeSpinner.Change", "driveLetterSpinner.Change", "autoSaveSpinner.Change"}));
    EXPECT_FALSE(IsLoaded<notices::RegistryReadFailedNotice>());
    EXPECT_EQ(Operations(Kind::Close).size(), 1u);
}

struct DiskCase {
    const char* name;
    const char* diskType;
    std::int32_t pages;
    int fat32;
    int listIndex;
    const char* sizeText;
    bool sizeEnabled;
    bool fat32Enabled;
    std::int16_t sizePosition;
    friend void PrintTo(const DiskCase& c, std::ostream* os) { *os << c.name; }
};

class EditorLoadDisk : public ProgramTest, public ::testing::WithParamInterface<DiskCase> {};

TEST_P(EditorLoadDisk, TypeSizeAndFat32) {
    const DiskCase& c = GetParam();
    StoredRecord record;
    record.DiskType = c.diskType;
    record.SizeIn4kPages = c.pages;
    record.DiskFormatFAT32 = c.fat32;
    record.StoreIn(registry);
    Start();
    editor::Editor& e = Editor();
    EXPECT_EQ(e.diskTypeList.ListIndex(), c.listIndex);
    EXPECT_EQ(e.diskSizeBox.Text(), c.sizeText);
    EXPECT_EQ(e.diskSizeBox.Enabled(), c.sizeEnabled);
    EXPECT_EQ(e.diskSizeCaption.Enabled(), c.sizeEnabled);
    EXPECT_EQ(e.megabytesUnit.Enabled(), c.sizeEnabled);
    EXPECT_EQ(e.fat32Check.Value(), c.fat32 == 1 ? 1 : 0);
    EXPECT_EQ(e.fat32Check.Enabled(), c.fat32Enabled);
    EXPECT_EQ(e.driveLetterCheck.Enabled(), c.listIndex == 0);
    EXPECT_EQ(e.AcceptedPositions().size, c.sizePosition);
    EXPECT_EQ(e.diskSizeSpinner.Value(), c.sizePosition);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditorLoadDisk,
    ::testing::Values(DiskCase{"Floppy144With360Pages", "FDC14", 360, 0, 1, " 1.40625", false, false, 2047},
                      DiskCase{"Floppy288", "FDC28", 720, 1, 2, " 2.8125", false, false, 2045},
                      DiskCase{"HardDisk33MbFat32Off", "HDC", 8448, 0, 0, " 33", true, true, 2015},
                      DiskCase{"HardDisk32MbFat32On", "HDC", 8192, 1, 0, " 32", true, false, 2016},
                      DiskCase{"EmptyTypeIsHardDisk", "", 1280, 0, 0, " 5", true, false, 2043},
                      DiskCase{"LowerCaseTypeSelectsNothing", "hdc", 16384, 1, -1, " 64", false, false, 1984},
                      DiskCase{"HalfMegabyteSizeRoundsPositionToEven", "HDC", 1408, 0, 0, " 5.5", true, false, 2042},
                      DiskCase{"OnePageShowsItsFraction", "HDC", 1281, 0, 0, " 5.003906", true, false, 2043}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorLoad, AbsentFat32KeepsItsTickAndTheAvailabilityTheRulesLeft) {
    StoredRecord record;
    record.StoreIn(registry);
    registry.PutValue(kKey, "DiskFormatFAT32", 11, std::vector<std::byte>(8));  // too long: absent
    Start();
    EXPECT_EQ(Editor().fat32Check.Value(), 0);
    EXPECT_TRUE(Editor().fat32Check.Enabled()) << "OnDiskSizeTyped of the 64 MB size enabled it";
}

TEST_F(EditorLoad, AbsentDriveLetterKeepsTheBoxAndTheDesignText) {
    StoredRecord record;
    record.DiskType = "FDC14";
    record.StoreIn(registry);
    registry.PutValue(kKey, "UserDriveLetter", 4, std::vector<std::byte>(5));  // 5 bytes: absent
    Start();
    editor::Editor& e = Editor();
    EXPECT_EQ(e.driveLetterCheck.Value(), 0);
    EXPECT_EQ(e.driveLetterBox.Text(), "Text4");
    EXPECT_FALSE(e.driveLetterCheck.Enabled()) << "left disabled by the floppy type";
    EXPECT_FALSE(e.driveLetterBox.Enabled());
}

TEST_F(EditorLoad, AbsentSizeAndIntervalPutTheBarsAtTheirBottom) {
    StoredRecord record;
    record.StoreIn(registry);
    registry.PutValue(kKey, "SizeIn4kPages", 11, std::vector<std::byte>(8));
    registry.PutValue(kKey, "AutoSaveTrigger", 11, std::vector<std::byte>(8));
    Start();
    editor::Editor& e = Editor();
    EXPECT_EQ(e.diskSizeBox.Text(), "Text3");
    EXPECT_FALSE(e.fat32Check.Enabled()) << "no number in diskSizeBox, so not above 32";
    EXPECT_EQ(e.autoSaveIntervalBox.Text(), "Text5");
    EXPECT_EQ(e.AcceptedPositions().size, 2048);
    EXPECT_EQ(e.diskSizeSpinner.Value(), 2048);
    EXPECT_EQ(e.AcceptedPositions().interval, 32767);
    EXPECT_EQ(e.autoSaveSpinner.Value(), 32767);
}

// The controls whose state differs from the full record's when one value cannot be read. Some
// values change nothing visible, because a later step's handler sets the same state.
std::vector<std::string> ControlsChangedByAbsentValue(const std::string& absent, const platform::CodePage& codePage,
                                                      platform::Shell& shell) {
    auto load = [&](bool dropValue) {
        headless::HeadlessHost host;
        forms::FormsRuntime runtime{host};
        testing::MemoryRegistry registry;
        StoredRecord{}.StoreIn(registry);
        if (dropValue) registry.PutValue(kKey, absent, 3, std::vector<std::byte>(256));  // longer than any buffer
        startup::Program program{runtime, {registry, codePage, shell, {1, 0, 41}}};
        program.Start("");
        auto states = ControlStates(program.Editor());
        states.push_back("sizeSpinnerPosition " + std::to_string(program.Editor().AcceptedPositions().size));
        states.push_back("intervalSpinnerPosition " + std::to_string(program.Editor().AcceptedPositions().interval));
        return states;
    };
    const auto full = load(false);
    const auto part = load(true);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < full.size() && i < part.size(); ++i)
        if (full[i] != part[i]) names.push_back(part[i].substr(0, part[i].find(' ')));
    return names;
}

TEST_F(EditorLoad, AnAbsentValueLeavesItsControlsAsTheyWere) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"DiskType", {"diskSizeCaption", "megabytesUnit", "diskTypeList", "diskSizeBox", "fat32Check", "driveLetterCheck"}},
        {"LoadImageOnStart", {}},  // loadImageFileBox is disabled by the TEMP-directory tick all the same
        {"LoadImageFile", {"loadImageFileBox"}},
        {"SaveImageOnExit", {}},  // AutoSave ticks image saving on the way
        {"SaveImageFile", {"saveImageFileBox"}},
        {"SizeIn4kPages", {"diskSizeBox", "diskSizeSpinner", "fat32Check", "sizeSpinnerPosition"}},
        {"DiskFormatFAT32", {"fat32Check"}},
        {"AutoSaveEnabled", {"autoSaveCheck"}},
        {"AutoSaveTrigger", {"autoSaveIntervalBox", "autoSaveSpinner", "intervalSpinnerPosition"}},
        {"UserDriveLetter", {"driveLetterBox", "driveLetterCheck"}},
        {"MakeTempDir", {"tempDirCheck"}},
        {"DiskLabel", {"volumeLabelBox"}},
        {"UseDiskLabel", {"volumeLabelCheck"}},
    };
    ASSERT_EQ(cases.size(), 13u);
    for (const auto& [absent, expected] : cases) {
        auto got = ControlsChangedByAbsentValue(absent, codePage, shell);
        auto want = expected;
        std::sort(got.begin(), got.end());
        std::sort(want.begin(), want.end());
        EXPECT_EQ(got, want) << absent;
    }
}

TEST_F(EditorLoad, StoredAutoSaveWithoutImageSaveTicksImageSave) {
    StoredRecord record;
    record.SaveImageOnExit = 0;
    record.AutoSaveEnabled = 1;
    record.StoreIn(registry);
    Start();
    EXPECT_EQ(Editor().saveImageCheck.Value(), 1);
    EXPECT_TRUE(Editor().saveImageFileBox.Enabled());
    EXPECT_TRUE(Editor().autoSaveIntervalBox.Enabled());
}

TEST_F(EditorLoad, StoredImageLoadWithTempDirComesUpUnticked) {
    StoredRecord record;
    record.LoadImageOnStart = 1;
    record.MakeTempDir = 1;
    record.UseDiskLabel = 0;
    record.StoreIn(registry);
    Start();
    EXPECT_EQ(Editor().loadImageCheck.Value(), 0);
    EXPECT_FALSE(Editor().loadImageFileBox.Enabled());
    EXPECT_EQ(Editor().tempDirCheck.Value(), 1);
    EXPECT_FALSE(Editor().volumeLabelBox.Enabled());
}

TEST_F(EditorLoad, ImageLoadAloneEnablesItsFileName) {
    StoredRecord record;
    record.LoadImageOnStart = 1;
    record.MakeTempDir = 0;
    record.UseDiskLabel = 0;
    record.StoreIn(registry);
    Start();
    EXPECT_EQ(Editor().loadImageCheck.Value(), 1);
    EXPECT_TRUE(Editor().loadImageFileBox.Enabled());
    EXPECT_FALSE(Editor().volumeLabelBox.Enabled());
    EXPECT_EQ(Editor().volumeLabelBox.Text(), "RAMDISK");
}

TEST_F(EditorLoad, VersionLineComesFromTheGivenVersion) {
    startup::Program other{runtime, startup::Services{registry, codePage, shell, platform::ProgramVersion{12, 3, 0}}};
    other.Start("");
    EXPECT_EQ(other.Editor().versionLabel.Caption(), "Version 12.3.0");
}

TEST_F(EditorLoad, LinkLabelShowsTheWebAddress) {
    Start();
    EXPECT_EQ(Editor().webLink.Caption(), editor::kWebAddress);
}

}  // namespace
}  // namespace sarnex::testing
