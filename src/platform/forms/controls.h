// The control model: every control of a form with its properties and the event rules.
// Setters raise the control's own event synchronously when the value changes; the same
// setters serve code and the user, so both get the same behaviour.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/design.h"

namespace sarnex::platform {
class CodePage;
}

namespace sarnex::forms {

class Form;

enum class Event { Click, Change, LostFocus };
enum class Property { Caption, Text, Value, Enabled, ListIndex, List };

const char* EventName(Event e);

class Control {
public:
    Control(Form& form, const ControlDesign& design);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return design_.name; }
    ControlType Type() const { return design_.type; }
    const ControlDesign& Design() const { return design_; }
    Form& Parent() const { return form_; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);  // raises nothing
    int TabIndex() const { return design_.tabIndex; }
    const std::string& ToolTipText() const { return design_.toolTip; }

    // Labels and lines never take the focus; disabled controls take no input.
    bool CanTakeFocus() const;

    // Binds the handler for one of this control's events (replacing an earlier one).
    void On(Event event, std::function<void()> handler);
    bool Handles(Event event) const;

protected:
    void Notify(Property property);
    void Raise(Event event);

private:
    friend class Form;
    void RunHandler(Event event) const;

    Form& form_;
    ControlDesign design_;
    bool enabled_ = true;
    std::function<void()> handlers_[3];
};

class Label : public Control {
public:
    Label(Form& form, const ControlDesign& design);
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    void UserClick();  // a click on the label (the label takes no focus)

private:
    std::string caption_;
};

class CommandButton : public Control {
public:
    using Control::Control;
    const std::string& Caption() const { return Design().caption; }
    void UserClick();
};

class CheckBox : public Control {
public:
    using Control::Control;
    const std::string& Caption() const { return Design().caption; }
    int Value() const { return value_; }
    // 0 unticked, 1 ticked, 2 greyed; anything else is refused (returns false).
    bool SetValue(int value);
    void UserClick();  // toggles: ticked becomes unticked, anything else ticked

private:
    int value_ = 0;
};

class TextBox : public Control {
public:
    TextBox(Form& form, const ControlDesign& design);
    const std::string& Text() const { return text_; }
    void SetText(std::string text);  // the program's assignment: not cut to MaxLength
    int MaxLength() const { return Design().maxLength; }
    // The user's edit: `text` is the whole text the typing or pasting would leave. As in a plain
    // edit box, MaxLength limits only what the edit adds: of the added characters those that fit are
    // kept, and deleting is always possible, however long a text the program assigned. A box held
    // to a code page refuses an edit that adds a character the code page cannot hold. Returns false
    // when the box did not take the edit as it came (the host then beeps and shows the box's text).
    bool UserEdit(std::string text);
    // The code page the box's text is stored in, or none.
    void HoldTo(const platform::CodePage& codePage) { codePage_ = &codePage; }

private:
    std::string text_;
    const platform::CodePage* codePage_ = nullptr;
};

class ComboBox : public Control {
public:
    ComboBox(Form& form, const ControlDesign& design);
    const std::string& Text() const { return text_; }
    const std::vector<std::string>& List() const { return list_; }
    int ListCount() const { return static_cast<int>(list_.size()); }
    int ListIndex() const { return listIndex_; }
    void AddItem(std::string item);
    // Any assignment raises Click, even of the current index; an index outside -1..count-1 is refused.
    bool SetListIndex(int index);
    void UserPick(int index);
    // The user's edit of the text field: leaves no item selected and raises Change.
    void UserEdit(std::string text);

private:
    std::string text_;
    std::vector<std::string> list_;
    int listIndex_ = -1;
};

class VScrollBar : public Control {
public:
    VScrollBar(Form& form, const ControlDesign& design);
    int Value() const { return value_; }
    int Min() const { return 0; }
    int Max() const { return max_; }
    int SmallChange() const { return 1; }
    int LargeChange() const { return 1; }
    // A value outside Min..Max is refused: the bar keeps its value and false is returned.
    bool SetValue(int value);
    enum class Arrow { Up, Down };  // the top arrow moves towards Min
    void UserArrow(Arrow arrow);
    // Home or End on the focused bar: it moves all the way to Min (Up) or Max (Down).
    void UserMoveToEnd(Arrow towards);

private:
    int value_ = 0;
    int max_;
};

class Line : public Control {
public:
    using Control::Control;
};

// Number of characters (not bytes) in a UTF-8 text.
std::size_t CharacterCount(std::string_view utf8);
// The first n characters of a UTF-8 text.
std::string FirstCharacters(std::string_view utf8, std::size_t n);

}  // namespace sarnex::forms
