// What only real windows show: the forms and registry contracts on the real host and advapi32; forms at
// their twips and fonts at each DPI; what the screen shows in front; the keyboard on the editor's windows;
// and the Windows boundary, which fails loudly (windows not created, exceptions in window procedures),
// opens the registry with the access and in the view it needs, and owns what it shows to the form asking.
#include "shared/forms_contract.h"
#include "shared/registry_contract.h"

#include <windows.h>

#include <sddl.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <tuple>

#include "notices/registry_notices.h"
#include "notices/restart_prompt.h"
#include "platform/win32/advapi32_registry.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/failure_report.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_facts.h"
#include "platform/win32/windows_error.h"
#include "support/fixed_code_page.h"
#include "support/memory_registry.h"
#include "win32/real_windows.h"

namespace sarnex::testing {
namespace {

using Program = Win32Program<MemoryRegistry, FixedCodePage>;
using Pair = std::pair<LONG, LONG>;

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FormsContract, Program);

// A test key of its own, created empty for each test.
struct Advapi32Environment {
    Advapi32Environment() { ReplaceKey(StoredValues{}, KeyPath()); }
    ~Advapi32Environment() { ReplaceKey(std::nullopt, "Software\\SarnexTest"); }
    platform::Registry& Registry() { return registry; }
    const platform::CodePage& CodePage() const { return codePage; }
    std::string KeyPath() const { return "Software\\SarnexTest\\Contract"; }
    std::string MissingKeyPath() const { return "Software\\SarnexTest\\Missing"; }
    win32::Advapi32Registry registry;
    win32::AnsiCodePage codePage;
};

// Whether a caption's text fits its window in the window's own font: a label's lines wrapped at its
// width, a check box's text beside its mark, a button's inside its frame; only blanks at the end may
// reach beyond the window, and the last line's descent below it.
bool CaptionFits(HWND child, forms::ControlType type, int dpi) {
    using forms::ControlType;
    if (type != ControlType::Label && type != ControlType::CheckBox && type != ControlType::CommandButton) return true;
    RECT r;
    GetClientRect(child, &r);
    r.right -= MulDiv(type == ControlType::CheckBox ? 19 : type == ControlType::CommandButton ? 8 : 0, dpi, 96);
    HDC dc = GetDC(child);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    std::wstring text = win32::Widen(win32::WindowText(child));
    text.erase(text.find_last_not_of(L' ') + 1);  // a blank at the end shows nothing
    RECT calc{0, 0, r.right, 0};
    DrawTextW(dc, text.c_str(), -1, &calc,
              DT_CALCRECT | DT_EXPANDTABS | (type == ControlType::Label ? DT_WORDBREAK : DT_SINGLELINE));
    ReleaseDC(child, dc);
    return calc.right <= r.right && calc.bottom - metrics.tmDescent <= r.bottom;
}

// Where a child window is in its form's client area, and its font: face, height, weight, italic,
// underlined, Western.
using Font = std::tuple<std::string, LONG, LONG, bool, bool, bool>;
std::pair<RECT, Font> PlaceAndFont(HWND child) {
    RECT place;
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&place), 2);
    LOGFONTW f{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof f, &f);
    return {place, {win32::Narrow(f.lfFaceName), f.lfHeight, f.lfWeight, f.lfItalic != 0, f.lfUnderline != 0,
                    f.lfCharSet == ANSI_CHARSET}};
}

// Each form at 96, 120, 144 and 192 dpi as it opens at that DPI, and at 144 dpi as it is laid out again
// when moved there from 96 dpi. At 96 dpi every control has its twips; above it every caption fits its
// text, a control growing if at all to the right and down.
TEST(Windows, EveryFormAndControlAtItsTwipsWithItsFontAndEveryCaptionFittingAtEachDpi) {
    // Each form as the user reaches it (word, key, a button pressed); its style (owned: no taskbar button).
    const struct { const char* name; const char* word; bool key; const char* press; bool sizable, owned; } forms[] = {
        {"Editor", "", true, nullptr, true, false},
        {"RegistryReadFailedNotice", "", false, nullptr, true, false},
        {"RegistrySaveFailedNotice", "", false, "saveButton", true, false},
        {"RestartPrompt", "", true, "okButton", true, false},
        {"ImageLoadFailedNotice", "badload", false, nullptr, false, true},
        {"OutOfMemoryNotice", "nomem", false, nullptr, true, false}};
    for (const int dpi : {96, 120, 144, 192})
        for (const auto& c : forms) {
            SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(dpi) + " dpi");
            const auto open = [&c](Program& p) -> const forms::Form* {
                if (c.key) p.Holding({});
                p.program.Start(c.word);
                if (c.press) p.user.Click(p.program.Editor().Get<forms::CommandButton>(c.press));
                for (const forms::Form* f : p.runtime.LoadedForms())
                    if (f->Name() == c.name) return f;
                return nullptr;
            };
            std::vector<std::pair<RECT, Font>> opened;  // each control as the form opens at that DPI
            RECT frame, client;
            {
                Program p(dpi);
                const forms::Form* form = open(p);
                ASSERT_TRUE(form);
                HWND window = p.host.WindowOf(*form);
                const auto& at = form->Design();
                GetWindowRect(window, &frame);
                GetClientRect(window, &client);
                const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
                EXPECT_EQ(std::tuple(IsWindowVisible(window) != 0, win32::WindowText(window), client.right, client.bottom,
                                     (style & WS_THICKFRAME) != 0, (style & WS_MAXIMIZEBOX) != 0,
                                     GetWindow(window, GW_OWNER) != nullptr),
                          std::tuple(true, form->Caption(), p.host.Pixels(at.clientWidth),
                                     p.host.Pixels(at.clientHeight), c.sizable, c.sizable, c.owned));
                if (!at.defaultPosition) {
                    EXPECT_EQ(std::pair(frame.left, frame.top), Pair(p.host.Pixels(at.left), p.host.Pixels(at.top)));
                }
                for (const auto& control : form->Controls()) {
                    if (control->Type() == forms::ControlType::Line) continue;
                    SCOPED_TRACE(control->Name());
                    const forms::ControlDesign& d = control->Design();
                    HWND child = p.host.WindowOf(*control);
                    const auto [place, font] = opened.emplace_back(PlaceAndFont(child));
                    EXPECT_EQ(std::pair(place.left, place.top), Pair(p.host.Pixels(d.left), p.host.Pixels(d.top)));
                    const Pair designed(p.host.Pixels(d.width), p.host.Pixels(d.height));
                    const Pair size(place.right - place.left, place.bottom - place.top);
                    // A closed combo box's height follows its font; the system may keep it a little taller.
                    if (control->Type() == forms::ControlType::ComboBox) {
                        EXPECT_TRUE(size.first == designed.first && std::abs(size.second - designed.second) <= 3);
                    } else if (!d.autoSize) {
                        EXPECT_TRUE(dpi == 96 ? size == designed : size.first >= designed.first &&
                                                                       size.second >= designed.second);
                    }
                    EXPECT_TRUE(CaptionFits(child, control->Type(), dpi)) << win32::WindowText(child);
                    if (control->Type() == forms::ControlType::VScrollBar) continue;
                    EXPECT_EQ(font, Font(d.font.name, -std::lround(d.font.points * dpi / 72.0), d.font.weight,
                                         d.font.italic, d.font.underline, true));
                }
            }
            if (dpi != 144) continue;
            Program moved(96);
            const forms::Form* form = open(moved);
            ASSERT_TRUE(form);
            HWND window = moved.host.WindowOf(*form);
            SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
            RECT r;
            GetWindowRect(window, &r);
            EXPECT_TRUE(EqualRect(&r, &frame)) << "the window takes the place suggested";
            auto next = opened.begin();
            for (const auto& control : form->Controls()) {
                if (control->Type() == forms::ControlType::Line) continue;
                const auto [place, font] = PlaceAndFont(moved.host.WindowOf(*control));
                EXPECT_TRUE(EqualRect(&place, &next->first) && font == next->second) << control->Name() << " moved";
                ++next;
            }
        }
}

TEST(Windows, EachFileNameBoxKeepsItsTopBorderUnderItsCaptionOnTheScreen) {
    Program p;
    editor::Editor& e = p.Holding({}).ShowEditor();  // an empty key: the controls as loading leaves them
    HWND window = p.host.WindowOf(e);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(window);
    for (auto [label, textBox] :
         {std::pair{&e.loadFileCaption, &e.loadImageFileBox}, {&e.saveFileCaption, &e.saveImageFileBox}}) {
        const auto &caption = label->Design(), &box = textBox->Design();
        const int top = p.host.Pixels(box.top);
        ASSERT_GT(p.host.Pixels(caption.top + caption.height), top) << "the caption reaches into the box";
        // The border's top row under the caption, against the same row further right.
        const COLORREF border = GetPixel(dc, p.host.Pixels(box.left + box.width) - 10, top);
        int wrong = 0;
        for (int x = p.host.Pixels(box.left) + 2; x < p.host.Pixels(caption.left + caption.width); ++x)
            wrong += GetPixel(dc, x, top) != border;
        EXPECT_EQ(wrong, 0) << caption.name;
    }
    ReleaseDC(window, dc);
}

TEST(Windows, TheReadFailureNoticeIsInFrontOnTheScreen) {
    Program p;  // no key: loading fails and the notice opens over the editor
    HWND editor = p.host.WindowOf(p.ShowEditor());
    HWND notice = p.host.WindowOf(*p.runtime.ExistingInstance<notices::RegistryReadFailedNotice>());
    EXPECT_TRUE(GetWindowLongPtrW(notice, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrW(editor, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // Wine handles what the display reports (focus, stacking) once the queue is idle: let it come.
    Sleep(100);
    p.host.PumpMessages();
    // Every 4th pixel of the notice's client area: on the screen as the notice drew it.
    RECT client, under;
    GetClientRect(notice, &client);
    GetWindowRect(editor, &under);
    HDC screen = GetDC(nullptr), own = GetDC(notice);
    int differ = 0, overEditor = 0;
    for (POINT at{0, 0}; at.y < client.bottom; at.y += 4)
        for (at.x = 0; at.x < client.right; at.x += 4) {
            POINT onScreen = at;
            ClientToScreen(notice, &onScreen);
            overEditor += PtInRect(&under, onScreen);
            differ += GetPixel(screen, onScreen.x, onScreen.y) != GetPixel(own, at.x, at.y);
        }
    ReleaseDC(notice, own);
    ReleaseDC(nullptr, screen);
    EXPECT_GT(overEditor, 100) << "the notice lies over the editor";
    EXPECT_EQ(differ, 0);
}

// Text pasted from the clipboard into the focused window.
void Paste(Program& p, const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(GetFocus()));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(GetFocus(), WM_PASTE, 0, 0);
    p.host.PumpMessages();
}

TEST(EditorKeyboard, EnterAndEscCloseTheOpenDiskTypeListAsInAnyComboBox) {
    Program k;  // a 64 MB hard disk on S:, AutoSave every 60 s, the label "RAMDISK"
    auto& e = k.Holding(TypicalRecord()).ShowEditor();
    k.user.Focus(e.diskTypeList);
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        k.user.Key(VK_F4);
        ASSERT_TRUE(SendMessageW(k.host.WindowOf(e.diskTypeList), CB_GETDROPPEDSTATE, 0, 0));
        k.user.Key(VK_DOWN);
        k.user.Key(key);
        EXPECT_FALSE(SendMessageW(k.host.WindowOf(e.diskTypeList), CB_GETDROPPEDSTATE, 0, 0));
    }
    // Enter kept "1.44MB Floppy"; from there Esc went back to it from "2.88MB Floppy".
    EXPECT_EQ(e.diskTypeList.ListIndex(), 1);
    EXPECT_EQ(k.Shown(e.diskTypeList), "1.44MB Floppy");
    EventTrace trace(e);
    k.user.Key(VK_RETURN);  // the list closed, Enter and Esc press nothing
    k.user.Key(VK_ESCAPE);
    EXPECT_EQ(trace.Entries(), std::vector<std::string>{});
}

// The spinners' rules are tested natively; here the focused bar's own keys reach them, and after Home
// or End both arrows step again.
TEST(EditorKeyboard, HomeAndEndOnAFocusedSpinnerStepOnceAndTheArrowsWorkAfter) {
    Program k;
    auto& e = k.Holding(TypicalRecord()).ShowEditor();
    k.user.Focus(e.diskSizeSpinner);
    k.user.Key(VK_HOME);
    k.user.Key(VK_HOME);
    EXPECT_EQ(k.Shown(e.diskSizeBox), " 66");
    k.user.Key(VK_END);
    EXPECT_EQ(k.Shown(e.diskSizeBox), " 65");
    k.user.Key(VK_DOWN);
    EXPECT_EQ(k.Shown(e.diskSizeBox), " 64");
}

// The edit box's own limit keeps Backspace working on a stored text longer than it.
TEST(EditorKeyboard, BackspaceInAStoredTextOverTheLimitDeletesOneCharacter) {
    Program k;
    auto& box = k.Holding(With(TypicalRecord(), {{"DiskLabel", Text("ABCDEFGHIJKLMNOPQRSTUVWXYZ0")}}))
                    .ShowEditor()
                    .volumeLabelBox;  // 27 characters against 11
    box.SetEnabled(true);
    k.user.Focus(box);
    k.user.Key(VK_END);
    k.user.Key(VK_BACK);
    k.user.Type(box, "x");  // still over the limit: refused
    EXPECT_EQ(k.Shown(box), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(box.Text(), k.Shown(box)) << "what a save stores";
}

// The code page's rule itself is tested natively; here the edit box shows what the model refused.
TEST(EditorKeyboard, ACharacterTheCodePageCannotHoldIsRefusedWhereItIsTypedOrPasted) {
    Program k;
    auto& box = k.Holding(TypicalRecord()).ShowEditor().volumeLabelBox;
    box.SetEnabled(true);
    box.SetText("RAMDISK");
    k.user.Type(box, "\xCE\xA9");  // Greek capital omega
    Paste(k, L"x\x2014y\x03A9");    // an em dash the code page holds, then the omega
    EXPECT_EQ(k.Shown(box), "RAMDISK");
    k.user.Type(box, "\xC3\xBC\xE2\x82\xAC\xC5\xB8");  // u umlaut, euro, Y umlaut
    Paste(k, L"\x00E9");
    EXPECT_EQ(k.Shown(box), "RAMDISK\xC3\xBC\xE2\x82\xAC\xC5\xB8\xC3\xA9");
    EXPECT_EQ(box.Text(), k.Shown(box));
}

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
    // A window class refused ("": the forms' class taken before the program runs), or a handler throwing
    // in the form's window procedure, then a control's; what the box says (no stale reason for a control).
    const struct { const wchar_t* refused; void (*act)(Program&, editor::Editor&); std::string told; } cases[] = {
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
        WNDCLASSEXW taken{sizeof taken, 0, DefWindowProcW, 0, 0, GetModuleHandleW({}), {}, {}, {}, {}, L"SarnexForm"};
        ASSERT_TRUE(!c.refused || *c.refused || RegisterClassExW(&taken));
        const bool hooked = c.refused && *c.refused;
        HHOOK hook = hooked ? SetWindowsHookExW(WH_CBT, RefuseClass, nullptr, GetCurrentThreadId()) : nullptr;
        auto box = CloseFirstBox();
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
        EXPECT_EQ(box.get(), std::pair(std::string("Sarnex Configuration Utility"), c.told));
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

// This program's own import slot of a system function, by the linker's name for it.
#ifdef _WIN64
#define IMPORT_SLOT(name, argumentBytes) "__imp_" #name
#else
#define IMPORT_SLOT(name, argumentBytes) "__imp__" #name "@" #argumentBytes
#endif
extern "C" decltype(&RegOpenKeyExA) openKeySlot __asm__(IMPORT_SLOT(RegOpenKeyExA, 20));
extern "C" decltype(&RegCreateKeyExW) createKeySlot __asm__(IMPORT_SLOT(RegCreateKeyExW, 36));
extern "C" decltype(&RegEnumValueW) enumValueSlot __asm__(IMPORT_SLOT(RegEnumValueW, 32));
extern "C" decltype(&GetDiskFreeSpaceExW) diskFreeSlot __asm__(IMPORT_SLOT(GetDiskFreeSpaceExW, 16));
extern "C" decltype(&CreateProcessA) createProcessSlot __asm__(IMPORT_SLOT(CreateProcessA, 40));

template <class Call>
Call SystemFunction(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(dll), name)));
}

// While it lives, this program's calls of one system function go to a stand-in; `system` is the real one.
template <class Call>
class Intercept {
public:
    Intercept(Call& slot, Call standIn) : system(slot), slot_(slot) { Point(standIn); }
    ~Intercept() { Point(system); }
    Intercept(const Intercept&) = delete;
    Intercept& operator=(const Intercept&) = delete;
    const Call system;

private:
    void Point(Call target) {
        DWORD old = 0;
        VirtualProtect(&slot_, sizeof slot_, PAGE_READWRITE, &old);
        slot_ = target;
        VirtualProtect(&slot_, sizeof slot_, old, &old);
    }
    Call& slot_;
};

// What a 64-bit prefix cannot show of itself: every key is opened in the native view, which a 32-bit
// program on 64-bit Windows does not get unasked; a value that keeps growing is given up on; the
// image's room is the volume's free space, not the user's quota (Wine reports both the same).
thread_local std::vector<REGSAM> viewsAsked;
LONG WINAPI RecordingOpenKey(HKEY root, LPCSTR path, DWORD options, REGSAM access, PHKEY key) {
    viewsAsked.push_back(access & KEY_WOW64_RES);
    return SystemFunction<decltype(&RegOpenKeyExA)>(L"advapi32", "RegOpenKeyExA")(root, path, options, access, key);
}
LONG WINAPI RecordingCreateKey(HKEY root, LPCWSTR path, DWORD, LPWSTR, DWORD options, REGSAM access,
                               LPSECURITY_ATTRIBUTES security, PHKEY key, LPDWORD disposition) {
    viewsAsked.push_back(access & KEY_WOW64_RES);
    return SystemFunction<decltype(&RegCreateKeyExW)>(L"advapi32", "RegCreateKeyExW")(root, path, 0, nullptr, options,
                                                                                      access, security, key, disposition);
}
LONG WINAPI EverGrowing(HKEY, DWORD, LPWSTR, LPDWORD, LPDWORD, LPDWORD, LPBYTE, LPDWORD size) {
    *size += 1;
    return ERROR_MORE_DATA;
}
BOOL WINAPI QuotaOfOneMegabyte(LPCWSTR, PULARGE_INTEGER caller, PULARGE_INTEGER total, PULARGE_INTEGER volume) {
    for (auto [out, megabytes] : {std::pair{caller, 1}, {total, 8}, {volume, 5}})
        if (out) out->QuadPart = megabytes * kMegabyte;
    return TRUE;
}

TEST(WindowsBoundary, TheRegistryIsReadInTheNativeViewAndWithinBoundsAndTheImagesRoomIsTheVolumes) {
    win32::Advapi32Registry registry;
    platform::RegistryKeyHandle query, set;
    {
        const Intercept opening(openKeySlot, RecordingOpenKey);
        const Intercept creating(createKeySlot, RecordingCreateKey);
        ASSERT_EQ(registry.CreateKey("Software\\SarnexTest"), ERROR_SUCCESS);
        ASSERT_EQ(registry.OpenKey("Software\\SarnexTest", platform::KeyAccess::Query, query), ERROR_SUCCESS);
        ASSERT_EQ(registry.OpenKey("Software\\SarnexTest", platform::KeyAccess::Set, set), ERROR_SUCCESS);
    }
    EXPECT_EQ(viewsAsked, std::vector<REGSAM>(3, KEY_WOW64_64KEY));
    ASSERT_EQ(registry.SetStoredValue(set, {"grows", REG_BINARY, {}}), ERROR_SUCCESS);
    {
        std::vector<platform::StoredValue> values;
        const Intercept growing(enumValueSlot, EverGrowing);
        EXPECT_EQ(registry.ReadStoredValues(query, values), ERROR_MORE_DATA);
    }
    registry.CloseKey(query);
    registry.CloseKey(set);
    ReplaceKey(std::nullopt, "Software\\SarnexTest");
    const Intercept quota(diskFreeSlot, QuotaOfOneMegabyte);
    EXPECT_EQ(win32::Win32SystemFacts().FreeSpaceFor("C:\\").bytes, 5 * kMegabyte);
}

// What the system would make of a character its code page lacks: no best fit ("a" for a-macron), no
// default character, no double-byte codes; and no broken UTF-8.
TEST(WindowsBoundary, TheAnsiCodePageHoldsOnlyWhatItCan) {
    win32::AnsiCodePage codePage;
    for (const char* utf8 : {"\xC4\x81", "\xE4\xB8\xAD", "a\xF0\x9F\x98\x80", "\xC3", "\xC0\x80", "\xED\xA0\x80"})
        EXPECT_EQ(codePage.FromUtf8(utf8), std::nullopt) << utf8;
}

BOOL WINAPI NoProgramStarts(LPCSTR, LPSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCSTR,
                            LPSTARTUPINFOA, LPPROCESS_INFORMATION) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
}

// What a button of the prompt shows (the system's restart question; the control panel's failure) belongs to
// the prompt, which takes no input meanwhile: it can be neither asked again nor closed under its handler.
TEST(WindowsBoundary, WhatThePromptsButtonsShowBelongsToThePromptWhichWaitsForIt) {
    for (const bool restart : {true, false}) {
        SCOPED_TRACE(restart ? "Restart" : "System");
        win32::Win32Host host(GetModuleHandleW(nullptr));
        win32::AnsiCodePage codePage;
        win32::Win32Shell shell(codePage, host);
        forms::FormsRuntime runtime(host);
        auto& prompt = runtime.DefaultInstance<notices::RestartPrompt>(shell);
        prompt.Show();
        HWND window = host.WindowOf(prompt);
        const Intercept failing(createProcessSlot, NoProgramStarts);
        auto asked = std::async(std::launch::async, [window, restart] {
            HWND box = WaitForWindow(GetCurrentProcessId(), L"#32770");
            const std::tuple shown{box != nullptr, GetWindow(box, GW_OWNER) == window, IsWindowEnabled(window) != 0};
            Answer(box, restart ? IDNO : IDOK);
            return shown;
        });
        Win32Driver(host).Click(restart ? prompt.restartButton : prompt.systemButton);
        EXPECT_EQ(asked.get(), std::tuple(true, true, false));
        EXPECT_FALSE(prompt.Loaded());
    }
}

}  // namespace
}  // namespace sarnex::testing

namespace sarnex::registry_contract {
INSTANTIATE_TYPED_TEST_SUITE_P(Advapi32, RegistryContract, testing::Advapi32Environment);
}  // namespace sarnex::registry_contract
