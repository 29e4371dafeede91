// What a window system offers the forms runtime, and what it needs to hear from the model.
#pragma once

#include <string>

#include "platform/forms/controls.h"

namespace sarnex::forms {

class Form;

// A host turns forms into windows: one window per loaded form, one native child per control.
class WindowHost {
public:
    virtual ~WindowHost() = default;
    virtual void CreateWindowFor(Form& form) = 0;  // created hidden, controls included
    virtual void ShowWindowFor(Form& form) = 0;    // modeless, without owner
    virtual void RefreshWindowFor(Form& form) = 0;
    virtual void DestroyWindowFor(Form& form) = 0;
    virtual void MakeTopmost(Form& form) = 0;
    // A question with the answers Yes and No, in a box that belongs to `owner` and keeps the user
    // from it until answered. No is the default button: every question asks whether to overwrite or
    // discard something, and Enter must never do that. True for Yes.
    virtual bool AskYesNo(Form& owner, const std::string& title, const std::string& text) = 0;
    // A message with only an OK button, in a box that belongs to `owner`; returns once it is closed.
    virtual void Tell(Form& owner, const std::string& title, const std::string& text) = 0;
};

// Receives every change of a loaded form's model, so the host can mirror it into its windows.
class FormObserver {
public:
    virtual ~FormObserver() = default;
    virtual void ControlChanged(Control& control, Property property) = 0;
    virtual void FocusChanged(Form& form, Control* focused) = 0;
};

// Sees every handler that runs, with its nesting; tests use it to compare event traces.
class EventTracer {
public:
    virtual ~EventTracer() = default;
    virtual void HandlerEntered(const Control& control, Event event) = 0;
    virtual void HandlerLeft(const Control& control, Event event) = 0;
};

}  // namespace sarnex::forms
