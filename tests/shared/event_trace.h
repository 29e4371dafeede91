// Records the handlers that ran, in order, each prefixed by one '.' per level of nesting:
// {"diskTypeList.Click", ".diskSizeBox.Change"} means the size box's Change ran inside the list's Click.
#pragma once

#include <string>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/window_host.h"

namespace sarnex::testing {

class EventTrace final : public forms::EventTracer {
public:
    explicit EventTrace(forms::Form& form) : form_(form) { form_.SetTracer(this); }
    ~EventTrace() override { form_.SetTracer(nullptr); }
    EventTrace(const EventTrace&) = delete;
    EventTrace& operator=(const EventTrace&) = delete;

    void HandlerEntered(const forms::Control& control, forms::Event event) override {
        entries_.push_back(std::string(static_cast<std::size_t>(depth_), '.') + control.Name() + "." +
                           forms::EventName(event));
        ++depth_;
    }
    void HandlerLeft(const forms::Control&, forms::Event) override { --depth_; }

    const std::vector<std::string>& Entries() const { return entries_; }
    std::vector<std::string> Take() {
        auto out = std::move(entries_);
        entries_.clear();
        return out;
    }
    void Clear() { entries_.clear(); }

private:
    forms::Form& form_;
    std::vector<std::string> entries_;
    int depth_ = 0;
};

}  // namespace sarnex::testing
