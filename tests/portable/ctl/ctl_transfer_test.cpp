// export and import: a true backup and restore of the key, byte for byte, in regedit's own layout, and a bad
// file refused before anything is written.
#include "ctl_fixture.h"

namespace sarnex::testing {
namespace {

using namespace std::literals;

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
    const auto ansi = [](const std::string& text) {
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

}  // namespace
}  // namespace sarnex::testing
