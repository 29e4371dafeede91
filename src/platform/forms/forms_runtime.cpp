#include "platform/forms/forms_runtime.h"

#include <algorithm>

namespace sarnex::forms {

FormsRuntime::~FormsRuntime() = default;

void FormsRuntime::FormLoaded(Form& form) {
    everLoaded_ = true;
    if (std::find(loaded_.begin(), loaded_.end(), &form) == loaded_.end()) loaded_.push_back(&form);
}

void FormsRuntime::FormUnloaded(Form& form) {
    loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), &form), loaded_.end());
}

}  // namespace sarnex::forms
