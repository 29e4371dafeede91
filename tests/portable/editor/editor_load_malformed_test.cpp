// Loading values that the driver's installer would never write: wrong types and lengths, odd flags,
// drive letters out of range, and sizes and intervals beyond what the spinner bars can show.
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "config/number_text.h"
#include "portable/editor/program_fixture.h"

namespace sarnex::testing {
namespace {

using namespace std::string_view_literals;

std::vector<std::byte> ByteVector(std::string_view bytes) {
    std::vector<std::byte> out;
    for (char c : bytes) out.push_back(static_cast<std::byte>(c));
    return out;
}

class EditorLoadMalformed : public ProgramTest {
protected:
    void SetUp() override { StoredRecord{}.StoreIn(registry); }
};

TEST_F(EditorLoadMalformed, NumberOfEightBytesIsAbsentAndOfOneByteIsRead) {
    registry.PutValue(kKey, "SizeIn4kPages", 11, ByteVector("\x00\x40\x00\x00\x00\x00\x00\x00"sv));
    registry.PutValue(kKey, "UseDiskLabel", 3, ByteVector("\x01"sv));
    Start();
    EXPECT_EQ(Editor().diskSizeBox.Text(), "Text3");
    EXPECT_EQ(Editor().AcceptedPositions().size, 2048);
    EXPECT_EQ(Editor().volumeLabelCheck.Value(), 1);
}

TEST_F(EditorLoadMalformed, FlagsOtherThanOneReadAsUnticked) {
    struct Case {
        std::string_view name;
        std::uint32_t type;
        std::string_view bytes;
    };
    const Case cases[] = {
        {"two", 4, "\x02\x00\x00\x00"sv},
        {"minus one", 4, "\xFF\xFF\xFF\xFF"sv},
        {"text one", 1, "1\0"sv},                  // reads as 49
        {"one in a high byte", 4, "\x00\x01\x00\x00"sv},  // 256
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name));
        headless::HeadlessHost h;
        forms::FormsRuntime rt{h};
        testing::MemoryRegistry reg;
        StoredRecord record;
        record.LoadImageOnStart = 1;
        record.MakeTempDir = 0;
        record.UseDiskLabel = 0;
        record.StoreIn(reg);
        for (const char* flag : {"LoadImageOnStart", "SaveImageOnExit", "AutoSaveEnabled", "DiskFormatFAT32",
                                 "MakeTempDir", "UseDiskLabel"})
            reg.PutValue(kKey, flag, c.type, ByteVector(c.bytes));
        startup::Program p{rt, {reg, codePage, shell, {1, 0, 41}}};
        p.Start("");
        editor::Editor& e = p.Editor();
        for (forms::CheckBox* box :
             {&e.loadImageCheck, &e.saveImageCheck, &e.autoSaveCheck, &e.fat32Check, &e.tempDirCheck, &e.volumeLabelCheck})
            EXPECT_EQ(box->Value(), 0) << box->Name();
        EXPECT_FALSE(e.loadImageFileBox.Enabled());
        EXPECT_FALSE(e.saveImageFileBox.Enabled());
        EXPECT_FALSE(e.autoSaveIntervalBox.Enabled());
        EXPECT_FALSE(e.volumeLabelBox.Enabled());
    }
}

TEST_F(EditorLoadMalformed, DiskTypeTexts) {
    struct Case {
        std::string_view bytes;
        int listIndex;
    };
    const Case cases[] = {
        {"HDC\0"sv, 0}, {"hdc\0"sv, -1}, {"\0"sv, 0}, {"FDC14\0"sv, 1}, {"FDC28\0"sv, 2},
        {"FD\0C14\0"sv, 1},  // zero bytes are dropped wherever they stand
        {"FDC14 \0"sv, -1}, {"HDC"sv, 0},  // stored without a terminator
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(c.bytes)));
        headless::HeadlessHost h;
        forms::FormsRuntime rt{h};
        testing::MemoryRegistry reg;
        StoredRecord{}.StoreIn(reg);
        reg.PutValue(kKey, "DiskType", 1, ByteVector(c.bytes));
        startup::Program p{rt, {reg, codePage, shell, {1, 0, 41}}};
        p.Start("");
        EXPECT_EQ(p.Editor().diskTypeList.ListIndex(), c.listIndex);
        EXPECT_EQ(p.Editor().diskSizeBox.Enabled(), c.listIndex == 0);
    }
}

TEST_F(EditorLoadMalformed, TextsOf255BytesAreReadAnd256AreAbsent) {
    registry.PutText(kKey, "LoadImageFile", std::string(254, 'L') + '\0');
    registry.PutText(kKey, "SaveImageFile", std::string(255, 'S') + '\0');
    registry.PutText(kKey, "DiskLabel", std::string(255, 'D'));  // the terminator the registry adds makes 256
    Start();
    EXPECT_EQ(Editor().loadImageFileBox.Text(), std::string(254, 'L'));
    EXPECT_EQ(Editor().saveImageFileBox.Text(), "Text2");
    EXPECT_EQ(Editor().volumeLabelBox.Text(), "Text4");
}

TEST_F(EditorLoadMalformed, EmbeddedZerosAreDroppedAndCodePageCharactersKept) {
    registry.PutText(kKey, "DiskLabel", "AB\0CD\0"sv);
    registry.PutText(kKey, "LoadImageFile", "C:\\Gr\xF6\xDF" "e\\\x80.img\0"sv);
    registry.PutValue(kKey, "SaveImageFile", 4, ByteVector("a\0b\0"sv));  // type is not checked
    Start();
    EXPECT_EQ(Editor().volumeLabelBox.Text(), "ABCD");
    EXPECT_EQ(Editor().loadImageFileBox.Text(), "C:\\Gr\xC3\xB6\xC3\x9F" "e\\\xE2\x82\xAC.img");
    EXPECT_EQ(Editor().saveImageFileBox.Text(), "ab");
}

TEST_F(EditorLoadMalformed, DriveLetters) {
    struct Case {
        std::int32_t stored;
        int checked;
        const char* letter;
    };
    const Case cases[] = {
        {0, 0, "D"},
        {16777216, 1, "D"},         // flag set, index 0 raised to 3
        {16777217, 1, "D"},
        {16777240, 1, "Y"},
        {259, 0, "D"},              // bits 8 to 23 ignored
        {0x7F000019, 1, "Z"},       // any bit of 24 to 31 ticks the box
        {std::numeric_limits<std::int32_t>::min() + 5, 1, "F"},  // bit 31
        {26, 0, "Z"},               // "[" is brought into range by the letter rule
        {32, 0, "D"},               // "a" is upper-cased, then "A" raised to "D"
        {255, 0, "Z"},              // beyond the code page's range
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        headless::HeadlessHost h;
        forms::FormsRuntime rt{h};
        testing::MemoryRegistry reg;
        StoredRecord record;
        record.UserDriveLetter = c.stored;
        record.StoreIn(reg);
        startup::Program p{rt, {reg, codePage, shell, {1, 0, 41}}};
        p.Start("");
        editor::Editor& e = p.Editor();
        EXPECT_EQ(e.driveLetterCheck.Value(), c.checked);
        EXPECT_EQ(e.driveLetterBox.Text(), c.letter);
        EXPECT_TRUE(e.driveLetterCheck.Enabled());
        // The letter box follows the tick only when the tick changed during loading; an unticked box
        // leaves the letter box as the hard-disk type left it.
        EXPECT_TRUE(e.driveLetterBox.Enabled());
        EXPECT_EQ(e.AcceptedPositions().letter, 16384);
    }
}

TEST_F(EditorLoadMalformed, DriveLetterWithAFloppyTypeStaysUnavailable) {
    StoredRecord record;
    record.DiskType = "FDC28";
    record.UserDriveLetter = 16777216 + 7;
    record.StoreIn(registry);
    Start();
    EXPECT_EQ(Editor().driveLetterCheck.Value(), 1);
    EXPECT_EQ(Editor().driveLetterBox.Text(), "H");
    EXPECT_FALSE(Editor().driveLetterCheck.Enabled());
    EXPECT_FALSE(Editor().driveLetterBox.Enabled());
}

// Sizes and intervals whose bar position would lie outside the bar: the text shows the stored
// number, the bar and its remembered position are held to the bar's range and stay equal.
struct OutOfRange {
    const char* name;
    std::int32_t pages;
    std::int32_t trigger;
    double sizeShown;
    double intervalShown;
    int sizePosition;
    int timePosition;
    friend void PrintTo(const OutOfRange& c, std::ostream* os) { *os << c.name; }
};

class EditorLoadOutOfRange : public ProgramTest, public ::testing::WithParamInterface<OutOfRange> {};

TEST_P(EditorLoadOutOfRange, TextShowsTheNumberAndBarsStayInRange) {
    const OutOfRange& c = GetParam();
    StoredRecord record;
    record.SizeIn4kPages = c.pages;
    record.AutoSaveTrigger = c.trigger;
    record.StoreIn(registry);
    Start();
    editor::Editor& e = Editor();
    EXPECT_DOUBLE_EQ(config::NumberFromText(e.diskSizeBox.Text()), c.sizeShown) << e.diskSizeBox.Text();
    EXPECT_DOUBLE_EQ(config::NumberFromText(e.autoSaveIntervalBox.Text()), c.intervalShown) << e.autoSaveIntervalBox.Text();
    EXPECT_EQ(e.diskSizeSpinner.Value(), c.sizePosition);
    EXPECT_EQ(e.AcceptedPositions().size, c.sizePosition);
    EXPECT_EQ(e.autoSaveSpinner.Value(), c.timePosition);
    EXPECT_EQ(e.AcceptedPositions().interval, c.timePosition);
    EXPECT_TRUE(IsLoaded<editor::Editor>());
    EXPECT_FALSE(IsLoaded<notices::RegistryReadFailedNotice>());
}

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Cases, EditorLoadOutOfRange,
    ::testing::Values(OutOfRange{"Size4096Interval40000", 1048576, 10000, 4096, 40000, 0, 0},
                      OutOfRange{"NegativeSizeAndInterval", -256, -5, -1, -20, 2048, 32767},
                      OutOfRange{"JustInside", 524288, 8191, 2048, 32764, 0, 3},
                      OutOfRange{"JustOutside", 524544, 8192, 2049, 32768, 0, 0},
                      OutOfRange{"SmallestNumbers", kMin, kMin, -8388608, -8589935000.0, 2048, 32767},
                      // Shown in single precision with seven digits: 8388607.99609375 becomes 8388608, and the
                      // intervals of +/-2^33 seconds show as +/-8.589935E+09.
                      OutOfRange{"LargestNumbers", kMax, kMax, 8388608, 8589935000.0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorLoadMalformed, SpinningFromAHeldPositionStepsTheShownNumber) {
    StoredRecord record;
    record.SizeIn4kPages = 1048576;  // 4096 MB, bar held at 0
    record.AutoSaveTrigger = 10000;  // 40000 s, bar held at 0
    record.StoreIn(registry);
    Start();
    editor::Editor& e = Editor();
    user.Arrow(e.diskSizeSpinner, forms::VScrollBar::Arrow::Up);  // the bar is at its top: nothing happens
    EXPECT_EQ(e.diskSizeBox.Text(), " 4096");
    user.Arrow(e.diskSizeSpinner, forms::VScrollBar::Arrow::Down);
    EXPECT_EQ(e.diskSizeBox.Text(), " 4094");
    EXPECT_EQ(e.AcceptedPositions().size, 1);
    EXPECT_EQ(e.diskSizeSpinner.Value(), 1);
    user.Arrow(e.autoSaveSpinner, forms::VScrollBar::Arrow::Down);
    EXPECT_EQ(e.autoSaveIntervalBox.Text(), " 39996");
    EXPECT_EQ(e.AcceptedPositions().interval, 1);
}

}  // namespace
}  // namespace sarnex::testing
