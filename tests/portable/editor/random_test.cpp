// Long seeded sequences of random user actions on the editor, checking the standing rules between
// the controls after every action.
#include <cmath>
#include <random>

#include "config/number_text.h"
#include "portable/program.h"

namespace sarnex::testing {
namespace {

using Arrow = forms::VScrollBar::Arrow;

// Performs one random action and says what it did.
std::string Act(std::mt19937& rng, editor::Editor& e, UserDriver& user) {
    const auto pick = [&rng](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    const auto text = [&] {
        static const char* const pieces[] = {"0", "1", "2", "3", "5", "9", "9", " ", ".", "e", "-", "a", "Z",
                                             "[", "\xC3\xA9", "+", "d", "M"};
        std::string t;
        for (std::size_t n = pick(7); n > 0; --n) t += pieces[pick(std::size(pieces))];
        return t;
    };
    forms::TextBox* boxes[] = {&e.diskSizeBox,    &e.autoSaveIntervalBox, &e.driveLetterBox, &e.diskSizeBox,
                               &e.loadImageFileBox, &e.saveImageFileBox, &e.volumeLabelBox, &e.autoSaveIntervalBox};
    forms::CheckBox* checks[] = {&e.fat32Check,     &e.driveLetterCheck, &e.autoSaveCheck,    &e.saveImageCheck,
                                 &e.loadImageCheck, &e.tempDirCheck,     &e.volumeLabelCheck};
    forms::VScrollBar* bars[] = {&e.diskSizeSpinner, &e.driveLetterSpinner, &e.autoSaveSpinner};
    switch (pick(8)) {
        case 0:
        case 1: {
            forms::TextBox& box = *boxes[pick(std::size(boxes))];
            const std::string t = text();
            if (pick(2) == 0) user.Clear(box);
            user.Type(box, t);
            return "type \"" + t + "\" into " + box.Name();
        }
        case 2:
        case 3: {
            forms::CheckBox& box = *checks[pick(std::size(checks))];
            user.Click(box);
            return "click " + box.Name();
        }
        case 4: {
            const std::string t = text();
            if (pick(2) == 0) user.Pick(e.diskTypeList, static_cast<int>(pick(3)));
            else user.TypeInCombo(e.diskTypeList, t);
            return "disk type \"" + t + "\" or a pick";
        }
        case 5:
        case 6: {
            forms::VScrollBar& bar = *bars[pick(3)];
            const Arrow arrow = pick(2) == 0 ? Arrow::Up : Arrow::Down;
            const std::size_t times = pick(4) == 0 ? 1 + pick(40) : 1;  // now and then a burst, to reach the limits
            for (std::size_t i = 0; i < times; ++i) user.Arrow(bar, arrow);
            return bar.Name() + (arrow == Arrow::Up ? " up x" : " down x") + std::to_string(times);
        }
        default:
            user.Tab(e, pick(3) == 0);
            return "tab";
    }
}

// The standing rules; returns the broken ones. A number box may hold anything while it has the
// focus; leaving it normalises the number and the spinners keep it within its limits.
std::vector<std::string> BrokenRules(const editor::Editor& e) {
    std::vector<std::string> broken;
    const auto rule = [&](bool holds, const char* what) {
        if (!holds) broken.push_back(what);
    };
    rule(e.loadImageFileBox.Enabled() == (e.loadImageCheck.Value() == 1), "load file name usable exactly while ticked");
    rule(e.saveImageFileBox.Enabled() == (e.saveImageCheck.Value() == 1), "save file name usable exactly while ticked");
    rule(e.volumeLabelBox.Enabled() == (e.volumeLabelCheck.Value() == 1), "label usable exactly while ticked");
    rule(e.autoSaveIntervalBox.Enabled() == (e.autoSaveCheck.Value() == 1), "interval usable exactly while AutoSave");
    rule(!(e.loadImageCheck.Value() == 1 && (e.tempDirCheck.Value() == 1 || e.volumeLabelCheck.Value() == 1)),
         "image loading excludes TEMP and label");
    rule(e.autoSaveCheck.Value() != 1 || e.saveImageCheck.Value() == 1, "AutoSave needs image saving");
    if (e.diskTypeList.ListIndex() == 0)
        rule(e.fat32Check.Enabled() == (config::NumberFromText(e.diskSizeBox.Text()) > 32), "FAT32 only above 32 MB");
    else
        rule(e.diskTypeList.ListIndex() > 0 && !e.diskSizeBox.Enabled() && !e.driveLetterCheck.Enabled() &&
                 !e.driveLetterBox.Enabled() && !e.fat32Check.Enabled(),
             "a floppy type disables size, letter and FAT32");
    rule(e.diskSizeSpinner.Value() == e.AcceptedPositions().size &&
             e.driveLetterSpinner.Value() == e.AcceptedPositions().letter &&
             e.autoSaveSpinner.Value() == e.AcceptedPositions().interval,
         "each bar at its accepted position");
    const std::string& letter = e.driveLetterBox.Text();
    rule(letter.empty() || (letter.size() == 1 && letter[0] >= 'D' && letter[0] <= 'Z'), "letter empty or D..Z");
    const double size = config::NumberFromText(e.diskSizeBox.Text());
    if (e.ActiveControl() != &e.diskSizeBox)
        rule(size >= 5 && size <= 2048 && size == std::floor(size) && e.diskSizeBox.Text() == config::TextFromNumber(size),
             "size a whole number 5..2048 outside its box");
    const double interval = config::NumberFromText(e.autoSaveIntervalBox.Text());
    if (e.ActiveControl() != &e.autoSaveIntervalBox)
        rule(interval >= 20 && interval <= 32767 && e.autoSaveIntervalBox.Text()[0] == ' ',
             "interval 20..32767 outside its box");
    rule(e.DeepestEventNesting() <= 4, "handler nesting stays shallow");
    return broken;
}

TEST(EditorRandom, StandingRulesHoldThroughRandomUserActions) {
    const StoredValues typical = TypicalRecord();
    const StoredValues bare = With(typical, {{"SaveImageOnExit", Number(0)}, {"AutoSaveEnabled", Number(0)},
                                             {"MakeTempDir", Number(0)}, {"UseDiskLabel", Number(0)},
                                             {"UserDriveLetter", Number(17)}, {"LoadImageOnStart", Number(1)},
                                             {"SizeIn4kPages", Number(1280)}, {"AutoSaveTrigger", Number(5)}});
    const std::pair<std::uint32_t, StoredValues> sessions[] = {
        {1, typical}, {2, With(typical, {{"DiskType", Text("FDC28")}})}, {3, bare}, {20240607, typical}, {77, bare}};
    for (const auto& [seed, start] : sessions) {
        FreshProgram p(start);
        editor::Editor& e = p.Start();
        std::mt19937 rng(seed);
        std::string done;
        for (int i = 0; i < 4000; ++i) {
            done += Act(rng, e, p.user) + " | ";
            const auto broken = BrokenRules(e);
            ASSERT_TRUE(broken.empty()) << "seed " << seed << " broke \"" << broken.front() << "\" after: " << done;
        }
    }
}

}  // namespace
}  // namespace sarnex::testing
