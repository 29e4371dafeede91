// What only real windows show: the forms and registry contracts on the real host and advapi32; forms at
// their twips and fonts at each DPI; what the screen shows in front; the controls' own keys; and the
// Windows boundary, which fails loudly, opens the registry in the view it needs, and owns its boxes.
#include "shared/forms_contract.h"
#include "shared/registry_contract.h"

#include <windows.h>

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
#include "win32/real_windows.h"

namespace sarnex::testing {
namespace {

using Program = Win32Program;
using Pair = std::pair<LONG, LONG>;
using forms::ControlType;

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
bool CaptionFits(HWND child, ControlType type, int dpi) {
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

// Each control's window in its form's client area (left, top, width, height) and its font: face, height,
// weight, italic, underlined, Western.
using Font = std::tuple<std::string, LONG, LONG, bool, bool, bool>;
using Place = std::tuple<LONG, LONG, LONG, LONG, Font>;
std::vector<Place> Layout(const win32::Win32Host& host, const forms::Form& form) {
    std::vector<Place> places;
    for (const auto& control : form.Controls()) {
        if (control->Type() == ControlType::Line) continue;
        HWND child = host.WindowOf(*control);
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
        LOGFONTW f{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof f, &f);
        places.emplace_back(r.left, r.top, r.right - r.left, r.bottom - r.top,
                            Font{win32::Narrow(f.lfFaceName), f.lfHeight, f.lfWeight, f.lfItalic != 0,
                                 f.lfUnderline != 0, f.lfCharSet == ANSI_CHARSET});
    }
    return places;
}

// Each form at 96, 120, 144 and 192 dpi as it opens at that DPI, and at 144 dpi as it is laid out again
// when moved there from 96 dpi. At 96 dpi every control has its twips; above it every caption fits its
// text, a control growing if at all to the right and down.
TEST(Windows, EveryFormAndControlAtItsTwipsWithItsFontAndEveryCaptionFittingAtEachDpi) {
    // Each form as the user reaches it (an empty key or none, a word, a button pressed); owned: no taskbar button.
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
                p.program.Start(c.word);
                if (c.press) p.user.Click(p.Editor().Get<forms::CommandButton>(c.press));
                for (const forms::Form* f : p.runtime.LoadedForms())
                    if (f->Name() == c.name) return f;
                return nullptr;
            };
            const auto key = c.key ? std::optional(StoredValues{}) : std::nullopt;
            std::vector<Place> opened;
            RECT frame, client;
            {
                Program p(key, dpi);
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
                EXPECT_TRUE(at.defaultPosition || Pair(frame.left, frame.top) == Pair(p.host.Pixels(at.left),
                                                                                      p.host.Pixels(at.top)));
                opened = Layout(p.host, *form);
                auto place = opened.begin();
                for (const auto& control : form->Controls()) {
                    if (control->Type() == ControlType::Line) continue;
                    SCOPED_TRACE(control->Name());
                    const forms::ControlDesign& d = control->Design();
                    const auto& [left, top, width, height, font] = *place++;
                    EXPECT_EQ(Pair(left, top), Pair(p.host.Pixels(d.left), p.host.Pixels(d.top)));
                    const Pair designed(p.host.Pixels(d.width), p.host.Pixels(d.height));
                    // A closed combo box's height follows its font; the system may keep it a little taller.
                    EXPECT_TRUE(control->Type() == ControlType::ComboBox
                                    ? width == designed.first && std::abs(height - designed.second) <= 3
                                    : d.autoSize || (dpi == 96 ? Pair(width, height) == designed
                                                               : width >= designed.first && height >= designed.second));
                    HWND child = p.host.WindowOf(*control);
                    EXPECT_TRUE(CaptionFits(child, control->Type(), dpi)) << win32::WindowText(child);
                    const Font designedFont(d.font.name, -std::lround(d.font.points * dpi / 72.0), d.font.weight,
                                            d.font.italic, d.font.underline, true);
                    EXPECT_TRUE(control->Type() == ControlType::VScrollBar || font == designedFont) << std::get<0>(font);
                }
            }
            if (dpi != 144) continue;
            Program moved(key, 96);
            const forms::Form* form = open(moved);
            ASSERT_TRUE(form);
            HWND window = moved.host.WindowOf(*form);
            SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
            RECT r;
            GetWindowRect(window, &r);
            EXPECT_TRUE(EqualRect(&r, &frame)) << "the window takes the place suggested";
            EXPECT_EQ(Layout(moved.host, *form), opened) << "every control as if opened there";
        }
}

// How many of the points differ between what two device contexts show.
template <class Points>
int Differing(HDC one, HDC other, const Points& points) {
    int differ = 0;
    for (const auto& [a, b] : points) differ += GetPixel(one, a.x, a.y) != GetPixel(other, b.x, b.y);
    return differ;
}

// With no key the read failure's notice opens over the editor, in front of it on the screen; closed, it
// leaves the editor, whose file-name boxes keep their top border under the captions reaching into them.
TEST(Windows, TheReadFailureNoticeIsInFrontAndEachFileNameBoxKeepsItsBorderUnderItsCaption) {
    Program p(std::nullopt);
    editor::Editor& e = p.ShowEditor();
    HWND editor = p.host.WindowOf(e), notice = p.host.WindowOf(*p.Window<notices::RegistryReadFailedNotice>());
    EXPECT_TRUE(GetWindowLongPtrW(notice, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongPtrW(editor, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // Wine handles what the display reports (focus, stacking) once the queue is idle: let it come.
    Sleep(100);
    p.Settle();
    // Every 4th pixel of the notice's client area, on the screen as the notice drew it.
    RECT client, under;
    GetClientRect(notice, &client);
    GetWindowRect(editor, &under);
    std::vector<std::pair<POINT, POINT>> points;  // on the screen, in the notice
    int overEditor = 0;
    for (POINT at{0, 0}; at.y < client.bottom; at.y += 4)
        for (at.x = 0; at.x < client.right; at.x += 4) {
            POINT onScreen = at;
            ClientToScreen(notice, &onScreen);
            overEditor += PtInRect(&under, onScreen);
            points.emplace_back(onScreen, at);
        }
    EXPECT_GT(overEditor, 100) << "the notice lies over the editor";
    HDC screen = GetDC(nullptr), own = GetDC(notice);
    EXPECT_EQ(Differing(screen, own, points), 0);
    ReleaseDC(notice, own);
    ReleaseDC(nullptr, screen);

    p.Window<notices::RegistryReadFailedNotice>()->Unload();
    RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(editor);
    for (auto [label, textBox] : {std::pair{&e.loadFileCaption, &e.loadImageFileBox}, {&e.saveFileCaption, &e.saveImageFileBox}}) {
        const auto &caption = label->Design(), &box = textBox->Design();
        const int top = p.host.Pixels(box.top);
        ASSERT_GT(p.host.Pixels(caption.top + caption.height), top) << "the caption reaches into the box";
        // The border's top row under the caption, against the same row further right.
        const POINT right{p.host.Pixels(box.left + box.width) - 10, top};
        points.clear();
        for (int x = p.host.Pixels(box.left) + 2; x < p.host.Pixels(caption.left + caption.width); ++x)
            points.emplace_back(POINT{x, top}, right);
        EXPECT_EQ(Differing(dc, dc, points), 0) << caption.name;
    }
    ReleaseDC(editor, dc);
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
    p.Settle();
}

// The rules behind these keys are tested natively; here the controls' own keys reach them: Home and End on
// the focused size spinner step once, and the arrows work after; Backspace shortens a stored label longer
// than the box's limit, which still refuses typing; a character the code page cannot hold is refused where
// it is typed or pasted, the caret staying where it was; Enter and Esc close the open disk type list as in
// any combo box, then press nothing; Enter presses a focused button.
TEST(EditorKeyboard, TheControlsOwnKeysAndPastesReachTheModel) {
    Program k(With(TypicalRecord(), {{"DiskLabel", Text("ABCDEFGHIJKLMNOPQRSTUVWXYZ0")}}));  // 27 against 11
    auto& e = k.ShowEditor();
    k.user.Focus(e.diskSizeSpinner);  // at 64 MB
    for (const auto& [key, shown] : {std::pair{VK_HOME, " 65"}, {VK_HOME, " 66"}, {VK_END, " 65"}, {VK_DOWN, " 64"}}) {
        k.user.Key(key);
        EXPECT_EQ(k.Shown(e.diskSizeBox), shown) << key;
    }
    auto& box = e.volumeLabelBox;
    k.user.Focus(box);
    k.user.Key(VK_END);
    k.user.Key(VK_BACK);
    k.user.Type(box, "x");  // still over the limit: refused
    EXPECT_EQ(k.Shown(box), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    box.SetText("RAMDISK");
    HWND edit = k.host.WindowOf(box);  // a refused character leaves the caret where it was typed
    SendMessageW(edit, EM_SETSEL, 3, 3);
    for (const wchar_t c : {L'\x03A9', L'x'}) SendMessageW(edit, WM_CHAR, c, 1);
    k.Settle();
    EXPECT_EQ(k.Shown(box), "RAMxDISK");
    box.SetText("RAMDISK");
    k.user.Type(box, "\xCE\xA9");  // Greek capital omega
    Paste(k, L"x\x2014y\x03A9");    // an em dash the code page holds, then the omega
    EXPECT_EQ(k.Shown(box), "RAMDISK");
    k.user.Type(box, "\xC3\xBC\xE2\x82\xAC\xC5\xB8");  // u umlaut, euro, Y umlaut
    Paste(k, L"\x00E9");
    EXPECT_EQ(k.Shown(box), "RAMDISK\xC3\xBC\xE2\x82\xAC\xC5\xB8\xC3\xA9");

    k.user.Focus(e.diskTypeList);
    HWND list = k.host.WindowOf(e.diskTypeList);
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        k.user.Key(VK_F4);
        ASSERT_TRUE(SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0));
        k.user.Key(VK_DOWN);
        k.user.Key(key);
        EXPECT_FALSE(SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0));
    }
    // Enter kept "1.44MB Floppy"; from there Esc went back to it from "2.88MB Floppy".
    EXPECT_EQ(std::pair(e.diskTypeList.ListIndex(), k.Shown(e.diskTypeList)), std::pair(1, std::string("1.44MB Floppy")));
    EventTrace trace(e);
    k.user.Key(VK_RETURN);
    k.user.Key(VK_ESCAPE);
    EXPECT_EQ(trace.Entries(), std::vector<std::string>{});
    k.user.Focus(e.cancelButton);  // Enter presses the focused button, as the space bar does
    k.user.Key(VK_DOWN);
    EXPECT_TRUE(e.Loaded());
    k.user.Key(VK_RETURN);
    EXPECT_FALSE(e.Loaded());
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
            editor::Editor& e = p.ShowEditor();
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
    Program p;  // a window destroyed from outside leaves no handle and ends its form
    editor::Editor& e = p.ShowEditor();
    DestroyWindow(p.host.WindowOf(e));
    EXPECT_EQ(std::pair(e.Loaded(), p.host.WindowOf(e.okButton)), std::pair(false, HWND{}));
    EXPECT_EQ(p.host.Run(p.runtime), 0) << "the program ends rather than wait for a window that is gone";
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

// While it lives, this program's calls of one system function go to a stand-in.
template <class Call>
struct Intercept {
    Intercept(Call& slot, Call standIn) : slot(slot), system(slot) { Point(standIn); }
    ~Intercept() { Point(system); }
    void Point(Call target) {
        DWORD old = 0;
        VirtualProtect(&slot, sizeof slot, PAGE_READWRITE, &old);
        slot = target;
        VirtualProtect(&slot, sizeof slot, old, &old);
    }
    Call& slot;
    const Call system;
};

// What a 64-bit prefix cannot show of itself: every key is opened in the native view, which a 32-bit
// program on 64-bit Windows does not get unasked; a value that keeps growing is given up on; the
// image's room is the volume's free space, not the user's quota (Wine reports both the same).
thread_local std::vector<REGSAM> viewsAsked;
LONG WINAPI RecordingOpenKey(HKEY root, LPCSTR path, DWORD options, REGSAM access, PHKEY key) {
    viewsAsked.push_back(access & KEY_WOW64_RES);
    return RegOpenKeyExW(root, win32::Widen(path).c_str(), options, access, key);  // not through the slot
}
LONG WINAPI RecordingCreateKey(HKEY root, LPCWSTR path, DWORD, LPWSTR, DWORD options, REGSAM access,
                               LPSECURITY_ATTRIBUTES security, PHKEY key, LPDWORD disposition) {
    viewsAsked.push_back(access & KEY_WOW64_RES);
    return RegCreateKeyExA(root, win32::Narrow(path).c_str(), 0, nullptr, options, access, security, key, disposition);
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

// A save the editor refuses is told in a box it owns, with OK alone: there is nothing to choose.
TEST(WindowsBoundary, ARefusedSaveIsToldInABoxTheEditorOwnsWithOkAlone) {
    Program p;
    editor::Editor& e = p.ShowEditor();
    p.user.Clear(e.driveLetterBox);
    auto told = std::async(std::launch::async, [editor = p.host.WindowOf(e)] {
        HWND box = WaitForWindow(GetCurrentProcessId(), L"#32770");
        int buttons = 0;
        for (HWND b = nullptr; (b = FindWindowExW(box, b, L"Button", nullptr)) != nullptr;) buttons += IsWindowVisible(b) != 0;
        const std::tuple shown{win32::WindowText(box), GetWindow(box, GW_OWNER) == editor, buttons};
        Answer(box, IDOK);
        return shown;
    });
    p.user.Click(e.saveButton);
    EXPECT_EQ(told.get(), std::tuple(std::string("Sarnex Settings Check"), true, 1));
    EXPECT_TRUE(p.Sets().empty());
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
