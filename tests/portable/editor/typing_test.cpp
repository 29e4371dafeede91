// Typed texts -> what the boxes show: the size and the interval when the focus leaves them, the
// drive letter as it is typed.
#include "portable/program.h"

namespace sarnex::testing {
namespace {

enum class Box { Size, Interval, Letter };

struct TypedCase {
    Box box;
    std::string typed;
    std::string shown;
    int bar;  // the spinner's position after leaving the box
};

// The random run holds every number left in its box to its range; these are the boundaries.
const TypedCase kCases[] = {
    // Size: whole megabytes from 5 to 2048, cut toward minus infinity
    {Box::Size, "", " 5", 2043},          {Box::Size, "4.99", " 5", 2043},      {Box::Size, "5", " 5", 2043},
    {Box::Size, "12.9", " 12", 2036},     {Box::Size, "  64MB", " 64", 1984},   {Box::Size, "32", " 32", 2016},
    {Box::Size, "33", " 33", 2015},       {Box::Size, "2048.9", " 2048", 0},    {Box::Size, "1d2", " 100", 1948},
    {Box::Size, "1e999", " 2048", 0},     {Box::Size, "-1e999", " 5", 2043},    {Box::Size, "1023.5", " 1023", 1025},
    // Interval: seconds from 20 to 32767, fractions kept
    {Box::Interval, "19.99", " 20", 32747}, {Box::Interval, "20", " 20", 32747},   {Box::Interval, "32767", " 32767", 0},
    {Box::Interval, "40000", " 32767", 0},  {Box::Interval, "25.5", " 25.5", 32742}, {Box::Interval, "26.5", " 26.5", 32740},
    // Letter: one upper-case letter from D to Z, at once
    {Box::Letter, "e", "E", 16384}, {Box::Letter, "a", "D", 16384}, {Box::Letter, "c", "D", 16384},
    {Box::Letter, "[", "Z", 16384}, {Box::Letter, "z", "Z", 16384}, {Box::Letter, "D", "D", 16384},
    {Box::Letter, "\xE2\x82\xAC", "Z", 16384},      // euro sign, code 128
    {Box::Letter, "\xCE\xA9", "Z", 16384},          // Greek Omega: no single-byte code
    {Box::Letter, "", "", 16384},                   // deleting the letter leaves the box empty
};

TEST(Typing, TypedTextsAreNormalised) {
    for (const TypedCase& c : kCases) {
        SCOPED_TRACE("\"" + c.typed + "\"");
        FreshProgram p;
        editor::Editor& e = p.Start();
        forms::TextBox& box = c.box == Box::Size ? e.diskSizeBox : c.box == Box::Interval ? e.autoSaveIntervalBox : e.driveLetterBox;
        forms::VScrollBar& bar =
            c.box == Box::Size ? e.diskSizeSpinner : c.box == Box::Interval ? e.autoSaveSpinner : e.driveLetterSpinner;
        const auto before = StatesOf(e);
        p.user.Retype(box, c.typed);
        p.user.Focus(e.saveImageCheck);
        EXPECT_EQ(box.Text(), c.shown);
        EXPECT_EQ(bar.Value(), c.bar);
        ExpectSpinnersAtTheirAcceptedPositions(e);
        // Nothing else changes, but FAT32's availability with the size.
        std::vector<std::string> changed = Changed(before, StatesOf(e));
        std::erase(changed, box.Name());
        std::erase(changed, bar.Name());
        if (c.box == Box::Size) {
            std::erase(changed, "fat32Check");
            EXPECT_EQ(e.fat32Check.Enabled(), c.bar < 2016);
        }
        EXPECT_EQ(changed, std::vector<std::string>{});
    }
}

// A letter the program assigns is judged by its first character only.
TEST(Typing, LetterAssignedByCodeIsNormalisedByItsFirstCharacter) {
    FreshProgram p;
    editor::Editor& e = p.Start();
    const std::pair<std::string, std::string> cases[] = {
        {"ab", "D"}, {"zz", "ZZ"}, {"eX", "EX"}, {"\xC3\xBF", "Z"} /* y with diaeresis, code 255 */,
        {"\xFF", "Z"} /* not UTF-8 at all */, {"\xC3\xA0x", "Z"}};
    for (const auto& [assigned, shown] : cases) {
        e.driveLetterBox.SetText(assigned);
        EXPECT_EQ(e.driveLetterBox.Text(), shown) << assigned;
    }
}

}  // namespace
}  // namespace sarnex::testing
