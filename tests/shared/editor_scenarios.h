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
#include "config/value_conversions.h"
#include "editor/editor.h"
#include "support/code_page_1252.h"
#include "support/memory_registry.h"
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

// Stores `state` as the driver's record, so that the editor's own loading brings the controls
// into it: values through the setters (the editing rules run nested), the enabled states loading
// derives, then each spinner's position.
inline void StoreLoadedState(MemoryRegistry& registry, const LoadedState& s) {
    const std::string key = "Software\\Sarnex";
    const auto text = [&](const char* name, const std::string& value) { registry.PutText(key, name, value + '\0'); };
    const auto number = [&](const char* name, std::int32_t value) { registry.PutNumber(key, name, value); };
    CodePage1252 codePage;
    text("DiskType", config::DiskTypeCodeFromIndex(s.diskType));
    number("LoadImageOnStart", s.loadImage);
    text("LoadImageFile", s.loadFile);
    number("SaveImageOnExit", s.saveImage);
    text("SaveImageFile", s.saveFile);
    number("SizeIn4kPages", *config::PagesFromSizeText(s.size));
    number("DiskFormatFAT32", s.fat32);
    number("AutoSaveEnabled", s.autoSave);
    number("AutoSaveTrigger", *config::TriggerFromIntervalText(s.interval));
    number("UserDriveLetter", *config::StoredFromDriveLetter(s.driveLetter, s.letter, codePage));
    number("MakeTempDir", s.tempDir);
    text("DiskLabel", s.label);
    number("UseDiskLabel", s.useLabel);
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
        return [text](UserDriver& u, editor::Editor& e) { u.Retype(e.diskSizeBox, text); };
    };
    const auto leaveSize = [](UserDriver& u, editor::Editor& e) { u.Focus(e.diskTypeList); };
    const auto typeLetter = [](std::string text) {
        return [text](UserDriver& u, editor::Editor& e) { u.Type(e.driveLetterBox, text); };
    };
    const auto clearLetter = [](UserDriver& u, editor::Editor& e) { u.Clear(e.driveLetterBox); };
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
         {"diskSizeBox.LostFocus", ".diskSizeBox.Change", ".diskSizeSpinner.Change"}},
        {"size 3 raised to 5", typical, typeInSize("3"), leaveSize,
         {"diskSizeBox.LostFocus", ".diskSizeBox.Change", ".diskSizeBox.Change", ".diskSizeSpinner.Change", ".diskSizeBox.Change"}},
        {"size 5000 lowered to 2048", typical, typeInSize("5000"), leaveSize,
         {"diskSizeBox.LostFocus", ".diskSizeBox.Change", ".diskSizeBox.Change", ".diskSizeSpinner.Change", ".diskSizeBox.Change"}},
        {"size left unchanged", typical, [](UserDriver& u, editor::Editor& e) { u.Focus(e.diskSizeBox); }, leaveSize,
         {"diskSizeBox.LostFocus"}},
        {"size normalised before the spin step", typical, typeInSize("1000"),
         [](UserDriver& u, editor::Editor& e) { u.Arrow(e.diskSizeSpinner, Arrow::Up); },
         {"diskSizeBox.LostFocus", ".diskSizeBox.Change", ".diskSizeSpinner.Change", "diskSizeSpinner.Change", ".diskSizeBox.Change"}},
        {"size spin down from 5 put back", smallest, nothing,
         [](UserDriver& u, editor::Editor& e) { u.Arrow(e.diskSizeSpinner, Arrow::Down); },
         {"diskSizeSpinner.Change", ".diskSizeSpinner.Change"}},
        {"size spin while floppy put back", typical, [](UserDriver& u, editor::Editor& e) { u.Pick(e.diskTypeList, 1); },
         [](UserDriver& u, editor::Editor& e) { u.Arrow(e.diskSizeSpinner, Arrow::Up); },
         {"diskSizeSpinner.Change", ".diskSizeSpinner.Change"}},
        {"combo text typed", typical, nothing, [](UserDriver& u, editor::Editor& e) { u.TypeInCombo(e.diskTypeList, "F"); },
         {"diskTypeList.Change", ".diskTypeList.Click"}},
        {"letter a", typical, clearLetter, typeLetter("a"),
         {"driveLetterBox.Change", ".driveLetterBox.Change", "..driveLetterBox.Change"}},
        {"letter e", typical, clearLetter, typeLetter("e"), {"driveLetterBox.Change", ".driveLetterBox.Change"}},
        {"letter [", typical, clearLetter, typeLetter("["), {"driveLetterBox.Change", ".driveLetterBox.Change"}},
        {"letter accented", typical, clearLetter, typeLetter("\xC3\xA9"),
         {"driveLetterBox.Change", ".driveLetterBox.Change", "..driveLetterBox.Change"}},
        {"letter R", typical, clearLetter, typeLetter("R"), {"driveLetterBox.Change"}},
        {"letter spin up", typical, nothing, [](UserDriver& u, editor::Editor& e) { u.Arrow(e.driveLetterSpinner, Arrow::Up); },
         {"driveLetterSpinner.Change", ".driveLetterBox.Change"}},
        {"letter spin up at Z put back", letterZ, nothing,
         [](UserDriver& u, editor::Editor& e) { u.Arrow(e.driveLetterSpinner, Arrow::Up); },
         {"driveLetterSpinner.Change", ".driveLetterSpinner.Change"}},
        {"letter spin with empty box put back", typical, clearLetter,
         [](UserDriver& u, editor::Editor& e) { u.Arrow(e.driveLetterSpinner, Arrow::Down); },
         {"driveLetterSpinner.Change", ".driveLetterSpinner.Change"}},
        {"interval 5 raised to 20", typical,
         [](UserDriver& u, editor::Editor& e) { u.Retype(e.autoSaveIntervalBox, "5"); },
         [](UserDriver& u, editor::Editor& e) { u.Focus(e.saveImageCheck); },
         {"autoSaveIntervalBox.LostFocus", ".autoSaveSpinner.Change"}},
        {"interval spin while AutoSave off put back", noSaving, nothing,
         [](UserDriver& u, editor::Editor& e) { u.Arrow(e.autoSaveSpinner, Arrow::Down); },
         {"autoSaveSpinner.Change", ".autoSaveSpinner.Change"}},
        {"AutoSave ticks image saving", noSaving, nothing,
         [](UserDriver& u, editor::Editor& e) { u.Click(e.autoSaveCheck); }, {"autoSaveCheck.Click", ".saveImageCheck.Click"}},
        {"image saving off unticks AutoSave", typical, nothing,
         [](UserDriver& u, editor::Editor& e) { u.Click(e.saveImageCheck); }, {"saveImageCheck.Click", ".autoSaveCheck.Click"}},
        {"image loading unticks label and TEMP", allOptions, nothing,
         [](UserDriver& u, editor::Editor& e) { u.Click(e.loadImageCheck); },
         {"loadImageCheck.Click", ".volumeLabelCheck.Click", ".tempDirCheck.Click"}},
        {"TEMP unticks image loading", loading, nothing,
         [](UserDriver& u, editor::Editor& e) { u.Click(e.tempDirCheck); },
         {"tempDirCheck.Click", ".loadImageCheck.Click"}},
        {"label unticks image loading", loading, nothing,
         [](UserDriver& u, editor::Editor& e) { u.Click(e.volumeLabelCheck); },
         {"volumeLabelCheck.Click", ".loadImageCheck.Click"}},
    };
}

// Runs one trace scenario on an editor that has just loaded the scenario's state.
inline void RunTraceScenario(UserDriver& user, editor::Editor& editor, const TraceScenario& scenario) {
    SCOPED_TRACE(scenario.name);
    scenario.prepare(user, editor);
    EventTrace trace(editor);
    scenario.act(user, editor);
    EXPECT_EQ(trace.Entries(), scenario.expected);
    EXPECT_EQ(editor.diskSizeSpinner.Value(), editor.AcceptedPositions().size);
    EXPECT_EQ(editor.driveLetterSpinner.Value(), editor.AcceptedPositions().letter);
    EXPECT_EQ(editor.autoSaveSpinner.Value(), editor.AcceptedPositions().interval);
}

// Each case runs on an editor that has just loaded LoadedState{}.

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
    user.Retype(e.diskSizeBox, c.typed);
    user.Focus(e.diskTypeList);
    EXPECT_EQ(e.diskSizeBox.Text(), c.shown);
    EXPECT_EQ(e.diskSizeSpinner.Value(), c.bar);
    EXPECT_EQ(e.AcceptedPositions().size, c.bar);
    EXPECT_EQ(e.fat32Check.Enabled(), c.fat32Enabled);
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
    user.Retype(e.autoSaveIntervalBox, c.typed);
    user.Focus(e.saveImageCheck);
    EXPECT_EQ(e.autoSaveIntervalBox.Text(), c.shown);
    EXPECT_EQ(e.autoSaveSpinner.Value(), c.bar);
    EXPECT_EQ(e.AcceptedPositions().interval, c.bar);
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
    user.Clear(e.driveLetterBox);
    user.Type(e.driveLetterBox, c.typed);
    EXPECT_EQ(e.driveLetterBox.Text(), c.shown);
    EXPECT_EQ(e.driveLetterSpinner.Value(), 16384);
    EXPECT_EQ(e.AcceptedPositions().letter, 16384);
}

}  // namespace sarnex::testing
