#include "platform/headless/headless_host.h"

#include <algorithm>

namespace sarnex::headless {

void HeadlessHost::CreateWindowFor(forms::Form& form) {
    form.SetObserver(this);
    log_.push_back("create " + form.Name());
}

void HeadlessHost::ShowWindowFor(forms::Form& form) {
    log_.push_back("show " + form.Name());
    if (std::find(shown_.begin(), shown_.end(), form.Name()) == shown_.end()) shown_.push_back(form.Name());
}

void HeadlessHost::RefreshWindowFor(forms::Form& form) { log_.push_back("refresh " + form.Name()); }

void HeadlessHost::DestroyWindowFor(forms::Form& form) {
    log_.push_back("destroy " + form.Name());
    shown_.erase(std::remove(shown_.begin(), shown_.end(), form.Name()), shown_.end());
}

void HeadlessHost::MakeTopmost(forms::Form& form) { log_.push_back("topmost " + form.Name()); }

std::vector<std::string> HeadlessHost::ShownForms() const { return shown_; }

}  // namespace sarnex::headless
