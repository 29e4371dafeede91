// AutoSave: ticking it makes the interval usable and ticks image saving; the interval is a number
// of seconds from 20 to 32767, stepped by 4 seconds (one stored unit) within the same range.
#include <cmath>

#include "config/number_text.h"
#include "editor/editor.h"
#include "editor/rule_helpers.h"

namespace sarnex::editor {

namespace {

constexpr double kShortestInterval = 20;
constexpr double kLongestInterval = 32767;  // also VScroll3's Max: the bar mirrors the interval
constexpr std::int16_t kIntervalBarMax = 32767;
constexpr double kIntervalStep = 4;

}  // namespace

double Editor::AutoSaveInterval() const { return config::NumberFromText(AutoSaveTime.Text()); }

void Editor::SaveCheckBox_Click() {
    if (SaveCheckBox.Value() == 1) {
        AutoSaveTime.SetEnabled(true);
        SaveImage.SetValue(1);
        Text2.SetEnabled(true);
    } else {
        AutoSaveTime.SetEnabled(false);
    }
}

void Editor::AutoSaveTime_LostFocus() {
    if (AutoSaveInterval() > kLongestInterval) AutoSaveTime.SetText("32767");
    if (AutoSaveInterval() < kShortestInterval) AutoSaveTime.SetText("20");
    // The interval is not rounded: a fraction stays, and only the bar's position is whole.
    TimeScrollPos = SpinnerPosition(kLongestInterval - AutoSaveInterval(), kIntervalBarMax);
    VScroll3.SetValue(TimeScrollPos);
    AutoSaveTime.SetText(config::TextFromNumber(AutoSaveInterval()));
    AutoSaveTime.Refresh();
}

void Editor::VScroll3_Change() {
    if (!AutoSaveTime.Enabled()) {
        VScroll3.SetValue(TimeScrollPos);
        return;
    }
    if (VScroll3.Value() < TimeScrollPos) {
        const double interval = AutoSaveInterval();
        if (interval <= kLongestInterval - kIntervalStep && std::isfinite(interval)) {
            AutoSaveTime.SetText(config::TextFromNumber(interval + kIntervalStep));
            AutoSaveTime.Refresh();
            TimeScrollPos = static_cast<std::int16_t>(VScroll3.Value());
        } else {
            VScroll3.SetValue(TimeScrollPos);
        }
        return;
    }
    if (VScroll3.Value() > TimeScrollPos) {
        const double interval = AutoSaveInterval();
        if (interval >= kShortestInterval + kIntervalStep && std::isfinite(interval)) {
            AutoSaveTime.SetText(config::TextFromNumber(interval - kIntervalStep));
            AutoSaveTime.Refresh();
            TimeScrollPos = static_cast<std::int16_t>(VScroll3.Value());
        } else {
            VScroll3.SetValue(TimeScrollPos);
        }
    }
}

}  // namespace sarnex::editor
