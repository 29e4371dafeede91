// A form: one window with its controls, its lifecycle and its keyboard focus.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/controls.h"
#include "platform/forms/design.h"
#include "platform/forms/window_host.h"

namespace sarnex::forms {

class FormsRuntime;

class Form {
public:
    Form(FormsRuntime& runtime, FormDesign design);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const FormDesign& Design() const { return design_; }
    const std::string& Name() const { return design_.name; }
    const std::string& Caption() const { return design_.caption; }

    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
    Control* Find(std::string_view name) const;
    template <class T>
    T& Get(std::string_view name) const {
        auto* found = dynamic_cast<T*>(Find(name));
        if (found == nullptr) throw std::logic_error("form " + Name() + " has no such control: " + std::string(name));
        return *found;
    }

    // Lifecycle. Show loads the form first when it is not loaded (which runs OnLoad).
    bool Loaded() const { return loaded_; }
    void Load();
    void Show();
    void Refresh();
    void Unload();  // destroys the window; no handler of the form runs
    void MakeTopmost();
    bool Topmost() const { return topmost_; }
    // Asks the user in a Yes/No box that this form owns; true for Yes.
    bool AskYesNo(const std::string& title, const std::string& text);
    // Tells the user something in an OK box that this form owns.
    void Tell(const std::string& title, const std::string& text);

    // Focus. The control that takes the focus has it before the old one's LostFocus runs.
    Control* ActiveControl() const { return focused_; }
    void MoveFocus(Control& to);
    Control* NextInTabOrder(const Control* from, bool backwards) const;
    void Tab(bool backwards = false);

    void SetObserver(FormObserver* observer) { observer_ = observer; }
    FormObserver* Observer() const { return observer_; }
    void SetTracer(EventTracer* tracer) { tracer_ = tracer; }
    int EventDepth() const { return depth_; }
    int DeepestEventNesting() const { return deepest_; }

    FormsRuntime& Runtime() const { return runtime_; }

protected:
    virtual void OnLoad() {}

private:
    friend class Control;
    void RaiseEvent(Control& control, Event event);
    void ControlChanged(Control& control, Property property);

    FormsRuntime& runtime_;
    FormDesign design_;
    std::vector<std::unique_ptr<Control>> controls_;
    bool loaded_ = false;
    bool topmost_ = false;
    Control* focused_ = nullptr;
    FormObserver* observer_ = nullptr;
    EventTracer* tracer_ = nullptr;
    int depth_ = 0;
    int deepest_ = 0;
};

}  // namespace sarnex::forms
