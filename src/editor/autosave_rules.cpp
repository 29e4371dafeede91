// AutoSave: ticking it makes the interval usable and ticks image saving; the interval is a number
// of seconds from 20 to 32767, stepped by 4 seconds (one stored unit) within the same range.
#include <algorithm>
#include <cmath>

#include <string>

#include "config/number_text.h"
#include "editor/editor.h"
#include "editor/limits.h"
#include "editor/rule_helpers.h"

namespace sarnex::editor {

double Editor::AutoSaveInterval() const { return config::NumberFromText(autoSaveIntervalBox.Text()); }

void Editor::OnAutoSaveTicked() {
    if (autoSaveCheck.Value() == 1) {
        autoSaveIntervalBox.SetEnabled(true);
        // its own rule makes the file name usable
        SetBy(saveImageCheck, 1, config::ValueId::SaveImageOnExit, "AutoSave saves the image");
    } else {
        autoSaveIntervalBox.SetEnabled(false);
    }
}

void Editor::NormaliseAutoSaveInterval() {
    // Held to 20..32767 but not rounded: a fraction stays, and only the bar's position is whole.
    const double interval = std::clamp<double>(AutoSaveInterval(), kShortestAutoSaveInterval, kLongestAutoSaveInterval);
    accepted_.interval = SpinnerPosition(kAutoSaveSpinnerMax - interval, kAutoSaveSpinnerMax);
    autoSaveSpinner.SetValue(accepted_.interval);
    const std::string why = "intervals run from " + std::to_string(kShortestAutoSaveInterval) + " to " +
                            std::to_string(kLongestAutoSaveInterval) + " seconds";
    if (interval != AutoSaveInterval()) ruleLog_.push_back({config::ValueId::AutoSaveTrigger, why});
    autoSaveIntervalBox.SetText(config::TextFromNumber(interval));
}

// One step of 4 seconds per arrow, never past 20 or 32767; a refused step puts the bar back.
void Editor::OnAutoSaveIntervalSpun() {
    const double interval = AutoSaveInterval();
    const auto step = [&](bool allowed, double stepped) {
        if (!allowed || !autoSaveIntervalBox.Enabled() || !std::isfinite(interval)) {
            autoSaveSpinner.SetValue(accepted_.interval);
            return;
        }
        autoSaveIntervalBox.SetText(config::TextFromNumber(stepped));
        accepted_.interval = AcceptStep(autoSaveSpinner);
        autoSaveSpinner.SetValue(accepted_.interval);
    };
    if (autoSaveSpinner.Value() < accepted_.interval)
        step(interval <= kLongestAutoSaveInterval - kAutoSaveIntervalStep, interval + kAutoSaveIntervalStep);
    else if (autoSaveSpinner.Value() > accepted_.interval)
        step(interval >= kShortestAutoSaveInterval + kAutoSaveIntervalStep, interval - kAutoSaveIntervalStep);
}

}  // namespace sarnex::editor
