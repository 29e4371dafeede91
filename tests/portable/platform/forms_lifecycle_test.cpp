// Lifecycle of forms on the headless host: load, show, refresh, topmost, unload, program end.
#include <gtest/gtest.h>

#include "platform/headless/headless_host.h"
#include "shared/contract_form.h"

namespace sarnex::testing {
namespace {

using Log = std::vector<std::string>;

// A form that records when its OnLoad runs relative to the host's window operations,
// and that can unload itself and open another form from one handler.
class Recorder : public forms::Form {
public:
    Recorder(forms::FormsRuntime& runtime, headless::HeadlessHost& host, bool topmost)
        : Form(runtime, forms::FormDesign{.name = "Recorder", .caption = "Recorder",
                                          .controls = {{.type = forms::ControlType::CommandButton, .name = "Go",
                                                        .tabIndex = 0}}}),
          host_(host),
          topmost_(topmost) {
        Get<forms::CommandButton>("Go").On(forms::Event::Click, [this] {
            Unload();
            Runtime().DefaultInstance<ContractForm>().Show();
        });
    }

protected:
    void OnLoad() override {
        loadSawLog = host_.Log();
        if (topmost_) MakeTopmost();
    }

public:
    Log loadSawLog;

private:
    headless::HeadlessHost& host_;
    bool topmost_;
};

TEST(FormsLifecycle, ShowCreatesLoadsShowsThenRefreshes) {
    headless::HeadlessHost host;
    forms::FormsRuntime runtime(host);
    auto& r = runtime.DefaultInstance<Recorder>(host, true);
    EXPECT_EQ(&r, &runtime.DefaultInstance<Recorder>(host, false));  // one default instance
    r.Show();
    EXPECT_EQ(r.loadSawLog, Log{"create Recorder"});
    EXPECT_EQ(host.Log(), (Log{"create Recorder", "topmost Recorder", "show Recorder", "refresh Recorder"}));
    EXPECT_TRUE(r.Topmost());
    r.Show();  // already loaded: no second OnLoad
    EXPECT_EQ(host.Log().size(), 6u);
    EXPECT_EQ(r.loadSawLog, Log{"create Recorder"});
}

TEST(FormsLifecycle, ProgramEndsOnlyWhenNoFormIsLeftAfterTheHandler) {
    headless::HeadlessHost host;
    forms::FormsRuntime runtime(host);
    EXPECT_FALSE(runtime.ProgramEnded());  // nothing shown yet is not an end
    auto& r = runtime.DefaultInstance<Recorder>(host, false);
    r.Show();
    r.Get<forms::CommandButton>("Go").UserClick();  // unloads itself, then shows another form
    EXPECT_FALSE(r.Loaded());
    EXPECT_FALSE(runtime.ProgramEnded());
    EXPECT_EQ(host.ShownForms(), Log{"ContractForm"});
    runtime.DefaultInstance<ContractForm>().Unload();
    EXPECT_TRUE(runtime.ProgramEnded());
}

TEST(FormsLifecycle, ShownFormFocusesTheFirstControlThatCanTakeIt) {
    headless::HeadlessHost host;
    forms::FormsRuntime runtime(host);
    auto& f = runtime.DefaultInstance<ContractForm>();
    f.C.SetEnabled(false);
    f.Show();
    ASSERT_NE(f.ActiveControl(), nullptr);
    EXPECT_EQ(f.ActiveControl()->Name(), "A");  // C disabled, L a label
}

TEST(FormsLifecycle, ControlsKeepTheirDesignTextsUntilCodeChangesThem) {
    headless::HeadlessHost host;
    forms::FormsRuntime runtime(host);
    auto& f = runtime.DefaultInstance<ContractForm>();
    EXPECT_EQ(f.X.Text(), "X");
    EXPECT_EQ(f.D.Text(), "D");
    EXPECT_EQ(f.D.ListIndex(), -1);
    EXPECT_THROW(f.Get<forms::TextBox>("C"), std::logic_error);  // C is a check box
}

}  // namespace
}  // namespace sarnex::testing
