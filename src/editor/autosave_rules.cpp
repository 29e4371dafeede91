// AutoSave: ticking it makes the interval usable and ticks image saving; the interval is a number
// of seconds from 20 to 32767, stepped by 4 seconds (one stored unit) within the same range.
#include <cmath>

#include "config/number_text.h"
#include "editor/editor.h"
#include "editor/limits.h"
#include "editor/rule_helpers.h"

namespace sarnex::editor {

double Editor::AutoSaveInterval() const { return config::NumberFromText(autoSaveIntervalBox.Text()); }

void Editor::OnAutoSaveTicked() {
    if (autoSaveCheck.Value() == 1) {
        autoSaveIntervalBox.SetEnabled(true);
        saveImageCheck.SetValue(1);
        saveImageFileBox.SetEnabled(true);
    } else {
        autoSaveIntervalBox.SetEnabled(false);
    }
}

void Editor::NormaliseAutoSaveInterval() {
    if (AutoSaveInterval() > kLongestAutoSaveInterval) autoSaveIntervalBox.SetText(LimitText(kLongestAutoSaveInterval));
    if (AutoSaveInterval() < kShortestAutoSaveInterval) autoSaveIntervalBox.SetText(LimitText(kShortestAutoSaveInterval));
    // The interval is not rounded: a fraction stays, and only the bar's position is whole.
    accepted_.interval = SpinnerPosition(kAutoSaveSpinnerMax - AutoSaveInterval(), kAutoSaveSpinnerMax);
    autoSaveSpinner.SetValue(accepted_.interval);
    autoSaveIntervalBox.SetText(config::TextFromNumber(AutoSaveInterval()));
    autoSaveIntervalBox.Refresh();
}

void Editor::OnAutoSaveIntervalSpun() {
    if (!autoSaveIntervalBox.Enabled()) {
        autoSaveSpinner.SetValue(accepted_.interval);
        return;
    }
    if (autoSaveSpinner.Value() == accepted_.interval) return;
    const bool up = autoSaveSpinner.Value() < accepted_.interval;
    const double interval = AutoSaveInterval();
    const bool allowed = std::isfinite(interval) &&
                         (up ? interval <= kLongestAutoSaveInterval - kAutoSaveIntervalStep
                             : interval >= kShortestAutoSaveInterval + kAutoSaveIntervalStep);
    if (!allowed) {
        autoSaveSpinner.SetValue(accepted_.interval);
        return;
    }
    autoSaveIntervalBox.SetText(config::TextFromNumber(up ? interval + kAutoSaveIntervalStep : interval - kAutoSaveIntervalStep));
    autoSaveIntervalBox.Refresh();
    accepted_.interval = static_cast<std::int16_t>(autoSaveSpinner.Value());
}

}  // namespace sarnex::editor
