#include "platform/forms/controls.h"

#include <utility>

#include "platform/forms/form.h"

namespace sarnex::forms {

const char* EventName(Event e) {
    switch (e) {
        case Event::Click: return "Click";
        case Event::Change: return "Change";
        case Event::LostFocus: return "LostFocus";
    }
    return "?";
}

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string FirstCharacters(std::string_view utf8, std::size_t n) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
            if (seen == n) return std::string(utf8.substr(0, i));
            ++seen;
        }
    }
    return std::string(utf8);
}

// --- Control ---------------------------------------------------------------

Control::Control(Form& form, const ControlDesign& design) : form_(form), design_(design) {}

void Control::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Notify(Property::Enabled);
}

bool Control::CanTakeFocus() const {
    return enabled_ && Type() != ControlType::Label && Type() != ControlType::Line;
}

void Control::Refresh() { form_.ControlRefreshed(*this); }

void Control::On(Event event, std::function<void()> handler) { handlers_[static_cast<int>(event)] = std::move(handler); }

bool Control::Handles(Event event) const { return static_cast<bool>(handlers_[static_cast<int>(event)]); }

void Control::Notify(Property property) { form_.ControlChanged(*this, property); }

void Control::Raise(Event event) { form_.RaiseEvent(*this, event); }

void Control::RunHandler(Event event) const { handlers_[static_cast<int>(event)](); }

// --- Label, CommandButton ----------------------------------------------------

Label::Label(Form& form, const ControlDesign& design) : Control(form, design), caption_(design.caption) {}

void Label::SetCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    Notify(Property::Caption);
}

void Label::UserClick() {
    if (Enabled()) Raise(Event::Click);
}

void CommandButton::UserClick() {
    if (!CanTakeFocus()) return;
    Parent().MoveFocus(*this);
    Raise(Event::Click);
}

// --- CheckBox ----------------------------------------------------------------

bool CheckBox::SetValue(int value) {
    if (value < 0 || value > 2) return false;
    if (value_ == value) return true;
    value_ = value;
    Notify(Property::Value);
    Raise(Event::Click);
    return true;
}

void CheckBox::UserClick() {
    if (!CanTakeFocus()) return;
    Parent().MoveFocus(*this);
    SetValue(value_ == 1 ? 0 : 1);
}

// --- TextBox -----------------------------------------------------------------

TextBox::TextBox(Form& form, const ControlDesign& design) : Control(form, design), text_(design.caption) {}

void TextBox::SetText(std::string text) {
    if (text_ == text) return;
    text_ = std::move(text);
    Notify(Property::Text);
    Raise(Event::Change);
}

void TextBox::UserEdit(std::string text) {
    if (!CanTakeFocus()) return;
    Parent().MoveFocus(*this);
    if (MaxLength() > 0 && CharacterCount(text) > static_cast<std::size_t>(MaxLength()))
        text = FirstCharacters(text, static_cast<std::size_t>(MaxLength()));
    SetText(std::move(text));
}

// --- ComboBox ----------------------------------------------------------------

ComboBox::ComboBox(Form& form, const ControlDesign& design) : Control(form, design), text_(design.caption) {}

void ComboBox::AddItem(std::string item) {
    list_.push_back(std::move(item));
    Notify(Property::List);
}

bool ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) return false;
    const std::string text = index >= 0 ? list_[static_cast<std::size_t>(index)] : std::string();
    if (listIndex_ != index || text_ != text) {
        listIndex_ = index;
        text_ = text;
        Notify(Property::ListIndex);
    }
    Raise(Event::Click);
    return true;
}

void ComboBox::UserPick(int index) {
    if (!CanTakeFocus() || index < 0 || index >= ListCount()) return;
    Parent().MoveFocus(*this);
    SetListIndex(index);
}

void ComboBox::UserEdit(std::string text) {
    if (!CanTakeFocus()) return;
    Parent().MoveFocus(*this);
    if (text_ == text && listIndex_ == -1) return;
    text_ = std::move(text);
    listIndex_ = -1;
    Notify(Property::Text);
    Raise(Event::Change);
}

// --- VScrollBar --------------------------------------------------------------

VScrollBar::VScrollBar(Form& form, const ControlDesign& design) : Control(form, design), max_(design.max) {}

bool VScrollBar::SetValue(int value) {
    if (value < Min() || value > Max()) return false;
    if (value_ == value) return true;
    value_ = value;
    Notify(Property::Value);
    Raise(Event::Change);
    return true;
}

void VScrollBar::UserArrow(Arrow arrow) {
    if (!CanTakeFocus()) return;
    Parent().MoveFocus(*this);
    const int target = arrow == Arrow::Up ? value_ - SmallChange() : value_ + SmallChange();
    if (target < Min() || target > Max()) return;  // the bar stops at its ends
    SetValue(target);
}

}  // namespace sarnex::forms
