// Editor scenarios that run unchanged against any host: each takes the user driver and an editor
// (headless natively, real windows under Wine) and checks what the user would see.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "config/number_text.h"
#include "config/rounding.h"
#include "editor/editor.h"
#include "shared/event_trace.h"
#include "shared/user_driver.h"

namespace sarnex::testing {

using Arrow = forms::VScrollBar::Arrow;

// A typical state after loading a stored configuration.
struct LoadedState {
    int diskType = 0;  // 0 hard disk, 1 and 2 floppies
    int loadImage = 0;
    std::string loadFile = "C:\\RamDisk\\start.img";
    int saveImage = 1;
    std::string saveFile = "C:\\RamDisk\\saved.img";
    std::string size = " 64";
    int fat32 = 0;
    int autoSave = 1;
    std::string interval = " 300";
    int driveLetter = 1;
    std::string letter = "R";
    int tempDir = 1;
    std::string label = "RAMDISK";
    int useLabel = 1;
};

// The spinner position loading gives a number: mirrored downwards from the bar's Max, kept within
// the bar's range for numbers the bar cannot show.
inline std::int16_t MirroredPosition(double base, const std::string& number) {
    const double position = config::RoundHalfEven(base - config::NumberFromText(number));
    return static_cast<std::int16_t>(position < 0 ? 0 : position > base ? base : position);
}

// Puts the controls into `state` the way loading does: values through the setters (so the editing
// rules run nested), the enabled states loading derives itself, then each spinner's position
// variable before its bar.
inline void ApplyLoadedState(editor::Editor& e, const LoadedState& s) {
    if (e.Combo1.ListCount() == 0) {
        e.Combo1.AddItem("Hard Disk");
        e.Combo1.AddItem("1.44MB Floppy");
        e.Combo1.AddItem("2.88MB Floppy");
    }
    const bool hardDisk = s.diskType == 0;
    e.Combo1.SetListIndex(s.diskType);
    e.LoadImage.SetValue(s.loadImage);
    e.Text1.SetEnabled(s.loadImage == 1);
    e.Text1.SetText(s.loadFile);
    e.SaveImage.SetValue(s.saveImage);
    e.Text2.SetEnabled(s.saveImage == 1);
    e.Text2.SetText(s.saveFile);
    e.Text3.SetText(s.size);
    e.Text3.SetEnabled(hardDisk);
    e.Label6.SetEnabled(hardDisk);
    e.Label12.SetEnabled(hardDisk);
    e.Fat32Enable.SetValue(s.fat32);
    e.Fat32Enable.SetEnabled(hardDisk && config::NumberFromText(s.size) > 32);
    e.SaveCheckBox.SetValue(s.autoSave);
    e.AutoSaveTime.SetEnabled(s.autoSave == 1);
    e.AutoSaveTime.SetText(s.interval);
    e.DriveCheckBox.SetValue(s.driveLetter);
    e.DriveLetterText.SetText(s.letter);
    e.DriveCheckBox.SetEnabled(hardDisk);
    e.TempDirCheckBox.SetValue(s.tempDir);
    e.DiskLabelText.SetText(s.label);
    e.DiskLabelCheckBox.SetValue(s.useLabel);
    e.DiskLabelText.SetEnabled(s.useLabel == 1);
    e.SizeScrollPos = MirroredPosition(2048, s.size);
    e.VScroll1.SetValue(e.SizeScrollPos);
    e.DriveScrollPos = 16384;
    e.VScroll2.SetValue(e.DriveScrollPos);
    e.TimeScrollPos = MirroredPosition(32767, s.interval);
    e.VScroll3.SetValue(e.TimeScrollPos);
}

// A scenario whose whole handler trace is compared: `act` runs after `prepare`, with the trace
// recording only `act`.
struct TraceScenario {
    std::string name;
    LoadedState state;
    std::function<void(UserDriver&, editor::Editor&)> prepare;
    std::function<void(UserDriver&, editor::Editor&)> act;
    std::vector<std::string> expected;
};

inline std::vector<TraceScenario> EditorTraceScenarios() {
    const auto nothing = [](UserDriver&, editor::Editor&) {};
    const auto typeInSize = [](std::string text) {
        return [text](UserDriver& u, editor::Editor& e) { u.Retype(e.Text3, text); };
    };
    const auto leaveSize = [](UserDriver& u, editor::Editor& e) { u.Focus(e.Combo1); };
    const auto typeLetter = [](std::string text) {
        return [text](UserDriver& u, editor::Editor& e) { u.Type(e.DriveLetterText, text); };
    };
    const auto clearLetter = [](UserDriver& u, editor::Editor& e) { u.Clear(e.DriveLetterText); };
    LoadedState typical;
    LoadedState allOptions = typical;
    allOptions.tempDir = 1;
    allOptions.useLabel = 1;
    allOptions.loadImage = 0;
    LoadedState loading = typical;
    loading.loadImage = 1;
    loading.tempDir = 0;
    loading.useLabel = 0;
    LoadedState noSaving = typical;
    noSaving.saveImage = 0;
    noSaving.autoSave = 0;
    LoadedState smallest = typical;
    smallest.size = " 5";
    LoadedState letterZ = typical;
    letterZ.letter = "Z";

    return {
        {"size 12.9 normalised", typical, typeInSize("12.9"), leaveSize,
         {"Text3_LostFocus", ".Text3_Change", ".VScroll1_Change"}},
        {"size 3 raised to 5", typical, typeInSize("3"), leaveSize,
         {"Text3_LostFocus", ".Text3_Change", ".Text3_Change", ".VScroll1_Change", ".Text3_Change"}},
        {"size 5000 lowered to 2048", typical, typeInSize("5000"), leaveSize,
         {"Text3_LostFocus", ".Text3_Change", ".Text3_Change", ".VScroll1_Change", ".Text3_Change"}},
        {"size left unchanged", typical, [](UserDriver& u, editor::Editor& e) { u.Focus(e.Text3); }, leaveSize,
         {"Text3_LostFocus"}},
        {"size normalised before the spin step", typical, typeInSize("1000"),
         [](UserDriver& u, editor::Editor& e) { u.Arrow(e.VScroll1, Arrow::Up); },
         {"Text3_LostFocus", ".Text3_Change", ".VScroll1_Change", "VScroll1_Change", ".Text3_Change"}},
        {"size spin down from 5 put back", smallest, nothing,
         [](UserDriver& u, editor::Editor& e) { u.Arrow(e.VScroll1, Arrow::Down); },
         {"VScroll1_Change", ".VScroll1_Change"}},
        {"size spin while floppy put back", typical, [](UserDriver& u, editor::Editor& e) { u.Pick(e.Combo1, 1); },
         [](UserDriver& u, editor::Editor& e) { u.Arrow(e.VScroll1, Arrow::Up); },
         {"VScroll1_Change", ".VScroll1_Change"}},
        {"combo text typed", typical, nothing, [](UserDriver& u, editor::Editor& e) { u.TypeInCombo(e.Combo1, "F"); },
         {"Combo1_Change", ".Combo1_Click"}},
        {"letter a", typical, clearLetter, typeLetter("a"),
         {"DriveLetterText_Change", ".DriveLetterText_Change", "..DriveLetterText_Change"}},
        {"letter e", typical, clearLetter, typeLetter("e"), {"DriveLetterText_Change", ".DriveLetterText_Change"}},
        {"letter [", typical, clearLetter, typeLetter("["), {"DriveLetterText_Change", ".DriveLetterText_Change"}},
        {"letter accented", typical, clearLetter, typeLetter("\xC3\xA9"),
         {"DriveLetterText_Change", ".DriveLetterText_Change", "..DriveLetterText_Change"}},
        {"letter R", typical, clearLetter, typeLetter("R"), {"DriveLetterText_Change"}},
        {"letter spin up", typical, nothing, [](UserDriver& u, editor::Editor& e) { u.Arrow(e.VScroll2, Arrow::Up); },
         {"VScroll2_Change", ".DriveLetterText_Change"}},
        {"letter spin up at Z put back", letterZ, nothing,
         [](UserDriver& u, editor::Editor& e) { u.Arrow(e.VScroll2, Arrow::Up); },
         {"VScroll2_Change", ".VScroll2_Change"}},
        {"letter spin with empty box put back", typical, clearLetter,
         [](UserDriver& u, editor::Editor& e) { u.Arrow(e.VScroll2, Arrow::Down); },
         {"VScroll2_Change", ".VScroll2_Change"}},
        {"interval 5 raised to 20", typical,
         [](UserDriver& u, editor::Editor& e) { u.Retype(e.AutoSaveTime, "5"); },
         [](UserDriver& u, editor::Editor& e) { u.Focus(e.SaveImage); },
         {"AutoSaveTime_LostFocus", ".VScroll3_Change"}},
        {"interval spin while AutoSave off put back", noSaving, nothing,
         [](UserDriver& u, editor::Editor& e) { u.Arrow(e.VScroll3, Arrow::Down); },
         {"VScroll3_Change", ".VScroll3_Change"}},
        {"AutoSave ticks image saving", noSaving, nothing,
         [](UserDriver& u, editor::Editor& e) { u.Click(e.SaveCheckBox); }, {"SaveCheckBox_Click", ".SaveImage_Click"}},
        {"image saving off unticks AutoSave", typical, nothing,
         [](UserDriver& u, editor::Editor& e) { u.Click(e.SaveImage); }, {"SaveImage_Click", ".SaveCheckBox_Click"}},
        {"image loading unticks label and TEMP", allOptions, nothing,
         [](UserDriver& u, editor::Editor& e) { u.Click(e.LoadImage); },
         {"LoadImage_Click", ".DiskLabelCheckBox_Click", ".TempDirCheckBox_Click"}},
        {"TEMP unticks image loading", loading, nothing,
         [](UserDriver& u, editor::Editor& e) { u.Click(e.TempDirCheckBox); },
         {"TempDirCheckBox_Click", ".LoadImage_Click"}},
        {"label unticks image loading", loading, nothing,
         [](UserDriver& u, editor::Editor& e) { u.Click(e.DiskLabelCheckBox); },
         {"DiskLabelCheckBox_Click", ".LoadImage_Click"}},
    };
}

// Runs one trace scenario on an editor that has just been created.
inline void RunTraceScenario(UserDriver& user, editor::Editor& editor, const TraceScenario& scenario) {
    SCOPED_TRACE(scenario.name);
    ApplyLoadedState(editor, scenario.state);
    scenario.prepare(user, editor);
    EventTrace trace(editor);
    scenario.act(user, editor);
    EXPECT_EQ(trace.Entries(), scenario.expected);
    EXPECT_EQ(editor.VScroll1.Value(), editor.SizeScrollPos);
    EXPECT_EQ(editor.VScroll2.Value(), editor.DriveScrollPos);
    EXPECT_EQ(editor.VScroll3.Value(), editor.TimeScrollPos);
}

// Leaving the size box with a typed text shows the normalised size and aligns the spinner.
struct SizeCase {
    std::string typed;
    std::string shown;
    int bar;
    bool fat32Enabled;
};

inline std::vector<SizeCase> SizeNormalisationCases() {
    return {
        {"", " 5", 2043, false},          {"abc", " 5", 2043, false},         {"-7", " 5", 2043, false},
        {"0.4", " 5", 2043, false},       {"4.99", " 5", 2043, false},        {"5", " 5", 2043, false},
        {"12.9", " 12", 2036, false},     {"  64MB", " 64", 1984, true},      {"6 4", " 64", 1984, true},
        {"MB64", " 5", 2043, false},      {"32", " 32", 2016, false},         {"33", " 33", 2015, true},
        {"1e3", " 1000", 1048, true},     {"1e6", " 2048", 0, true},          {"5000", " 2048", 0, true},
        {"2048.9", " 2048", 0, true},     {"2 0 4 7", " 2047", 1, true},      {"+100", " 100", 1948, true},
        {"1d2", " 100", 1948, true},      {".5e1", " 5", 2043, false},        {"e5", " 5", 2043, false},
        {"1e999", " 2048", 0, true},      {"-1e999", " 5", 2043, false},      {"1e308", " 2048", 0, true},
        {"99999999999999999999", " 2048", 0, true},                           {"-.", " 5", 2043, false},
        {"1023.5", " 1023", 1025, true},  {"6.", " 6", 2042, false},
    };
}

inline void RunSizeNormalisation(UserDriver& user, editor::Editor& e, const SizeCase& c) {
    SCOPED_TRACE("size typed: \"" + c.typed + "\"");
    ApplyLoadedState(e, LoadedState{});
    user.Retype(e.Text3, c.typed);
    user.Focus(e.Combo1);
    EXPECT_EQ(e.Text3.Text(), c.shown);
    EXPECT_EQ(e.VScroll1.Value(), c.bar);
    EXPECT_EQ(e.SizeScrollPos, c.bar);
    EXPECT_EQ(e.Fat32Enable.Enabled(), c.fat32Enabled);
}

// Leaving the interval box with a typed text.
struct IntervalCase {
    std::string typed;
    std::string shown;
    int bar;
};

inline std::vector<IntervalCase> IntervalNormalisationCases() {
    return {
        {"5", " 20", 32747},      {"40000", " 32767", 0},   {"", " 20", 32747},       {"abc", " 20", 32747},
        {"25.5", " 25.5", 32742}, {"26.5", " 26.5", 32740}, {"20", " 20", 32747},     {"32767", " 32767", 0},
        {"-5", " 20", 32747},     {"1e6", " 32767", 0},     {"1e999", " 32767", 0},   {"-1e999", " 20", 32747},
        {"3 0 0", " 300", 32467}, {"100sec", " 100", 32667}, {"32766.5", " 32766.5", 0}, {"19.99", " 20", 32747},
        {"2e1", " 20", 32747},    {"0.5e2", " 50", 32717},
    };
}

inline void RunIntervalNormalisation(UserDriver& user, editor::Editor& e, const IntervalCase& c) {
    SCOPED_TRACE("interval typed: \"" + c.typed + "\"");
    ApplyLoadedState(e, LoadedState{});
    user.Retype(e.AutoSaveTime, c.typed);
    user.Focus(e.SaveImage);
    EXPECT_EQ(e.AutoSaveTime.Text(), c.shown);
    EXPECT_EQ(e.VScroll3.Value(), c.bar);
    EXPECT_EQ(e.TimeScrollPos, c.bar);
}

// A character typed into the empty letter box and the letter it becomes.
struct LetterCase {
    std::string typed;
    std::string shown;
};

inline std::vector<LetterCase> LetterCases() {
    return {
        {"e", "E"}, {"a", "D"}, {"b", "D"}, {"c", "D"}, {"3", "D"}, {"[", "Z"}, {"_", "Z"}, {"\xC3\xA9", "Z"},
        {"z", "Z"}, {"D", "D"}, {"Z", "Z"}, {"A", "D"}, {"~", "Z"}, {" ", "D"}, {"@", "D"}, {"m", "M"},
        {"\xE2\x82\xAC", "Z"},      // euro sign, code 128
        {"\xCE\xA9", "Z"},          // Greek Omega: no single-byte code
        {"\xF0\x9F\x98\x80", "Z"},  // outside the basic plane: no single-byte code
    };
}

inline void RunLetterTyped(UserDriver& user, editor::Editor& e, const LetterCase& c) {
    SCOPED_TRACE("letter typed: \"" + c.typed + "\"");
    ApplyLoadedState(e, LoadedState{});
    user.Clear(e.DriveLetterText);
    user.Type(e.DriveLetterText, c.typed);
    EXPECT_EQ(e.DriveLetterText.Text(), c.shown);
    EXPECT_EQ(e.VScroll2.Value(), 16384);
    EXPECT_EQ(e.DriveScrollPos, 16384);
}

}  // namespace sarnex::testing
