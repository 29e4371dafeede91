// The forms contract: event rules, focus and lifecycle, written once and run against every host.
// A host's test file defines a harness type with Runtime(), Driver() and Settle(), then
//   INSTANTIATE_TYPED_TEST_SUITE_P(Host, FormsContract, HarnessType);
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/forms/forms_runtime.h"
#include "shared/event_trace.h"
#include "shared/user_driver.h"

namespace sarnex::testing {

using Trace = std::vector<std::string>;

// A small form whose handlers nest: C's Click writes A, A's Change moves E.
class ContractForm : public forms::Form {
public:
    static forms::FormDesign MakeDesign() {
        using forms::ControlType;
        const auto row = [](ControlType type, const char* name, int tab, int left, int top) {
            return forms::ControlDesign{.type = type, .name = name, .caption = name, .left = left, .top = top,
                                        .width = type == ControlType::VScrollBar ? 255 : 1500, .height = 375,
                                        .tabIndex = tab};
        };
        forms::FormDesign f{.name = "ContractForm", .caption = "Contract", .clientWidth = 4800, .clientHeight = 3600};
        f.controls = {row(ControlType::CheckBox, "C", 0, 120, 120),      row(ControlType::Label, "L", 1, 1800, 120),
                      row(ControlType::TextBox, "A", 2, 120, 600),       row(ControlType::TextBox, "X", 3, 1800, 600),
                      row(ControlType::TextBox, "B", 4, 120, 1200),      row(ControlType::ComboBox, "D", 5, 1800, 1200),
                      row(ControlType::VScrollBar, "E", 6, 3600, 1200),  row(ControlType::CommandButton, "K", 7, 120, 2400)};
        f.controls[4].maxLength = 3;  // B
        f.controls[6].max = 10;       // E
        return f;
    }

    explicit ContractForm(forms::FormsRuntime& runtime)
        : Form(runtime, MakeDesign()), A(Get<forms::TextBox>("A")), B(Get<forms::TextBox>("B")),
          X(Get<forms::TextBox>("X")), C(Get<forms::CheckBox>("C")), D(Get<forms::ComboBox>("D")),
          E(Get<forms::VScrollBar>("E")), L(Get<forms::Label>("L")), K(Get<forms::CommandButton>("K")) {
        using forms::Event;
        C.On(Event::Click, [this] { A.SetText(C.Value() == 1 ? "ticked" : ""); });
        A.On(Event::Change, [this] { E.SetValue(std::min<int>(10, static_cast<int>(A.Text().size()))); });
        K.On(Event::Click, [this] { B.SetText("abcdef"); });
        for (forms::Control* c : std::initializer_list<forms::Control*>{&B, &X, &D, &E}) c->On(Event::Change, [] {});
        A.On(Event::LostFocus, [] {});
        D.On(Event::Click, [] {});
        L.On(Event::Click, [] {});
    }

    forms::TextBox &A, &B, &X;
    forms::CheckBox& C;
    forms::ComboBox& D;
    forms::VScrollBar& E;
    forms::Label& L;
    forms::CommandButton& K;

protected:
    void OnLoad() override {
        for (const char* item : {"one", "two", "three"}) D.AddItem(item);
        A.SetText("");
        B.SetText("");
        X.SetEnabled(false);
    }
};

template <class Harness>
class FormsContract : public ::testing::Test {
protected:
    FormsContract() : form(harness.Runtime().template DefaultInstance<ContractForm>()), trace(form) {
        form.Show();
        harness.Settle();
        trace.Clear();
    }
    Trace Take() {
        harness.Settle();
        return trace.Take();
    }
    UserDriver& user() { return harness.Driver(); }

    Harness harness;
    ContractForm& form;
    EventTrace trace;
};

TYPED_TEST_SUITE_P(FormsContract);

TYPED_TEST_P(FormsContract, AssignmentsRaiseNestedHandlersAndUnchangedValuesNothing) {
    auto& f = this->form;
    f.C.SetValue(1);
    EXPECT_EQ(this->Take(), (Trace{"C.Click", ".A.Change", "..E.Change"}));
    EXPECT_EQ(f.E.Value(), 6);
    f.C.SetValue(1);
    f.A.SetText("ticked");
    f.E.SetValue(6);
    f.A.SetEnabled(false);
    f.A.SetEnabled(true);
    EXPECT_EQ(this->Take(), Trace{});
    EXPECT_TRUE(f.D.SetListIndex(1));
    EXPECT_TRUE(f.D.SetListIndex(1));  // every list index assignment clicks
    EXPECT_FALSE(f.D.SetListIndex(3));
    EXPECT_FALSE(f.E.SetValue(11));
    EXPECT_FALSE(f.E.SetValue(-1));
    EXPECT_EQ(this->Take(), (Trace{"D.Click", "D.Click"}));
    EXPECT_EQ(f.D.Text(), "two");
}

TYPED_TEST_P(FormsContract, UserOperationsRaiseTheirEvents) {
    auto& f = this->form;
    this->user().Type(f.B, "abcdef");  // the length limit stops typing only
    this->user().Click(f.K);           // which assigns six characters
    this->user().Pick(f.D, 2);
    this->user().TypeInCombo(f.D, "t");  // the start of an item's text, which the window alone would select
    this->user().Click(f.C);
    this->user().Click(f.L);
    EXPECT_EQ(this->Take(), (Trace{"B.Change", "B.Change", "B.Change", "K.Click", ".B.Change", "D.Click", "D.Change",
                                   "C.Click", ".A.Change", "..E.Change", "L.Click"}));
    EXPECT_EQ(f.B.Text(), "abcdef");
    EXPECT_EQ(f.D.Text(), "t");
    EXPECT_EQ(f.D.ListIndex(), -1);
    EXPECT_EQ(f.C.Value(), 1);
}

TYPED_TEST_P(FormsContract, ScrollBarArrowsStopAtTheEnds) {
    auto& f = this->form;
    this->user().Arrow(f.E, forms::VScrollBar::Arrow::Up);  // already at Min
    f.E.SetValue(10);
    this->Take();
    this->user().Arrow(f.E, forms::VScrollBar::Arrow::Down);  // already at Max
    this->user().Arrow(f.E, forms::VScrollBar::Arrow::Up);
    EXPECT_EQ(this->Take(), Trace{"E.Change"});
    EXPECT_EQ(f.E.Value(), 9);
}

TYPED_TEST_P(FormsContract, FocusMovesBeforeTheClickAndTabSkipsLabelsAndDisabledControls) {
    auto& f = this->form;
    this->user().Focus(f.A);
    this->Take();
    this->user().Click(f.K);
    this->user().Focus(f.A);
    this->user().Arrow(f.E, forms::VScrollBar::Arrow::Down);
    EXPECT_EQ(this->Take(), (Trace{"A.LostFocus", "K.Click", ".B.Change", "A.LostFocus", "E.Change"}));
    EXPECT_EQ(f.ActiveControl(), &f.E);
    this->user().Focus(f.C);
    Trace visited;
    for (int i = 0; i < 6; ++i) {
        this->user().Tab(f);
        this->harness.Settle();
        visited.push_back(f.ActiveControl()->Name());
    }
    EXPECT_EQ(visited, (Trace{"A", "B", "D", "E", "K", "C"}));
    this->user().Tab(f, true);
    this->harness.Settle();
    EXPECT_EQ(f.ActiveControl()->Name(), "K");
}

TYPED_TEST_P(FormsContract, DisabledControlsTakeNoInputAndTheCloseBoxRunsNoHandler) {
    auto& f = this->form;
    this->user().Type(f.X, "abc");
    f.C.SetEnabled(false);
    this->user().Click(f.C);
    f.L.SetEnabled(false);
    this->user().Click(f.L);
    EXPECT_EQ(f.X.Text(), "X");
    this->user().Focus(f.A);
    this->Take();
    this->user().Close(f);
    EXPECT_EQ(this->Take(), Trace{});
    EXPECT_FALSE(f.Loaded());
    EXPECT_TRUE(this->harness.Runtime().ProgramEnded());
}

REGISTER_TYPED_TEST_SUITE_P(FormsContract, AssignmentsRaiseNestedHandlersAndUnchangedValuesNothing,
                            UserOperationsRaiseTheirEvents, ScrollBarArrowsStopAtTheEnds,
                            FocusMovesBeforeTheClickAndTabSkipsLabelsAndDisabledControls,
                            DisabledControlsTakeNoInputAndTheCloseBoxRunsNoHandler);

}  // namespace sarnex::testing
