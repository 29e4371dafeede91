// The shipped programs on a double-byte ANSI code page (Japanese, 932), which Wine takes from the
// environment: ctest runs these in a process of their own started with LANG=ja_JP.UTF-8; elsewhere they skip.
#include <windows.h>

#include <gtest/gtest.h>

#include "win32/real_system.h"

namespace sarnex::testing {
namespace {

class JapaneseCodePage : public ::testing::Test {
protected:
    void SetUp() override {
        if (GetACP() != 932) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 932";
        ReplaceKey(TypicalRecord());
    }
    void TearDown() override { ReplaceKey(std::nullopt); }
    // A value as regedit would store it, in UTF-16.
    static void StoreWide(const char* name, const std::wstring& text) {
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Sarnex", 0, KEY_SET_VALUE, &key), 0);
        RegSetValueExW(key, win32::Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    static std::wstring ReadWide(const char* name) {
        wchar_t text[300] = {};
        DWORD size = sizeof text;
        RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Sarnex", win32::Widen(name).c_str(), RRF_RT_REG_SZ, nullptr, text, &size);
        return text;
    }
};

const std::string kCtl = "\"" SARNEX_CTL_PATH "\" ";

// Every character the code page holds is stored and read back, whatever its width; a name within the box's
// characters but beyond the record's 254 bytes is refused with its count, and nothing is written.
TEST_F(JapaneseCodePage, TwoByteCharactersAreStoredAndTheByteLimitNamed) {
    EXPECT_EQ(RunToTheEnd(kCtl + "set label=\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E").exitCode, 0);  // 日本語
    EXPECT_EQ(ReadWide("DiskLabel"), L"\u65E5\u672C\u8A9E");
    std::string name = "C:\\";
    for (int i = 0; i < 130; ++i) name += "\xE6\x97\xA5";
    const Ran refused = RunToTheEnd(kCtl + "set \"save-file=" + name + "\"");
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.output.find("the text takes 263 bytes in the ANSI code page; at most 254 can be stored"),
              std::string::npos) << refused.output;

    // A stored Japanese path loads, and the editor saves without a word.
    StoreWide("LoadImageFile", L"C:\\\u65E5\u672C\\disk.img");
    const auto before = ReadKey();
    const Process run("\"" SARNEX_EXE_PATH "\"");
    ASSERT_TRUE(Press(run.WaitForWindow(L"Sarnex Configuration Utility"), L"Save"));
    EXPECT_FALSE(WaitFor([&] { return !VisibleWindows(run.Id(), nullptr, L"Registry Save Failed").empty(); }, 3));
    EXPECT_EQ(ReadKey(), before);
    EXPECT_EQ(ReadWide("LoadImageFile"), L"C:\\\u65E5\u672C\\disk.img");
}

}  // namespace
}  // namespace sarnex::testing
