#include "platform/forms/form.h"

#include <algorithm>

#include "platform/forms/forms_runtime.h"

namespace sarnex::forms {

namespace {

std::unique_ptr<Control> MakeControl(Form& form, const ControlDesign& d) {
    switch (d.type) {
        case ControlType::Label: return std::make_unique<Label>(form, d);
        case ControlType::TextBox: return std::make_unique<TextBox>(form, d);
        case ControlType::CheckBox: return std::make_unique<CheckBox>(form, d);
        case ControlType::ComboBox: return std::make_unique<ComboBox>(form, d);
        case ControlType::CommandButton: return std::make_unique<CommandButton>(form, d);
        case ControlType::VScrollBar: return std::make_unique<VScrollBar>(form, d);
        case ControlType::Line: return std::make_unique<Line>(form, d);
    }
    throw std::logic_error("unknown control type");
}

}  // namespace

Form::Form(FormsRuntime& runtime, FormDesign design) : runtime_(runtime), design_(std::move(design)) {
    controls_.reserve(design_.controls.size());
    for (const auto& d : design_.controls) {
        if (Find(d.name) != nullptr) throw std::logic_error("duplicate control name " + d.name);
        controls_.push_back(MakeControl(*this, d));
    }
}

Form::~Form() = default;

Control* Form::Find(std::string_view name) const {
    for (const auto& c : controls_)
        if (c->Name() == name) return c.get();
    return nullptr;
}

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    runtime_.host_.CreateWindowFor(*this);
    runtime_.FormLoaded(*this);
    OnLoad();
}

void Form::Show() {
    Load();
    if (!loaded_) return;  // OnLoad may have unloaded it again
    runtime_.host_.ShowWindowFor(*this);
    if (focused_ == nullptr || !focused_->CanTakeFocus()) {
        if (Control* first = NextInTabOrder(nullptr, false)) {
            focused_ = first;
            if (observer_ != nullptr) observer_->FocusChanged(*this, focused_);
        }
    }
    Refresh();
}

void Form::Refresh() {
    if (loaded_) runtime_.host_.RefreshWindowFor(*this);
}

void Form::Unload() {
    if (!loaded_) return;
    loaded_ = false;
    topmost_ = false;
    focused_ = nullptr;
    runtime_.host_.DestroyWindowFor(*this);
    observer_ = nullptr;
    runtime_.FormUnloaded(*this);
}

void Form::MakeTopmost() {
    if (!loaded_) return;
    topmost_ = true;
    runtime_.host_.MakeTopmost(*this);
}

bool Form::AskYesNo(const std::string& title, const std::string& text) {
    return runtime_.host_.AskYesNo(*this, title, text);
}

void Form::Tell(const std::string& title, const std::string& text) { runtime_.host_.Tell(*this, title, text); }

void Form::MoveFocus(Control& to) {
    if (&to.Parent() != this || !to.CanTakeFocus() || focused_ == &to) return;
    Control* old = focused_;
    focused_ = &to;
    if (observer_ != nullptr) observer_->FocusChanged(*this, focused_);
    if (old != nullptr) RaiseEvent(*old, Event::LostFocus);
}

Control* Form::NextInTabOrder(const Control* from, bool backwards) const {
    std::vector<Control*> order;
    for (const auto& c : controls_)
        if (c->TabIndex() >= 0) order.push_back(c.get());
    std::sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->TabIndex() < b->TabIndex(); });
    if (backwards) std::reverse(order.begin(), order.end());
    const auto n = order.size();
    std::size_t start = 0;
    if (from != nullptr) {
        auto it = std::find(order.begin(), order.end(), from);
        start = it == order.end() ? 0 : static_cast<std::size_t>(it - order.begin()) + 1;
    }
    for (std::size_t i = 0; i < n; ++i) {
        Control* c = order[(start + i) % n];
        if (c->CanTakeFocus()) return c;
    }
    return nullptr;
}

void Form::Tab(bool backwards) {
    if (Control* next = NextInTabOrder(focused_, backwards)) MoveFocus(*next);
}

void Form::RaiseEvent(Control& control, Event event) {
    if (!control.Handles(event)) return;
    ++depth_;
    deepest_ = std::max(deepest_, depth_);
    if (tracer_ != nullptr) tracer_->HandlerEntered(control, event);
    control.RunHandler(event);
    if (tracer_ != nullptr) tracer_->HandlerLeft(control, event);
    --depth_;
}

void Form::ControlChanged(Control& control, Property property) {
    if (loaded_ && observer_ != nullptr) observer_->ControlChanged(control, property);
}

}  // namespace sarnex::forms
