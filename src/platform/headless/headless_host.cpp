#include "platform/headless/headless_host.h"

#include <algorithm>
#include <stdexcept>

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

bool HeadlessHost::AskYesNo(forms::Form& owner, const std::string& title, const std::string& text) {
    log_.push_back("ask " + owner.Name() + " " + title);
    questions_.push_back({owner.Name(), title, text});
    if (answers_.empty() && rule_) return rule_(title);
    if (answers_.empty()) throw std::logic_error("unexpected question \"" + title + "\": " + text);
    const bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

void HeadlessHost::Tell(forms::Form& owner, const std::string& title, const std::string& text) {
    log_.push_back("tell " + owner.Name() + " " + title);
    messages_.push_back({owner.Name(), title, text});
}

std::vector<std::string> HeadlessHost::ShownForms() const { return shown_; }

}  // namespace sarnex::headless
