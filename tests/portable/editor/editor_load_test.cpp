// Loading the driver's record into the editor: the main path, an empty key and absent values.
#include "editor/editor.h"

#include <algorithm>

#include "editor/editor_design.h"
#include "shared/event_trace.h"
#include "portable/editor/program_fixture.h"

namespace sarnex::testing {
namespace {

using Kind = platform::RegistryOperation::Kind;

class EditorLoad : public ProgramTest {};

TEST_F(EditorLoad, MainPathFillsEveryControlAndRunsTheRulesOnTheWay) {
    StoredRecord{}.StoreIn(registry);
    editor::Editor& e = Editor();
    EventTrace trace(e);
    Start();

    EXPECT_EQ(e.Label5.Caption(), "Version 1.0.41");
    EXPECT_EQ(e.Combo1.List(), (std::vector<std::string>{"Hard Disk", "1.44MB Floppy", "2.88MB Floppy"}));
    EXPECT_EQ(e.Combo1.ListIndex(), 0);
    EXPECT_EQ(e.Combo1.Text(), "Hard Disk");

    EXPECT_EQ(e.LoadImage.Value(), 0);
    EXPECT_EQ(e.Text1.Text(), "C:\\disk.img");
    EXPECT_FALSE(e.Text1.Enabled());
    EXPECT_EQ(e.SaveImage.Value(), 1);
    EXPECT_EQ(e.Text2.Text(), "C:\\save.img");
    EXPECT_TRUE(e.Text2.Enabled());

    EXPECT_EQ(e.Text3.Text(), " 64");
    EXPECT_TRUE(e.Text3.Enabled());
    EXPECT_TRUE(e.Label6.Enabled());
    EXPECT_TRUE(e.Label12.Enabled());
    EXPECT_EQ(e.Fat32Enable.Value(), 1);
    EXPECT_TRUE(e.Fat32Enable.Enabled());

    EXPECT_EQ(e.SaveCheckBox.Value(), 1);
    EXPECT_EQ(e.AutoSaveTime.Text(), " 60");
    EXPECT_TRUE(e.AutoSaveTime.Enabled());

    EXPECT_EQ(e.DriveCheckBox.Value(), 1);
    EXPECT_TRUE(e.DriveCheckBox.Enabled());
    EXPECT_EQ(e.DriveLetterText.Text(), "S");
    EXPECT_TRUE(e.DriveLetterText.Enabled());

    EXPECT_EQ(e.TempDirCheckBox.Value(), 1);
    EXPECT_EQ(e.DiskLabelCheckBox.Value(), 1);
    EXPECT_EQ(e.DiskLabelText.Text(), "RAMDISK");
    EXPECT_TRUE(e.DiskLabelText.Enabled());

    EXPECT_EQ(e.SizeScrollPos, 1984);
    EXPECT_EQ(e.VScroll1.Value(), 1984);
    EXPECT_EQ(e.DriveScrollPos, 16384);
    EXPECT_EQ(e.VScroll2.Value(), 16384);
    EXPECT_EQ(e.TimeScrollPos, 32707);
    EXPECT_EQ(e.VScroll3.Value(), 32707);

    // Each assignment raised its control's handler at once; the bars found no movement.
    EXPECT_EQ(trace.Entries(), (std::vector<std::string>{
                                   "Combo1_Click", "SaveImage_Click", "Text3_Change", "SaveCheckBox_Click",
                                   "DriveCheckBox_Click", "DriveLetterText_Change", "TempDirCheckBox_Click",
                                   "DiskLabelCheckBox_Click", "VScroll1_Change", "VScroll2_Change",
                                   "VScroll3_Change"}));

    EXPECT_EQ(host.ShownForms(), std::vector<std::string>{"Editor"});
    EXPECT_FALSE(IsLoaded<notices::ReadRegFail>());
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

    EXPECT_EQ(e.Label5.Caption(), "Version 1.0.41");
    EXPECT_EQ(e.Combo1.ListCount(), 3);
    EXPECT_EQ(e.Combo1.ListIndex(), -1);
    EXPECT_EQ(e.Combo1.Text(), "Combo1");
    EXPECT_FALSE(e.Text3.Enabled());
    EXPECT_FALSE(e.Label6.Enabled());
    EXPECT_FALSE(e.Label12.Enabled());
    EXPECT_EQ(e.Text3.Text(), "Text3");
    EXPECT_EQ(e.Text1.Text(), "Text1");
    EXPECT_EQ(e.Text2.Text(), "Text2");
    EXPECT_EQ(e.DriveLetterText.Text(), "Text4");
    EXPECT_EQ(e.DiskLabelText.Text(), "Text4");
    EXPECT_EQ(e.AutoSaveTime.Text(), "Text5");
    for (forms::CheckBox* box : {&e.LoadImage, &e.SaveImage, &e.Fat32Enable, &e.SaveCheckBox, &e.DriveCheckBox,
                                 &e.TempDirCheckBox, &e.DiskLabelCheckBox}) {
        EXPECT_EQ(box->Value(), 0) << box->Name();
        EXPECT_TRUE(box->Enabled()) << box->Name();
    }
    for (forms::TextBox* box : {&e.Text1, &e.Text2, &e.DriveLetterText, &e.AutoSaveTime, &e.DiskLabelText})
        EXPECT_TRUE(box->Enabled()) << box->Name();
    EXPECT_EQ(e.VScroll1.Value(), 2048);
    EXPECT_EQ(e.SizeScrollPos, 2048);
    EXPECT_EQ(e.VScroll2.Value(), 16384);
    EXPECT_EQ(e.DriveScrollPos, 16384);
    EXPECT_EQ(e.VScroll3.Value(), 32767);
    EXPECT_EQ(e.TimeScrollPos, 32767);
    EXPECT_EQ(trace.Entries(), (std::vector<std::string>{"VScroll1_Change", "VScroll2_Change", "VScroll3_Change"}));
    EXPECT_FALSE(IsLoaded<notices::ReadRegFail>());
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
    EXPECT_EQ(e.Combo1.ListIndex(), c.listIndex);
    EXPECT_EQ(e.Text3.Text(), c.sizeText);
    EXPECT_EQ(e.Text3.Enabled(), c.sizeEnabled);
    EXPECT_EQ(e.Label6.Enabled(), c.sizeEnabled);
    EXPECT_EQ(e.Label12.Enabled(), c.sizeEnabled);
    EXPECT_EQ(e.Fat32Enable.Value(), c.fat32 == 1 ? 1 : 0);
    EXPECT_EQ(e.Fat32Enable.Enabled(), c.fat32Enabled);
    EXPECT_EQ(e.DriveCheckBox.Enabled(), c.listIndex == 0);
    EXPECT_EQ(e.SizeScrollPos, c.sizePosition);
    EXPECT_EQ(e.VScroll1.Value(), c.sizePosition);
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
    EXPECT_EQ(Editor().Fat32Enable.Value(), 0);
    EXPECT_TRUE(Editor().Fat32Enable.Enabled()) << "Text3_Change of the 64 MB size enabled it";
}

TEST_F(EditorLoad, AbsentDriveLetterKeepsTheBoxAndTheDesignText) {
    StoredRecord record;
    record.DiskType = "FDC14";
    record.StoreIn(registry);
    registry.PutValue(kKey, "UserDriveLetter", 4, std::vector<std::byte>(5));  // 5 bytes: absent
    Start();
    editor::Editor& e = Editor();
    EXPECT_EQ(e.DriveCheckBox.Value(), 0);
    EXPECT_EQ(e.DriveLetterText.Text(), "Text4");
    EXPECT_FALSE(e.DriveCheckBox.Enabled()) << "left disabled by the floppy type";
    EXPECT_FALSE(e.DriveLetterText.Enabled());
}

TEST_F(EditorLoad, AbsentSizeAndIntervalPutTheBarsAtTheirBottom) {
    StoredRecord record;
    record.StoreIn(registry);
    registry.PutValue(kKey, "SizeIn4kPages", 11, std::vector<std::byte>(8));
    registry.PutValue(kKey, "AutoSaveTrigger", 11, std::vector<std::byte>(8));
    Start();
    editor::Editor& e = Editor();
    EXPECT_EQ(e.Text3.Text(), "Text3");
    EXPECT_FALSE(e.Fat32Enable.Enabled()) << "no number in Text3, so not above 32";
    EXPECT_EQ(e.AutoSaveTime.Text(), "Text5");
    EXPECT_EQ(e.SizeScrollPos, 2048);
    EXPECT_EQ(e.VScroll1.Value(), 2048);
    EXPECT_EQ(e.TimeScrollPos, 32767);
    EXPECT_EQ(e.VScroll3.Value(), 32767);
}

// The controls whose state differs from the full record's when one value cannot be read. Some
// values change nothing visible, because a later step's handler sets the same state.
std::vector<std::string> ControlsChangedByAbsentValue(const std::string& absent, const platform::CodePage& codePage,
                                                      platform::Shell& shell) {
    auto load = [&](bool dropValue) {
        headless::HeadlessHost host;
        forms::FormsRuntime runtime{host};
        platform::MemoryRegistry registry;
        StoredRecord{}.StoreIn(registry);
        if (dropValue) registry.PutValue(kKey, absent, 3, std::vector<std::byte>(256));  // longer than any buffer
        startup::Program program{runtime, {registry, codePage, shell, {1, 0, 41}}};
        program.Main("");
        auto states = ControlStates(program.Editor());
        states.push_back("SizeScrollPos " + std::to_string(program.Editor().SizeScrollPos));
        states.push_back("TimeScrollPos " + std::to_string(program.Editor().TimeScrollPos));
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
        {"DiskType", {"Label6", "Label12", "Combo1", "Text3", "Fat32Enable", "DriveCheckBox"}},
        {"LoadImageOnStart", {}},  // Text1 is disabled by the TEMP-directory tick all the same
        {"LoadImageFile", {"Text1"}},
        {"SaveImageOnExit", {}},  // AutoSave ticks image saving on the way
        {"SaveImageFile", {"Text2"}},
        {"SizeIn4kPages", {"Text3", "VScroll1", "Fat32Enable", "SizeScrollPos"}},
        {"DiskFormatFAT32", {"Fat32Enable"}},
        {"AutoSaveEnabled", {"SaveCheckBox"}},
        {"AutoSaveTrigger", {"AutoSaveTime", "VScroll3", "TimeScrollPos"}},
        {"UserDriveLetter", {"DriveLetterText", "DriveCheckBox"}},
        {"MakeTempDir", {"TempDirCheckBox"}},
        {"DiskLabel", {"DiskLabelText"}},
        {"UseDiskLabel", {"DiskLabelCheckBox"}},
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
    EXPECT_EQ(Editor().SaveImage.Value(), 1);
    EXPECT_TRUE(Editor().Text2.Enabled());
    EXPECT_TRUE(Editor().AutoSaveTime.Enabled());
}

TEST_F(EditorLoad, StoredImageLoadWithTempDirComesUpUnticked) {
    StoredRecord record;
    record.LoadImageOnStart = 1;
    record.MakeTempDir = 1;
    record.UseDiskLabel = 0;
    record.StoreIn(registry);
    Start();
    EXPECT_EQ(Editor().LoadImage.Value(), 0);
    EXPECT_FALSE(Editor().Text1.Enabled());
    EXPECT_EQ(Editor().TempDirCheckBox.Value(), 1);
    EXPECT_FALSE(Editor().DiskLabelText.Enabled());
}

TEST_F(EditorLoad, ImageLoadAloneEnablesItsFileName) {
    StoredRecord record;
    record.LoadImageOnStart = 1;
    record.MakeTempDir = 0;
    record.UseDiskLabel = 0;
    record.StoreIn(registry);
    Start();
    EXPECT_EQ(Editor().LoadImage.Value(), 1);
    EXPECT_TRUE(Editor().Text1.Enabled());
    EXPECT_FALSE(Editor().DiskLabelText.Enabled());
    EXPECT_EQ(Editor().DiskLabelText.Text(), "RAMDISK");
}

TEST_F(EditorLoad, VersionLineComesFromTheGivenVersion) {
    startup::Program other{runtime, startup::Services{registry, codePage, shell, editor::ProgramVersion{12, 3, 0}}};
    other.Main("");
    EXPECT_EQ(other.Editor().Label5.Caption(), "Version 12.3.0");
}

TEST_F(EditorLoad, LinkLabelShowsTheWebAddress) {
    Start();
    EXPECT_EQ(Editor().Label8.Caption(), editor::kWebAddress);
}

}  // namespace
}  // namespace sarnex::testing
