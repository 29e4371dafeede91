// What cannot be created, and what the model throws inside a window procedure, ends the program as
// WinMain runs it: a message box says why once the windows are gone, and the exit code is 1. A
// window destroyed from outside leaves no handle behind and ends its form.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/win32/failure_report.h"
#include "platform/win32/windows_error.h"
#include "support/code_page_1252.h"
#include "support/memory_registry.h"
#include "win32/dialog_watch.h"
#include "win32/win32_program.h"

namespace sarnex::testing {
namespace {

using Program = Win32Program<MemoryRegistry, CodePage1252>;

struct Ending {
    int exitCode;
    std::wstring shown;
};

// Runs the editor as WinMain does, with `act` between its start and the message loop.
Ending RunEditor(void (*act)(Program&, editor::Editor&)) {
    DialogWatch watch;
    const int exitCode = win32::RunReportingFailures([act] {
        Program p;
        p.registry.AddKey("Software\\Sarnex");
        act(p, p.ShowEditor());
        return p.host.Run(p.runtime);
    });
    EXPECT_EQ(watch.Result().title, L"Sarnex Configuration Utility");
    return {exitCode, watch.Result().text};
}

void NeverReached(Program&, editor::Editor&) { ADD_FAILURE() << "the editor started without all its windows"; }

// The hook runs on this thread only; it refuses every window of one class, as the system may.
thread_local const wchar_t* refusedClass = nullptr;

LRESULT CALLBACK RefuseClass(int code, WPARAM wp, LPARAM lp) {
    wchar_t cls[64] = {};
    if (code == HCBT_CREATEWND && GetClassNameW(reinterpret_cast<HWND>(wp), cls, 64) && !lstrcmpiW(cls, refusedClass))
        return 1;
    return CallNextHookEx(nullptr, code, wp, lp);
}

struct RefusedCase {
    const wchar_t* windowClass;
    const wchar_t* told;
    DWORD reason;  // the code Wine leaves; none for a control, so no stale one may stand in
};

class RefusedWindow : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedWindow, IsReportedAndEndsTheProgram) {
    refusedClass = GetParam().windowClass;
    HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseClass, nullptr, GetCurrentThreadId());
    const Ending end = RunEditor(NeverReached);
    UnhookWindowsHookEx(hook);
    const DWORD reason = GetParam().reason;
    EXPECT_EQ(end.exitCode, 1);
    EXPECT_EQ(end.shown, std::wstring(GetParam().told) + L"\r\n\r\n" +
                             (reason ? win32::Widen(win32::SystemMessage(reason)) : L"The system gave no reason."));
}

INSTANTIATE_TEST_SUITE_P(
    Classes, RefusedWindow,
    ::testing::Values(RefusedCase{L"SarnexForm", L"Cannot create the window \"Sarnex Configuration Utility\".",
                                  ERROR_INVALID_WINDOW_HANDLE},
                      RefusedCase{L"Edit", L"Cannot create the EDIT control \"loadImageFileBox\" of the window "
                                           L"\"Sarnex Configuration Utility\".", 0},
                      RefusedCase{L"tooltips_class32",
                                  L"Cannot create the tooltips of the window \"Sarnex Configuration Utility\".", 0}));

TEST(WindowClassTaken, RegistrationFailureIsReportedAndEndsTheProgram) {
    WNDCLASSEXW taken{sizeof taken, 0, DefWindowProcW};
    taken.hInstance = GetModuleHandleW(nullptr);
    taken.lpszClassName = L"SarnexForm";
    ASSERT_NE(RegisterClassExW(&taken), 0);
    const Ending end = RunEditor(NeverReached);
    UnregisterClassW(L"SarnexForm", GetModuleHandleW(nullptr));
    EXPECT_EQ(end.exitCode, 1);
    EXPECT_EQ(end.shown, L"Cannot register the window class \"SarnexForm\".\r\n\r\n" +
                             win32::Widen(win32::SystemMessage(ERROR_CLASS_ALREADY_EXISTS)));
}

void Boom() { throw std::runtime_error("boom"); }
thread_local bool messageReturned = false;

// Each makes a window procedure run a handler that throws: the form's, then a control's.
class ModelFailure : public ::testing::TestWithParam<void (*)(Program&, editor::Editor&)> {};

TEST_P(ModelFailure, NeverCrossesAWindowProcedureAndEndsTheProgram) {
    messageReturned = false;
    const Ending end = RunEditor(GetParam());
    EXPECT_TRUE(messageReturned) << "the exception unwound through user32";
    EXPECT_EQ(end.exitCode, 1);
    EXPECT_EQ(end.shown, L"The program must end because of an error:\r\n\r\nboom");
}

INSTANTIATE_TEST_SUITE_P(Procedures, ModelFailure,
                         ::testing::Values(
                             [](Program& p, editor::Editor& e) {
                                 e.cancelButton.On(forms::Event::Click, Boom);
                                 SendMessageW(p.host.WindowOf(e.cancelButton), BM_CLICK, 0, 0);
                                 messageReturned = true;
                             },
                             [](Program& p, editor::Editor& e) {
                                 e.okButton.On(forms::Event::LostFocus, Boom);
                                 SetFocus(p.host.WindowOf(e.okButton));
                                 SetFocus(p.host.WindowOf(e.cancelButton));
                                 messageReturned = true;
                             }));

TEST(WindowDestroyedFromOutside, LeavesNoHandleAndEndsItsForm) {
    Program p;
    p.registry.AddKey("Software\\Sarnex");
    editor::Editor& e = p.ShowEditor();
    DestroyWindow(p.host.WindowOf(e));
    EXPECT_FALSE(e.Loaded());
    EXPECT_EQ(p.host.WindowOf(e.okButton), nullptr);
    EXPECT_EQ(p.host.Run(p.runtime), 0) << "the program ends rather than wait for a window that is gone";
}

}  // namespace
}  // namespace sarnex::testing
