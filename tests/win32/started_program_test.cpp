// sarnexcfg.exe started as a user starts it: the window each command word opens and how the run ends,
// and the checks before saving on the real registry and file system: an image that does not fit the
// disk on "OK", a value regedit changed while the editor was open on "Save".
#include <gtest/gtest.h>

#include <windows.h>

#include "win32/real_system.h"

namespace sarnex::testing {
namespace {

constexpr const wchar_t* kEditor = L"Sarnex Configuration Utility";
constexpr const wchar_t* kPrompt = L"Settings Saved";

Process Sarnexcfg(const std::string& arguments) { return Process("\"" SARNEX_EXE_PATH "\" " + arguments); }

class StartedProgram : public ::testing::Test {
protected:
    void SetUp() override { ReplaceKey(StoredValues{}); }  // "OK" needs a key it can save into
    void TearDown() override {
        ReplaceKey(std::nullopt);
        DeleteFileW(win32::Widen(image).c_str());
    }
    // A 5 MB hard disk that loads an image of `imageSize` bytes: four values, so that a save shows by
    // the other nine appearing.
    void StoreImageLoading(LONGLONG imageSize) {
        CreateSizedFile(image, imageSize);
        ReplaceKey(StoredValues{{"DiskType", Text("HDC")}, {"SizeIn4kPages", Number(1280)},
                                {"LoadImageOnStart", Number(1)}, {"LoadImageFile", Text(AnsiImage())}});
    }
    std::string AnsiImage() const { return std::string(image).replace(image.find("\xE2\x82\xAC"), 3, "\x80"); }
    // Through the ANSI code page to a file name in UTF-16: "€" is 0x80 in the registry.
    const std::string image = TempPath("sarnex \xE2\x82\xAC check.img");
};

TEST_F(StartedProgram, EachCommandWordOpensItsWindowAndTheRunEndsWithItsButton) {
    // The word, its window, whether "OK" there is followed by the restart prompt.
    const struct { const char* word; const wchar_t* window; bool prompt; } cases[] = {
        {"badload", L"Sarnex Image Load Error", false}, {"nomem", L"Sarnex Memory Allocation Error", false},
        {"install", kEditor, false}, {"install ", kEditor, true}, {"INSTALL", kEditor, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("[") + c.word + "]");
        const Process run = Sarnexcfg(c.word);
        HWND window = run.WaitForWindow(c.window);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(run.VisibleWindows(), std::vector<std::wstring>{c.window});
        ASSERT_TRUE(Press(window, L"OK"));
        if (c.prompt) {
            ASSERT_TRUE(Press(run.WaitForWindow(kPrompt), L"Cancel"));
        }
        EXPECT_EQ(run.WaitForExit(15), 0);
    }
}

TEST_F(StartedProgram, AnImageOneByteLargerThanTheDiskIsFoundOnOk) {
    StoreImageLoading(5242881);
    const Process run = Sarnexcfg("");
    HWND editor = run.WaitForWindow(kEditor);
    for (int answer : {IDNO, IDYES}) {
        ASSERT_TRUE(Press(editor, L"OK"));
        HWND box = WaitForBox(run.Id(), L"Sarnex Settings Check");
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(GetWindow(box, GW_OWNER), editor) << "the editor owns its question";
        EXPECT_FALSE(IsWindowEnabled(editor)) << "and takes no input while it is asked";
        EXPECT_EQ(BoxText(box), "The image file to load, \"" + image +
                                    "\", is larger than the disk: 5,242,881 bytes against 5,242,880 bytes.\n\n"
                                    "Save these settings anyway?");
        ASSERT_TRUE(Answer(box, answer));
        if (answer == IDNO) {
            EXPECT_EQ(run.VisibleWindows(), std::vector<std::wstring>{kEditor});
            EXPECT_EQ(ReadKey()->size(), 4u) << "No writes nothing";
        }
    }
    ASSERT_TRUE(Press(run.WaitForWindow(kPrompt), L"Cancel"));
    EXPECT_EQ(ReadKey()->size(), 13u);
    EXPECT_EQ(run.WaitForExit(15), 0);
}

TEST_F(StartedProgram, AnImageThatFitsAsksNothing) {
    StoreImageLoading(5242880);
    const Process run = Sarnexcfg("");
    ASSERT_TRUE(Press(run.WaitForWindow(kEditor), L"OK"));
    ASSERT_NE(run.WaitForWindow(kPrompt), nullptr);
    EXPECT_EQ(run.VisibleWindows(), std::vector<std::wstring>{kPrompt});
    EXPECT_EQ(ReadKey()->size(), 13u);
}

TEST_F(StartedProgram, AValueChangedWithRegeditIsNamedOnSave) {
    ReplaceKey(StoredValues{{"DiskType", Text("HDC")}, {"SizeIn4kPages", Number(1280)}, {"DiskLabel", Text("RAMDISK")}});
    const Process run = Sarnexcfg("");
    HWND editor = run.WaitForWindow(kEditor);
    const std::string regFile = TempPath("sarnex check.reg");
    WriteFileBytes(regFile, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Sarnex]\r\n\"DiskLabel\"=\"REGEDIT\"\r\n\r\n");
    ASSERT_EQ(Regedit("/S \"" + regFile + "\"").exitCode, 0);
    DeleteFileW(win32::Widen(regFile).c_str());
    const auto changed = ReadKey();
    ASSERT_EQ(changed->at("DiskLabel"), Text("REGEDIT"));
    for (int answer : {IDNO, IDYES}) {
        ASSERT_TRUE(Press(editor, L"Save"));
        HWND box = WaitForBox(run.Id(), L"Sarnex Settings Changed");
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(GetWindow(box, GW_OWNER), editor);
        EXPECT_EQ(BoxText(box), "Since these settings were read, another program has changed:\nDiskLabel\n\n"
                                "Replace them with the settings shown here?");
        ASSERT_TRUE(Answer(box, answer));
        if (answer == IDNO) {
            EXPECT_EQ(ReadKey(), changed) << "No leaves what regedit stored";
        }
    }
    EXPECT_TRUE(WaitFor([] { return ReadKey()->size() == 13; }));
    EXPECT_EQ((*ReadKey())["DiskLabel"], Text("RAMDISK"));
}

}  // namespace
}  // namespace sarnex::testing
