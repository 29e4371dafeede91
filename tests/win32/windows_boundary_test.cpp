// The Windows boundary fails loudly and holds what it takes: windows that cannot be created and
// exceptions inside window procedures end the program with a message box; the registry is opened with
// the access it needs; pens, files and the restart question are handled as Windows wants them; texts,
// upper case and the system's facts come from the system's own rules and calls.
#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>

#include <cstring>
#include <stdexcept>

#include "notices/registry_notices.h"
#include "platform/win32/advapi32_registry.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/failure_report.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_facts.h"
#include "platform/win32/windows_error.h"
#include "support/code_page_1252.h"
#include "support/memory_registry.h"
#include "win32/real_windows.h"

namespace sarnex::testing {
namespace {

using Program = Win32Program<MemoryRegistry, CodePage1252>;

struct Ending {
    int exitCode;
    std::string shown;
};

// Runs the editor as WinMain does, with `act` between its start and the message loop.
Ending RunEditor(void (*act)(Program&, editor::Editor&)) {
    DialogWatch watch;
    const int exitCode = win32::RunReportingFailures([act] {
        Program p;
        p.registry.AddKey(kKey);
        act(p, p.ShowEditor());
        return p.host.Run(p.runtime);
    });
    EXPECT_EQ(watch.Result().title, "Sarnex Configuration Utility");
    return {exitCode, watch.Result().text};
}

// The hook runs on this thread only; it refuses every window of one class, as the system may.
thread_local const wchar_t* refusedClass = nullptr;
LRESULT CALLBACK RefuseClass(int code, WPARAM wp, LPARAM lp) {
    wchar_t cls[64] = {};
    if (code == HCBT_CREATEWND && GetClassNameW(reinterpret_cast<HWND>(wp), cls, 64) && !lstrcmpiW(cls, refusedClass))
        return 1;
    return CallNextHookEx(nullptr, code, wp, lp);
}

TEST(WindowsBoundary, WhatCannotBeCreatedIsReportedAndEndsTheProgram) {
    // A class whose windows the system refuses, or (none) the forms' class taken before the program runs.
    const struct { const wchar_t* refused; std::string told; DWORD reason; } cases[] = {
        {L"SarnexForm", "Cannot create the window \"Sarnex Configuration Utility\".", ERROR_INVALID_WINDOW_HANDLE},
        {L"Edit", "Cannot create the EDIT control \"loadImageFileBox\" of the window \"Sarnex Configuration Utility\".", 0},
        {L"tooltips_class32", "Cannot create the tooltips of the window \"Sarnex Configuration Utility\".", 0},
        {nullptr, "Cannot register the window class \"SarnexForm\".", ERROR_CLASS_ALREADY_EXISTS}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told);
        refusedClass = c.refused;
        WNDCLASSEXW taken{sizeof taken, 0, DefWindowProcW, 0, 0, GetModuleHandleW(nullptr)};
        taken.lpszClassName = L"SarnexForm";
        HHOOK hook = c.refused ? SetWindowsHookExW(WH_CBT, RefuseClass, nullptr, GetCurrentThreadId()) : nullptr;
        ASSERT_TRUE(hook != nullptr || RegisterClassExW(&taken) != 0);
        const Ending end = RunEditor([](Program&, editor::Editor&) { ADD_FAILURE() << "started without its windows"; });
        if (hook) UnhookWindowsHookEx(hook);
        else UnregisterClassW(L"SarnexForm", GetModuleHandleW(nullptr));
        EXPECT_EQ(end.exitCode, 1);
        // No reason for a control: Wine leaves none, so no stale one may stand in.
        EXPECT_EQ(end.shown, c.told + "\r\n\r\n" + (c.reason ? win32::SystemMessage(c.reason) : "The system gave no reason."));
    }
}

void Boom() { throw std::runtime_error("boom"); }
thread_local bool messageReturned = false;

TEST(WindowsBoundary, AnExceptionNeverCrossesAWindowProcedureAndEndsTheProgram) {
    // Each makes a window procedure run a handler that throws: the form's, then a control's.
    for (auto act : {+[](Program& p, editor::Editor& e) {
                         e.cancelButton.On(forms::Event::Click, Boom);
                         SendMessageW(p.host.WindowOf(e.cancelButton), BM_CLICK, 0, 0);
                         messageReturned = true;
                     },
                     +[](Program& p, editor::Editor& e) {
                         e.okButton.On(forms::Event::LostFocus, Boom);
                         SetFocus(p.host.WindowOf(e.okButton));
                         SetFocus(p.host.WindowOf(e.cancelButton));
                         messageReturned = true;
                     }}) {
        messageReturned = false;
        const Ending end = RunEditor(act);
        EXPECT_TRUE(messageReturned) << "the exception unwound through user32";
        EXPECT_EQ(end.exitCode, 1);
        EXPECT_EQ(end.shown, "The program must end because of an error:\r\n\r\nboom");
    }
}

TEST(WindowsBoundary, AWindowDestroyedFromOutsideLeavesNoHandleAndEndsItsForm) {
    Program p;
    p.registry.AddKey(kKey);
    editor::Editor& e = p.ShowEditor();
    DestroyWindow(p.host.WindowOf(e));
    EXPECT_FALSE(e.Loaded());
    EXPECT_EQ(p.host.WindowOf(e.okButton), nullptr);
    EXPECT_EQ(p.host.Run(p.runtime), 0) << "the program ends rather than wait for a window that is gone";
}

// Sets the driver's key's own DACL ("P": nothing inherited); the owner may always set it again.
LONG SetAccess(const wchar_t* sddl) {
    HKEY key = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey.data(), 0, WRITE_DAC, &key) != ERROR_SUCCESS ||
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

// Pens are counted by pointing this program's own import of gdi32's CreatePen at a counter.
using Slot = decltype(IMAGE_THUNK_DATA{}.u1.Function);
Slot systemCreatePen = 0;
int pensMade = 0;
HPEN WINAPI CountingCreatePen(int style, int width, COLORREF colour) {
    ++pensMade;
    return reinterpret_cast<HPEN(WINAPI*)(int, int, COLORREF)>(systemCreatePen)(style, width, colour);
}
Slot* CreatePenSlot() {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(
        base + nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    for (; dll->Name != 0; ++dll) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + dll->Name), "gdi32.dll") != 0) continue;
        auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk); name->u1.AddressOfData;
             ++name, ++slot) {
            const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
            if (!IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal) && !std::strcmp(byName->Name, "CreatePen"))
                return &slot->u1.Function;
        }
    }
    return nullptr;
}
void Point(Slot* slot, Slot target) {
    DWORD old = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = target;
    VirtualProtect(slot, sizeof *slot, old, &old);
}

TEST(WindowsBoundary, FramePensAreMadeWithTheWindowAndNotOnPainting) {
    Slot* slot = CreatePenSlot();
    ASSERT_NE(slot, nullptr);
    systemCreatePen = *slot;
    Point(slot, reinterpret_cast<Slot>(&CountingCreatePen));
    pensMade = 0;
    {
        Program p;
        p.registry.AddKey(kKey);
        HWND window = p.host.WindowOf(p.ShowEditor());
        EXPECT_EQ(pensMade, 1) << "the fifteen lines share one width and colour";
        pensMade = 0;
        for (int paint = 0; paint < 3; ++paint) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(pensMade, 0);
    }
    Point(slot, systemCreatePen);
}

TEST(WindowsBoundary, TheRestartQuestionIsAskedWithoutAnOwnerWindow) {
    win32::AnsiCodePage codePage;
    win32::Win32Shell shell(codePage);
    DialogWatch watch(IDNO);
    shell.OfferRestart();
    ASSERT_NE(watch.Result().box, nullptr);
    EXPECT_EQ(watch.Result().owner, nullptr);
}

TEST(WindowsBoundary, TheAnsiCodePageUpperCasesAsTheSystemAndHoldsOnlyWhatItCan) {
    win32::AnsiCodePage codePage;
    for (wchar_t c = 1; c < 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;  // halves of surrogate pairs are no characters
        wchar_t upper = c;
        CharUpperBuffW(&upper, 1);
        ASSERT_EQ(codePage.UpperCase(win32::Narrow({&c, 1})), win32::Narrow({&upper, 1})) << static_cast<int>(c);
    }
    // No default character, no double-byte codes, no broken UTF-8.
    for (const char* utf8 : {"\xE4\xB8\xAD", "a\xF0\x9F\x98\x80", "\xC3", "\xC0\x80", "\xED\xA0\x80"})
        EXPECT_EQ(codePage.FromUtf8(utf8), std::nullopt) << utf8;
    if (GetACP() != 1252) GTEST_SKIP() << "the system code page is " << GetACP();
    CodePage1252 table;  // on a Western system, byte for byte the portable table; no best fit either
    EXPECT_EQ(codePage.FromUtf8("\xC4\x81"), std::nullopt) << "a-macron";
    for (int code = 1; code < 256; ++code) {
        const std::string byte(1, static_cast<char>(code));
        EXPECT_EQ(codePage.ToUtf8(byte), table.ToUtf8(byte)) << code;
        EXPECT_EQ(codePage.FromUtf8(table.ToUtf8(byte)), byte) << code;
    }
}

TEST(WindowsBoundary, SystemFactsForUnicodeNamesAndFileOwners) {
    using File = platform::FileFacts::State;
    using Folder = platform::FolderFacts::State;
    const std::string folder = TempPath("Pr\xC3\xBC" "fung \xE4\xB8\xAD\\"), image = folder + "Bild \xE2\x82\xAC.img";
    ASSERT_TRUE(CreateDirectoryW(win32::Widen(folder).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    const win32::Win32SystemFacts facts;
    EXPECT_FALSE(win32::FileHandle(CreateFileW(L"Z:\\no such folder\\f", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
    {
        const win32::FileHandle held = CreateSizedFile(image, 5242881);
        ASSERT_TRUE(held);
        EXPECT_EQ(facts.File(image).state, File::Unreadable) << "held without sharing";
    }
    EXPECT_EQ(facts.File(image).state, File::Readable) << "closed with its owner";
    EXPECT_EQ(facts.File(image).size, 5242881u);
    EXPECT_EQ(facts.File(folder + "missing\\disk.img").state, File::Missing);
    EXPECT_EQ(facts.File(folder.substr(0, folder.size() - 1)).failure, "It is a folder.");
    EXPECT_EQ(facts.Folder(folder).state, Folder::Exists);
    EXPECT_EQ(facts.Folder(image).state, Folder::Missing) << "a file is no folder";
    EXPECT_EQ(facts.Folder(folder + "missing\\").state, Folder::Missing);
    EXPECT_EQ(facts.FreeSpaceFor(folder).failure, "");
    EXPECT_GT(facts.FreeSpaceFor(folder).bytes, 0u);
    EXPECT_NE(facts.FreeSpaceFor(folder + "missing\\").failure, "");
    const platform::PhysicalMemory memory = facts.Memory();
    EXPECT_EQ(memory.failure, "");
    EXPECT_GT(memory.available, 0u);
    EXPECT_LE(memory.available, memory.total);
    DeleteFileW(win32::Widen(image).c_str());
    RemoveDirectoryW(win32::Widen(folder).c_str());
}

}  // namespace
}  // namespace sarnex::testing
