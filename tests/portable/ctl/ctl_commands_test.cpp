// sarnexctl run natively over the in-memory registry, the Western code page and files in memory: each command
// from tables of stored values, arguments, output and what it writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>

#include "ctl/run.h"
#include "platform/code_page_utf8.h"
#include "shared/stored_values.h"
#include "support/fixed_code_page.h"
#include "support/fixed_system_facts.h"
#include "support/memory_registry.h"

using namespace std::literals;

namespace sarnex::testing {
namespace {

const std::string kPath = "HKEY_LOCAL_MACHINE\\Software\\Sarnex";
const std::string kSaved = "Saved to " + kPath + "; the driver takes the settings when it next starts.\n";
const std::string kNothing = "sarnexctl: nothing was written to " + kPath + "\n", kRefused = "sarnexctl: refused: ";
using Fault = std::function<void(MemoryRegistry&)>;

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
    StoredValues stored;  // changes to the typical record
    std::string command;  // the arguments, separated by blanks
    int exitCode;
    std::string output;   // the standard output, then the error stream
    StoredValues written;  // the changes it makes to the key (std::nullopt: deleted)
    Fault fault = nullptr;
};

class Ctl : public ::testing::Test {
protected:
    void Store(const StoredValues& changes = {}) {
        registry.Clear();
        StoreKey(registry, With(TypicalRecord(), changes));
    }
    ctl::Outcome Run(const std::string& command, const platform::SystemFacts* otherFacts = nullptr) {
        std::istringstream words(command);
        return ctl::Run({std::istream_iterator<std::string>(words), {}},
                        {{registry, codePage, otherFacts ? *otherFacts : facts, {1, 0, 7}}, files});
    }
    // A value as the registry keeps it.
    platform::StoredValue Kept(const std::string& name, const StoredValue& value) const {
        const auto bytes = std::as_bytes(std::span(value.bytes));
        std::vector<std::byte> data(bytes.begin(), bytes.end());
        return {name, value.type, value.kept || !headless::IsStringType(value.type) ? data : registry.UnitBytes(data)};
    }
    std::vector<platform::StoredValue> Key() const { return registry.Values(kKey); }
    // Each case on a fresh registry; the key must end as the case says, whatever happened on the way.
    void Expect(const std::vector<CommandCase>& cases) {
        for (const CommandCase& c : cases) {
            SCOPED_TRACE(c.command);
            Store(c.stored);
            std::vector<platform::StoredValue> expected = Key();
            for (const auto& [name, value] : c.written) {
                std::erase_if(expected, [&](const auto& v) { return v.name == name; });
                if (value) expected.push_back(Kept(name, *value));
            }
            std::sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return a.name < b.name; });
            if (c.fault) c.fault(registry);
            const ctl::Outcome outcome = Run(c.command);
            EXPECT_EQ(outcome.out + outcome.err, c.output);
            EXPECT_EQ(outcome.exitCode, c.exitCode);
            auto key = Key();
            std::sort(key.begin(), key.end(), [](auto& a, auto& b) { return a.name < b.name; });
            EXPECT_EQ(key, expected);
        }
    }

    MemoryRegistry registry;
    FixedCodePage codePage;
    MemoryFiles files;
    FixedSystemFacts facts = [] { FixedSystemFacts f; f.AddFolder("C:\\", 1024 * kMegabyte); return f; }();
};

std::string Usage(const std::string& message) {
    return "sarnexctl: " + message + "; nothing was changed (see sarnexctl --help)\n";
}

// The command line: command words, options, settings and what a value of each must be; help, version.
TEST_F(Ctl, CommandsOptionsAndValues) {
    Expect({
        {{}, "", 2, Usage("no command given"), {}},
        {{}, "set nonsense --version", 0, "sarnexctl 1.0.7\n", {}},
        {{}, "CHECK --Json", 0, "{\"problems\":[],\"notes\":[]}\n", {}},
        {{}, "show --dry-run", 2, Usage("show takes no option \"--dry-run\""), {}},
        {{}, "set colour=red", 2, Usage("no setting is called \"colour\""), {}},
        {{}, "set size=8 SIZE=9", 2, Usage("size is given twice"), {}},
        {{}, "set letter=#", 2, Usage("letter is auto or one letter from D to Z, not \"#\""), {}},
        {{}, "set letter=\xC3\x84", 2, Usage("letter is auto or one letter from D to Z, not \"\xC3\x84\""), {}},
        {{}, "set size=-5", 2, Usage("size is a number of MB greater than 0, not \"-5\""), {}},
        {{}, "set size=5MB", 2, Usage("size is a number of MB greater than 0, not \"5MB\""), {}},
        {{}, "set autosave=1e", 2, Usage("autosave is off or a number of seconds greater than 0, not \"1e\""), {}},
        {{}, "set letter=z --dry-run", 0, "letter  S -> Z\nDry run: nothing was written.\n", {}},
        {{{"UserDriveLetter", Number(0x02000012)}}, "set letter=T --dry-run", 0,
         "letter  0x02000012 -> T\nDry run: nothing was written.\n", {}},
        {{{"UserDriveLetter", Number(0x01000001)}}, "set letter=T --dry-run", 0,
         "letter  0x01000001 -> T\nDry run: nothing was written.\n", {}},
        {{}, "set type=Hard", 2, Usage("type is hard, floppy1.44 or floppy2.88, not \"Hard\""), {}},
        {{{"DiskType", Text("hdc")}}, "set type=floppy2.88 --dry-run", 0,
         "type  \"hdc\" -> floppy2.88\nDry run: nothing was written.\n", {}},
        {{}, "set Size=1e3 Label=Off --DRY-run", 0,
         "size        64 -> 1000\nlabel text  \"RAMDISK\" -> \"Off\"\nDry run: nothing was written.\n", {}},
    });
    // --words: the settings in one argument, blanks kept in quotes; the words are settings only.
    const auto words = [&](const std::string& text) {
        const ctl::Outcome o = ctl::Run({"set", "--words=" + text, "--dry-run"}, {{registry, codePage, facts, {1, 0, 7}}, files});
        return std::pair(o.exitCode, o.out + o.err);
    };
    const auto [code, out] = words("  size=48\tsave-file='C:\\Bob''s Files\\r.img'");
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(out.starts_with("save-file  \"C:\\save.img\" -> \"C:\\Bob's Files\\r.img\"\nsize       64 -> 48\n"
                                "Dry run: nothing was written.\n")) << out;
    EXPECT_EQ(words("size=48 label='My Disk"),
              std::pair(2, Usage("--words: the quote at character 15 of \"size=48 label='My Disk\" is not closed")));
    EXPECT_EQ(words("size=48 --dry-run").second, Usage("expected SETTING=VALUE, not \"--dry-run\""));
    const std::string help = Run("-h").out;
    EXPECT_EQ(Run("show --HELP").out, help);
    for (const char* line : {"sarnexctl 1.0.7: ", "\n  sarnexctl init ", "top to bottom):\n  type        hard, floppy1.44",
                             "Writing needs an elevated prompt", "\n  4  no right to write", "\n  5  internal error"})
        EXPECT_NE(help.find(line), std::string::npos) << line;
}

// set: each setting applied to the editor's own form as the user's action, the changes with the notes of
// the rules that made them, refusals, and all or nothing.
TEST_F(Ctl, SetAppliesTheEditorsRulesAndWritesAllOrNothing) {
    Expect({
        {{}, "set load-file=D:\\disk.img load-image=on", 0,
         "load-image  off -> on\nload-file   \"C:\\disk.img\" -> \"D:\\disk.img\"\n"
         "temp-dir    on -> off  (loading an image excludes the TEMP directory)\n"
         "label       on -> off  (loading an image excludes the disk label)\n" + kSaved +
         "warning: The image file to load, \"D:\\disk.img\", does not exist.\n",
         {{"LoadImageOnStart", Number(1)}, {"LoadImageFile", Text("D:\\disk.img")}, {"MakeTempDir", Number(0)},
          {"UseDiskLabel", Number(0)}}},
        {{}, "set fat32=off size=40 letter=Z save-image=off", 0,
         "save-image  on -> off\nsize        64 -> 40\nautosave    on -> off  (AutoSave needs the image to be saved)\n"
         "fat32       on -> off\nletter      S -> Z\n" + kSaved,
         {{"SaveImageOnExit", Number(0)}, {"SizeIn4kPages", Number(10240)}, {"AutoSaveEnabled", Number(0)},
          {"DiskFormatFAT32", Number(0)}, {"UserDriveLetter", Number(0x01000019)}}},
        {{{"SaveImageOnExit", Number(0)}, {"AutoSaveEnabled", Number(0)}}, "set autosave=100", 0,
         "save-image         off -> on  (AutoSave saves the image)\nautosave           off -> on\n"
         "autosave interval  60 -> 100\n" + kSaved,
         {{"SaveImageOnExit", Number(1)}, {"AutoSaveEnabled", Number(1)}, {"AutoSaveTrigger", Number(25)}}},
        {{}, "set size=3000 letter=a autosave=19", 0,
         "size               64 -> 2048  (sizes are whole MB from 5 to 2048)\n"
         "autosave interval  60 -> 20  (intervals run from 20 to 32767 seconds)\n"
         "letter             S -> D  (drive letters run from D to Z)\n" + kSaved +
         "warning: The disk of 2,048 MB is larger than the 1,024 MB free on the volume of \"C:\\\", so the driver "
         "could not save its image.\n",
         {{"SizeIn4kPages", Number(524288)}, {"AutoSaveTrigger", Number(5)}, {"UserDriveLetter", Number(0x01000003)}}},
        {{}, "set autosave=32767", 0, "autosave interval  60 -> 32768  (the driver counts the interval in 4-second "
         "units: 32767 seconds are stored as 32768)\n" + kSaved, {{"AutoSaveTrigger", Number(8192)}}},
        {{{"LoadImageOnStart", Number(1)}}, "set letter=auto size=48", 0,
         "load-image  on -> off  (the TEMP directory excludes loading an image)\nsize        64 -> 48\n"
         "letter      S -> auto (S)\n" + kSaved,
         {{"LoadImageOnStart", Number(0)}, {"SizeIn4kPages", Number(12288)}, {"UserDriveLetter", Number(18)}}},
        {{}, "set save-file=", 0, "save-file  \"C:\\save.img\" -> \"\"\n" + kSaved +
         "warning: Saving an image is ticked, but no image file is named.\n", {{"SaveImageFile", Text("")}}},
        {{}, "set size=64 fat32=on", 0, "Nothing changes; nothing was written.\n", {}},
        {{}, "set fat32=on size=32 label=ABCDEFGHIJKL load-file=x.img save-file=\xE4\xB8\xAD", 2, kRefused +
         "label=ABCDEFGHIJKL: the label holds at most 11 characters\n" + kRefused + "load-file=x.img: the file to "
         "load is used only while load-image is on\n" + kRefused + "fat32=on: FAT32 is available only above 32 MB\n" +
         kRefused + "save-file=\xE4\xB8\xAD: a file name takes only characters that the ANSI code page can hold\n" +
         kNothing, {}},
        {{}, "set size=7 letter=F type=floppy1.44 fat32=off", 2, kRefused + "size=7: the size is fixed for a floppy "
         "disk\n" + kRefused + "fat32=off: FAT32 is available only for a hard disk\n" + kRefused + "letter=F: the drive "
         "letter is chosen only for a hard disk\n" + kNothing, {}},
        {{}, "set load-image=on label=DATA save-image=off autosave=30", 2, kRefused + "load-image=on undoes "
         "label=DATA: loading an image excludes the disk label\n" + kRefused + "save-image=off undoes autosave=30: "
         "AutoSave needs the image to be saved\n" + kNothing, {}},
        {{}, "set size=10", 3, "sarnexctl: cannot read " + kPath + ": access is denied (error 5); nothing was written\n",
         {}, [](MemoryRegistry& r) { r.FailOpen(kKey, 5); }},
        {{}, "set size=10", 4, "sarnexctl: no right to write " + kPath + ": run sarnexctl from an elevated prompt "
         "(Run as administrator); nothing was written\n", {}, [](MemoryRegistry& r) { r.DenySet(kKey); }},
        {{}, "set size=10 autosave=40", 3, "sarnexctl: the registry refused to write AutoSaveTrigger; the values "
         "already written were put back, so nothing was changed\n", {},
         [](MemoryRegistry& r) { r.FailSet(kKey, "AutoSaveTrigger", 5); }},
        {{{"DiskLabel", std::nullopt}}, "set size=10 autosave=40 label=NEW", 3, "sarnexctl: the registry refused to "
         "write AutoSaveTrigger; putting back DiskLabel failed as well: those hold the new settings\n",
         {{"DiskLabel", Text("NEW")}},
         [](MemoryRegistry& r) { r.FailSet(kKey, "AutoSaveTrigger", 5), r.FailRestore("DiskLabel", 5); }},
    });
}

// A value the editor cannot read stays byte for byte through a set of another setting, and check and show
// say so; --strict refuses what check would find.
TEST_F(Ctl, WhatTheEditorCannotReadStaysAsStored) {
    const std::pair<const char*, StoredValue> unread[] = {
        {"SaveImageFile", Text(std::string(300, 'p'))},
        {"SizeIn4kPages", Raw(11, std::string("\x00\x80\x00\x00\x00\x00\x00\x00", 8))},
        {"DiskLabel", Wide(u"日本語ラベル")},
        {"UserDriveLetter", Number(0x01000112)},
        {"LoadImageFile", Wide(u"C:\\日本\\disk.img")},
        {"UseDiskLabel", Number(2)},
        {"DiskType", Text("hdc")},
    };
    for (const auto& [name, value] : unread) {
        SCOPED_TRACE(name);
        Store({{name, value}});
        const auto before = registry.GetStored(kKey, name);
        EXPECT_EQ(Run("set temp-dir=off").exitCode, 0);
        EXPECT_EQ(registry.GetStored(kKey, name), before);
        EXPECT_EQ(registry.GetStored(kKey, "MakeTempDir"), Kept("MakeTempDir", Number(0)));
        EXPECT_EQ(Run("set temp-dir=on --strict").exitCode, std::string_view(name) == "UserDriveLetter" ? 0 : 1);
    }
    Store({{"LoadImageFile", Wide(u"C:\\日本\\disk.img")}, {"LoadImageOnStart", Number(1)}, {"MakeTempDir", Number(0)},
           {"UseDiskLabel", Number(0)}});
    // The name the code page cannot hold is neither changed nor shown in its "?" form.
    const std::string missing = "The image file to load, \"C:\\日本\\disk.img\", does not exist.\n";
    EXPECT_EQ(Run("set size=32").out, "size  64 -> 32\n" + kSaved + "warning: " + missing);
    EXPECT_EQ(Run("check").out, "LoadImageFile: it has characters that the ANSI code page cannot hold; a save keeps "
                                "it as stored\n" + missing);
}

// check: every kind of stored value the editor would keep, read otherwise or change, values outside its
// ranges, names the driver does not read, the old registry view; then what the driver would fail at.
TEST_F(Ctl, CheckFindsWhatTheEditorWouldKeepOrChange) {
    const std::string none = "No problems found in " + kPath + ".\n", would = "; the editor would save ";
    const std::string kept = "; a save keeps it as stored\n";
    const std::string absent = "sarnexctl: cannot read " + kPath + ": it does not exist (error 2); nothing was "
                               "changed\n";
    Expect({
        {{{"DiskType", Text("FDC28")}, {"SizeIn4kPages", Number(360)}, {"AutoSaveTrigger", Number(5)}}, "check", 0, none, {}},
        {{{"SizeIn4kPages", Number(1280)}, {"AutoSaveTrigger", Number(8192)}, {"UserDriveLetter", Number(0x01000119)}},
         "check", 0, none, {}},
        {{{"SizeIn4kPages", Number(524288)}}, "check", 1, "The disk of 2,048 MB is larger than the 1,024 MB free on the "
         "volume of \"C:\\\", so the driver could not save its image.\n", {}},  // the largest size is in range
        {{{"MakeTempDir", Raw(1, "1\0"s)}, {"UseDiskLabel", Raw(4, std::string(8, '\0'))}, {"SaveImageOnExit", Number(2)},
          {"SizeIn4kPages", Number(1279)}, {"AutoSaveTrigger", Number(8193)}}, "check", 1,
         "SaveImageOnExit: a flag is 0 or 1, not 2" + kept + "SizeIn4kPages: 4.99609375 MB is outside 5 to 2048 MB\n"
         "AutoSaveTrigger: 32772 seconds is outside 20 to 32767 seconds\n"
         "MakeTempDir: it is a REG_SZ, not a REG_DWORD" + kept + "UseDiskLabel: it has 8 bytes, not 4" + kept, {}},
        {{{"DiskType", Text("hdc")}, {"UserDriveLetter", Number(0x01000002)}, {"DiskLabel", Wide(u"中")},
          {"LoadImageFile", Text(std::string(255, 'x'))}, {"SaveImageFile", std::nullopt}}, "check", 1,
         "DiskType: \"hdc\" is not one of the disk types HDC, FDC14, FDC28" + kept +
         "LoadImageFile: it is longer than the 254 characters the editor holds" + kept +
         "SaveImageFile: it is absent; a save leaves it absent\nUserDriveLetter: it is not a drive letter from D to Z" +
         kept + "DiskLabel: it has characters that the ANSI code page cannot hold" + kept +
         "Saving an image is ticked, but no image file is named.\n", {}},
        {{{"LoadImageOnStart", Number(1)}, {"MakeTempDir", Number(0)}}, "check", 1,
         "LoadImageOnStart: a disk label excludes loading an image" + would + "off\n", {}},
        {{{"LoadImageOnStart", Number(1)}, {"LoadImageFile", Text("r.img")}, {"MakeTempDir", Number(0)},
          {"UseDiskLabel", Number(0)}, {"SizeInMB", Number(64)}, {"", Text("x")}}, "check", 1,
         "@ (the key's default value): the driver reads no value of this name\n"
         "SizeInMB: the driver reads no value of this name\nThe image file to load, \"r.img\", is not a full path "
         "such as C:\\images\\disk.img; the driver starts before any folder is current.\n", {}},
        {{}, "check", 1, "HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Sarnex holds 1 values, where earlier versions "
         "wrote the settings on 64-bit Windows; the driver reads " + kPath + ": export the old key with regedit, import "
         "the file with sarnexctl, then delete the old key\n", {},
         [](MemoryRegistry& r) { r.PutStored("Software\\Wow6432Node\\Sarnex", {"DiskType", 1, {}}); }},
        {{}, "check", 3, absent, {}, [](MemoryRegistry& r) { r.FailOpen(kKey, 2); }},
        {{}, "show", 3, absent, {}, [](MemoryRegistry& r) { r.FailOpen(kKey, 2); }},
    });
}

TEST_F(Ctl, ShowListsTheSettingsAndTheStoredBytes) {
    Store({{"AutoSaveTrigger", Raw(3, "\x05")}, {"DiskLabel", Wide(u"日本")}});
    const std::string out = Run("show").out;
    EXPECT_TRUE(out.starts_with("Settings, as the editor shows them:\n  type        hard\n  size        64\n  "
                                "letter      S\n  fat32       on\n  load-image  off\n  load-file   C:\\disk.img\n"
                                "  save-image  on\n  save-file   C:\\save.img\n  autosave    (kept as stored)\n"
                                "  temp-dir    on\n  label       \xE6\x97\xA5\xE6\x9C\xAC\nStored values in " + kPath +
                                ":\n  DiskType          REG_SZ     48 00 44 00 43 00 00 00\n")) << out;
    EXPECT_NE(out.find("  AutoSaveTrigger   REG_BINARY 05\n    ! AutoSaveTrigger: it is a REG_BINARY, not a REG_DWORD; "
                       "a save keeps it as stored\n"), std::string::npos) << out;
    EXPECT_TRUE(out.ends_with("  DiskLabel         REG_SZ     e5 65 2c 67 00 00\n    ! DiskLabel: it has characters "
                              "that the ANSI code page cannot hold; a save keeps it as stored\n")) << out;
    Store({{"DiskType", Text("FDC14")}, {"LoadImageFile", Text("\"C:\\\xE9\x7F\"")}, {"UseDiskLabel", std::nullopt}});
    const std::string json = Run("show --json").out;
    EXPECT_TRUE(json.starts_with("{\"settings\":{\"type\":\"floppy1.44\",\"size\":\"64\",\"letter\":\"S\","
                                 "\"fat32\":\"on\",\"load-image\":\"off\",\"load-file\":\"\\\"C:\\\\\\u00e9\\u007f\\\"\","))
        << json;
    EXPECT_NE(json.find(",\"label\":\"(kept as stored)\"},\"values\":{\"DiskType\":{\"type\":\"REG_SZ\",\"hex\":"
                        "\"4600440043003100340000" "00\"},"), std::string::npos) << json;
    EXPECT_TRUE(json.ends_with("\"UseDiskLabel\":null,\"DiskLabel\":{\"type\":\"REG_SZ\",\"hex\":\"520041004d0044"
                               "00490053004b000000\"}},\"problems\":[\"UseDiskLabel: it is absent; a save leaves it "
                               "absent\"]}\n")) << json;
}

// With Fast Startup on, a save and check say once that only "Restart" starts the driver again; the exit
// code stays as the findings make it. Off or absent, nothing is said.
TEST_F(Ctl, FastStartupIsNotedAfterASaveAndByCheck) {
    const std::string note = "note: Fast Startup is on, so \"Shut down\" does not start the driver again: it takes "
                             "new settings at the next \"Restart\".\n";
    const std::string power = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Power";
    for (const int hiberboot : {-1, 0, 1}) {
        SCOPED_TRACE(hiberboot);
        Store();
        if (hiberboot >= 0) registry.PutValue(power, "HiberbootEnabled", 4, {std::byte(hiberboot), {}, {}, {}});
        const std::string said = hiberboot == 1 ? note : "";
        EXPECT_EQ(Run("set size=48").out, "size  64 -> 48\n" + kSaved + said);
        const ctl::Outcome check = Run("check");
        EXPECT_EQ(check.out, "No problems found in " + kPath + ".\n" + said);
        EXPECT_EQ(check.exitCode, 0);
    }
}

// init: a missing key gets the editor's defaults; an existing one is left as it is.
TEST_F(Ctl, InitCreatesAMissingKeyOnly) {
    registry.Clear();
    const std::string out = Run("init").out;
    EXPECT_TRUE(out.starts_with(kPath + " does not exist: init creates it (the editor's Save would not) and starts "
                                "from the editor's defaults.\ntype               (absent) -> hard  (a new key starts "
                                "from the editor's defaults)\n")) << out;
    const StoredValues defaults = {
        {"AutoSaveEnabled", Number(0)}, {"AutoSaveTrigger", Number(5)}, {"DiskFormatFAT32", Number(0)},
        {"DiskLabel", Text("Sarnexia")}, {"DiskType", Text("HDC")}, {"LoadImageFile", Text("")},
        {"LoadImageOnStart", Number(0)}, {"MakeTempDir", Number(0)}, {"SaveImageFile", Text("")},
        {"SaveImageOnExit", Number(0)}, {"SizeIn4kPages", Number(1280)}, {"UseDiskLabel", Number(0)},
        {"UserDriveLetter", Number(3)}};
    std::vector<platform::StoredValue> expected;
    for (const auto& [name, value] : defaults) expected.push_back(Kept(name, *value));
    EXPECT_EQ(Key(), expected);
    EXPECT_EQ(Run("init").out, kPath + " exists; init writes nothing.\n");
}

// Whatever escapes a command is an internal error, not a registry error.
struct Failing final : platform::SystemFacts {
    platform::PhysicalMemory Memory() const override { throw std::runtime_error("no memory facts"); }
    platform::FileFacts File(const std::string&) const override { return {}; }
    platform::FolderFacts Folder(const std::string&) const override { return {}; }
    platform::FreeSpace FreeSpaceFor(const std::string&) const override { return {}; }
    platform::DriveLetterHolder DriveLetter(char) const override { return {}; }
};

TEST_F(Ctl, AnInternalErrorEndsWithItsOwnCode) {
    Store();
    const Failing failing;
    const ctl::Outcome outcome = Run("check", &failing);
    EXPECT_EQ(outcome.err, "sarnexctl: internal error: no memory facts; report it, with the command\n");
    EXPECT_EQ(outcome.exitCode, 5);
}

// export and import: a true backup and restore of the key, byte for byte, in regedit's own layout, and a bad
// file refused before anything is written.
TEST_F(Ctl, ExportWritesRegeditsLayoutAndImportRestoresEveryByte) {
    const auto wide = [](std::u16string_view text) { return platform::Utf16LeBytes(text); };
    const platform::StoredValue odd[] = {
        {"", 1, wide(u"default\0"sv)}, {"Quote\"Back\\slash", 1, wide(u"C:\\\"x\"\0"sv)},
        {"New\r\nLine", 1, wide(u"a\nb\0"sv)},  // a line break in a text goes as hex, which every reader takes
        {"Inner", 1, wide(u"a\0b\0"sv)}, {"Euro", 1, wide(u"\u20AC\0"sv)}, {"Odd", 0xFFFF0000u, {std::byte{0xFF}}},
        {"Number", 4, {std::byte{0x78}, std::byte{0x56}, std::byte{0x34}, std::byte{0x12}}},
        {"Short", 4, {std::byte{1}, std::byte{2}}}, {"Nothing", 3, {}}};
    registry.Clear();
    registry.AddKey(kKey);
    for (const platform::StoredValue& value : odd) registry.PutStored(kKey, value);
    std::vector<std::byte> longer;
    for (char c : "0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdef"sv) longer.push_back(std::byte(c));
    registry.PutStored(kKey, {"Long", 3, longer});
    const auto before = Key();
    EXPECT_EQ(Run("export backup.reg").out, "Exported 10 values of " + kPath + " to backup.reg.\n");
    EXPECT_EQ(platform::Utf16LeUnits(files["backup.reg"]),
              u"\uFEFFWindows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Sarnex]\r\n"
              u"@=\"default\"\r\n\"Euro\"=\"\u20AC\"\r\n\"Inner\"=hex(1):61,00,00,00,62,00,00,00\r\n"
              u"\"Long\"=hex:30,31,32,33,34,35,36,37,38,39,61,62,63,64,65,66,67,68,69,6a,6b,6c,\\\r\n"
              u"  6d,6e,6f,70,71,72,73,74,75,76,77,78,79,7a,30,31,32,33,34,35,36,37,38,39,61,\\\r\n  62,63,64,65,66\r\n"
              u"\"New\\r\\nLine\"=hex(1):61,00,0a,00,62,00,00,00\r\n\"Nothing\"=hex:\r\n\"Number\"=dword:12345678\r\n"
              u"\"Odd\"=hex(ffff0000):ff\r\n\"Quote\\\"Back\\\\slash\"=\"C:\\\\\\\"x\\\"\"\r\n"
              u"\"Short\"=hex(4):01,02\r\n\r\n"s);
    registry.Clear();
    registry.AddKey(kKey);
    const std::string imported = Run("import backup.reg").out;
    EXPECT_NE(imported.find("\nImported 10 changes into " + kPath + ".\ncheck: DiskType: it is absent; a save leaves "
                            "it absent\n"), std::string::npos) << imported;
    EXPECT_EQ(Key(), before);
    EXPECT_EQ(Run("import backup.reg").out, "Nothing changes; nothing was written.\n");
    // A missing key starts from the editor's defaults, which the file's values then replace.
    registry.Clear();
    EXPECT_TRUE(Run("import backup.reg").out.starts_with(kPath + " does not exist: import creates it with the editor's "
                                                         "defaults.\nDiskType          (absent) -> \"HDC\"\n"));
    EXPECT_EQ(Key().size(), before.size() + 13);
}

TEST_F(Ctl, ImportSetsAndDeletesOnlyWhatTheFileNamesOrNothing) {
    const auto ansi = [](std::string_view text) {
        const auto bytes = std::as_bytes(std::span(text));
        return std::vector(bytes.begin(), bytes.end());
    };
    const std::string key = "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\Sarnex]\r\n";
    files["change.reg"] = ansi(key + "\"Old\"=-\r\n\"Missing\"=-\r\n\"MakeTempDir\"=dword:0\r\n\"DiskLabel\"=\"RAMDISK\""
                               "\r\n\"MakeTempDir\"=dword:00000001\r\n\"DiskType\"=\"FDC14\"\r\n");
    files["one.reg"] = ansi(key + "\"LoadImageOnStart\"=dword:1\r\n");
    files["bad.reg"] = ansi(key + "\"DiskType\"=\"FDC14\"\r\n\"Size\"=dword:xyz\r\n");
    const std::string changes = "Old          dword:00000001 -> (deleted)\nMakeTempDir  dword:00000001 -> "
                                "dword:00000000\nMakeTempDir  dword:00000000 -> dword:00000001\nDiskType     \"HDC\" -> "
                                "\"FDC14\"\n";
    const std::string unchanged = "; nothing was written to " + kPath + "\n";
    const std::string putBack = "; the values already written were put back" + unchanged;
    const std::string denied = ": access is denied (error 5)";
    const std::string tempDir = "check: LoadImageOnStart: the TEMP directory excludes loading an image; the editor "
                                "would save off\n";
    const StoredValues old = {{"Old", Number(1)}};
    Expect({
        {old, "import change.reg --dry-run", 0, changes + "Dry run: nothing was written.\n", {}},
        {old, "import change.reg", 0, changes + "Imported 4 changes into " + kPath + ".\n",
         {{"Old", std::nullopt}, {"DiskType", Text("FDC14")}}},
        {{}, "import one.reg --dry-run", 0, "LoadImageOnStart  dword:00000000 -> dword:00000001\nDry run: nothing was "
         "written.\n" + tempDir, {}},
        {{}, "import one.reg --strict", 1, "LoadImageOnStart  dword:00000000 -> dword:00000001\n" + tempDir +
         "sarnexctl: --strict: check finds the settings above" + unchanged, {}},
        {{}, "import one.reg", 0, "LoadImageOnStart  dword:00000000 -> dword:00000001\nImported 1 change into " + kPath +
         ".\n" + tempDir, {{"LoadImageOnStart", Number(1)}}},
        {old, "import change.reg", 3, "sarnexctl: cannot write DiskType" + denied + putBack, {},
         [](MemoryRegistry& r) { r.FailSet(kKey, "DiskType", 5); }},
        {old, "import change.reg", 3, "sarnexctl: cannot write Old" + denied + putBack, {},
         [](MemoryRegistry& r) { r.FailSet(kKey, "Old", 5); }},
        {{}, "import change.reg", 4, "sarnexctl: no right to write " + kPath + ": run sarnexctl from an elevated prompt "
         "(Run as administrator)" + unchanged, {}, [](MemoryRegistry& r) { r.DenySet(kKey); }},
        {{}, "import change.reg", 3, "sarnexctl: cannot read " + kPath + denied + unchanged, {},
         [](MemoryRegistry& r) { r.FailOpen(kKey, 5); }},
        {{}, "import bad.reg", 2, "sarnexctl: bad.reg, line 4, column 14: dword: takes 1 to 8 hex digits" + unchanged, {}},
        {{}, "import none.reg", 2,
         "sarnexctl: cannot read none.reg: The system cannot find the file specified. (error 2)" + unchanged, {}},
        {{}, "export Q:\\x.reg", 2, "sarnexctl: cannot write Q:\\x.reg: The system cannot find the path specified. "
         "(error 3); the registry was not changed\n", {}},
        {{}, "export x.reg", 3, "sarnexctl: cannot read " + kPath + denied + "; no file was written\n", {},
         [](MemoryRegistry& r) { r.FailOpen(kKey, 5); }},
    });
    EXPECT_FALSE(files.contains("x.reg"));
    Store();
    const ctl::Outcome empty = ctl::Run({"import", ""}, {{registry, codePage, facts, {1, 0, 7}}, files});
    EXPECT_EQ(empty.err, "sarnexctl: import needs the name of a .reg file, not an empty one" + unchanged);
    // A file that empties the key: check looks at the empty key, not at a missing one.
    registry.Clear();
    registry.PutStored(kKey, {"Old", 4, {std::byte{1}, {}, {}, {}}});
    files["gone.reg"] = ansi(key + "\"Old\"=-\r\n");
    const std::string emptied = Run("import gone.reg --dry-run").out;
    EXPECT_NE(emptied.find("check: DiskType: it is absent; a save leaves it absent\n"), std::string::npos) << emptied;
}

}  // namespace
}  // namespace sarnex::testing
