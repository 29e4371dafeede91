// Long seeded sequences of random user actions on the editor, checking the standing rules between
// the controls after every action.
#include <cmath>
#include <random>
#include <sstream>

#include "config/number_text.h"
#include "portable/program.h"

namespace sarnex::testing {
namespace {

using Arrow = forms::VScrollBar::Arrow;

class RandomUser {
public:
    RandomUser(std::uint32_t seed, editor::Editor& e, UserDriver& user) : rng_(seed), e_(e), user_(user) {}

    // Performs one random action and returns its description.
    std::string Act() {
        switch (Pick(10)) {
            case 0:
            case 1: return TypeText();
            case 2:
            case 3: return ClickCheckBox();
            case 4: {
                const int index = Pick(3);
                user_.Pick(e_.diskTypeList, index);
                return "pick diskTypeList " + std::to_string(index);
            }
            case 5: {
                const std::string text = RandomText();
                user_.TypeInCombo(e_.diskTypeList, text);
                return "type in diskTypeList \"" + text + "\"";
            }
            case 6:
            case 7: return PressArrows();
            case 8: {
                forms::Control& c = *focusable()[Pick(static_cast<int>(focusable().size()))];
                user_.Focus(c);
                return "focus " + c.Name();
            }
            default: {
                const bool back = Pick(3) == 0;
                user_.Tab(e_, back);
                return back ? "shift+tab" : "tab";
            }
        }
    }

private:
    int Pick(int n) { return static_cast<int>(rng_() % static_cast<std::uint32_t>(n)); }

    std::string RandomText() {
        static const std::vector<std::string> pieces = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "1",
                                                        "2", " ", ".", "e", "-", "a", "Z", "[", "\xC3\xA9", "+",
                                                        "E", "d", "M", "B", "9", "9"};
        std::string text;
        for (int n = Pick(7); n > 0; --n) text += pieces[static_cast<std::size_t>(Pick(static_cast<int>(pieces.size())))];
        return text;
    }

    std::string TypeText() {
        forms::TextBox* boxes[] = {&e_.diskSizeBox, &e_.diskSizeBox, &e_.autoSaveIntervalBox, &e_.autoSaveIntervalBox, &e_.driveLetterBox,
                                   &e_.driveLetterBox, &e_.loadImageFileBox, &e_.saveImageFileBox, &e_.volumeLabelBox};
        forms::TextBox& box = *boxes[Pick(9)];
        const bool clear = Pick(2) == 0;
        const std::string text = RandomText();
        if (clear) user_.Clear(box);
        user_.Type(box, text);
        return (clear ? "retype " : "type ") + box.Name() + " \"" + text + "\"";
    }

    std::string ClickCheckBox() {
        forms::CheckBox* boxes[] = {&e_.fat32Check, &e_.driveLetterCheck,   &e_.autoSaveCheck,     &e_.saveImageCheck,
                                    &e_.loadImageCheck,   &e_.tempDirCheck, &e_.volumeLabelCheck};
        forms::CheckBox& box = *boxes[Pick(7)];
        user_.Click(box);
        return "click " + box.Name();
    }

    std::string PressArrows() {
        forms::VScrollBar* bars[] = {&e_.diskSizeSpinner, &e_.driveLetterSpinner, &e_.autoSaveSpinner};
        forms::VScrollBar& bar = *bars[Pick(3)];
        const auto arrow = Pick(2) == 0 ? Arrow::Up : Arrow::Down;
        const int times = Pick(4) == 0 ? 1 + Pick(40) : 1;  // now and then a burst, to reach the limits
        for (int i = 0; i < times; ++i) user_.Arrow(bar, arrow);
        return bar.Name() + (arrow == Arrow::Up ? " up x" : " down x") + std::to_string(times);
    }

    const std::vector<forms::Control*>& focusable() {
        if (focusable_.empty())
            for (const auto& c : e_.Controls())
                if (c->Type() != forms::ControlType::Label && c->Type() != forms::ControlType::Line)
                    focusable_.push_back(c.get());
        return focusable_;
    }

    std::mt19937 rng_;
    editor::Editor& e_;
    UserDriver& user_;
    std::vector<forms::Control*> focusable_;
};

bool IsWholeSizeText(const std::string& text, double low, double high) {
    const double n = config::NumberFromText(text);
    return n >= low && n <= high && n == std::floor(n) && text == config::TextFromNumber(n);
}

// The standing rules; returns the broken ones. A number box holds what the user types only while it
// has the focus: leaving it normalises the number, and the spinners keep it within the limits, so
// from a normalised start the rules on the numbers hold whenever the box lacks the focus (and so
// right after it loses the focus).
std::vector<std::string> BrokenRules(const editor::Editor& e) {
    std::vector<std::string> broken;
    const auto rule = [&](bool holds, const char* what) {
        if (!holds) broken.push_back(what);
    };
    rule(e.loadImageFileBox.Enabled() == (e.loadImageCheck.Value() == 1), "loadImageFileBox enabled exactly while loadImageCheck is ticked");
    rule(e.saveImageFileBox.Enabled() == (e.saveImageCheck.Value() == 1), "saveImageFileBox enabled exactly while saveImageCheck is ticked");
    rule(e.volumeLabelBox.Enabled() == (e.volumeLabelCheck.Value() == 1),
         "volumeLabelBox enabled exactly while volumeLabelCheck is ticked");
    rule(!(e.loadImageCheck.Value() == 1 && e.tempDirCheck.Value() == 1), "loadImageCheck excludes tempDirCheck");
    rule(!(e.loadImageCheck.Value() == 1 && e.volumeLabelCheck.Value() == 1), "loadImageCheck excludes volumeLabelCheck");
    rule(e.autoSaveCheck.Value() != 1 || e.saveImageCheck.Value() == 1, "AutoSave needs saveImageCheck");
    rule(e.autoSaveIntervalBox.Enabled() == (e.autoSaveCheck.Value() == 1), "autoSaveIntervalBox enabled exactly while AutoSave");
    if (e.diskTypeList.ListIndex() != 0) {
        rule(!e.diskSizeBox.Enabled() && !e.diskSizeCaption.Enabled() && !e.megabytesUnit.Enabled() && !e.driveLetterCheck.Enabled() &&
                 !e.driveLetterBox.Enabled() && !e.fat32Check.Enabled(),
             "a floppy type disables size, letter and FAT32");
        rule(e.diskTypeList.ListIndex() > 0, "a type is always chosen");
    } else {
        rule(e.fat32Check.Enabled() == (config::NumberFromText(e.diskSizeBox.Text()) > 32), "FAT32 only above 32 MB");
    }
    rule(e.diskSizeSpinner.Value() == e.AcceptedPositions().size, "diskSizeSpinner equals sizeSpinnerPosition");
    rule(e.driveLetterSpinner.Value() == e.AcceptedPositions().letter, "driveLetterSpinner equals letterSpinnerPosition");
    rule(e.autoSaveSpinner.Value() == e.AcceptedPositions().interval, "autoSaveSpinner equals intervalSpinnerPosition");
    const std::string& letter = e.driveLetterBox.Text();
    rule(letter.empty() || (letter.size() == 1 && letter[0] >= 'D' && letter[0] <= 'Z'), "letter empty or D..Z");
    if (e.ActiveControl() != &e.diskSizeBox)
        rule(IsWholeSizeText(e.diskSizeBox.Text(), 5, 2048), "size a whole number 5..2048 outside its box");
    if (e.ActiveControl() != &e.autoSaveIntervalBox) {
        const double interval = config::NumberFromText(e.autoSaveIntervalBox.Text());
        rule(interval >= 20 && interval <= 32767 && e.autoSaveIntervalBox.Text()[0] == ' ',
             "interval within 20..32767 outside its box");
    }
    rule(e.DeepestEventNesting() <= 4, "handler nesting stays shallow");
    return broken;
}

std::string Joined(const std::vector<std::string>& items, const char* separator) {
    std::ostringstream out;
    for (std::size_t i = 0; i < items.size(); ++i) out << (i ? separator : "") << items[i];
    return out.str();
}

void RunRandomSession(std::uint32_t seed, const StoredValues& start, int actions) {
    FreshProgram p(start);
    editor::Editor& e = p.Start();
    ASSERT_EQ(BrokenRules(e), std::vector<std::string>{}) << "inconsistent start state";
    RandomUser random(seed, e, p.user);
    std::vector<std::string> done;
    for (int i = 0; i < actions; ++i) {
        done.push_back(random.Act());
        const auto broken = BrokenRules(e);
        if (!broken.empty()) {
            FAIL() << "seed " << seed << ", action " << i << " (" << done.back() << ") broke: " << Joined(broken, "; ")
                   << "\nsize \"" << e.diskSizeBox.Text() << "\" interval \"" << e.autoSaveIntervalBox.Text()
                   << "\" letter \"" << e.driveLetterBox.Text() << "\"\nactions: " << Joined(done, " | ");
        }
    }
}

TEST(EditorRandom, StandingRulesHoldThroughRandomUserActions) {
    const StoredValues typical = TypicalRecord();
    const StoredValues floppy = With(typical, {{"DiskType", Text("FDC28")}});
    const StoredValues bare = With(typical, {{"SaveImageOnExit", Number(0)}, {"AutoSaveEnabled", Number(0)},
                                             {"MakeTempDir", Number(0)}, {"UseDiskLabel", Number(0)},
                                             {"UserDriveLetter", Number(17)}, {"LoadImageOnStart", Number(1)},
                                             {"SizeIn4kPages", Number(1280)}, {"AutoSaveTrigger", Number(5)}});
    const std::pair<std::uint32_t, StoredValues> sessions[] = {
        {1, typical}, {2, typical}, {3, floppy}, {4, bare}, {20240607, typical}, {77, bare},
    };
    for (const auto& [seed, start] : sessions) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RunRandomSession(seed, start, 4000);
    }
}

}  // namespace
}  // namespace sarnex::testing
