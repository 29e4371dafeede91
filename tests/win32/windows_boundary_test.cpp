// The Windows boundary fails loudly and holds what it takes: what cannot be created, and what the model
// throws inside a window procedure, ends the program with a message box; the registry is opened with
// the access it needs; frame pens, files and the restart question as Windows wants them; upper case by
// the system's own rules.
#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>

#include <stdexcept>

#include "notices/registry_notices.h"
#include "platform/win32/advapi32_registry.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/failure_report.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/windows_error.h"
#include "support/code_page_1252.h"
#include "support/memory_registry.h"
#include "win32/real_windows.h"

namespace sarnex::testing {
namespace {

using Program = Win32Program<MemoryRegistry, CodePage1252>;
using Act = void (*)(Program&, editor::Editor&);

// The hook runs on this thread only; it refuses every window of one class, as the system may.
thread_local const wchar_t* refusedClass = nullptr;
LRESULT CALLBACK RefuseClass(int code, WPARAM wp, LPARAM lp) {
    wchar_t cls[64] = {};
    if (code == HCBT_CREATEWND && GetClassNameW(reinterpret_cast<HWND>(wp), cls, 64) && !lstrcmpiW(cls, refusedClass))
        return 1;
    return CallNextHookEx(nullptr, code, wp, lp);
}
void Boom() { throw std::runtime_error("boom"); }
thread_local bool messageReturned = false;

TEST(WindowsBoundary, WhatCannotBeCreatedOrThrowsInAWindowProcedureIsReportedAndEndsTheProgram) {
    const std::string editor = "the window \"Sarnex Configuration Utility\"";
    const std::string noReason = "\r\n\r\nThe system gave no reason.";
    const std::string boom = "The program must end because of an error:\r\n\r\nboom";
    // A window class the system refuses ("": the forms' class is taken before the program runs), or a
    // handler that throws inside the form's window procedure, then a control's; what the box says. Wine
    // leaves no reason for a control, so no stale one may stand in.
    const struct { const wchar_t* refused; Act act; std::string told; } cases[] = {
        {L"SarnexForm", nullptr,
         "Cannot create " + editor + ".\r\n\r\n" + win32::SystemMessage(ERROR_INVALID_WINDOW_HANDLE)},
        {L"Edit", nullptr, "Cannot create the EDIT control \"loadImageFileBox\" of " + editor + "." + noReason},
        {L"tooltips_class32", nullptr, "Cannot create the tooltips of " + editor + "." + noReason},
        {L"", nullptr, "Cannot register the window class \"SarnexForm\".\r\n\r\n" +
                           win32::SystemMessage(ERROR_CLASS_ALREADY_EXISTS)},
        {nullptr, [](Program& p, editor::Editor& e) {
             e.cancelButton.On(forms::Event::Click, Boom);
             SendMessageW(p.host.WindowOf(e.cancelButton), BM_CLICK, 0, 0);
         }, boom},
        {nullptr, [](Program& p, editor::Editor& e) {
             e.okButton.On(forms::Event::LostFocus, Boom);
             SetFocus(p.host.WindowOf(e.okButton));
             SetFocus(p.host.WindowOf(e.cancelButton));
         }, boom}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told);
        refusedClass = c.refused;
        WNDCLASSEXW taken{sizeof taken, 0, DefWindowProcW, 0, 0, GetModuleHandleW(nullptr)};
        taken.lpszClassName = L"SarnexForm";
        ASSERT_TRUE(!c.refused || *c.refused || RegisterClassExW(&taken));
        const bool hooked = c.refused && *c.refused;
        HHOOK hook = hooked ? SetWindowsHookExW(WH_CBT, RefuseClass, nullptr, GetCurrentThreadId()) : nullptr;
        auto box = AnswerFirstBox();
        messageReturned = false;
        // As WinMain runs the editor, with the act between its start and the message loop.
        const int exitCode = win32::RunReportingFailures([&c] {
            Program p;
            editor::Editor& e = p.Holding({}).ShowEditor();
            EXPECT_TRUE(c.act) << "the editor started without all its windows";
            if (c.act) c.act(p, e), messageReturned = true;
            return p.host.Run(p.runtime);
        });
        UnhookWindowsHookEx(hook);
        UnregisterClassW(L"SarnexForm", GetModuleHandleW(nullptr));
        EXPECT_EQ(exitCode, 1);
        const Seen seen = box.get();
        EXPECT_EQ(seen.title, "Sarnex Configuration Utility");
        EXPECT_EQ(seen.text, c.told);
        EXPECT_EQ(messageReturned, c.act != nullptr) << "an exception unwound through user32";
    }
}

TEST(WindowsBoundary, AWindowDestroyedFromOutsideLeavesNoHandleAndEndsItsForm) {
    Program p;
    editor::Editor& e = p.Holding({}).ShowEditor();
    DestroyWindow(p.host.WindowOf(e));
    EXPECT_FALSE(e.Loaded());
    EXPECT_EQ(p.host.WindowOf(e.okButton), nullptr);
    EXPECT_EQ(p.host.Run(p.runtime), 0) << "the program ends rather than wait for a window that is gone";
}

// Sets the driver's key's own DACL ("P": nothing inherited); the owner may always set it again.
LONG SetAccess(const wchar_t* sddl) {
    HKEY key = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey.data(), 0, WRITE_DAC, &key) ||
        !ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &sd, nullptr))
        return ERROR_ACCESS_DENIED;
    const LONG status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd);
    LocalFree(sd);
    RegCloseKey(key);
    return status;
}

// Locked as an administrator may lock it, everyone may read and nobody write; Wine honours it.
TEST(WindowsBoundary, AKeyThatCanBeReadButNotWrittenIsLoadedAndSavingItTellsTheUserAndKeepsTheEdits) {
    ReplaceKey(StoredValues{{"DiskType", Text("HDC")}, {"SizeIn4kPages", Number(16384)}});
    struct Unlock {  // whatever happens below, the key is left for the other tests to write and delete
        ~Unlock() {
            EXPECT_EQ(SetAccess(L"D:P(A;;KA;;;WD)"), ERROR_SUCCESS);
            ReplaceKey(std::nullopt);
        }
    } unlock;
    ASSERT_EQ(SetAccess(L"D:P(A;;KR;;;WD)"), ERROR_SUCCESS);
    const auto stored = ReadKey();
    Win32Program<win32::Advapi32Registry, win32::AnsiCodePage> p;
    editor::Editor& e = p.ShowEditor();
    EXPECT_EQ(p.runtime.ExistingInstance<notices::RegistryReadFailedNotice>(), nullptr);
    p.user.Retype(e.diskSizeBox, "100");
    for (forms::CommandButton* button : {&e.saveButton, &e.okButton}) {
        p.user.Click(*button);
        auto* notice = p.runtime.ExistingInstance<notices::RegistrySaveFailedNotice>();
        ASSERT_TRUE(notice != nullptr && notice->Loaded()) << button->Caption();
        EXPECT_TRUE(e.Loaded() && IsWindowVisible(p.host.WindowOf(*notice))) << button->Caption();
        EXPECT_EQ(p.Shown(e.diskSizeBox), " 100");
        EXPECT_EQ(ReadKey(), stored);
        notice->Unload();
    }
}

// This program's own import slot of gdi32's CreatePen, through which the host makes its pens: pointed
// at a counter, it counts them.
using CreatePenCall = HPEN(WINAPI*)(int, int, COLORREF);
#ifdef _WIN64
extern "C" CreatePenCall createPenSlot __asm__("__imp_CreatePen");
#else
extern "C" CreatePenCall createPenSlot __asm__("__imp__CreatePen@12");
#endif
CreatePenCall systemCreatePen = nullptr;
int pensMade = 0;
HPEN WINAPI CountingCreatePen(int style, int width, COLORREF colour) {
    ++pensMade;
    return systemCreatePen(style, width, colour);
}
void PointCreatePenAt(CreatePenCall target) {
    DWORD old = 0;
    VirtualProtect(&createPenSlot, sizeof createPenSlot, PAGE_READWRITE, &old);
    createPenSlot = target;
    VirtualProtect(&createPenSlot, sizeof createPenSlot, old, &old);
}

TEST(WindowsBoundary, FramePensAreMadeWithTheWindowAndNotOnPainting) {
    systemCreatePen = createPenSlot;
    PointCreatePenAt(CountingCreatePen);
    pensMade = 0;
    {
        Program p;
        HWND window = p.host.WindowOf(p.Holding({}).ShowEditor());
        EXPECT_EQ(pensMade, 1) << "the fifteen lines share one width and colour";
        pensMade = 0;
        for (int paint = 0; paint < 3; ++paint) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(pensMade, 0);
    }
    PointCreatePenAt(systemCreatePen);
}

TEST(WindowsBoundary, TheRestartQuestionIsAskedWithoutAnOwnerWindow) {
    win32::AnsiCodePage codePage;
    auto box = AnswerFirstBox(IDNO);
    win32::Win32Shell(codePage).OfferRestart();
    const Seen seen = box.get();
    ASSERT_NE(seen.box, nullptr);
    EXPECT_EQ(seen.owner, nullptr);
}

TEST(WindowsBoundary, TheAnsiCodePageUpperCasesAsTheSystemAndHoldsOnlyWhatItCan) {
    win32::AnsiCodePage codePage;
    for (wchar_t c = 1; c < 0xFFFF; ++c) {
        wchar_t upper = c;
        CharUpperBuffW(&upper, 1);
        if (c >= 0xD800 && c <= 0xDFFF) continue;  // halves of surrogate pairs are no characters
        ASSERT_EQ(codePage.UpperCase(win32::Narrow({&c, 1})), win32::Narrow({&upper, 1})) << static_cast<int>(c);
    }
    // No best fit ("a" for a-macron), no default character, no double-byte codes, no broken UTF-8.
    for (const char* utf8 : {"\xC4\x81", "\xE4\xB8\xAD", "a\xF0\x9F\x98\x80", "\xC3", "\xC0\x80", "\xED\xA0\x80"})
        EXPECT_EQ(codePage.FromUtf8(utf8), std::nullopt) << utf8;
}

TEST(WindowsBoundary, AFileOwnerTakesTheFailureValueForNoFileAndClosesAnOpenOne) {
    EXPECT_FALSE(win32::FileHandle(CreateFileW(L"Z:\\no such folder\\f", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
    const std::string path = TempPath("sarnex handle.img");
    ASSERT_TRUE(CreateSizedFile(path, 1));  // opened without sharing, closed with its owner
    const std::wstring wide = win32::Widen(path);
    EXPECT_TRUE(win32::FileHandle(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
    DeleteFileW(win32::Widen(path).c_str());
}

}  // namespace
}  // namespace sarnex::testing
