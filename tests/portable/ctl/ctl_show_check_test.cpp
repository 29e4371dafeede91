// show and check: the settings as the editor would show them, the stored bytes, and every kind of stored
// value the editor would read otherwise or change.
#include "ctl_fixture.h"

namespace sarnex::testing {
namespace {

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
        {"DiskType=hdc", "check", 1,
         "DiskType: \"hdc\" is not one of the disk types HDC, FDC14, FDC28" + would + "hard\n", ""},
        {"DiskType=", "check", 1,
         "DiskType: it is empty, which the editor takes as a hard disk" + would + "hard\n", ""},
        {"UserDriveLetter=0x01000002", "check", 1, letter + "D\n", ""},
        {"UserDriveLetter=0x02000004 AutoSaveTrigger=8192", "check", 1,
         "AutoSaveTrigger: 32768 seconds is outside 20 to 32767 seconds\n" + letter + "E\n", ""},
        {"LoadImageOnStart=1 MakeTempDir=0 UseDiskLabel=1", "check", 1,
         "LoadImageOnStart: a disk label excludes loading an image" + would + "off\n", ""},
        {"LoadImageOnStart=1 MakeTempDir=0", "check", 1,
         "The image file to load, \"C:\\load.img\", does not exist.\n", ""},
        {"LoadImageFile=" + std::string(255, 'x'), "check", 1,
         "LoadImageFile: it is longer than the 254 characters the editor reads" + would + "\"Text1\"\n", ""},
        {"DiskLabel=\xE4\xB8\xAD", "check", 1,
         "DiskLabel: the editor reads it otherwise than it stands" + would + "\"?\"\n", ""},
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

}  // namespace
}  // namespace sarnex::testing
