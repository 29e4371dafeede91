// The user's actions on a form, as tests perform them. The headless driver calls the model's user
// operations directly; the Win32 driver (tests/win32) sends the same actions as window messages,
// so one scenario runs unchanged against both hosts.
#pragma once

#include <string>
#include <string_view>

#include "platform/forms/controls.h"
#include "platform/forms/form.h"

namespace sarnex::testing {

class UserDriver {
public:
    virtual ~UserDriver() = default;
    // Types characters at the end of the box's text, one change per character (typing is
    // limited by the box's MaxLength). Gives the box the focus first.
    virtual void Type(forms::TextBox& box, std::string_view characters) = 0;
    // Selects the whole text of the box and deletes it.
    virtual void Clear(forms::TextBox& box) = 0;
    virtual void Click(forms::CheckBox& box) = 0;
    virtual void Click(forms::CommandButton& button) = 0;
    virtual void Click(forms::Label& label) = 0;
    virtual void Pick(forms::ComboBox& combo, int index) = 0;
    // Selects the whole text of the combo's edit field and types characters over it, one change
    // per character (the first replaces the selection, the others go at the end).
    virtual void TypeInCombo(forms::ComboBox& combo, std::string_view characters) = 0;
    virtual void Arrow(forms::VScrollBar& bar, forms::VScrollBar::Arrow arrow) = 0;
    virtual void Focus(forms::Control& control) = 0;
    virtual void Tab(forms::Form& form, bool backwards = false) = 0;
    virtual void Close(forms::Form& form) = 0;

    // Replaces a box's whole text by typing it.
    void Retype(forms::TextBox& box, std::string_view text) {
        Clear(box);
        Type(box, text);
    }
};

class HeadlessDriver final : public UserDriver {
    template <class F>
    static void ForEachCharacter(std::string_view text, F&& f) {
        for (std::size_t i = 0; i < text.size();) {
            std::size_t len = 1;  // one UTF-8 character
            while (i + len < text.size() && (static_cast<unsigned char>(text[i + len]) & 0xC0) == 0x80) ++len;
            f(text.substr(i, len));
            i += len;
        }
    }

public:
    void Type(forms::TextBox& box, std::string_view characters) override {
        const auto limit = static_cast<std::size_t>(box.MaxLength());
        box.Parent().MoveFocus(box);
        ForEachCharacter(characters, [&](std::string_view c) {
            if (limit == 0 || forms::CharacterCount(box.Text()) < limit) box.UserEdit(box.Text() + std::string(c));
        });
    }
    void Clear(forms::TextBox& box) override { box.UserEdit(""); }
    void Click(forms::CheckBox& box) override { box.UserClick(); }
    void Click(forms::CommandButton& button) override { button.UserClick(); }
    void Click(forms::Label& label) override { label.UserClick(); }
    void Pick(forms::ComboBox& combo, int index) override { combo.UserPick(index); }
    void TypeInCombo(forms::ComboBox& combo, std::string_view characters) override {
        bool first = true;
        ForEachCharacter(characters, [&](std::string_view c) {
            combo.UserEdit(first ? std::string(c) : combo.Text() + std::string(c));
            first = false;
        });
    }
    void Arrow(forms::VScrollBar& bar, forms::VScrollBar::Arrow arrow) override { bar.UserArrow(arrow); }
    void Focus(forms::Control& control) override { control.Parent().MoveFocus(control); }
    void Tab(forms::Form& form, bool backwards) override { form.Tab(backwards); }
    void Close(forms::Form& form) override { form.Unload(); }
};

}  // namespace sarnex::testing
