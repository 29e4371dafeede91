// What typing and pasting may put into the editor's boxes (an edit is the whole text it would leave):
// the limit restricts only what an edit adds, and the boxes stored as text refuse characters the code
// page cannot hold.
#include "portable/program.h"

namespace sarnex::testing {
namespace {

struct Edit {
    const char* what;
    std::string assigned, typed, kept;
};

TEST(TextEntry, TheLabelLimitRestrictsOnlyWhatAnEditAdds) {
    const std::string label = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0";  // 27 characters against 11
    const std::string ae = "\xC3\xA4", at = "\xC3\xA3", five = ae + ae + ae + ae + ae;
    const Edit edits[] = {
        {"one deleted of 27", label, label.substr(0, 26), label.substr(0, 26)},
        {"four deleted of 27", label, "A" + label.substr(5), "A" + label.substr(5)},
        {"one added to 27", label, label + "1", label},
        {"one added to 11", "ABCDEFGHIJK", "ABCDEFGHIJKL", "ABCDEFGHIJK"},
        {"five replaced by one in 27", label, "AZ" + label.substr(6), "A" + label.substr(6)},
        {"pasted at the end", "RAMDISK", "RAMDISKABCDEFG", "RAMDISKABCD"},
        {"pasted in the middle", "RAMDISK", "RAMVWXYZDISK", "RAMVWXYDISK"},
        {"two-byte characters", five + five, five + at + at + five, five + at + five},
        {"replaced by one that starts alike", ae, at, at},
        {"replaced by one that ends alike", "\xC4\xA4", ae, ae},
        {"bytes that continue no character", "\x80\x80", "\x80\x81", "\x80\x80"},
    };
    FreshProgram p;
    editor::Editor& e = p.Start();
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.what);
        e.volumeLabelBox.SetText(edit.assigned);
        ASSERT_EQ(e.volumeLabelBox.Text(), edit.assigned);  // the program's text is never cut
        EXPECT_EQ(e.volumeLabelBox.UserEdit(edit.typed), edit.typed == edit.kept);
        EXPECT_EQ(e.volumeLabelBox.Text(), edit.kept);
    }
}

TEST(TextEntry, BoxesStoredAsTextRefuseCharactersTheCodePageCannotHold) {
    const std::pair<const char*, bool> characters[] = {
        {"\xC3\xBC", true}, {"\xE2\x82\xAC", true}, {"\xC5\xB8", true},  // u umlaut, euro, Y umlaut
        {"\xCE\xA9", false}, {"\xF0\x9F\x98\x80", false}, {"\xFF", false},  // omega, an emoji, not UTF-8
        {"x\xE2\x80\x94y\xCE\xA9", false},  // a paste with one such character
    };
    FreshProgram p;
    editor::Editor& e = p.Start();
    EXPECT_FALSE(e.loadImageFileBox.UserEdit("C:\\x.img"));  // unusable while loading is off
    EXPECT_EQ(e.loadImageFileBox.Text(), "C:\\disk.img");
    for (forms::TextBox* box : {&e.loadImageFileBox, &e.saveImageFileBox, &e.volumeLabelBox}) {
        box->SetEnabled(true);
        for (const auto& [character, held] : characters) {
            SCOPED_TRACE(box->Name() + " " + character);
            box->SetText("ab");
            EXPECT_EQ(box->UserEdit(std::string("a") + character + "b"), held);
            EXPECT_EQ(box->Text(), held ? std::string("a") + character + "b" : "ab");
        }
    }
    e.volumeLabelBox.SetText("a\xCE\xA9" "b");  // only what an edit adds is looked at
    EXPECT_TRUE(e.volumeLabelBox.UserEdit("a\xCE\xA9"));
}

}  // namespace
}  // namespace sarnex::testing
