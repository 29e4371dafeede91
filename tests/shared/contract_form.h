// A small form whose handlers nest, used to check the event rules on every host.
#pragma once

#include <algorithm>

#include "platform/forms/forms_runtime.h"

namespace sarnex::testing {

class ContractForm : public forms::Form {
public:
    static forms::FormDesign MakeDesign() {
        using forms::ControlType;
        auto row = [](ControlType t, const char* name, int tab, int l, int t2, int w, int h) {
            forms::ControlDesign d{.type = t, .name = name, .caption = name, .left = l, .top = t2, .width = w,
                                   .height = h, .tabIndex = tab};
            return d;
        };
        forms::FormDesign f{.name = "ContractForm", .caption = "Contract", .clientWidth = 4800, .clientHeight = 3600};
        f.controls = {row(ControlType::CheckBox, "C", 0, 120, 120, 1500, 300),
                      row(ControlType::Label, "L", 1, 1800, 120, 1500, 300),
                      row(ControlType::TextBox, "A", 2, 120, 600, 1500, 375),
                      row(ControlType::TextBox, "X", 3, 1800, 600, 1500, 375),
                      row(ControlType::TextBox, "B", 4, 120, 1200, 1500, 375),
                      row(ControlType::ComboBox, "D", 5, 1800, 1200, 1500, 345),
                      row(ControlType::VScrollBar, "E", 6, 3600, 1200, 255, 375),
                      row(ControlType::CommandButton, "K", 7, 120, 2400, 1500, 615),
                      forms::ControlDesign{.type = ControlType::Line, .name = "hardDiskFrameLeft", .x1 = 120, .y1 = 3300,
                                           .x2 = 4000, .y2 = 3300, .borderWidth = 2}};
        f.controls[4].maxLength = 3;  // B
        f.controls[6].max = 10;       // E
        return f;
    }

    explicit ContractForm(forms::FormsRuntime& runtime)
        : Form(runtime, MakeDesign()),
          A(Get<forms::TextBox>("A")),
          B(Get<forms::TextBox>("B")),
          X(Get<forms::TextBox>("X")),
          C(Get<forms::CheckBox>("C")),
          D(Get<forms::ComboBox>("D")),
          E(Get<forms::VScrollBar>("E")),
          L(Get<forms::Label>("L")),
          K(Get<forms::CommandButton>("K")) {
        using forms::Event;
        C.On(Event::Click, [this] { A.SetText(C.Value() == 1 ? "ticked" : ""); });
        A.On(Event::Change, [this] { E.SetValue(std::min<int>(10, static_cast<int>(A.Text().size()))); });
        A.On(Event::LostFocus, [] {});
        B.On(Event::Change, [] {});
        X.On(Event::Change, [] {});
        D.On(Event::Click, [] {});
        D.On(Event::Change, [] {});
        E.On(Event::Change, [] {});
        L.On(Event::Click, [] {});
        K.On(Event::Click, [this] { B.SetText("abcdef"); });
    }

    forms::TextBox& A;
    forms::TextBox& B;
    forms::TextBox& X;
    forms::CheckBox& C;
    forms::ComboBox& D;
    forms::VScrollBar& E;
    forms::Label& L;
    forms::CommandButton& K;

protected:
    void OnLoad() override {
        D.AddItem("one");
        D.AddItem("two");
        D.AddItem("three");
        A.SetText("");
        B.SetText("");
        X.SetEnabled(false);
    }
};

}  // namespace sarnex::testing
