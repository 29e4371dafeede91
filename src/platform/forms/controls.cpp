#include "platform/forms/controls.h"

#include <algorithm>
#include <utility>

#include "platform/code_page.h"
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

namespace {

// A UTF-8 byte that continues a character begun before it.
bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

std::size_t CharacterCount(std::string_view utf8) {
    const auto starts = std::count_if(utf8.begin(), utf8.end(), [](char c) { return !IsContinuation(c); });
    return static_cast<std::size_t>(starts);
}

std::string FirstCharacters(std::string_view utf8, std::size_t n) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (!IsContinuation(utf8[i])) {
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

namespace {

// Whether the byte at `at` continues a character begun before it.
bool ContinuesCharacter(std::string_view text, std::size_t at) {
    return at < text.size() && IsContinuation(text[at]);
}

// An edit replaces one stretch of the text: what it removed from `before` and inserted instead.
struct Replacement {
    std::string_view head, removed, inserted, tail;
};

Replacement ReplacementBetween(std::string_view before, std::string_view after) {
    auto head = static_cast<std::size_t>(
        std::mismatch(before.begin(), before.end(), after.begin(), after.end()).first - before.begin());
    while (head > 0 && (ContinuesCharacter(before, head) || ContinuesCharacter(after, head))) --head;
    const auto most = static_cast<std::ptrdiff_t>(std::min(before.size(), after.size()) - head);
    auto tail = static_cast<std::size_t>(
        std::mismatch(before.rbegin(), before.rbegin() + most, after.rbegin()).first - before.rbegin());
    while (ContinuesCharacter(before, before.size() - tail)) --tail;  // the same byte begins both tails
    return {before.substr(0, head), before.substr(head, before.size() - head - tail),
            after.substr(head, after.size() - head - tail), before.substr(before.size() - tail)};
}

}  // namespace

bool TextBox::UserEdit(std::string text) {
    if (!CanTakeFocus()) return false;
    Parent().MoveFocus(*this);
    const Replacement edit = ReplacementBetween(text_, text);
    if (codePage_ != nullptr && !edit.inserted.empty() && !codePage_->FromUtf8(edit.inserted)) {
        Notify(Property::Text);  // the host shows the kept text again
        return false;
    }
    std::string_view kept = edit.inserted;
    if (MaxLength() > 0) {
        const auto limit = static_cast<std::size_t>(MaxLength());
        const std::size_t remaining = CharacterCount(text_) - CharacterCount(edit.removed);
        const std::size_t room = remaining < limit ? limit - remaining : 0;
        if (CharacterCount(kept) > room) kept = kept.substr(0, FirstCharacters(kept, room).size());
    }
    if (kept.size() == edit.inserted.size()) {
        SetText(std::move(text));
        return true;
    }
    SetText(std::string(edit.head).append(kept).append(edit.tail));
    Notify(Property::Text);
    return false;
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

void VScrollBar::UserMoveToEnd(Arrow towards) {
    if (!CanTakeFocus()) return;
    Parent().MoveFocus(*this);
    SetValue(towards == Arrow::Up ? Min() : Max());
}

}  // namespace sarnex::forms
