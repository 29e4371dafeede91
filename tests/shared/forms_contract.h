// The forms contract: event rules, focus and lifecycle, written once and run against every host.
// A host's test file defines a harness type with Runtime(), Driver() and Settle(), then
//   INSTANTIATE_TYPED_TEST_SUITE_P(Host, FormsContract, HarnessType);
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "shared/contract_form.h"
#include "shared/event_trace.h"
#include "shared/user_driver.h"

namespace sarnex::testing {

using Trace = std::vector<std::string>;

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

TYPED_TEST_P(FormsContract, AssignmentsRaiseNestedHandlersBeforeReturning) {
    auto& f = this->form;
    f.C.SetValue(1);
    EXPECT_EQ(this->Take(), (Trace{"C.Click", ".A.Change", "..E.Change"}));
    EXPECT_EQ(f.A.Text(), "ticked");
    EXPECT_EQ(f.E.Value(), 6);
    f.C.SetValue(0);
    EXPECT_EQ(this->Take(), (Trace{"C.Click", ".A.Change", "..E.Change"}));
    EXPECT_EQ(f.E.Value(), 0);
}

TYPED_TEST_P(FormsContract, UnchangedValuesAndEnabledRaiseNothing) {
    auto& f = this->form;
    f.C.SetValue(1);
    this->Take();
    f.C.SetValue(1);
    f.A.SetText("ticked");
    f.E.SetValue(6);
    f.A.SetEnabled(false);
    f.A.SetEnabled(true);
    f.C.SetEnabled(false);
    f.C.SetEnabled(true);
    EXPECT_EQ(this->Take(), Trace{});
}

TYPED_TEST_P(FormsContract, EveryListIndexAssignmentClicks) {
    auto& f = this->form;
    EXPECT_TRUE(f.D.SetListIndex(1));
    EXPECT_TRUE(f.D.SetListIndex(1));
    EXPECT_FALSE(f.D.SetListIndex(3));
    EXPECT_FALSE(f.D.SetListIndex(-2));
    EXPECT_EQ(this->Take(), (Trace{"D.Click", "D.Click"}));
    EXPECT_EQ(f.D.ListIndex(), 1);
    EXPECT_EQ(f.D.Text(), "two");
}

TYPED_TEST_P(FormsContract, MaxLengthLimitsTypingOnly) {
    auto& f = this->form;
    this->user().Type(f.B, "abcdef");
    EXPECT_EQ(f.B.Text(), "abc");
    EXPECT_EQ(this->Take(), (Trace{"B.Change", "B.Change", "B.Change"}));
    this->user().Click(f.K);  // K's Click assigns six characters to B
    EXPECT_EQ(f.B.Text(), "abcdef");
    EXPECT_EQ(this->Take(), (Trace{"K.Click", ".B.Change"}));
}

TYPED_TEST_P(FormsContract, UserPickClicksAndUserEditLeavesNoSelection) {
    auto& f = this->form;
    this->user().Pick(f.D, 2);
    EXPECT_EQ(this->Take(), Trace{"D.Click"});
    EXPECT_EQ(f.D.ListIndex(), 2);
    EXPECT_EQ(f.D.Text(), "three");
    this->user().TypeInCombo(f.D, "q");
    EXPECT_EQ(this->Take(), Trace{"D.Change"});
    EXPECT_EQ(f.D.ListIndex(), -1);
    EXPECT_EQ(f.D.Text(), "q");
}

TYPED_TEST_P(FormsContract, ScrollBarRefusesValuesOutsideItsRange) {
    auto& f = this->form;
    EXPECT_FALSE(f.E.SetValue(11));
    EXPECT_FALSE(f.E.SetValue(-1));
    EXPECT_EQ(f.E.Value(), 0);
    this->user().Arrow(f.E, forms::VScrollBar::Arrow::Up);  // already at Min
    EXPECT_EQ(f.E.Value(), 0);
    EXPECT_TRUE(f.E.SetValue(10));
    this->Take();
    this->user().Arrow(f.E, forms::VScrollBar::Arrow::Down);  // already at Max
    EXPECT_EQ(f.E.Value(), 10);
    EXPECT_EQ(this->Take(), Trace{});
    this->user().Arrow(f.E, forms::VScrollBar::Arrow::Up);
    EXPECT_EQ(f.E.Value(), 9);
    EXPECT_EQ(this->Take(), Trace{"E.Change"});
}

TYPED_TEST_P(FormsContract, OldControlLosesFocusBeforeTheClickRuns) {
    auto& f = this->form;
    this->user().Focus(f.A);
    this->Take();
    this->user().Click(f.K);
    EXPECT_EQ(this->Take(), (Trace{"A.LostFocus", "K.Click", ".B.Change"}));
    this->user().Focus(f.A);
    this->user().Arrow(f.E, forms::VScrollBar::Arrow::Down);
    EXPECT_EQ(this->Take(), (Trace{"A.LostFocus", "E.Change"}));
    EXPECT_EQ(f.ActiveControl(), &f.E);
}

TYPED_TEST_P(FormsContract, TabFollowsTabIndexSkippingLabelsAndDisabledControls) {
    auto& f = this->form;
    this->user().Focus(f.C);
    std::vector<std::string> visited;
    for (int i = 0; i < 6; ++i) {
        this->user().Tab(f);
        this->harness.Settle();
        visited.push_back(f.ActiveControl() ? f.ActiveControl()->Name() : "none");
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"A", "B", "D", "E", "K", "C"}));
    this->user().Tab(f, true);
    this->harness.Settle();
    EXPECT_EQ(f.ActiveControl()->Name(), "K");
}

TYPED_TEST_P(FormsContract, DisabledControlsTakeNoInput) {
    auto& f = this->form;
    this->user().Type(f.X, "abc");
    f.C.SetEnabled(false);
    this->user().Click(f.C);
    f.L.SetEnabled(false);
    this->user().Click(f.L);
    EXPECT_EQ(f.X.Text(), "X");
    EXPECT_EQ(f.C.Value(), 0);
    EXPECT_EQ(this->Take(), Trace{});
}

TYPED_TEST_P(FormsContract, UserClicksToggleCheckBoxesAndClickLabels) {
    auto& f = this->form;
    this->user().Click(f.C);
    EXPECT_EQ(f.C.Value(), 1);
    this->user().Click(f.C);
    EXPECT_EQ(f.C.Value(), 0);
    this->user().Click(f.L);
    EXPECT_EQ(this->Take(), (Trace{"C.Click", ".A.Change", "..E.Change", "C.Click", ".A.Change", "..E.Change",
                                   "L.Click"}));
}

TYPED_TEST_P(FormsContract, ClosingTheWindowUnloadsWithoutHandlersAndEndsTheProgram) {
    auto& f = this->form;
    this->user().Focus(f.A);
    this->Take();
    this->user().Close(f);
    EXPECT_EQ(this->Take(), Trace{});
    EXPECT_FALSE(f.Loaded());
    EXPECT_TRUE(this->harness.Runtime().ProgramEnded());
}

REGISTER_TYPED_TEST_SUITE_P(FormsContract, AssignmentsRaiseNestedHandlersBeforeReturning,
                            UnchangedValuesAndEnabledRaiseNothing, EveryListIndexAssignmentClicks,
                            MaxLengthLimitsTypingOnly, UserPickClicksAndUserEditLeavesNoSelection,
                            ScrollBarRefusesValuesOutsideItsRange, OldControlLosesFocusBeforeTheClickRuns,
                            TabFollowsTabIndexSkippingLabelsAndDisabledControls, DisabledControlsTakeNoInput,
                            UserClicksToggleCheckBoxesAndClickLabels,
                            ClosingTheWindowUnloadsWithoutHandlersAndEndsTheProgram);

}  // namespace sarnex::testing
