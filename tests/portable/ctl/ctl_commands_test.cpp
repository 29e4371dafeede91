// sarnexctl run natively over the in-memory registry, the Western code page and files in memory: each command
// from tables of stored values, arguments, output and what it writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <sstream>

#include "config/value_codec.h"
#include "config/value_layout.h"
#include "ctl/run.h"
#include "platform/code_page_utf8.h"
#include "support/code_page_1252.h"
#include "support/fixed_system_facts.h"
#include "support/memory_registry.h"

using namespace std::literals;

namespace sarnex::testing {

using platform::KeyAccess, platform::StoredValue;
using Operation = RegistryOperation::Kind;
constexpr std::string_view kKey = "Software\\Sarnex";
const std::string kPath = "HKEY_LOCAL_MACHINE\\Software\\Sarnex";
constexpr std::uint32_t kDeleted = 0xFFFFFFFF, kFails = 0xFFFFFFFE;  // not registry types: see Values()

// Values by name, separated by blanks: "DiskType=FDC28" and "SizeIn4kPages=0x168" as a save keeps them (a
// REG_SZ in UTF-16LE with its zero, a REG_DWORD); "Odd:3=00ff" of that type with those bytes; "Gone=-"
// removed; "Name=!5" failing with that status ("open" to open the key, "write" to write to it).
std::vector<StoredValue> Values(const std::string& notation) {
    std::vector<StoredValue> values;
    std::istringstream words(notation);
    for (std::string word; words >> word;) {
        const std::string name = word.substr(0, word.find('=')), value = word.substr(name.size() + 1);
        const auto colon = name.find(':');
        const auto id = std::ranges::find(config::kWritingOrder, name, config::ValueName);
        StoredValue& v = values.emplace_back(name.substr(0, colon), config::kNumberType);
        if (colon != std::string::npos) {
            v.type = static_cast<std::uint32_t>(std::stoul(name.substr(colon + 1)));
            for (std::size_t i = 0; i < value.size(); i += 2)
                v.data.push_back(std::byte(std::stoi(value.substr(i, 2), nullptr, 16)));
        } else if (value == "-" || value[0] == '!') {
            v = {name, value == "-" ? kDeleted : kFails, {std::byte(std::atoi(&value[1]))}};
        } else if (id == config::kWritingOrder.end()) {
            ADD_FAILURE() << "no value is called " << name;
        } else if (config::LayoutOf(*id).text) {
            v = {name, config::kTextType, platform::Utf16LeBytes(platform::Utf16FromUtf8(value) + u'\0')};
        } else {
            for (const std::byte b : config::EncodeNumber(std::stoi(value, nullptr, 0))) v.data.push_back(b);
        }
    }
    return values;
}

// Files in memory; nothing can be written on Q:.
struct MemoryFiles final : platform::Files, std::map<std::string, std::vector<std::byte>> {
    std::optional<std::string> Read(const std::string& path, std::vector<std::byte>& contents) override {
        if (!contains(path)) return "The system cannot find the file specified. (error 2)";
        contents = at(path);
        return std::nullopt;
    }
    std::optional<std::string> Write(const std::string& path, std::span<const std::byte> contents) override {
        if (path.starts_with("Q:")) return "The system cannot find the path specified. (error 3)";
        (*this)[path].assign(contents.begin(), contents.end());
        return std::nullopt;
    }
};

struct CommandCase {
    std::string stored;   // changes to the typical key, as Values() takes them
    std::string command;  // the arguments, separated by blanks
    int exitCode;
    std::string output;   // the standard output, then the error stream
    std::string written;  // the changes it makes to the key; empty when it may write nothing
};

class CtlTest : public ::testing::Test {
protected:
    // A fresh registry with a hard disk of 64 MB with FAT32, saving its image to C:\ and making the TEMP
    // directory, without letter or label; then the changes.
    void Store(const std::string& changes = "") {
        registry = MemoryRegistry();
        registry.AddKey(kKey);
        for (const StoredValue& v : Values("DiskType=HDC LoadImageOnStart=0 LoadImageFile=C:\\load.img "
                                           "SaveImageOnExit=1 SaveImageFile=C:\\save.img SizeIn4kPages=16384 "
                                           "AutoSaveEnabled=0 DiskFormatFAT32=1 AutoSaveTrigger=15 UserDriveLetter=4 "
                                           "MakeTempDir=1 UseDiskLabel=0 DiskLabel=Sarnexia " + changes)) {
            const auto status = v.data.empty() ? 0 : std::to_integer<platform::RegistryStatus>(v.data[0]);
            if (v.type == kDeleted) platform::RegistryKey::Open(registry, kKey, KeyAccess::Set).second.Delete(v.name);
            else if (v.type != kFails) registry.PutStored(kKey, v);
            else if (v.name == "open") registry.FailOpen(kKey, status);
            else if (v.name == "write") registry.DenySet(kKey);
            else registry.FailSet(kKey, v.name, status);
        }
        registry.ClearOperations();
    }
    ctl::Outcome Run(const std::string& command, const platform::SystemFacts* otherFacts = nullptr) {
        std::istringstream words(command);
        return ctl::Run({std::istream_iterator<std::string>(words), {}},
                        {registry, codePage, files, otherFacts ? *otherFacts : facts, {1, 0, 7}});
    }
    std::vector<StoredValue> Kept() {
        std::vector<StoredValue> values;
        platform::RegistryKey::Open(registry, kKey, KeyAccess::Query).second.ReadStored(values);
        return values;
    }
    // Each case on a fresh registry. A registry error may have written what it then put back.
    void Expect(const std::vector<CommandCase>& cases) {
        for (const CommandCase& c : cases) {
            SCOPED_TRACE(c.command);
            Store(c.stored);
            std::vector<StoredValue> expected = Kept();
            for (const StoredValue& change : Values(c.written)) {
                const auto at = std::ranges::find(expected, change.name, &StoredValue::name);
                ASSERT_NE(at, expected.end()) << change.name;
                change.type == kDeleted ? void(expected.erase(at)) : void(*at = change);
            }
            const ctl::Outcome outcome = Run(c.command);
            EXPECT_EQ(outcome.out + outcome.err, c.output);
            EXPECT_EQ(outcome.exitCode, c.exitCode);
            EXPECT_EQ(Kept(), expected);
            const auto& ops = registry.Operations();
            const bool wrote = std::any_of(ops.begin(), ops.end(), [](auto& op) { return op.kind == Operation::Set; });
            EXPECT_TRUE(c.exitCode == ctl::exit_code::kRegistry || wrote == !c.written.empty());
        }
    }

    MemoryRegistry registry;
    CodePage1252 codePage;
    MemoryFiles files;
    FixedSystemFacts facts = [] { FixedSystemFacts f; f.AddFolder("C:\\", 1024 * kMegabyte); return f; }();
};

// The command line: command words, options and settings, the usage errors, help and version.
std::string Usage(const std::string& message) {
    return "sarnexctl: " + message + "; nothing was changed (see sarnexctl --help)\n";
}

TEST_F(CtlTest, CommandsOptionsSettingsAndUsageErrors) {
    Expect({
        {"", "", 2, Usage("no command given"), ""},
        {"", "set nonsense --version", 0, "sarnexctl 1.0.7\n", ""},
        {"", "CHECK --Json", 0, "{\"problems\":[]}\n", ""},
        {"", "set Size=-2.5 Label=Off --DRY-run", 0,
         "size        64 -> 5  (the editor keeps sizes to whole MB from 5 to 2048)\n"
         "label       off -> on\nlabel text  \"Sarnexia\" -> \"Off\"\nDry run: nothing was written.\n", ""},
        {"", "show --dry-run", 2, Usage("show takes no option \"--dry-run\""), ""},
        {"", "check now", 2, Usage("check takes no \"now\""), ""},
        {"", "frobnicate", 2, Usage("unknown command \"frobnicate\""), ""},
        {"", "set", 2, Usage("set needs at least one SETTING=VALUE"), ""},
        {"", "set size", 2, Usage("expected SETTING=VALUE, not \"size\""), ""},
        {"", "set colour=red", 2, Usage("no setting is called \"colour\""), ""},
        {"", "set size=64MB", 2, Usage("size is a number of MB, not \"64MB\""), ""},
        {"", "set size=.", 2, Usage("size is a number of MB, not \".\""), ""},
        {"", "set size=6.x", 2, Usage("size is a number of MB, not \"6.x\""), ""},
        {"", "set autosave=soon", 2, Usage("autosave is off or a number of seconds, not \"soon\""), ""},
        {"", "set type=Hard", 2, Usage("type is hard, floppy1.44 or floppy2.88, not \"Hard\""), ""},
        {"", "set letter=EF", 2, Usage("letter is auto or one letter from D to Z, not \"EF\""), ""},
        {"", "set fat32=yes", 2, Usage("fat32 is on or off, not \"yes\""), ""},
        {"", "set size=8 SIZE=9", 2, Usage("size is given twice"), ""},
        {"", "export a.reg b.reg", 2, Usage("export needs exactly one FILE"), ""},
    });
    // --words: the settings in one argument, blanks kept in quotes; the words are settings only.
    const auto words = [&](const std::string& text) {
        const ctl::Outcome o = ctl::Run({"set", "--words=" + text, "--dry-run"}, {registry, codePage, files, facts, {1, 0, 7}});
        return std::pair(o.exitCode, o.out + o.err);
    };
    const auto [code, out] = words("  size=48\tsave-file='C:\\Bob''s Files\\r.img' ");
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(out.starts_with("save-file  \"C:\\save.img\" -> \"C:\\Bob's Files\\r.img\"\nsize       64 -> 48\n"
                                "Dry run: nothing was written.\n")) << out;
    EXPECT_EQ(words("size=48 label='My Disk"),
              std::pair(2, Usage("--words: the quote at character 15 of \"size=48 label='My Disk\" is not closed")));
    EXPECT_EQ(words("size=48 --dry-run").second, Usage("expected SETTING=VALUE, not \"--dry-run\""));
    const std::string help = Run("-h").out;
    EXPECT_EQ(Run("/?").out, help);
    EXPECT_EQ(Run("show --HELP").out, help);
    for (const char* line : {"sarnexctl 1.0.7: ", "\n  sarnexctl check [--json]                    problems in the",
                             "top to bottom):\n  type        hard, floppy1.44, floppy2.88\n", "\n  2  usage error"})
        EXPECT_NE(help.find(line), std::string::npos) << line;
}

// set: each setting applied to the editor's own form as the user's action, the changes with the rules that
// made them, refusals, and all or nothing.
const std::string kSaved = "Saved to " + kPath + "; the driver takes the settings when it next starts.\n";
const std::string kNothing = "sarnexctl: nothing was written to " + kPath + "\n", kRefused = "sarnexctl: refused: ";

TEST_F(CtlTest, SetAppliesTheEditorsRulesAndWritesAllOrNothing) {
    const std::string nowhere = "warning: The disk of 2,048 MB is larger than the 1,024 MB free on the volume of "
                                "\"C:\\\", so the driver could not save its image.\n";
    Expect({
        {"", "set load-file=D:\\disk.img load-image=on", 0, "load-image  off -> on\nload-file   \"C:\\load.img\" -> "
         "\"D:\\disk.img\"\ntemp-dir    on -> off  (loading an image excludes the TEMP directory)\n" + kSaved +
         "warning: The image file to load, \"D:\\disk.img\", does not exist.\n",
         "LoadImageOnStart=1 LoadImageFile=D:\\disk.img MakeTempDir=0"},
        {"SizeIn4kPages=4096 DiskFormatFAT32=0", "set fat32=on size=40 letter=x temp-dir=off save-image=off", 0,
         "save-image  on -> off\nsize        16 -> 40\nfat32       off -> on\nletter      auto (E) -> X\n"
         "temp-dir    on -> off\n" + kSaved,
         "SaveImageOnExit=0 SizeIn4kPages=10240 DiskFormatFAT32=1 UserDriveLetter=0x01000017 MakeTempDir=0"},
        {"SaveImageOnExit=0", "set autosave=100", 0, "save-image         off -> on  (AutoSave saves the image)\n"
         "autosave           off -> on\nautosave interval  60 -> 100\n" + kSaved,
         "SaveImageOnExit=1 AutoSaveEnabled=1 AutoSaveTrigger=25"},
        {"", "set size=3000 letter=a autosave=5 label=Data", 0,
         "size               64 -> 2048  (the editor keeps sizes to whole MB from 5 to 2048)\n"
         "autosave           off -> on\n"
         "autosave interval  60 -> 20  (the editor keeps intervals from 20 to 32767 seconds, in steps of 4)\n"
         "letter             auto (E) -> D  (drive letters run from D to Z)\nlabel              off -> on\n"
         "label text         \"Sarnexia\" -> \"Data\"\n" + kSaved + nowhere, "SizeIn4kPages=524288 AutoSaveEnabled=1 "
         "AutoSaveTrigger=5 UserDriveLetter=0x01000003 UseDiskLabel=1 DiskLabel=Data"},
        {"UseDiskLabel=2 LoadImageOnStart=1", "set letter=auto size=48", 0, "load-image  on -> off  "
         "(LoadImageOnStart: the TEMP directory excludes loading an image)\nsize        64 -> 48\n"
         "label       2 -> off  (UseDiskLabel: a flag is 0 or 1, not 2)\n" + kSaved,
         "LoadImageOnStart=0 SizeIn4kPages=12288 UseDiskLabel=0"},
        {"", "set type=floppy2.88", 0, "type  hard -> floppy2.88\n" + kSaved, "DiskType=FDC28"},
        {"", "set save-file=", 0, "save-file  \"C:\\save.img\" -> \"\"\n" + kSaved +
         "warning: Saving an image is ticked, but no image file is named.\n", "SaveImageFile="},
        {"", "set size=64 fat32=on", 0, "Nothing changes; nothing was written.\n", ""},
        {"", "set size=48 --dry-run", 0, "size  64 -> 48\nDry run: nothing was written.\n", ""},
        {"", "set fat32=on size=32 label=ABCDEFGHIJKL load-file=x.img save-file=\xE4\xB8\xAD", 2, kRefused +
         "label=ABCDEFGHIJKL: the label holds at most 11 characters\n" + kRefused + "load-file=x.img: the file to "
         "load is used only while load-image is on\n" + kRefused + "fat32=on: FAT32 is available only above 32 MB\n" +
         kRefused + "save-file=\xE4\xB8\xAD: a file name takes only characters that the ANSI code page can hold\n" +
         kNothing, ""},
        {"", "set size=7 letter=F type=floppy1.44 fat32=off save-image=off save-file=y.img", 2, kRefused + "size=7: the "
         "size is fixed for a floppy disk\n" + kRefused + "fat32=off: FAT32 is available only for a hard disk\n" +
         kRefused + "letter=F: the drive letter is chosen only for a hard disk\n" + kRefused + "save-file=y.img: the "
         "file to save is used only while save-image is on\n" + kNothing, ""},
        {"DiskType=hdc", "set size=7", 2,
         kRefused + "size=7: the size is set only for a hard disk (type=hard)\n" + kNothing, ""},
        {"", "set load-image=on label=DATA save-image=off autosave=30", 2, kRefused + "load-image=on undoes "
         "label=DATA: loading an image excludes the disk label\n" + kRefused + "save-image=off undoes autosave=30: "
         "AutoSave needs the image to be saved\n" + kNothing, ""},
        {"SaveImageFile:3=" + std::string(510, '7'), "set size=10", 2, kRefused + "save-file (SaveImageFile): it "
         "takes 255 bytes; a text value holds at most 254\n" + kNothing, ""},
        {"open=!5", "set size=10", 3,
         "sarnexctl: cannot read " + kPath + ": access is denied (error 5); nothing was written\n", ""},
        {"write=!5", "set size=10", 3,
         "sarnexctl: cannot write " + kPath + ": access is denied (error 5); nothing was written\n", ""},
        {"AutoSaveEnabled=!5", "set size=10 autosave=40", 3, "sarnexctl: the registry refused to write "
         "AutoSaveEnabled; the values already written were put back, so nothing was changed\n", ""},
    });
}

// Another program writes the key while sarnexctl looks at the memory, after loading and before saving.
struct Meddling final : platform::SystemFacts {
    explicit Meddling(MemoryRegistry& registry) : registry(registry) {}
    platform::PhysicalMemory Memory() const override {
        registry.PutStored(kKey, Values("MakeTempDir=0")[0]);
        return {};
    }
    platform::FileFacts File(const std::string&) const override { return {}; }
    platform::FolderFacts Folder(const std::string&) const override { return {}; }
    platform::FreeSpace FreeSpaceFor(const std::string&) const override { return {}; }
    MemoryRegistry& registry;
};

TEST_F(CtlTest, SetCreatesAMissingKeyAndLeavesAKeyAnotherProgramChanged) {
    EXPECT_TRUE(Run("set size=10 label=RAM").out.starts_with(
        kPath + " does not exist: set creates it (the editor's Save would not) and starts from the editor's "
        "defaults.\ntype               (absent) -> hard  (a new key starts from the editor's defaults)\n"));
    EXPECT_EQ(Kept(), Values("AutoSaveEnabled=0 AutoSaveTrigger=5 DiskFormatFAT32=0 DiskLabel=RAM DiskType=HDC "
                             "LoadImageFile= LoadImageOnStart=0 MakeTempDir=0 SaveImageFile= SaveImageOnExit=0 "
                             "SizeIn4kPages=2560 UseDiskLabel=1 UserDriveLetter=3"));
    Store();
    const Meddling meddling(registry);
    const ctl::Outcome outcome = Run("set size=10", &meddling);
    EXPECT_EQ(outcome.err, "sarnexctl: another program changed " + kPath + " while sarnexctl ran; nothing was written, "
                           "so its change stays\n");
    EXPECT_EQ(outcome.exitCode, 3);
    EXPECT_EQ(registry.GetStored(kKey, "MakeTempDir"), Values("MakeTempDir=0")[0]);
}

// show and check: the settings as the editor would show them, the stored bytes, and every kind of stored
// value the editor would read otherwise or change.
TEST_F(CtlTest, CheckFindsWhatTheEditorWouldChange) {
    const std::string none = "No problems found in " + kPath + ".\n", would = "; the editor would save ";
    const std::string absent = "sarnexctl: cannot read " + kPath + ": it does not exist (error 2); nothing was "
                               "changed\n";
    const std::string letter = "UserDriveLetter: it is not a drive letter from D to Z" + would;
    Expect({
        {"DiskType=FDC28 SizeIn4kPages=360", "check", 0, none, ""},  // a floppy's size is not the editor's business
        {"SizeIn4kPages=1280 AutoSaveTrigger=8191 UserDriveLetter=0x01000019", "check", 0, none, ""},
        {"", "check --json", 0, "{\"problems\":[]}\n", ""},
        {"MakeTempDir:1=31000000 UseDiskLabel:4=0000000000000000 SaveImageOnExit=2 SizeIn4kPages=1279", "check", 1,
         "SaveImageOnExit: a flag is 0 or 1, not 2" + would + "off\nSizeIn4kPages: 4.99609375 MB is outside 5 to "
         "2048 MB\nMakeTempDir: it is a REG_SZ, not a REG_DWORD" + would + "off\nUseDiskLabel: it has 8 bytes, not 4" +
         would + "off\n", ""},
        {"UseDiskLabel:12=00000000", "check --json", 1,
         "{\"problems\":[\"UseDiskLabel: it is a type 0x0000000C, not a REG_DWORD" + would + "off\"]}\n", ""},
        {"DiskType=hdc UserDriveLetter=0x01000002 DiskLabel=\xE4\xB8\xAD LoadImageFile=" + std::string(255, 'x'), "check", 1,
         "DiskType: \"hdc\" is not one of the disk types HDC, FDC14, FDC28" + would + "hard\nLoadImageFile: it is longer "
         "than the 254 characters the editor reads" + would + "\"Text1\"\n" + letter + "D\nDiskLabel: the editor reads "
         "it otherwise than it stands" + would + "\"?\"\n", ""},
        {"DiskType=", "check", 1,
         "DiskType: it is empty, which the editor takes as a hard disk" + would + "hard\n", ""},
        {"UserDriveLetter=0x02000004 AutoSaveTrigger=8192", "check", 1,
         "AutoSaveTrigger: 32768 seconds is outside 20 to 32767 seconds\n" + letter + "E\n", ""},
        {"LoadImageOnStart=1 MakeTempDir=0 UseDiskLabel=1", "check", 1,
         "LoadImageOnStart: a disk label excludes loading an image" + would + "off\n", ""},
        {"LoadImageOnStart=1 MakeTempDir=0", "check", 1,
         "The image file to load, \"C:\\load.img\", does not exist.\n", ""},
        {"open=!2", "check", 3, absent, ""},
        {"open=!2", "show", 3, absent, ""},
    });
}

TEST_F(CtlTest, ShowListsTheSettingsAndTheStoredBytes) {
    Store("AutoSaveTrigger:3=05 DiskLabel:1=520041004d00");
    const std::string out = Run("show").out;
    EXPECT_TRUE(out.starts_with("Settings, as the editor shows them:\n  type        hard\n  size        64\n  "
                                "letter      auto\n  fat32       on\n  load-image  off\n  load-file   C:\\load.img\n"
                                "  save-image  on\n  save-file   C:\\save.img\n  autosave    off\n  temp-dir    on\n"
                                "  label       off\nStored values in " + kPath + ":\n  DiskType          REG_SZ     "
                                "48 00 44 00 43 00 00 00\n  LoadImageOnStart  REG_DWORD  00 00 00 00\n")) << out;
    EXPECT_TRUE(out.ends_with("  AutoSaveTrigger   REG_BINARY 05\n    ! AutoSaveTrigger: it is a REG_BINARY, not "
                              "a REG_DWORD; the editor would save 20\n  UserDriveLetter   REG_DWORD  04 00 00 00\n"
                              "  MakeTempDir       REG_DWORD  01 00 00 00\n  UseDiskLabel      REG_DWORD  00 00 00 00\n"
                              "  DiskLabel         REG_SZ     52 00 41 00 4d 00\n    ! DiskLabel: it is not a plain "
                              "text ending in one zero character; the editor would save \"RAM\"\n")) << out;
    Store("DiskType=FDC14 LoadImageFile=\"C:\\\xC3\xA9\x7F\" UseDiskLabel=-");
    const std::string json = Run("show --json").out;
    EXPECT_TRUE(json.starts_with("{\"settings\":{\"type\":\"floppy1.44\",\"size\":\"64\",\"letter\":\"auto\","
                                 "\"fat32\":\"on\",\"load-image\":\"off\",\"load-file\":\"\\\"C:\\\\\\u00e9\\u007f\\\"\","))
        << json;
    EXPECT_NE(json.find(",\"label\":\"off\"},\"values\":{\"DiskType\":{\"type\":\"REG_SZ\",\"hex\":\"460044004300"
                        "3100340000" "00\"},"), std::string::npos) << json;
    EXPECT_TRUE(json.ends_with("\"UseDiskLabel\":null,\"DiskLabel\":{\"type\":\"REG_SZ\",\"hex\":\"5300610072006e"
                               "0065007800690061000000\"}},\"problems\":[\"UseDiskLabel: it is absent; the editor "
                               "would save off\"]}\n"));
}

// export and import: a true backup and restore of the key, byte for byte, in regedit's own layout, and a bad
// file refused before anything is written.

TEST_F(CtlTest, ExportWritesRegeditsLayoutAndImportRestoresEveryByte) {
    const auto wide = [](std::u16string_view text) { return platform::Utf16LeBytes(text); };
    const StoredValue odd[] = {
        {"", 1, wide(u"default\0"sv)}, {"Quote\"Back\\slash", 1, wide(u"C:\\\"x\"\0"sv)},
        {"New\r\nLine", 1, wide(u"a\nb\0"sv)},  // a line break in a text goes as hex, which every reader takes
        {"Inner", 1, wide(u"a\0b\0"sv)}, {"Euro", 1, wide(u"\u20AC\0"sv)}, {"Odd", 0xFFFF0000u, {std::byte{0xFF}}}};
    registry.AddKey(kKey);
    for (const StoredValue& value : odd) registry.PutStored(kKey, value);
    for (const StoredValue& value : Values("Number:4=78563412 Short:4=0102 Nothing:3= Long:3=30313233343536373839"
                                           "6162636465666768696a6b6c6d6e6f707172737475767778797a30313233343536373839"
                                           "616263646566"))
        registry.PutStored(kKey, value);
    const auto before = Kept();
    EXPECT_EQ(Run("export backup.reg").out, "Exported 10 values of " + kPath + " to backup.reg.\n");
    EXPECT_EQ(platform::Utf16LeUnits(files["backup.reg"]),
              u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Sarnex]\r\n"
              u"@=\"default\"\r\n\"Euro\"=\"\u20AC\"\r\n\"Inner\"=hex(1):61,00,00,00,62,00,00,00\r\n"
              u"\"Long\"=hex:30,31,32,33,34,35,36,37,38,39,61,62,63,64,65,66,67,68,69,6a,6b,6c,\\\r\n"
              u"  6d,6e,6f,70,71,72,73,74,75,76,77,78,79,7a,30,31,32,33,34,35,36,37,38,39,61,\\\r\n  62,63,64,65,66\r\n"
              u"\"New\\r\\nLine\"=hex(1):61,00,0a,00,62,00,00,00\r\n\"Nothing\"=hex:\r\n\"Number\"=dword:12345678\r\n"
              u"\"Odd\"=hex(ffff0000):ff\r\n\"Quote\\\"Back\\\\slash\"=\"C:\\\\\\\"x\\\"\"\r\n"
              u"\"Short\"=hex(4):01,02\r\n\r\n"s);
    registry = MemoryRegistry();
    const std::string imported = Run("import backup.reg").out;
    EXPECT_TRUE(imported.starts_with(kPath + " does not exist: import creates it.\n@                 (absent) -> "
                                     "\"default\"\n")) << imported;
    EXPECT_NE(imported.find("\nImported 10 changes into " + kPath + ".\ncheck: DiskType: it is absent; the editor "
                            "would save hard\n"), std::string::npos) << imported;
    EXPECT_EQ(Kept(), before);
    EXPECT_EQ(Run("import backup.reg").out, "Nothing changes; nothing was written.\n");
}

TEST_F(CtlTest, ImportSetsAndDeletesOnlyWhatTheFileNamesOrNothing) {
    const auto ansi = [](std::string_view text) {
        const auto bytes = std::as_bytes(std::span(text));
        return std::vector(bytes.begin(), bytes.end());
    };
    const std::string key = "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Sarnex]\r\n";
    files["change.reg"] = ansi(key + "\"Old\"=-\r\n\"Missing\"=-\r\n\"MakeTempDir\"=dword:0\r\n\"DiskLabel\"=\"Sarnexia\""
                               "\r\n\"MakeTempDir\"=dword:00000001\r\n\"DiskType\"=\"FDC14\"\r\n");
    files["bad.reg"] = ansi(key + "\"DiskType\"=\"FDC14\"\r\n\"Size\"=dword:xyz\r\n");
    const std::string changes = "Old          dword:00000001 -> (deleted)\nMakeTempDir  dword:00000001 -> "
                                "dword:00000000\nMakeTempDir  dword:00000000 -> dword:00000001\nDiskType     \"HDC\" -> "
                                "\"FDC14\"\n";
    const std::string unchanged = "; nothing was written to " + kPath + "\n";
    const std::string putBack = "; the values already written were put back" + unchanged;
    const std::string denied = ": access is denied (error 5)";
    Expect({
        {"Old:4=01000000", "import change.reg --dry-run", 0, changes + "Dry run: nothing was written.\n", ""},
        {"Old:4=01000000", "import change.reg", 0, changes + "Imported 4 changes into " + kPath + ".\n",
         "Old=- DiskType=FDC14"},
        {"Old:4=01000000 DiskType=!5", "import change.reg", 3, "sarnexctl: cannot write DiskType" + denied + putBack, ""},
        {"Old:4=01000000 Old=!5", "import change.reg", 3, "sarnexctl: cannot write Old" + denied + putBack, ""},
        {"write=!5", "import change.reg", 3, "sarnexctl: cannot write " + kPath + denied + unchanged, ""},
        {"open=!5", "import change.reg", 3, "sarnexctl: cannot read " + kPath + denied + unchanged, ""},
        {"", "import bad.reg", 2, "sarnexctl: bad.reg, line 4, column 14: dword: takes 1 to 8 hex digits" + unchanged,
         ""},
        {"", "import none.reg", 2,
         "sarnexctl: cannot read none.reg: The system cannot find the file specified. (error 2)" + unchanged, ""},
        {"", "export Q:\\x.reg", 2, "sarnexctl: cannot write Q:\\x.reg: The system cannot find the path specified. "
         "(error 3); the registry was not changed\n", ""},
        {"open=!5", "export x.reg", 3, "sarnexctl: cannot read " + kPath + denied + "; no file was written\n", ""},
    });
    EXPECT_FALSE(files.contains("x.reg"));
}

}  // namespace sarnex::testing
