// The keyboard on the editor's real windows: Enter and Esc in the open disk-type list, Home and End on
// a spinner, Backspace in a stored text over its box's limit, characters the code page cannot hold.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "notices/registry_notices.h"
#include "shared/event_trace.h"
#include "support/code_page_1252.h"
#include "support/memory_registry.h"
#include "win32/real_windows.h"

namespace sarnex::testing {
namespace {

struct Keyboard : Win32Program<MemoryRegistry, CodePage1252> {
    // A 64 MB hard disk on S:, AutoSave every 60 s, the label "RAMDISK", unless `values` say otherwise.
    editor::Editor& Start(const StoredValues& values = TypicalRecord()) {
        registry.AddKey(kKey);
        for (const auto& [name, value] : values) {
            const auto bytes = std::as_bytes(std::span(value->bytes));
            registry.PutValue(kKey, name, value->type, {bytes.begin(), bytes.end()});
        }
        return ShowEditor();
    }
    void Type(wchar_t character) {
        SendMessageW(GetFocus(), WM_CHAR, character, 1);
        host.PumpMessages();
    }
    void Paste(const std::wstring& text) {
        ASSERT_TRUE(OpenClipboard(GetFocus()));
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
        SendMessageW(GetFocus(), WM_PASTE, 0, 0);
        host.PumpMessages();
    }
    void CaretAt(forms::TextBox& box, std::size_t at) {
        user.Focus(box);
        SendMessageW(host.WindowOf(box), EM_SETSEL, at, static_cast<LPARAM>(at));
    }
};

TEST(EditorKeyboard, EnterAndEscCloseTheOpenDiskTypeListAsInAnyComboBox) {
    Keyboard k;
    auto& e = k.Start();
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
    const std::vector<std::vector<const char*>> cases = {{"diskSizeSpinner", "diskSizeBox", " 65", " 64"},
                                                         {"autoSaveSpinner", "autoSaveIntervalBox", " 64", " 60"},
                                                         {"driveLetterSpinner", "driveLetterBox", "T", "S"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        Keyboard k;
        auto& e = k.Start();
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
    const std::vector<std::vector<std::string>> cases = {
        {"DiskLabel", "volumeLabelBox", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0"},       // 27 against 11
        {"LoadImageFile", "loadImageFileBox", "C:\\" + std::string(252, 'f')}};  // 255 against 254
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        Keyboard k;
        // Of another type a 255-byte value needs no terminator: the type is not looked at.
        auto& e = k.Start(With(TypicalRecord(), {{c[0], Raw(3, c[2])}}));
        auto& box = e.Get<forms::TextBox>(c[1]);
        box.SetEnabled(true);
        const std::string shortened = c[2].substr(0, c[2].size() - 1);
        k.CaretAt(box, c[2].size());
        k.user.Key(VK_BACK);
        k.Type(L'x');  // still over the limit: refused
        EXPECT_EQ(k.Shown(box), shortened);
        EXPECT_EQ(box.Text(), shortened);
        k.user.Click(e.saveButton);
        const auto stored = k.registry.GetValue(kKey, c[0]);
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(Raw(stored->type, {reinterpret_cast<const char*>(stored->data.data()), stored->data.size()}),
                  Text(shortened));
    }
}

TEST(EditorKeyboard, ACharacterTheCodePageCannotHoldIsRefusedWhereItIsTypedOrPasted) {
    for (const char* name : {"volumeLabelBox", "loadImageFileBox", "saveImageFileBox"}) {
        SCOPED_TRACE(name);
        Keyboard k;
        auto& e = k.Start();
        auto& box = e.Get<forms::TextBox>(name);
        box.SetEnabled(true);
        box.SetText("RAMDISK");
        k.CaretAt(box, 3);
        k.Type(L'\x03A9');           // Greek capital omega
        k.Paste(L"x\x2014y\x03A9");  // an em dash the code page holds, then the omega
        EXPECT_EQ(k.Shown(box), "RAMDISK");
        EXPECT_EQ(SendMessageW(k.host.WindowOf(box), EM_GETSEL, 0, 0), MAKELONG(3, 3)) << "the caret stays";
        for (wchar_t held : {L'\x00FC', L'\x20AC', L'\x0178'}) k.Type(held);  // u umlaut, euro, Y umlaut
        k.Paste(L"\x00E9");
        EXPECT_EQ(k.Shown(box), "RAM\xC3\xBC\xE2\x82\xAC\xC5\xB8\xC3\xA9" "DISK");
        EXPECT_EQ(box.Text(), k.Shown(box));
        k.user.Click(e.saveButton);
        EXPECT_EQ(k.runtime.ExistingInstance<notices::RegistrySaveFailedNotice>(), nullptr);
    }
    Keyboard k;  // the drive letter keeps its rule: a character above "Z" becomes "Z"
    auto& e = k.Start();
    k.user.Clear(e.driveLetterBox);
    k.Type(L'\x03A9');
    EXPECT_EQ(k.Shown(e.driveLetterBox), "Z");
}

}  // namespace
}  // namespace sarnex::testing
