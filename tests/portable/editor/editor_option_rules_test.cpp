// Image, TEMP-directory, label and FAT32 options: which box each tick enables, and which other
// options it excludes.
#include "editor_fixture.h"

namespace sarnex::testing {
namespace {

struct OptionCase {
    const char* name;
    LoadedState state;
    std::function<forms::CheckBox&(editor::Editor&)> box;
    std::vector<std::string> changed;  // controls whose state changes
    std::function<void(const editor::Editor&)> check;
};

LoadedState With(std::function<void(LoadedState&)> change) {
    LoadedState s;
    change(s);
    return s;
}

TEST(EditorOptions, EachClickChangesExactlyItsRule) {
    const OptionCase cases[] = {
        {"image loading unticks TEMP and label", With([](LoadedState& s) { s.tempDir = s.useLabel = 1; }),
         [](editor::Editor& e) -> forms::CheckBox& { return e.LoadImage; },
         {"DiskLabelCheckBox", "DiskLabelText", "LoadImage", "TempDirCheckBox", "Text1"},
         [](const editor::Editor& e) {
             EXPECT_EQ(e.TempDirCheckBox.Value(), 0);
             EXPECT_EQ(e.DiskLabelCheckBox.Value(), 0);
             EXPECT_FALSE(e.DiskLabelText.Enabled());
             EXPECT_EQ(e.DiskLabelText.Text(), "RAMDISK");
             EXPECT_TRUE(e.Text1.Enabled());
         }},
        {"TEMP unticks image loading",
         With([](LoadedState& s) { s.loadImage = 1, s.tempDir = 0, s.useLabel = 0; }),
         [](editor::Editor& e) -> forms::CheckBox& { return e.TempDirCheckBox; },
         {"LoadImage", "TempDirCheckBox", "Text1"},
         [](const editor::Editor& e) {
             EXPECT_EQ(e.LoadImage.Value(), 0);
             EXPECT_FALSE(e.Text1.Enabled());
             EXPECT_EQ(e.Text1.Text(), "C:\\RamDisk\\start.img");
         }},
        {"label unticks image loading",
         With([](LoadedState& s) { s.loadImage = 1, s.tempDir = 0, s.useLabel = 0; }),
         [](editor::Editor& e) -> forms::CheckBox& { return e.DiskLabelCheckBox; },
         {"DiskLabelCheckBox", "DiskLabelText", "LoadImage", "Text1"},
         [](const editor::Editor& e) {
             EXPECT_EQ(e.LoadImage.Value(), 0);
             EXPECT_FALSE(e.Text1.Enabled());
             EXPECT_TRUE(e.DiskLabelText.Enabled());
         }},
        {"TEMP and label together", With([](LoadedState& s) { s.tempDir = 1, s.useLabel = 0; }),
         [](editor::Editor& e) -> forms::CheckBox& { return e.DiskLabelCheckBox; },
         {"DiskLabelCheckBox", "DiskLabelText"},
         [](const editor::Editor& e) { EXPECT_EQ(e.TempDirCheckBox.Value(), 1); }},
        {"unticking TEMP changes nothing else", LoadedState{},
         [](editor::Editor& e) -> forms::CheckBox& { return e.TempDirCheckBox; }, {"TempDirCheckBox"}, nullptr},
        {"unticking the label disables its box", LoadedState{},
         [](editor::Editor& e) -> forms::CheckBox& { return e.DiskLabelCheckBox; },
         {"DiskLabelCheckBox", "DiskLabelText"},
         [](const editor::Editor& e) { EXPECT_EQ(e.DiskLabelText.Text(), "RAMDISK"); }},
        {"unticking image loading disables its box",
         With([](LoadedState& s) { s.loadImage = 1, s.tempDir = 0, s.useLabel = 0; }),
         [](editor::Editor& e) -> forms::CheckBox& { return e.LoadImage; }, {"LoadImage", "Text1"}, nullptr},
        {"unticking image saving unticks AutoSave", LoadedState{},
         [](editor::Editor& e) -> forms::CheckBox& { return e.SaveImage; },
         {"AutoSaveTime", "SaveCheckBox", "SaveImage", "Text2"},
         [](const editor::Editor& e) {
             EXPECT_EQ(e.SaveCheckBox.Value(), 0);
             EXPECT_FALSE(e.Text2.Enabled());
             EXPECT_FALSE(e.AutoSaveTime.Enabled());
             EXPECT_EQ(e.AutoSaveTime.Text(), " 300");
         }},
        {"ticking image saving leaves AutoSave off", With([](LoadedState& s) { s.saveImage = s.autoSave = 0; }),
         [](editor::Editor& e) -> forms::CheckBox& { return e.SaveImage; }, {"SaveImage", "Text2"},
         [](const editor::Editor& e) { EXPECT_EQ(e.SaveCheckBox.Value(), 0); }},
        {"ticking FAT32", LoadedState{}, [](editor::Editor& e) -> forms::CheckBox& { return e.Fat32Enable; },
         {"Fat32Enable"}, nullptr},
        {"unticking FAT32", With([](LoadedState& s) { s.fat32 = 1; }),
         [](editor::Editor& e) -> forms::CheckBox& { return e.Fat32Enable; }, {"Fat32Enable"}, nullptr},
    };
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(c.name);
        EditorHarness h;
        ApplyLoadedState(h.editor, c.state);
        const auto before = Snapshot(h.editor);
        h.user.Click(c.box(h.editor));
        EXPECT_EQ(Differences(before, Snapshot(h.editor)), c.changed);
        if (c.check) c.check(h.editor);
    }
}

TEST_F(EditorRules, UntickingTempDoesNotTickImageLoadingBack) {
    LoadedState state;
    state.loadImage = 1;
    state.tempDir = 0;
    state.useLabel = 0;
    Load(state);
    user.Click(e.TempDirCheckBox);
    user.Click(e.TempDirCheckBox);
    EXPECT_EQ(e.LoadImage.Value(), 0);
    EXPECT_FALSE(e.Text1.Enabled());
}

TEST_F(EditorRules, GreyedValuesSetByCodeCountAsUnticked) {
    Load();
    e.LoadImage.SetValue(2);
    EXPECT_FALSE(e.Text1.Enabled());
    EXPECT_EQ(e.TempDirCheckBox.Value(), 1);
    e.SaveImage.SetValue(2);
    EXPECT_FALSE(e.Text2.Enabled());
    EXPECT_EQ(e.SaveCheckBox.Value(), 0);
    e.DiskLabelCheckBox.SetValue(2);
    EXPECT_FALSE(e.DiskLabelText.Enabled());
    e.SaveCheckBox.SetValue(2);
    EXPECT_FALSE(e.AutoSaveTime.Enabled());
    EXPECT_EQ(e.SaveImage.Value(), 2);
}

TEST_F(EditorRules, LoadingOrderUnticksImageLoadingStoredWithTemp) {
    // A stored configuration with image loading and the TEMP directory comes up without loading.
    LoadedState state;
    state.loadImage = 1;
    state.tempDir = 1;
    state.useLabel = 0;
    Load(state);
    EXPECT_EQ(e.LoadImage.Value(), 0);
    EXPECT_FALSE(e.Text1.Enabled());
    EXPECT_EQ(e.TempDirCheckBox.Value(), 1);
}

}  // namespace
}  // namespace sarnex::testing
