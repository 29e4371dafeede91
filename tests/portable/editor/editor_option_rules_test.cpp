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
         [](editor::Editor& e) -> forms::CheckBox& { return e.loadImageCheck; },
         {"volumeLabelCheck", "volumeLabelBox", "loadImageCheck", "tempDirCheck", "loadImageFileBox"},
         [](const editor::Editor& e) {
             EXPECT_EQ(e.tempDirCheck.Value(), 0);
             EXPECT_EQ(e.volumeLabelCheck.Value(), 0);
             EXPECT_FALSE(e.volumeLabelBox.Enabled());
             EXPECT_EQ(e.volumeLabelBox.Text(), "RAMDISK");
             EXPECT_TRUE(e.loadImageFileBox.Enabled());
         }},
        {"TEMP unticks image loading",
         With([](LoadedState& s) { s.loadImage = 1, s.tempDir = 0, s.useLabel = 0; }),
         [](editor::Editor& e) -> forms::CheckBox& { return e.tempDirCheck; },
         {"loadImageCheck", "tempDirCheck", "loadImageFileBox"},
         [](const editor::Editor& e) {
             EXPECT_EQ(e.loadImageCheck.Value(), 0);
             EXPECT_FALSE(e.loadImageFileBox.Enabled());
             EXPECT_EQ(e.loadImageFileBox.Text(), "C:\\RamDisk\\start.img");
         }},
        {"label unticks image loading",
         With([](LoadedState& s) { s.loadImage = 1, s.tempDir = 0, s.useLabel = 0; }),
         [](editor::Editor& e) -> forms::CheckBox& { return e.volumeLabelCheck; },
         {"volumeLabelCheck", "volumeLabelBox", "loadImageCheck", "loadImageFileBox"},
         [](const editor::Editor& e) {
             EXPECT_EQ(e.loadImageCheck.Value(), 0);
             EXPECT_FALSE(e.loadImageFileBox.Enabled());
             EXPECT_TRUE(e.volumeLabelBox.Enabled());
         }},
        {"TEMP and label together", With([](LoadedState& s) { s.tempDir = 1, s.useLabel = 0; }),
         [](editor::Editor& e) -> forms::CheckBox& { return e.volumeLabelCheck; },
         {"volumeLabelCheck", "volumeLabelBox"},
         [](const editor::Editor& e) { EXPECT_EQ(e.tempDirCheck.Value(), 1); }},
        {"unticking TEMP changes nothing else", LoadedState{},
         [](editor::Editor& e) -> forms::CheckBox& { return e.tempDirCheck; }, {"tempDirCheck"}, nullptr},
        {"unticking the label disables its box", LoadedState{},
         [](editor::Editor& e) -> forms::CheckBox& { return e.volumeLabelCheck; },
         {"volumeLabelCheck", "volumeLabelBox"},
         [](const editor::Editor& e) { EXPECT_EQ(e.volumeLabelBox.Text(), "RAMDISK"); }},
        {"unticking image loading disables its box",
         With([](LoadedState& s) { s.loadImage = 1, s.tempDir = 0, s.useLabel = 0; }),
         [](editor::Editor& e) -> forms::CheckBox& { return e.loadImageCheck; }, {"loadImageCheck", "loadImageFileBox"}, nullptr},
        {"unticking image saving unticks AutoSave", LoadedState{},
         [](editor::Editor& e) -> forms::CheckBox& { return e.saveImageCheck; },
         {"autoSaveIntervalBox", "autoSaveCheck", "saveImageCheck", "saveImageFileBox"},
         [](const editor::Editor& e) {
             EXPECT_EQ(e.autoSaveCheck.Value(), 0);
             EXPECT_FALSE(e.saveImageFileBox.Enabled());
             EXPECT_FALSE(e.autoSaveIntervalBox.Enabled());
             EXPECT_EQ(e.autoSaveIntervalBox.Text(), " 300");
         }},
        {"ticking image saving leaves AutoSave off", With([](LoadedState& s) { s.saveImage = s.autoSave = 0; }),
         [](editor::Editor& e) -> forms::CheckBox& { return e.saveImageCheck; }, {"saveImageCheck", "saveImageFileBox"},
         [](const editor::Editor& e) { EXPECT_EQ(e.autoSaveCheck.Value(), 0); }},
        {"ticking FAT32", LoadedState{}, [](editor::Editor& e) -> forms::CheckBox& { return e.fat32Check; },
         {"fat32Check"}, nullptr},
        {"unticking FAT32", With([](LoadedState& s) { s.fat32 = 1; }),
         [](editor::Editor& e) -> forms::CheckBox& { return e.fat32Check; }, {"fat32Check"}, nullptr},
    };
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(c.name);
        EditorHarness h;
        h.Load(c.state);
        const auto before = Snapshot(h.editor);
        h.user.Click(c.box(h.editor));
        EXPECT_EQ(Differences(before, Snapshot(h.editor)), Sorted(c.changed));
        if (c.check) c.check(h.editor);
    }
}

TEST_F(EditorRules, UntickingTempDoesNotTickImageLoadingBack) {
    LoadedState state;
    state.loadImage = 1;
    state.tempDir = 0;
    state.useLabel = 0;
    Load(state);
    user.Click(e.tempDirCheck);
    user.Click(e.tempDirCheck);
    EXPECT_EQ(e.loadImageCheck.Value(), 0);
    EXPECT_FALSE(e.loadImageFileBox.Enabled());
}

TEST_F(EditorRules, GreyedValuesSetByCodeCountAsUnticked) {
    Load();
    e.loadImageCheck.SetValue(2);
    EXPECT_FALSE(e.loadImageFileBox.Enabled());
    EXPECT_EQ(e.tempDirCheck.Value(), 1);
    e.saveImageCheck.SetValue(2);
    EXPECT_FALSE(e.saveImageFileBox.Enabled());
    EXPECT_EQ(e.autoSaveCheck.Value(), 0);
    e.volumeLabelCheck.SetValue(2);
    EXPECT_FALSE(e.volumeLabelBox.Enabled());
    e.autoSaveCheck.SetValue(2);
    EXPECT_FALSE(e.autoSaveIntervalBox.Enabled());
    EXPECT_EQ(e.saveImageCheck.Value(), 2);
}

TEST_F(EditorRules, LoadingOrderUnticksImageLoadingStoredWithTemp) {
    // A stored configuration with image loading and the TEMP directory comes up without loading.
    LoadedState state;
    state.loadImage = 1;
    state.tempDir = 1;
    state.useLabel = 0;
    Load(state);
    EXPECT_EQ(e.loadImageCheck.Value(), 0);
    EXPECT_FALSE(e.loadImageFileBox.Enabled());
    EXPECT_EQ(e.tempDirCheck.Value(), 1);
}

}  // namespace
}  // namespace sarnex::testing
