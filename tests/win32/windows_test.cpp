// What only real windows show, on the editor's real windows: the forms contract with user actions sent
// as window messages, and the registry contract on advapi32; every form and control at its twips at the
// screen's DPI with its font; what the screen shows in front; the keyboard: Enter
// and Esc in the open disk-type list, Home and End on a spinner, Backspace in a stored text over its
// box's limit, characters the code page cannot hold.
#include "shared/forms_contract.h"
#include "shared/registry_contract.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "notices/registry_notices.h"
#include "platform/win32/advapi32_registry.h"
#include "platform/win32/ansi_code_page.h"
#include "support/code_page_1252.h"
#include "support/memory_registry.h"
#include "win32/real_windows.h"

namespace sarnex::testing {
namespace {

using Program = Win32Program<MemoryRegistry, CodePage1252>;

struct Win32Harness {
    win32::Win32Host host{GetModuleHandleW(nullptr)};
    forms::FormsRuntime runtime{host};
    Win32Driver driver{host};
    forms::FormsRuntime& Runtime() { return runtime; }
    UserDriver& Driver() { return driver; }
    void Settle() { host.PumpMessages(); }
};
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, FormsContract, Win32Harness);

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

TEST(Windows, EveryFormAndControlAtItsTwipsWithItsFont) {
    // Each form as the user reaches it: the command word, the driver's key there or not, a button of the
    // editor pressed; then its style (owned windows have no taskbar button).
    const struct { const char* name; const char* word; bool key; const char* press; bool sizable, owned; } forms[] = {
        {"Editor", "", true, nullptr, true, false},
        {"RegistryReadFailedNotice", "", false, nullptr, true, false},
        {"RegistrySaveFailedNotice", "", false, "saveButton", true, false},
        {"RestartPrompt", "", true, "okButton", true, false},
        {"ImageLoadFailedNotice", "badload", false, nullptr, false, true},
        {"OutOfMemoryNotice", "nomem", false, nullptr, true, false}};
    for (const auto& c : forms) {
        SCOPED_TRACE(c.name);
        Program p;
        if (c.key) p.Holding({});
        p.program.Start(c.word);
        if (c.press) p.user.Click(p.program.Editor().Get<forms::CommandButton>(c.press));
        const auto& loaded = p.runtime.LoadedForms();
        const auto found = std::find_if(loaded.begin(), loaded.end(), [&](auto* f) { return f->Name() == c.name; });
        ASSERT_NE(found, loaded.end());
        const forms::Form& form = **found;
        HWND window = p.host.WindowOf(form);
        ASSERT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(win32::WindowText(window), form.Caption());
        RECT r;
        GetClientRect(window, &r);
        EXPECT_EQ(r.right, p.host.Pixels(form.Design().clientWidth));
        EXPECT_EQ(r.bottom, p.host.Pixels(form.Design().clientHeight));
        const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
        const bool owned = GetWindow(window, GW_OWNER) != nullptr;
        EXPECT_EQ(std::tuple((style & WS_THICKFRAME) != 0, (style & WS_MAXIMIZEBOX) != 0, owned),
                  std::tuple(c.sizable, c.sizable, c.owned));
        GetWindowRect(window, &r);
        if (!form.Design().defaultPosition) {
            EXPECT_EQ(r.left, p.host.Pixels(form.Design().left));
            EXPECT_EQ(r.top, p.host.Pixels(form.Design().top));
        }
        for (const auto& control : form.Controls()) {
            if (control->Type() == forms::ControlType::Line) continue;
            SCOPED_TRACE(control->Name());
            const forms::ControlDesign& d = control->Design();
            HWND child = p.host.WindowOf(*control);
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.left, p.host.Pixels(d.left));
            EXPECT_EQ(r.top, p.host.Pixels(d.top));
            if (!d.autoSize) {
                EXPECT_EQ(r.right - r.left, p.host.Pixels(d.width));
                // A closed combo box's height follows its font; the system may keep it a little taller.
                const bool combo = control->Type() == forms::ControlType::ComboBox;
                EXPECT_NEAR(r.bottom - r.top, p.host.Pixels(d.height), combo ? 3 : 0);
            }
            if (control->Type() == forms::ControlType::VScrollBar) continue;
            LOGFONTW font{};
            ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof font, &font));
            EXPECT_EQ(std::tuple(win32::Narrow(font.lfFaceName), font.lfHeight, font.lfWeight, font.lfItalic != 0,
                                 font.lfUnderline != 0, font.lfCharSet == ANSI_CHARSET),
                      std::tuple(d.font.name, -std::lround(d.font.points * p.host.Dpi() / 72.0), d.font.weight,
                                 d.font.italic, d.font.underline, true));
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
    EXPECT_FALSE(e.diskSizeBox.Enabled());
    EventTrace trace(e);
    k.user.Key(VK_RETURN);  // the list closed, Enter and Esc press nothing
    k.user.Key(VK_ESCAPE);
    EXPECT_EQ(trace.Entries(), std::vector<std::string>{});
}

TEST(EditorKeyboard, HomeAndEndOnAFocusedSpinnerStepOnceToTheBarsEnds) {
    for (const auto& c : std::vector<std::vector<const char*>>{{"diskSizeSpinner", "diskSizeBox", " 65", " 64"},
                                                               {"autoSaveSpinner", "autoSaveIntervalBox", " 64", " 60"},
                                                               {"driveLetterSpinner", "driveLetterBox", "T", "S"}}) {
        SCOPED_TRACE(c[0]);
        Program k;
        auto& e = k.Holding(TypicalRecord()).ShowEditor();
        auto& spinner = e.Get<forms::VScrollBar>(c[0]);
        k.user.Focus(spinner);
        k.user.Key(VK_HOME);
        k.user.Key(VK_HOME);  // at the top already: no move, no step
        EXPECT_EQ(k.Shown(e.Get<forms::TextBox>(c[1])), c[2]);
        EXPECT_EQ(GetScrollPos(k.host.WindowOf(spinner), SB_CTL), 0);
        k.user.Key(VK_END);
        EXPECT_EQ(k.Shown(e.Get<forms::TextBox>(c[1])), c[3]);
        EXPECT_EQ(GetScrollPos(k.host.WindowOf(spinner), SB_CTL), spinner.Max());
    }
}

TEST(EditorKeyboard, BackspaceInAStoredTextOverTheLimitDeletesOneCharacter) {
    for (const auto& c : std::vector<std::vector<std::string>>{
             {"DiskLabel", "volumeLabelBox", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0"},          // 27 against 11
             {"LoadImageFile", "loadImageFileBox", "C:\\" + std::string(252, 'f')}}) {  // 255 against 254
        SCOPED_TRACE(c[0]);
        Program k;  // of another type a 255-byte value needs no terminator: the type is not looked at
        auto& e = k.Holding(With(TypicalRecord(), {{c[0], Raw(3, c[2])}})).ShowEditor();
        auto& box = e.Get<forms::TextBox>(c[1]);
        const std::string shortened = c[2].substr(0, c[2].size() - 1);
        box.SetEnabled(true);
        k.user.Focus(box);
        k.user.Key(VK_END);
        k.user.Key(VK_BACK);
        k.user.Type(box, "x");  // still over the limit: refused
        EXPECT_EQ(k.Shown(box), shortened);
        EXPECT_EQ(box.Text(), shortened) << "what a save stores";
    }
}

TEST(EditorKeyboard, ACharacterTheCodePageCannotHoldIsRefusedWhereItIsTypedOrPasted) {
    for (const char* name : {"volumeLabelBox", "loadImageFileBox", "saveImageFileBox"}) {
        SCOPED_TRACE(name);
        Program k;
        auto& box = k.Holding(TypicalRecord()).ShowEditor().Get<forms::TextBox>(name);
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
    Program k;  // the drive letter keeps its rule: a character above "Z" becomes "Z"
    auto& e = k.Holding(TypicalRecord()).ShowEditor();
    k.user.Retype(e.driveLetterBox, "\xCE\xA9");
    EXPECT_EQ(k.Shown(e.driveLetterBox), "Z");
}

}  // namespace
}  // namespace sarnex::testing

namespace sarnex::registry_contract {
INSTANTIATE_TYPED_TEST_SUITE_P(Advapi32, RegistryContract, testing::Advapi32Environment);
}  // namespace sarnex::registry_contract
