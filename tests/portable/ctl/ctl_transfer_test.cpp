// export and import: a true backup and restore of the key, byte for byte, and a bad file refused
// before anything is written.
#include "ctl_fixture.h"
#include "platform/code_page_utf8.h"

namespace sarnex::testing {
namespace {

using namespace std::string_view_literals;

std::vector<platform::StoredValue> Kept(MemoryRegistry& registry) {
    std::vector<platform::StoredValue> values;
    auto [status, key] = platform::RegistryKey::Open(registry, "Software\\Sarnex", platform::KeyAccess::Query);
    key.ReadStored(values);
    return values;
}

std::vector<std::byte> Ansi(std::string_view text) {
    const auto* data = reinterpret_cast<const std::byte*>(text.data());
    return {data, data + text.size()};
}

TEST_F(CtlTest, ExportAndImportRestoreEveryByte) {
    Store(TypicalRecord());
    PutText(registry, "DiskLabel", "no terminator");
    registry.PutValue(kKey, "SizeIn4kPages", 4, {std::byte{1}, std::byte{2}});
    registry.PutStored(kKey, {"Extra", 0xFFFF0000u, Ansi("\x01\x02"sv)});
    registry.PutStored(kKey, {"Wide", 1, platform::Utf16LeBytes(u"\u4E2D\0"sv)});
    const auto before = Kept(registry);
    EXPECT_EQ(Run({"export", "backup.reg"}).out,
              "Exported 15 values of HKEY_LOCAL_MACHINE\\Software\\Sarnex to backup.reg.\n");

    MemoryRegistry fresh;
    ctl::Outcome imported = ctl::Run({"import", "backup.reg"}, {fresh, codePage, files, facts, {1, 0, 7}});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_TRUE(imported.out.starts_with("HKEY_LOCAL_MACHINE\\Software\\Sarnex does not exist: import creates it.\n"
                                         "AutoSaveEnabled   (absent) -> dword:00000000\n"))
        << imported.out;
    EXPECT_NE(imported.out.find("\nImported 15 changes into HKEY_LOCAL_MACHINE\\Software\\Sarnex.\n"
                                "check: SizeIn4kPages: it has 2 bytes, not 4; the editor would save 2.00390625\n"
                                "check: DiskLabel: it is not a plain text ending in one zero character; the editor "
                                "would save \"no terminator\"\n"),
              std::string::npos)
        << imported.out;
    EXPECT_EQ(Kept(fresh), before);
    EXPECT_EQ(ctl::Run({"import", "backup.reg"}, {fresh, codePage, files, facts, {1, 0, 7}}).out,
              "Nothing changes; nothing was written.\n");
}

TEST_F(CtlTest, ImportSetsAndDeletesOnlyWhatTheFileNames) {
    Store(TypicalRecord());
    registry.PutStored(kKey, {"Old", 4, Ansi("\x01\0\0\0"sv)});
    files.files["change.reg"] = Ansi(
        "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Sarnex]\r\n\"Old\"=-\r\n\"Missing\"=-\r\n\"MakeTempDir\"=dword:0\r\n"
        "\"DiskLabel\"=\"Sarnexia\"\r\n\"MakeTempDir\"=dword:00000001\r\n\"DiskType\"=\"FDC14\"\r\n");
    const ctl::Outcome dryRun = Run({"import", "change.reg", "--dry-run"});
    EXPECT_EQ(dryRun.out, "Old          dword:00000001 -> (deleted)\n"
                          "MakeTempDir  dword:00000001 -> dword:00000000\n"
                          "MakeTempDir  dword:00000000 -> dword:00000001\n"
                          "DiskType     \"HDC\" -> \"FDC14\"\n"
                          "Dry run: nothing was written.\n");
    EXPECT_TRUE(Kept(registry).size() == 14);

    EXPECT_EQ(Run({"import", "change.reg"}).exitCode, 0);
    EXPECT_FALSE(registry.GetStored(kKey, "Old").has_value());
    EXPECT_EQ(Stored().DiskType, "FDC14");
    EXPECT_EQ(Stored().MakeTempDir, 1);

    Store(TypicalRecord());
    registry.PutStored(kKey, {"Old", 4, Ansi("\x01\0\0\0"sv)});
    registry.FailSet(kKey, "DiskType", registry_status::kAccessDenied);
    const ctl::Outcome refused = Run({"import", "change.reg"});
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_EQ(refused.err, "sarnexctl: cannot write DiskType: access is denied (error 5); the values already written "
                           "were put back; nothing was written to HKEY_LOCAL_MACHINE\\Software\\Sarnex\n");
    EXPECT_TRUE(registry.GetStored(kKey, "Old").has_value());
    EXPECT_EQ(Stored(), TypicalRecord());
    registry.FailSet(kKey, "Old", registry_status::kAccessDenied);
    EXPECT_EQ(Run({"import", "change.reg"}).err, "sarnexctl: cannot write Old: access is denied (error 5); the values "
                                                 "already written were put back; nothing was written to "
                                                 "HKEY_LOCAL_MACHINE\\Software\\Sarnex\n");
}

TEST_F(CtlTest, ABadFileOrAMissingKeyChangesNothing) {
    Store(TypicalRecord());
    files.files["bad.reg"] = Ansi("REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Sarnex]\r\n\"DiskType\"=\"FDC14\"\r\n"
                                  "\"Size\"=dword:xyz\r\n");
    registry.ClearOperations();
    const ctl::Outcome bad = Run({"import", "bad.reg"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.err, "sarnexctl: bad.reg, line 4, column 14: dword: takes 1 to 8 hex digits; nothing was written to "
                       "HKEY_LOCAL_MACHINE\\Software\\Sarnex\n");
    EXPECT_TRUE(registry.Operations().empty());
    EXPECT_EQ(Run({"import", "none.reg"}).err,
              "sarnexctl: cannot read none.reg: The system cannot find the file specified. (error 2); nothing was "
              "written to HKEY_LOCAL_MACHINE\\Software\\Sarnex\n");
    EXPECT_EQ(Run({"export", "Q:\\x.reg"}).err,
              "sarnexctl: cannot write Q:\\x.reg: The system cannot find the path specified. (error 3); the registry was not "
              "changed\n");
    EXPECT_EQ(Run({"export", "Q:\\x.reg"}).exitCode, 2);

    files.files["good.reg"] = Ansi("REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Software\\Sarnex]\r\n\"DiskType\"=\"FDC14\"\r\n");
    registry.DenySet(kKey);
    EXPECT_EQ(Run({"import", "good.reg"}).err, "sarnexctl: cannot write HKEY_LOCAL_MACHINE\\Software\\Sarnex: access is "
                                               "denied (error 5); nothing was written to "
                                               "HKEY_LOCAL_MACHINE\\Software\\Sarnex\n");
    registry.FailOpen(kKey, registry_status::kAccessDenied);
    const ctl::Outcome unreadable = Run({"export", "x.reg"});
    EXPECT_EQ(unreadable.exitCode, 3);
    EXPECT_EQ(unreadable.err, "sarnexctl: cannot read HKEY_LOCAL_MACHINE\\Software\\Sarnex: access is denied (error "
                              "5); no file was written\n");
    EXPECT_EQ(files.files.count("x.reg"), 0u);
    EXPECT_EQ(Run({"import", "good.reg"}).exitCode, 3);
    EXPECT_EQ(Stored(), config::DriverConfiguration{});
}

}  // namespace
}  // namespace sarnex::testing
