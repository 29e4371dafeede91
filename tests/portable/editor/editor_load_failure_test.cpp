// Loading when the key cannot be opened: the fixed default state, then the notice in front.
#include "shared/event_trace.h"
#include "portable/editor/program_fixture.h"

namespace sarnex::testing {
namespace {

using Kind = testing::RegistryOperation::Kind;

class EditorLoadFailure : public ProgramTest, public ::testing::WithParamInterface<platform::RegistryStatus> {
protected:
    void SetUp() override {
        StoredRecord{}.StoreIn(registry);  // present but unreachable: nothing of it may show
        registry.FailOpen(kKey, GetParam());
    }
};

TEST_P(EditorLoadFailure, ControlsTakeTheDefaultState) {
    Start();
    editor::Editor& e = Editor();

    EXPECT_EQ(e.versionLabel.Caption(), "Version 1.0.41");
    EXPECT_EQ(e.diskTypeList.List(), (std::vector<std::string>{"Hard Disk", "1.44MB Floppy", "2.88MB Floppy"}));
    EXPECT_EQ(e.diskTypeList.ListIndex(), 0);
    EXPECT_EQ(e.diskTypeList.Text(), "Hard Disk");

    EXPECT_EQ(e.driveLetterCheck.Value(), 0);
    EXPECT_TRUE(e.driveLetterCheck.Enabled());
    EXPECT_EQ(e.driveLetterBox.Text(), "D");
    EXPECT_FALSE(e.driveLetterBox.Enabled());

    EXPECT_EQ(e.fat32Check.Value(), 0);
    EXPECT_FALSE(e.fat32Check.Enabled()) << "the size 5 is not above 32";

    EXPECT_EQ(e.loadImageCheck.Value(), 0);
    EXPECT_EQ(e.saveImageCheck.Value(), 0);
    EXPECT_EQ(e.loadImageFileBox.Text(), "");
    EXPECT_FALSE(e.loadImageFileBox.Enabled());
    EXPECT_EQ(e.saveImageFileBox.Text(), "");
    EXPECT_FALSE(e.saveImageFileBox.Enabled());

    EXPECT_EQ(e.diskSizeBox.Text(), "5");
    EXPECT_TRUE(e.diskSizeBox.Enabled());
    EXPECT_TRUE(e.diskSizeCaption.Enabled());
    EXPECT_TRUE(e.megabytesUnit.Enabled());

    EXPECT_EQ(e.autoSaveCheck.Value(), 0);
    EXPECT_EQ(e.autoSaveIntervalBox.Text(), "20");
    EXPECT_FALSE(e.autoSaveIntervalBox.Enabled());

    EXPECT_EQ(e.volumeLabelBox.Text(), "Sarnexia");
    EXPECT_FALSE(e.volumeLabelBox.Enabled());
    EXPECT_EQ(e.volumeLabelCheck.Value(), 0);
    EXPECT_EQ(e.tempDirCheck.Value(), 0);

    EXPECT_EQ(e.AcceptedPositions().size, 2048);
    EXPECT_EQ(e.diskSizeSpinner.Value(), 2048);
    EXPECT_EQ(e.AcceptedPositions().letter, 16384);
    EXPECT_EQ(e.driveLetterSpinner.Value(), 16384);
    EXPECT_EQ(e.AcceptedPositions().interval, 32747);
    EXPECT_EQ(e.autoSaveSpinner.Value(), 32747);
}

TEST_P(EditorLoadFailure, HandlersRunInTheOrderOfTheDefaults) {
    editor::Editor& e = Editor();
    EventTrace trace(e);
    Start();
    EXPECT_EQ(trace.Entries(), (std::vector<std::string>{"diskTypeList.Click", "driveLetterBox.Change", "diskSizeBox.Change",
                                                         "autoSaveSpinner.Change", "diskSizeSpinner.Change", "driveLetterSpinner.Change"}));
}

TEST_P(EditorLoadFailure, NoticeOpensAfterTheEditorWasCreatedAndStaysOnTop) {
    Start();
    EXPECT_EQ(host.Log(), (std::vector<std::string>{"create Editor", "create RegistryReadFailedNotice", "topmost RegistryReadFailedNotice",
                                                    "show RegistryReadFailedNotice", "refresh RegistryReadFailedNotice", "show Editor",
                                                    "refresh Editor"}));
    ASSERT_TRUE(IsLoaded<notices::RegistryReadFailedNotice>());
    EXPECT_TRUE(Window<notices::RegistryReadFailedNotice>()->Topmost());
    EXPECT_FALSE(Editor().Topmost());
    EXPECT_EQ(host.ShownForms(), (std::vector<std::string>{"RegistryReadFailedNotice", "Editor"}));
}

TEST_P(EditorLoadFailure, NothingIsQueriedOrClosed) {
    Start();
    ASSERT_EQ(registry.Operations().size(), 1u);
    EXPECT_EQ(registry.Operations()[0],
              (testing::RegistryOperation{Kind::Open, std::string(kKey), GetParam()}));
}

TEST_P(EditorLoadFailure, NoticeCancelClosesOnlyTheNotice) {
    Start();
    ASSERT_TRUE(IsLoaded<notices::RegistryReadFailedNotice>());
    user.Click(Window<notices::RegistryReadFailedNotice>()->cancelButton);
    EXPECT_FALSE(IsLoaded<notices::RegistryReadFailedNotice>());
    EXPECT_TRUE(IsLoaded<editor::Editor>());
    EXPECT_FALSE(runtime.ProgramEnded());
    user.Click(Editor().cancelButton);
    EXPECT_TRUE(runtime.ProgramEnded());
}

TEST_P(EditorLoadFailure, EditorStaysUsableBesideTheNotice) {
    Start();
    editor::Editor& e = Editor();
    user.Arrow(e.diskSizeSpinner, forms::VScrollBar::Arrow::Up);
    EXPECT_EQ(e.diskSizeBox.Text(), " 6");
    EXPECT_EQ(e.diskSizeSpinner.Value(), 2047);
    user.Click(e.autoSaveCheck);
    EXPECT_TRUE(e.autoSaveIntervalBox.Enabled());
    EXPECT_EQ(e.saveImageCheck.Value(), 1);
}

// Once the key can be opened, a save stores the defaults as the driver's layout has them.
TEST_P(EditorLoadFailure, SaveAfterTheKeyReturnsWritesTheDefaults) {
    Start();
    registry.FailOpen(kKey, 0);
    user.Click(Editor().saveButton);
    EXPECT_FALSE(IsLoaded<notices::RegistrySaveFailedNotice>());
    EXPECT_EQ(StoredText("DiskType"), std::string("HDC\0", 4));
    EXPECT_EQ(StoredNumber("LoadImageOnStart"), 0);
    EXPECT_EQ(StoredText("LoadImageFile"), std::string(1, '\0'));
    EXPECT_EQ(StoredNumber("SaveImageOnExit"), 0);
    EXPECT_EQ(StoredText("SaveImageFile"), std::string(1, '\0'));
    EXPECT_EQ(StoredNumber("SizeIn4kPages"), 1280);
    EXPECT_EQ(StoredNumber("AutoSaveEnabled"), 0);
    EXPECT_EQ(StoredNumber("DiskFormatFAT32"), 0);
    EXPECT_EQ(StoredNumber("AutoSaveTrigger"), 5);
    EXPECT_EQ(StoredNumber("UserDriveLetter"), 3);
    EXPECT_EQ(StoredNumber("MakeTempDir"), 0);
    EXPECT_EQ(StoredNumber("UseDiskLabel"), 0);
    EXPECT_EQ(StoredText("DiskLabel"), std::string("Sarnexia\0", 9));
}

INSTANTIATE_TEST_SUITE_P(Statuses, EditorLoadFailure,
                         ::testing::Values(platform::registry_status::kNotFound,
                                           platform::registry_status::kAccessDenied),
                         [](const auto& info) { return "Status" + std::to_string(info.param); });

TEST(EditorLoadFailureMissingKey, KeyThatDoesNotExistTakesTheSamePath) {
    headless::HeadlessHost host;
    forms::FormsRuntime runtime{host};
    testing::MemoryRegistry registry;  // no key at all
    testing::CodePage1252 codePage;
    testing::RecordingShell shell;
    startup::Program program{runtime, {registry, codePage, shell, {1, 0, 41}}};
    program.Start("");
    EXPECT_EQ(program.Editor().diskSizeBox.Text(), "5");
    ASSERT_NE(runtime.ExistingInstance<notices::RegistryReadFailedNotice>(), nullptr);
    EXPECT_TRUE(runtime.ExistingInstance<notices::RegistryReadFailedNotice>()->Topmost());
    EXPECT_EQ(registry.ValueCount(kKey), 0u);
}

}  // namespace
}  // namespace sarnex::testing
