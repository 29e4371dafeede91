// The shipped programs on a double-byte ANSI code page (Japanese, 932), which Wine takes from the
// environment: ctest runs these in a process of their own started with LANG=ja_JP.UTF-8; elsewhere they skip.
#include <windows.h>

#include <gtest/gtest.h>

#include "win32/real_system.h"

namespace sarnex::testing {
namespace {

// Every character the code page holds is stored and read back, whatever its width; a name within the box's
// characters but beyond the record's 254 bytes is refused with its count, and nothing is written. A Japanese
// path regedit stored loads, and the editor saves it without a word.
TEST(JapaneseCodePage, TwoByteCharactersAreStoredAndTheByteLimitNamed) {
    if (GetACP() != 932) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 932";
    const std::string ctl = "\"" SARNEX_CTL_PATH "\" ";
    ReplaceKey(TypicalRecord());
    EXPECT_EQ(RunToTheEnd(ctl + "set label=\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E").exitCode, 0);  // 日本語
    EXPECT_EQ((*ReadKey())["DiskLabel"], Text("\x93\xFA\x96\x7B\x8C\xEA")) << "in the code page's own bytes";
    std::string name = "C:\\";
    for (int i = 0; i < 130; ++i) name += "\xE6\x97\xA5";
    const auto labelled = ReadKey();
    const Ran refused = RunToTheEnd(ctl + "set \"save-file=" + name + "\"");
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.output.find("the text takes 263 bytes in the ANSI code page; at most 254 can be stored"),
              std::string::npos) << refused.output;
    EXPECT_EQ(ReadKey(), labelled);

    ReplaceKey(With(TypicalRecord(), {{"LoadImageFile", Wide(u"C:\\\u65E5\u672C\\disk.img")}}));
    auto before = ReadKey();
    EXPECT_EQ((*before)["LoadImageFile"], Text("C:\\\x93\xFA\x96\x7B\\disk.img"));
    const Process run("\"" SARNEX_EXE_PATH "\"");
    ASSERT_TRUE(Press(run.WaitForWindow(L"Sarnex Configuration Utility"), L"Save"));
    EXPECT_FALSE(WaitFor([&] { return !VisibleWindows(run.Id(), nullptr, L"Registry Save Failed").empty(); }, 3));
    EXPECT_EQ(ReadKey(), before);
    ReplaceKey(std::nullopt);
}

}  // namespace
}  // namespace sarnex::testing
