// Loading when the key cannot be opened: the fixed default state, then the notice in front.
#include "shared/event_trace.h"
#include "portable/editor/program_fixture.h"

namespace sarnex::testing {
namespace {

using Kind = platform::RegistryOperation::Kind;

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

    EXPECT_EQ(e.Label5.Caption(), "Version 1.0.41");
    EXPECT_EQ(e.Combo1.List(), (std::vector<std::string>{"Hard Disk", "1.44MB Floppy", "2.88MB Floppy"}));
    EXPECT_EQ(e.Combo1.ListIndex(), 0);
    EXPECT_EQ(e.Combo1.Text(), "Hard Disk");

    EXPECT_EQ(e.DriveCheckBox.Value(), 0);
    EXPECT_TRUE(e.DriveCheckBox.Enabled());
    EXPECT_EQ(e.DriveLetterText.Text(), "D");
    EXPECT_FALSE(e.DriveLetterText.Enabled());

    EXPECT_EQ(e.Fat32Enable.Value(), 0);
    EXPECT_FALSE(e.Fat32Enable.Enabled()) << "the size 5 is not above 32";

    EXPECT_EQ(e.LoadImage.Value(), 0);
    EXPECT_EQ(e.SaveImage.Value(), 0);
    EXPECT_EQ(e.Text1.Text(), "");
    EXPECT_FALSE(e.Text1.Enabled());
    EXPECT_EQ(e.Text2.Text(), "");
    EXPECT_FALSE(e.Text2.Enabled());

    EXPECT_EQ(e.Text3.Text(), "5");
    EXPECT_TRUE(e.Text3.Enabled());
    EXPECT_TRUE(e.Label6.Enabled());
    EXPECT_TRUE(e.Label12.Enabled());

    EXPECT_EQ(e.SaveCheckBox.Value(), 0);
    EXPECT_EQ(e.AutoSaveTime.Text(), "20");
    EXPECT_FALSE(e.AutoSaveTime.Enabled());

    EXPECT_EQ(e.DiskLabelText.Text(), "Sarnexia");
    EXPECT_FALSE(e.DiskLabelText.Enabled());
    EXPECT_EQ(e.DiskLabelCheckBox.Value(), 0);
    EXPECT_EQ(e.TempDirCheckBox.Value(), 0);

    EXPECT_EQ(e.SizeScrollPos, 2048);
    EXPECT_EQ(e.VScroll1.Value(), 2048);
    EXPECT_EQ(e.DriveScrollPos, 16384);
    EXPECT_EQ(e.VScroll2.Value(), 16384);
    EXPECT_EQ(e.TimeScrollPos, 32747);
    EXPECT_EQ(e.VScroll3.Value(), 32747);
}

TEST_P(EditorLoadFailure, HandlersRunInTheOrderOfTheDefaults) {
    editor::Editor& e = Editor();
    EventTrace trace(e);
    Start();
    EXPECT_EQ(trace.Entries(), (std::vector<std::string>{"Combo1_Click", "DriveLetterText_Change", "Text3_Change",
                                                         "VScroll3_Change", "VScroll1_Change", "VScroll2_Change"}));
}

TEST_P(EditorLoadFailure, NoticeOpensAfterTheEditorWasCreatedAndStaysOnTop) {
    Start();
    EXPECT_EQ(host.Log(), (std::vector<std::string>{"create Editor", "create ReadRegFail", "topmost ReadRegFail",
                                                    "show ReadRegFail", "refresh ReadRegFail", "show Editor",
                                                    "refresh Editor"}));
    ASSERT_TRUE(IsLoaded<notices::ReadRegFail>());
    EXPECT_TRUE(Window<notices::ReadRegFail>()->Topmost());
    EXPECT_FALSE(Editor().Topmost());
    EXPECT_EQ(host.ShownForms(), (std::vector<std::string>{"ReadRegFail", "Editor"}));
}

TEST_P(EditorLoadFailure, NothingIsQueriedOrClosed) {
    Start();
    ASSERT_EQ(registry.Operations().size(), 1u);
    EXPECT_EQ(registry.Operations()[0],
              (platform::RegistryOperation{Kind::Open, std::string(kKey), GetParam()}));
}

TEST_P(EditorLoadFailure, NoticeCancelClosesOnlyTheNotice) {
    Start();
    ASSERT_TRUE(IsLoaded<notices::ReadRegFail>());
    user.Click(Window<notices::ReadRegFail>()->Get<forms::CommandButton>("Cancel"));
    EXPECT_FALSE(IsLoaded<notices::ReadRegFail>());
    EXPECT_TRUE(IsLoaded<editor::Editor>());
    EXPECT_FALSE(runtime.ProgramEnded());
    user.Click(Editor().Command2);
    EXPECT_TRUE(runtime.ProgramEnded());
}

TEST_P(EditorLoadFailure, EditorStaysUsableBesideTheNotice) {
    Start();
    editor::Editor& e = Editor();
    user.Arrow(e.VScroll1, forms::VScrollBar::Arrow::Up);
    EXPECT_EQ(e.Text3.Text(), " 6");
    EXPECT_EQ(e.VScroll1.Value(), 2047);
    user.Click(e.SaveCheckBox);
    EXPECT_TRUE(e.AutoSaveTime.Enabled());
    EXPECT_EQ(e.SaveImage.Value(), 1);
}

// Once the key can be opened, a save stores the defaults as the driver's layout has them.
TEST_P(EditorLoadFailure, SaveAfterTheKeyReturnsWritesTheDefaults) {
    Start();
    registry.FailOpen(kKey, 0);
    user.Click(Editor().Command3);
    EXPECT_FALSE(IsLoaded<notices::SaveRegFail>());
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
    platform::MemoryRegistry registry;  // no key at all
    platform::CodePage1252 codePage;
    platform::RecordingShell shell;
    startup::Program program{runtime, {registry, codePage, shell, {1, 0, 41}}};
    program.Main("");
    EXPECT_EQ(program.Editor().Text3.Text(), "5");
    ASSERT_NE(runtime.ExistingInstance<notices::ReadRegFail>(), nullptr);
    EXPECT_TRUE(runtime.ExistingInstance<notices::ReadRegFail>()->Topmost());
    EXPECT_EQ(registry.ValueCount(kKey), 0u);
}

}  // namespace
}  // namespace sarnex::testing
