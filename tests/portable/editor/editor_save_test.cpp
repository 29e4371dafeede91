// Saving and leaving the editor: round trips, the writing order, the buttons, and saves that fail.
#include <algorithm>
#include <string>
#include <vector>

#include "portable/editor/program_fixture.h"

namespace sarnex::testing {
namespace {

using Kind = testing::RegistryOperation::Kind;
using namespace std::string_view_literals;

std::vector<std::string> AllSetsSucceeded() {
    std::vector<std::string> out;
    for (const auto& name : ValueNamesInWritingOrder()) out.push_back(name + ":0");
    return out;
}

// Records that a save writes back unchanged: each consistent with the editing rules.
struct RoundTrip {
    const char* name;
    StoredRecord record;
    friend void PrintTo(const RoundTrip& c, std::ostream* os) { *os << c.name; }
};

StoredRecord Floppy() {
    StoredRecord r;
    r.DiskType = "FDC14";
    r.SizeIn4kPages = 360;
    r.DiskFormatFAT32 = 0;
    r.LoadImageOnStart = 0;
    r.SaveImageOnExit = 0;
    r.AutoSaveEnabled = 0;
    r.AutoSaveTrigger = 8191;
    r.UserDriveLetter = 3;
    r.MakeTempDir = 1;
    r.UseDiskLabel = 1;
    r.DiskLabel = "RAMDISK";
    r.SaveImageFile = "";
    return r;
}

StoredRecord ImageLoading() {
    StoredRecord r;
    r.DiskType = "FDC28";
    r.SizeIn4kPages = 1408;  // 5.5 MB, kept with its fraction
    r.LoadImageOnStart = 1;
    r.LoadImageFile = "C:\\Bilder\\Gr\xF6\xDF" "e \x80.img";  // Windows-1252 bytes
    r.MakeTempDir = 0;
    r.UseDiskLabel = 0;
    r.DiskLabel = "";
    r.UserDriveLetter = 16777241;  // "Z", chosen
    r.AutoSaveTrigger = 5;
    return r;
}

StoredRecord Defaults() {
    StoredRecord r;
    r.LoadImageOnStart = 0;
    r.LoadImageFile = "";
    r.SaveImageOnExit = 0;
    r.SaveImageFile = "";
    r.SizeIn4kPages = 1280;
    r.AutoSaveEnabled = 0;
    r.DiskFormatFAT32 = 0;
    r.AutoSaveTrigger = 5;
    r.UserDriveLetter = 3;
    r.MakeTempDir = 0;
    r.UseDiskLabel = 0;
    r.DiskLabel = "Sarnexia";
    return r;
}

StoredRecord LargestValues() {
    StoredRecord r;
    r.SizeIn4kPages = 524288;  // 2048 MB
    r.AutoSaveTrigger = 8191;  // 32764 s
    r.LoadImageFile = std::string(254, 'x');
    r.UserDriveLetter = 16777216 + 25;
    return r;
}

class EditorSaveRoundTrip : public ProgramTest, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(EditorSaveRoundTrip, SaveWithoutEditsWritesEveryValueBackByteForByte) {
    GetParam().record.StoreIn(registry);
    std::vector<testing::StoredRegistryValue> before;
    for (const auto& name : ValueNamesInWritingOrder()) before.push_back(*registry.GetValue(kKey, name));
    Start();
    registry.ClearOperations();

    user.Click(Editor().saveButton);

    EXPECT_EQ(SetsMade(), AllSetsSucceeded());
    for (std::size_t i = 0; i < before.size(); ++i) {
        const auto& name = ValueNamesInWritingOrder()[i];
        EXPECT_EQ(registry.GetValue(kKey, name), before[i]) << name;
    }
    EXPECT_EQ(registry.ValueCount(kKey), 13u);
    EXPECT_FALSE(IsLoaded<notices::RegistrySaveFailedNotice>());
}

INSTANTIATE_TEST_SUITE_P(Records, EditorSaveRoundTrip,
                         ::testing::Values(RoundTrip{"HardDiskWithEverySaveOption", StoredRecord{}},
                                           RoundTrip{"Floppy", Floppy()}, RoundTrip{"ImageLoading", ImageLoading()},
                                           RoundTrip{"Defaults", Defaults()},
                                           RoundTrip{"LargestValues", LargestValues()}),
                         [](const auto& info) { return std::string(info.param.name); });

class EditorSave : public ProgramTest {
protected:
    void SetUp() override { StoredRecord{}.StoreIn(registry); }
};

TEST_F(EditorSave, OnePassOpensWritesThirteenValuesInOrderAndCloses) {
    Start();
    registry.ClearOperations();
    user.Click(Editor().saveButton);
    const auto& ops = registry.Operations();
    ASSERT_EQ(ops.size(), 15u);
    EXPECT_EQ(ops.front(), (testing::RegistryOperation{Kind::Open, std::string(kKey), 0}));
    EXPECT_EQ(ops.back().kind, Kind::Close);
    EXPECT_EQ(SetsMade(), AllSetsSucceeded());
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(EditorSave, TypesAndBytesOfAnEditedRecord) {
    Start();
    editor::Editor& e = Editor();
    user.Pick(e.diskTypeList, 0);
    user.Click(e.fat32Check);  // was ticked; available while the size is 64
    user.Retype(e.diskSizeBox, "5.1");
    user.Retype(e.autoSaveIntervalBox, "22");
    user.Retype(e.driveLetterBox, "r");
    user.Retype(e.saveImageFileBox, "");
    user.Click(e.saveButton);

    EXPECT_EQ(StoredText("DiskType"), "HDC\0"sv);
    EXPECT_EQ(StoredNumber("SizeIn4kPages"), 1280) << "5.1 is cut to 5 when the focus leaves the box";
    EXPECT_EQ(StoredNumber("AutoSaveTrigger"), 6) << "22 s is 5.5 units, rounded to even";
    EXPECT_EQ(StoredNumber("UserDriveLetter"), 16777233) << "R with the box ticked";
    EXPECT_EQ(StoredNumber("DiskFormatFAT32"), 0);
    EXPECT_EQ(StoredText("SaveImageFile"), "\0"sv);
    EXPECT_EQ(Raw("SaveImageFile").size(), 1u);
    EXPECT_EQ(StoredText("DiskLabel"), "RAMDISK\0"sv);
}

TEST_F(EditorSave, DisabledControlsAreSavedAsTheyHold) {
    Start();
    editor::Editor& e = Editor();
    ASSERT_FALSE(e.loadImageFileBox.Enabled());
    user.Pick(e.diskTypeList, 2);
    user.Click(e.saveButton);
    EXPECT_EQ(StoredText("LoadImageFile"), "C:\\disk.img\0"sv);
    EXPECT_EQ(StoredText("DiskType"), "FDC28\0"sv);
    EXPECT_EQ(StoredNumber("SizeIn4kPages"), 16384) << "a floppy type keeps the size in the box";
    EXPECT_EQ(StoredNumber("DiskFormatFAT32"), 1);
    EXPECT_EQ(StoredNumber("UserDriveLetter"), 16777234);
}

TEST_F(EditorSave, NoSelectionSavesHardDisk) {
    registry.PutText(kKey, "DiskType", "hdc\0"sv);
    Start();
    ASSERT_EQ(Editor().diskTypeList.ListIndex(), -1);
    user.Click(Editor().saveButton);
    EXPECT_EQ(StoredText("DiskType"), "HDC\0"sv);
}

TEST_F(EditorSave, SaveTwiceWritesEverythingTwiceAndKeepsTheEditorOpen) {
    Start();
    registry.ClearOperations();
    const auto before = ControlStates(Editor());
    user.Click(Editor().saveButton);
    user.Click(Editor().saveButton);
    auto twice = AllSetsSucceeded();
    const auto once = twice;
    twice.insert(twice.end(), once.begin(), once.end());
    EXPECT_EQ(SetsMade(), twice);
    EXPECT_EQ(Operations(Kind::Open).size(), 2u);
    EXPECT_EQ(Operations(Kind::Close).size(), 2u);
    EXPECT_TRUE(IsLoaded<editor::Editor>());
    EXPECT_EQ(ControlStates(Editor()), before) << "saving changes no control";
    EXPECT_FALSE(IsLoaded<notices::RestartPrompt>());
}

TEST_F(EditorSave, SaveThenCancelKeepsTheSavedValuesAndWritesNoMore) {
    Start();
    user.Retype(Editor().volumeLabelBox, "NEWLABEL");
    user.Click(Editor().saveButton);
    registry.ClearOperations();
    user.Retype(Editor().volumeLabelBox, "LOST");
    user.Click(Editor().cancelButton);
    EXPECT_TRUE(registry.Operations().empty());
    EXPECT_EQ(StoredText("DiskLabel"), "NEWLABEL\0"sv);
    EXPECT_FALSE(IsLoaded<editor::Editor>());
    EXPECT_FALSE(IsLoaded<notices::RestartPrompt>());
    EXPECT_TRUE(runtime.ProgramEnded());
}

TEST_F(EditorSave, CancelAndTheCloseBoxWriteNothing) {
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        headless::HeadlessHost h;
        forms::FormsRuntime rt{h};
        testing::MemoryRegistry reg;
        StoredRecord{}.StoreIn(reg);
        startup::Program p{rt, {reg, codePage, shell, {1, 0, 41}}};
        p.Start("");
        user.Retype(p.Editor().saveImageFileBox, "C:\\other.img");
        reg.ClearOperations();
        if (closeBox) user.Close(p.Editor());
        else user.Click(p.Editor().cancelButton);
        EXPECT_TRUE(reg.Operations().empty());
        EXPECT_TRUE(rt.ProgramEnded());
        EXPECT_EQ(rt.ExistingInstance<notices::RestartPrompt>(), nullptr);
    }
}

TEST_F(EditorSave, OkSavesClosesTheEditorAndOffersTheRestart) {
    Start();
    user.Retype(Editor().volumeLabelBox, "OK");
    registry.ClearOperations();
    user.Click(Editor().okButton);
    EXPECT_EQ(SetsMade(), AllSetsSucceeded());
    EXPECT_EQ(StoredText("DiskLabel"), "OK\0"sv);
    EXPECT_FALSE(IsLoaded<editor::Editor>());
    EXPECT_TRUE(IsLoaded<notices::RestartPrompt>());
    EXPECT_FALSE(runtime.ProgramEnded());
    const auto& log = host.Log();
    const auto destroyed = std::find(log.begin(), log.end(), "destroy Editor");
    const auto shown = std::find(log.begin(), log.end(), "show RestartPrompt");
    ASSERT_NE(destroyed, log.end());
    ASSERT_NE(shown, log.end());
    EXPECT_LT(destroyed, shown) << "the editor is unloaded before the prompt opens";
    EXPECT_EQ(*(shown + 1), "refresh RestartPrompt");
}

TEST_F(EditorSave, OkInAnInstallRunSavesAndEndsWithoutThePrompt) {
    Start("install");
    user.Retype(Editor().saveImageFileBox, "D:\\image.img");
    user.Click(Editor().okButton);
    EXPECT_EQ(StoredText("SaveImageFile"), "D:\\image.img\0"sv);
    EXPECT_FALSE(IsLoaded<editor::Editor>());
    EXPECT_EQ(Window<notices::RestartPrompt>(), nullptr);
    EXPECT_TRUE(runtime.ProgramEnded());
}

TEST_F(EditorSave, LeavingANumberBoxForAButtonNormalisesItBeforeTheSave) {
    Start();
    user.Retype(Editor().autoSaveIntervalBox, "7");
    user.Click(Editor().saveButton);
    EXPECT_EQ(Editor().autoSaveIntervalBox.Text(), " 20");
    EXPECT_EQ(StoredNumber("AutoSaveTrigger"), 5);
    user.Retype(Editor().diskSizeBox, "99999");
    user.Click(Editor().saveButton);
    EXPECT_EQ(StoredNumber("SizeIn4kPages"), 524288);
}

// --- saves that cannot store everything ------------------------------------------------------------

TEST_F(EditorSave, KeyMissingOnSaveShowsTheNoticeAndKeepsTheEditor) {
    Start();
    registry.FailOpen(kKey, platform::registry_status::kAccessDenied);
    registry.ClearOperations();
    user.Click(Editor().saveButton);
    EXPECT_TRUE(SetsMade().empty());
    EXPECT_TRUE(Operations(Kind::Close).empty());
    ASSERT_TRUE(IsLoaded<notices::RegistrySaveFailedNotice>());
    EXPECT_TRUE(IsLoaded<editor::Editor>());
    user.Click(Window<notices::RegistrySaveFailedNotice>()->cancelButton);
    EXPECT_FALSE(IsLoaded<notices::RegistrySaveFailedNotice>());
    EXPECT_TRUE(IsLoaded<editor::Editor>());
}

// A key that may be read but not written: the editor loads it, and both "Save" and "OK" report the
// failure, write nothing and keep the edits.
TEST_F(EditorSave, ReadOnlyKeyLoadsButEverySaveIsReported) {
    StoredRecord{}.StoreIn(registry);
    registry.DenySet(kKey);
    Start();
    EXPECT_EQ(Editor().volumeLabelBox.Text(), "RAMDISK");
    EXPECT_FALSE(IsLoaded<notices::RegistryReadFailedNotice>());
    user.Retype(Editor().volumeLabelBox, "KEEPME");
    for (forms::CommandButton* button : {&Editor().saveButton, &Editor().okButton}) {
        registry.ClearOperations();
        user.Click(*button);
        EXPECT_TRUE(SetsMade().empty());
        EXPECT_TRUE(IsLoaded<notices::RegistrySaveFailedNotice>());
        ASSERT_TRUE(IsLoaded<editor::Editor>());
        EXPECT_EQ(Editor().volumeLabelBox.Text(), "KEEPME");
        user.Click(Window<notices::RegistrySaveFailedNotice>()->cancelButton);
    }
    EXPECT_EQ(StoredText("DiskLabel"), "RAMDISK\0"sv);
    EXPECT_EQ(Window<notices::RestartPrompt>(), nullptr);
}

TEST_F(EditorSave, OkWithTheKeyMissingKeepsTheEditsAndOffersNoRestart) {
    Start();
    user.Retype(Editor().volumeLabelBox, "KEEPME");
    registry.FailOpen(kKey, platform::registry_status::kNotFound);
    user.Click(Editor().okButton);
    EXPECT_TRUE(IsLoaded<notices::RegistrySaveFailedNotice>());
    ASSERT_TRUE(IsLoaded<editor::Editor>());
    EXPECT_EQ(Editor().volumeLabelBox.Text(), "KEEPME");
    EXPECT_EQ(Window<notices::RestartPrompt>(), nullptr);
    EXPECT_FALSE(runtime.ProgramEnded());

    // Once the key can be opened again, "OK" goes its usual way.
    registry.FailOpen(kKey, 0);
    user.Click(Editor().okButton);
    EXPECT_EQ(StoredText("DiskLabel"), "KEEPME\0"sv);
    EXPECT_FALSE(IsLoaded<editor::Editor>());
    EXPECT_TRUE(IsLoaded<notices::RestartPrompt>());
}

TEST_F(EditorSave, FailedWriteStillWritesTheOthersInOrder) {
    for (const auto& failing : ValueNamesInWritingOrder()) {
        SCOPED_TRACE(failing);
        headless::HeadlessHost h;
        forms::FormsRuntime rt{h};
        testing::MemoryRegistry reg;
        StoredRecord{}.StoreIn(reg);
        startup::Program p{rt, {reg, codePage, shell, {1, 0, 41}}};
        p.Start("");
        editor::Editor& e = p.Editor();
        // Edit every value so that a write that happened shows.
        user.Pick(e.diskTypeList, 1);
        user.Click(e.loadImageCheck);
        user.Retype(e.loadImageFileBox, "new1");
        user.Retype(e.saveImageFileBox, "new2");
        user.Click(e.saveImageCheck);
        const auto old = *reg.GetValue(kKey, failing);
        reg.FailSet(kKey, failing, platform::registry_status::kAccessDenied);
        reg.ClearOperations();

        user.Click(e.saveButton);

        std::vector<std::string> sets;
        for (const auto& op : reg.Operations())
            if (op.kind == Kind::Set) sets.push_back(op.target + ":" + std::to_string(op.status));
        std::vector<std::string> expected;
        for (const auto& name : ValueNamesInWritingOrder()) expected.push_back(name + (name == failing ? ":5" : ":0"));
        EXPECT_EQ(sets, expected);
        EXPECT_EQ(reg.GetValue(kKey, failing), old) << "the failed value keeps its contents";
        EXPECT_EQ(reg.GetValue(kKey, "DiskType")->data.size(), failing == "DiskType" ? 4u : 6u);
        ASSERT_NE(rt.ExistingInstance<notices::RegistrySaveFailedNotice>(), nullptr);
        EXPECT_TRUE(rt.ExistingInstance<notices::RegistrySaveFailedNotice>()->Loaded());
        EXPECT_TRUE(e.Loaded());
    }
}

TEST_F(EditorSave, OkWithAFailedWriteKeepsTheEditorOpenWithoutThePrompt) {
    Start();
    registry.FailSet(kKey, "AutoSaveTrigger", platform::registry_status::kAccessDenied);
    user.Click(Editor().okButton);
    EXPECT_TRUE(IsLoaded<editor::Editor>());
    EXPECT_TRUE(IsLoaded<notices::RegistrySaveFailedNotice>());
    EXPECT_EQ(Window<notices::RestartPrompt>(), nullptr);
    EXPECT_EQ(SetsMade().size(), 13u);
}

TEST_F(EditorSave, ValuesThatCannotBeEncodedAreReportedAndNothingIsWritten) {
    Start();
    editor::Editor& e = Editor();
    const auto savedBefore = StoredText("SaveImageFile");
    user.Clear(e.driveLetterBox);                // no letter to store
    user.Retype(e.volumeLabelBox, "\xE4\xB8\xAD");  // no Windows-1252 code
    user.Retype(e.saveImageFileBox, "E:\\saved.img");
    registry.ClearOperations();
    user.Click(e.saveButton);

    EXPECT_TRUE(SetsMade().empty()) << "no half record";
    EXPECT_EQ(StoredNumber("UserDriveLetter"), 16777234) << "the stored letter stays";
    EXPECT_EQ(StoredText("DiskLabel"), "RAMDISK\0"sv);
    EXPECT_EQ(StoredText("SaveImageFile"), savedBefore);
    ASSERT_TRUE(IsLoaded<notices::RegistrySaveFailedNotice>());

    user.Click(Window<notices::RegistrySaveFailedNotice>()->cancelButton);
    user.Click(e.okButton);
    EXPECT_TRUE(IsLoaded<editor::Editor>()) << "OK keeps the editor while a value cannot be stored";
    EXPECT_TRUE(IsLoaded<notices::RegistrySaveFailedNotice>());
}

TEST_F(EditorSave, SizeBeyondTheStoredRangeIsNotWritten) {
    Start();
    // Set by code, as no box normalisation runs: a size whose page count exceeds 32 bits.
    Editor().diskSizeBox.SetText("9000000");
    Editor().autoSaveIntervalBox.SetText("1e12");
    registry.ClearOperations();
    user.Click(Editor().saveButton);
    EXPECT_TRUE(SetsMade().empty()) << "no half record";
    EXPECT_EQ(StoredNumber("SizeIn4kPages"), 16384);
    EXPECT_EQ(StoredNumber("AutoSaveTrigger"), 15);
    EXPECT_TRUE(IsLoaded<notices::RegistrySaveFailedNotice>());
}

}  // namespace
}  // namespace sarnex::testing
