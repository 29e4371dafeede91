// show and check: the settings as the editor would show them, the stored bytes, and every kind of
// stored value the editor would read otherwise or change.
#include <functional>

#include "ctl_fixture.h"
#include "editor/save_checks.h"
#include "platform/code_page_utf8.h"

namespace sarnex::testing {
namespace {

using namespace std::string_view_literals;

TEST_F(CtlTest, ShowListsTheSettingsAndTheStoredBytes) {
    Store(TypicalRecord());
    registry.PutValue(kKey, "AutoSaveTrigger", 3, {std::byte{5}});
    PutText(registry, "DiskLabel", "RAM");  // no terminator
    const ctl::Outcome outcome = Run({"show"});
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.out,
              "Settings, as the editor shows them:\n"
              "  type        hard\n  size        64\n  letter      auto\n  fat32       on\n  load-image  off\n"
              "  load-file   C:\\load.img\n  save-image  on\n  save-file   C:\\save.img\n  autosave    off\n"
              "  temp-dir    on\n  label       off\n"
              "Stored values in HKEY_LOCAL_MACHINE\\Software\\Sarnex:\n"
              "  DiskType          REG_SZ     48 00 44 00 43 00 00 00\n"
              "  LoadImageOnStart  REG_DWORD  00 00 00 00\n"
              "  LoadImageFile     REG_SZ     43 00 3a 00 5c 00 6c 00 6f 00 61 00 64 00 2e 00 69 00 6d 00 67 00 00 00\n"
              "  SaveImageOnExit   REG_DWORD  01 00 00 00\n"
              "  SaveImageFile     REG_SZ     43 00 3a 00 5c 00 73 00 61 00 76 00 65 00 2e 00 69 00 6d 00 67 00 00 00\n"
              "  SizeIn4kPages     REG_DWORD  00 40 00 00\n"
              "  AutoSaveEnabled   REG_DWORD  00 00 00 00\n"
              "  DiskFormatFAT32   REG_DWORD  01 00 00 00\n"
              "  AutoSaveTrigger   REG_BINARY 05\n"
              "    ! AutoSaveTrigger: it is a REG_BINARY, not a REG_DWORD; the editor would save 20\n"
              "  UserDriveLetter   REG_DWORD  04 00 00 00\n"
              "  MakeTempDir       REG_DWORD  01 00 00 00\n"
              "  UseDiskLabel      REG_DWORD  00 00 00 00\n"
              "  DiskLabel         REG_SZ     52 00 41 00 4d 00\n"
              "    ! DiskLabel: it is not a plain text ending in one zero character; the editor would save \"RAM\"\n");
}

TEST_F(CtlTest, ShowAsJson) {
    registry.AddKey(kKey);
    PutText(registry, "DiskType", "FDC14\0"sv);
    PutText(registry, "LoadImageFile", "\"C:\\\xE9\"\0"sv);
    const std::string json = Run({"show", "--json"}).out;
    EXPECT_TRUE(json.starts_with("{\"settings\":{\"type\":\"floppy1.44\",\"size\":\"0\",\"letter\":\"auto\",\"fat32\":"
                                 "\"off\",\"load-image\":\"off\",\"load-file\":\"\\\"C:\\\\\\u00e9\\\"\","))
        << json;
    EXPECT_NE(json.find("},\"values\":{\"DiskType\":{\"type\":\"REG_SZ\",\"hex\":\"460044004300310034000000\"},"
                        "\"LoadImageOnStart\":null,"),
              std::string::npos)
        << json;
    EXPECT_TRUE(json.ends_with(",\"DiskLabel\":null},\"problems\":[\"LoadImageOnStart: it is absent; the editor would "
                               "save off\",\"SaveImageOnExit: it is absent; the editor would save off\",\"SaveImageFile: "
                               "it is absent; the editor would save \\\"Text2\\\"\",\"SizeIn4kPages: it is absent; the "
                               "editor would save 0\",\"DiskFormatFAT32: it is absent; the editor would save off\","
                               "\"AutoSaveEnabled: it is absent; the editor would save off\",\"AutoSaveTrigger: it is "
                               "absent; the editor would save 0\",\"UserDriveLetter: it is absent; the editor would save "
                               "auto (T)\",\"MakeTempDir: it is absent; the editor would save off\",\"DiskLabel: it is "
                               "absent; the editor would save \\\"Text4\\\"\",\"UseDiskLabel: it is absent; the editor "
                               "would save off\"]}\n"))
        << json;
}

struct CheckCase {
    const char* name;
    std::function<void(MemoryRegistry&)> store;  // over the typical record
    std::string finding;
};

class CtlCheck : public CtlTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CtlCheck, FindsWhatTheEditorWouldChange) {
    Store(TypicalRecord());
    GetParam().store(registry);
    const ctl::Outcome outcome = Run({"check"});
    EXPECT_EQ(outcome.out, GetParam().finding + "\n");
    EXPECT_EQ(outcome.exitCode, 1);
    const std::string json = Run({"check", "--json"}).out;
    EXPECT_EQ(json.starts_with("{\"problems\":[\"") && json.ends_with("\"]}\n"), true) << json;
}

constexpr std::string_view kSarnex = "Software\\Sarnex";

const CheckCase kChecks[] = {
    {"Absent", [](MemoryRegistry& r) { platform::RegistryKey::Open(r, kSarnex, platform::KeyAccess::Set).second.Delete("MakeTempDir"); },
     "MakeTempDir: it is absent; the editor would save off"},
    {"WrongType", [](MemoryRegistry& r) { PutText(r, "MakeTempDir", "1\0"sv); },
     "MakeTempDir: it is a REG_SZ, not a REG_DWORD; the editor would save off"},
    {"UnknownType", [](MemoryRegistry& r) { r.PutValue(kSarnex, "UseDiskLabel", 12, std::vector<std::byte>(4)); },
     "UseDiskLabel: it is a type 0x0000000C, not a REG_DWORD; the editor would save off"},
    {"EightBytes", [](MemoryRegistry& r) { r.PutValue(kSarnex, "UseDiskLabel", 4, std::vector<std::byte>(8)); },
     "UseDiskLabel: it has 8 bytes, not 4; the editor would save off"},
    {"FlagOfTwo", [](MemoryRegistry& r) { PutNumber(r, "SaveImageOnExit", 2); },
     "SaveImageOnExit: a flag is 0 or 1, not 2; the editor would save off"},
    {"UnknownDiskType", [](MemoryRegistry& r) { PutText(r, "DiskType", "hdc\0"sv); },
     "DiskType: \"hdc\" is not one of the disk types HDC, FDC14, FDC28; the editor would save hard"},
    {"EmptyDiskType", [](MemoryRegistry& r) { PutText(r, "DiskType", "\0"sv); },
     "DiskType: it is empty, which the editor takes as a hard disk; the editor would save hard"},
    {"LetterOutsideDToZ", [](MemoryRegistry& r) { PutNumber(r, "UserDriveLetter", 0x01000002); },
     "UserDriveLetter: it is not a drive letter from D to Z; the editor would save D"},
    {"SizeOutOfRange", [](MemoryRegistry& r) { PutNumber(r, "SizeIn4kPages", 1279); },
     "SizeIn4kPages: 4.99609375 MB is outside 5 to 2048 MB"},
    {"IntervalOutOfRange", [](MemoryRegistry& r) { PutNumber(r, "AutoSaveTrigger", 8192); },
     "AutoSaveTrigger: 32768 seconds is outside 20 to 32767 seconds"},
    {"LoadingWithALabel", [](MemoryRegistry& r) { PutNumber(r, "LoadImageOnStart", 1); PutNumber(r, "MakeTempDir", 0); PutNumber(r, "UseDiskLabel", 1); },
     "LoadImageOnStart: a disk label excludes loading an image; the editor would save off"},
    {"TextTooLongForTheEditor", [](MemoryRegistry& r) { PutText(r, "LoadImageFile", std::string(255, 'x') + '\0'); },
     "LoadImageFile: it is longer than the 254 characters the editor reads; the editor would save \"Text1\""},
    {"TextTheCodePageCannotHold",
     [](MemoryRegistry& r) { r.PutStored(kSarnex, platform::StoredValue{"DiskLabel", 1, platform::Utf16LeBytes(u"\u4E2D\0"sv)}); },
     "DiskLabel: the editor reads it otherwise than it stands; the editor would save \"?\""},
};

INSTANTIATE_TEST_SUITE_P(Cases, CtlCheck, ::testing::ValuesIn(kChecks), [](const auto& info) { return info.param.name; });

TEST_F(CtlTest, CheckAndADryRunTellWhatTheDriverWouldFailAt) {
    Store(TypicalRecord());
    facts.memory = {48 * kMegabyte, 40 * kMegabyte, {}};
    const std::string finding = editor::CheckSettings(TypicalRecord(), facts).at(0);
    EXPECT_EQ(Run({"check"}).out, finding + "\n");
    EXPECT_EQ(Run({"check"}).exitCode, 1);
    config::DriverConfiguration smaller = TypicalRecord();
    smaller.SizeIn4kPages = 48 * 256;
    EXPECT_EQ(Run({"set", "size=48", "--dry-run"}).out, "size  64 -> 48\nDry run: nothing was written.\nwarning: " +
                                                            editor::CheckSettings(smaller, facts).at(0) + "\n");
}

TEST_F(CtlTest, CheckFindsNothingInAWellFormedKeyAndAMissingKeyIsARegistryError) {
    config::DriverConfiguration floppy = TypicalRecord();
    floppy.DiskType = "FDC28";
    floppy.SizeIn4kPages = 360;  // a floppy's size is not the editor's business
    Store(floppy);
    EXPECT_EQ(Run({"check"}).out, "No problems found in HKEY_LOCAL_MACHINE\\Software\\Sarnex.\n");
    EXPECT_EQ(Run({"check", "--json"}).out, "{\"problems\":[]}\n");
    EXPECT_EQ(Run({"check"}).exitCode, 0);
    config::DriverConfiguration smallest = TypicalRecord();
    smallest.SizeIn4kPages = 1280;    // 5 MB
    smallest.AutoSaveTrigger = 8191;  // 32764 seconds
    Store(smallest);
    EXPECT_EQ(Run({"check"}).exitCode, 0) << Run({"check"}).out;

    registry.FailOpen(kKey, registry_status::kNotFound);
    for (const char* command : {"show", "check"}) {
        const ctl::Outcome outcome = Run({command});
        EXPECT_EQ(outcome.exitCode, 3);
        EXPECT_EQ(outcome.err, "sarnexctl: cannot read HKEY_LOCAL_MACHINE\\Software\\Sarnex: it does not exist (error "
                               "2); nothing was changed\n");
    }
}

}  // namespace
}  // namespace sarnex::testing
