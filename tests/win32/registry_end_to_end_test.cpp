// The editor on the real registry through real windows: bytes stored by advapi32 are what the
// windows show, and an edit saved through the windows is stored with the driver's types and bytes.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/advapi32_registry.h"
#include "platform/win32/ansi_code_page.h"
#include "shared/stored_values.h"
#include "win32/win32_program.h"

namespace sarnex::testing {
namespace {

using RealProgram = Win32Program<win32::Advapi32Registry, win32::AnsiCodePage>;

void Store(const StoredValues& values) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey.data(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), 0);
    for (const auto& [name, value] : values)
        if (value)
            RegSetValueExA(key, name.c_str(), 0, value->type, reinterpret_cast<const BYTE*>(value->bytes.data()),
                           static_cast<DWORD>(value->bytes.size()));
    RegCloseKey(key);
}

std::optional<StoredValue> Read(const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey.data(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
    char buffer[512];
    DWORD type = 0, size = sizeof buffer;
    const LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    return StoredValue{type, std::string(buffer, size)};
}

class RegistryEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey.data()); }
    void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey.data()); }
};

TEST_F(RegistryEndToEnd, StoredBytesAreWhatTheWindowsShow) {
    Store(With(TypicalRecord(), {{"DiskType", Text("FDC14")}, {"LoadImageOnStart", Number(1)}, {"MakeTempDir", Number(0)},
                                 {"UseDiskLabel", Number(0)}, {"SizeIn4kPages", Number(360)},
                                 {"LoadImageFile", Text("C:\\Bilder\\Gr\xF6\xDF" "e.img")},
                                 {"UserDriveLetter", Number(16777240)}, {"DiskLabel", Raw(1, std::string("AB\0CD", 5))}}));
    RealProgram p;
    editor::Editor& e = p.ShowEditor();
    EXPECT_EQ(p.Shown(e.diskTypeList), "1.44MB Floppy");
    EXPECT_EQ(p.Shown(e.versionLabel), "Version 1.0.41");
    EXPECT_TRUE(p.Ticked(e.loadImageCheck));
    EXPECT_TRUE(p.Usable(e.loadImageFileBox));
    EXPECT_EQ(p.Shown(e.loadImageFileBox), "C:\\Bilder\\Gr\xC3\xB6\xC3\x9F" "e.img");
    EXPECT_EQ(p.Shown(e.diskSizeBox), " 1.40625");
    EXPECT_FALSE(p.Usable(e.diskSizeBox));
    EXPECT_EQ(p.Shown(e.autoSaveIntervalBox), " 60");
    EXPECT_EQ(p.Shown(e.driveLetterBox), "Y");
    EXPECT_EQ(p.Shown(e.volumeLabelBox), "ABCD");
    EXPECT_FALSE(p.Usable(e.volumeLabelBox));
    EXPECT_EQ(p.runtime.ExistingInstance<notices::RegistryReadFailedNotice>(), nullptr);
}

TEST_F(RegistryEndToEnd, AnEditSavedThroughTheWindowsIsStoredByteForByte) {
    Store(TypicalRecord());
    RealProgram p;
    editor::Editor& e = p.ShowEditor();
    p.user.Retype(e.diskSizeBox, "100.7");
    p.user.Click(e.driveLetterCheck);
    p.user.Retype(e.saveImageFileBox, "C:\\saved image \xE2\x82\xAC.img");
    p.user.Retype(e.volumeLabelBox, "NEW LABEL");
    p.user.Retype(e.autoSaveIntervalBox, "22");
    p.user.Click(e.saveButton);
    EXPECT_EQ(p.Shown(e.diskSizeBox), " 100");
    EXPECT_EQ(p.runtime.ExistingInstance<notices::RegistrySaveFailedNotice>(), nullptr);
    const StoredValues expected = With(TypicalRecord(), {{"SizeIn4kPages", Number(25600)}, {"UserDriveLetter", Number(18)},
                                                         {"SaveImageFile", Text("C:\\saved image \x80.img")},
                                                         {"DiskLabel", Text("NEW LABEL")}, {"AutoSaveTrigger", Number(6)}});
    for (const auto& [name, value] : expected) EXPECT_EQ(Read(name), value) << name;
}

TEST_F(RegistryEndToEnd, AMissingKeyIsNeverCreated) {
    RealProgram p;
    editor::Editor& e = p.ShowEditor();
    EXPECT_NE(p.runtime.ExistingInstance<notices::RegistryReadFailedNotice>(), nullptr);
    EXPECT_EQ(p.Shown(e.volumeLabelBox), "Sarnexia");
    p.user.Click(e.okButton);
    EXPECT_TRUE(IsWindowVisible(p.host.WindowOf(*p.runtime.ExistingInstance<notices::RegistrySaveFailedNotice>())));
    EXPECT_TRUE(e.Loaded()) << "OK keeps the editor when nothing could be saved";
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey.data(), 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
}

}  // namespace
}  // namespace sarnex::testing
