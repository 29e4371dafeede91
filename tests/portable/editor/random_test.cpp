// Long seeded sequences of random user actions on the editor, some started near the limits, checking
// after every action the standing rules between the controls, that the control the user set keeps what
// the action gave it unless a rule the action set off changed it, and each spinner step against the
// rule of steps.
#include <cmath>
#include <optional>
#include <random>

#include "config/number_text.h"
#include "editor/limits.h"
#include "portable/program.h"

namespace sarnex::testing {
namespace {

using Arrow = forms::VScrollBar::Arrow;
using editor::Editor;

// What an action must have left in the control it set; nothing when it sets no value of its own.
struct Expectation {
    const forms::Control* control = nullptr;
    std::string state;  // as StateOf shows it
};

// The number or letter one step of a spinner gives, or the same when the step is refused.
std::string Stepped(const Editor& e, const forms::VScrollBar& bar, Arrow arrow) {
    const bool up = arrow == Arrow::Up;
    if (&bar == &e.driveLetterSpinner) {
        const std::string& letter = e.driveLetterBox.Text();
        if (!e.driveLetterBox.Enabled() || letter.empty()) return letter;
        const char c = letter[0];
        return std::string(1, static_cast<char>(up ? (c < 'Z' ? c + 1 : c) : (c > 'D' ? c - 1 : c)));
    }
    const bool size = &bar == &e.diskSizeSpinner;
    const forms::TextBox& box = size ? e.diskSizeBox : e.autoSaveIntervalBox;
    const double n = config::NumberFromText(box.Text());
    if (!box.Enabled() || !std::isfinite(n)) return box.Text();
    double next = n;
    if (size && up && n < editor::kLargestDiskSize) next = std::min<double>(n < 1024 ? n + 1 : n + 2, editor::kLargestDiskSize);
    if (size && !up && n >= editor::kSmallestDiskSize + 1) next = n > 1024 ? n - 2 : n - 1;
    if (!size && up && n <= editor::kLongestAutoSaveInterval - 4) next = n + 4;
    if (!size && !up && n >= editor::kShortestAutoSaveInterval + 4) next = n - 4;
    return next == n ? box.Text() : config::TextFromNumber(next);
}

// Performs one random action, says what it did, and what it must leave in the control it set.
std::string Act(std::mt19937& rng, Editor& e, UserDriver& user, std::optional<Expectation>& expected) {
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
    switch (pick(9)) {
        case 0:
        case 1: {
            forms::TextBox& box = *boxes[pick(std::size(boxes))];
            const std::string t = text();
            const bool clear = pick(2) == 0;
            // A box takes characters up to its MaxLength.
            std::string typed = clear ? "" : box.Text();
            const auto limit = static_cast<std::size_t>(box.MaxLength());
            const std::size_t room = limit == 0 ? t.size() : limit - std::min(limit, forms::CharacterCount(typed));
            typed += forms::FirstCharacters(t, room);
            if (clear) user.Clear(box);
            user.Type(box, t);
            if (box.Enabled() && &box != &e.driveLetterBox) expected = Expectation{&box, "on \"" + typed + "\""};
            return "type \"" + t + "\" into " + box.Name() + (clear ? " after clearing it" : "");
        }
        case 2:
        case 3: {
            forms::CheckBox& box = *checks[pick(std::size(checks))];
            const std::string state = std::string(box.Enabled() ? "on " : "off ") + (box.Value() == 1 ? "0" : "1");
            user.Click(box);
            if (box.Enabled()) expected = Expectation{&box, state};
            return "click " + box.Name();
        }
        case 4: {
            if (pick(2) == 0) {
                const int index = static_cast<int>(pick(3));
                user.Pick(e.diskTypeList, index);
                expected = Expectation{&e.diskTypeList, "on " + std::to_string(index) + " \"" + e.diskTypeList.List()[index] + "\""};
                return "pick disk type " + std::to_string(index);
            }
            const std::string t = text();
            user.TypeInCombo(e.diskTypeList, t);
            return "type \"" + t + "\" into the disk type";
        }
        case 5:
        case 6: {
            forms::VScrollBar& bar = *bars[pick(3)];
            const Arrow arrow = pick(2) == 0 ? Arrow::Up : Arrow::Down;
            forms::TextBox& box = &bar == &e.diskSizeSpinner ? e.diskSizeBox
                                  : &bar == &e.driveLetterSpinner ? e.driveLetterBox : e.autoSaveIntervalBox;
            user.Focus(bar);  // leaving the box normalises it before the step
            const bool atEnd = bar.Value() == (arrow == Arrow::Up ? bar.Min() : bar.Max());
            const std::string next = atEnd ? box.Text() : Stepped(e, bar, arrow);
            user.Arrow(bar, arrow);
            expected = Expectation{&box, std::string(box.Enabled() ? "on " : "off ") + "\"" + next + "\""};
            return bar.Name() + (arrow == Arrow::Up ? " up" : " down");
        }
        case 7: {  // now and then a burst, or Home or End, to reach the limits
            forms::VScrollBar& bar = *bars[pick(3)];
            const Arrow arrow = pick(2) == 0 ? Arrow::Up : Arrow::Down;
            if (pick(3) == 0) {
                bar.UserMoveToEnd(arrow);
                return bar.Name() + (arrow == Arrow::Up ? " Home" : " End");
            }
            const std::size_t times = 1 + pick(40);
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
std::vector<std::string> BrokenRules(const Editor& e) {
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
    // Near the limits: sizes at 6, 1023 and 2047 MB, intervals at 24 and 32763 s, letters at E and Y.
    const auto nearLimits = [&](std::int32_t megabytes, std::int32_t seconds, char letter) {
        return With(typical, {{"SizeIn4kPages", Number(megabytes * 256)}, {"AutoSaveTrigger", Number(seconds / 4)},
                              {"UserDriveLetter", Number(0x01000000 + (letter - 'A'))}});
    };
    const std::pair<std::uint32_t, StoredValues> sessions[] = {
        {1, typical},  {2, With(typical, {{"DiskType", Text("FDC28")}})}, {3, bare}, {20240607, typical}, {77, bare},
        {5, nearLimits(6, 24, 'E')}, {6, nearLimits(2047, 32763, 'Y')}, {7, nearLimits(1023, 32764, 'E')}};
    for (const auto& [seed, start] : sessions) {
        FreshProgram p(start);
        Editor& e = p.Start();
        std::mt19937 rng(seed);
        std::string done;
        for (int i = 0; i < 4000; ++i) {
            std::optional<Expectation> expected;
            const std::size_t notes = e.RuleLog().size();
            done += Act(rng, e, p.user, expected) + " | ";
            auto broken = BrokenRules(e);
            // The control set keeps what the action gave it, unless a rule the action set off changed it.
            if (expected && e.RuleLog().size() == notes && StateOf(*expected->control) != expected->state)
                broken.push_back(expected->control->Name() + " shows " + StateOf(*expected->control) + ", not " +
                                 expected->state);
            ASSERT_TRUE(broken.empty()) << "seed " << seed << " broke \"" << broken.front() << "\" after: " << done;
        }
    }
}

}  // namespace
}  // namespace sarnex::testing
