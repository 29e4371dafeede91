// sarnexctl.exe as administrators run it, on the real registry: the bytes a set writes, a refused set
// that writes nothing, check finding what the driver would fail at, and round trips with Wine's own
// regedit in both directions.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/code_page_utf8.h"
#include "platform/win32/advapi32_registry.h"
#include "win32/real_system.h"

namespace sarnex::testing {
namespace {

using namespace std::string_view_literals;
using Value = platform::StoredValue;

Ran Ctl(const std::string& arguments) { return Run("\"" SARNEX_CTL_PATH "\" " + arguments); }

// The key's values byte for byte, as the wide calls see them.
std::vector<Value> Kept() {
    win32::Advapi32Registry registry;
    std::vector<Value> values;
    auto [status, key] = platform::RegistryKey::Open(registry, kKey, platform::KeyAccess::Query);
    EXPECT_EQ(key.ReadStored(values), 0);
    std::sort(values.begin(), values.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return values;
}
void Keep(const std::vector<Value>& values) {
    win32::Advapi32Registry registry;
    ASSERT_EQ(registry.CreateKey(kKey), 0);
    auto [status, key] = platform::RegistryKey::Open(registry, kKey, platform::KeyAccess::Set);
    for (const Value& value : values) ASSERT_EQ(key.SetStored(value), 0) << value.name;
}
std::vector<std::byte> Bytes(std::string_view bytes) {
    const auto* data = reinterpret_cast<const std::byte*>(bytes.data());
    return {data, data + bytes.size()};
}
std::vector<std::byte> Wide(std::u16string_view text) { return platform::Utf16LeBytes(text); }

class Sarnexctl : public ::testing::Test {
protected:
    void SetUp() override { ReplaceKey(std::nullopt); }
    void TearDown() override {
        ReplaceKey(std::nullopt);
        for (const std::string& file : {ours, theirs}) DeleteFileW(win32::Widen(file).c_str());
    }
    // Values Wine's regedit both writes and reads exactly: plain texts and numbers, the other types as hex.
    void KeepPlainValues() {
        Keep({{"DiskType", 1, Wide(u"HDC\0"sv)}, {"SizeIn4kPages", 4, Bytes("\x00\x40\x00\x00"sv)},
              {"", 1, Wide(u"default\0"sv)}, {"Quote\"Back\\slash", 1, Wide(u"C:\\\"caf\u00E9\" \u20AC\0"sv)},
              {"Extra", 3, Bytes("0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdefghijklmnopqrstuvwxyz"sv)},
              {"Expand", 2, Wide(u"%TEMP%\\x\0"sv)}, {"Multi", 7, Wide(u"a\0b\0\0"sv)},
              {"Unknown", 0xFFFF0000u, Bytes("\x01"sv)}, {"Nothing", 3, {}}});
    }
    const std::string ours = TempPath("sarnex ours.reg"), theirs = TempPath("sarnex theirs.reg");
};

TEST_F(Sarnexctl, SetWritesTheDriversBytesAndARefusedSetWritesNothing) {
    EXPECT_EQ(Ctl("show").exitCode, 3) << "no key: a registry error";
    ASSERT_EQ(Ctl("set type=hard size=48 letter=r \"label=RAM DISK\" autosave=60").exitCode, 0);
    const auto written = Kept();
    const auto find = [&](std::string_view name) {
        return *std::find_if(written.begin(), written.end(), [&](const auto& v) { return v.name == name; });
    };
    EXPECT_EQ(find("SizeIn4kPages"), (Value{"SizeIn4kPages", 4, Bytes("\x00\x30\x00\x00"sv)}));
    EXPECT_EQ(find("UserDriveLetter"), (Value{"UserDriveLetter", 4, Bytes("\x11\x00\x00\x01"sv)}));
    EXPECT_EQ(find("AutoSaveTrigger"), (Value{"AutoSaveTrigger", 4, Bytes("\x0f\x00\x00\x00"sv)}));
    EXPECT_EQ(find("SaveImageOnExit"), (Value{"SaveImageOnExit", 4, Bytes("\x01\x00\x00\x00"sv)}));
    EXPECT_EQ(find("DiskLabel"), (Value{"DiskLabel", 1, Wide(u"RAM DISK\0"sv)}));
    EXPECT_EQ(written.size(), 13u);

    const Ran refused = Ctl("set fat32=on size=32 load-image=on");
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.output, "sarnexctl: refused: fat32=on: FAT32 is available only above 32 MB\r\n"
                              "sarnexctl: nothing was written to HKEY_LOCAL_MACHINE\\Software\\Sarnex\r\n");
    EXPECT_EQ(Kept(), written);
}

TEST_F(Sarnexctl, CheckFindsAnImageLargerThanTheDisk) {
    const std::string image = TempPath("sarnex ctl.img");
    CreateSizedFile(image, 5242881);
    ASSERT_EQ(Ctl("set type=hard size=5 load-image=on \"load-file=" + image + "\"").exitCode, 0);
    const Ran check = Ctl("check");
    DeleteFileW(win32::Widen(image).c_str());
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_EQ(check.output, "The image file to load, \"" + image +
                                "\", is larger than the disk: 5,242,881 bytes against 5,242,880 bytes.\r\n");
}

TEST_F(Sarnexctl, ExportIsWhatRegeditWritesAndRegeditImportsItByteForByte) {
    KeepPlainValues();
    ASSERT_EQ(Ctl("export \"" + ours + "\"").exitCode, 0);
    ASSERT_EQ(Regedit("/E \"" + theirs + "\" HKEY_LOCAL_MACHINE\\Software\\Sarnex").exitCode, 0);
    EXPECT_EQ(FileBytes(ours), FileBytes(theirs));

    // Values regedit could not write itself, but reads exactly: a text with a zero inside, a short number.
    Keep({{"Inner", 1, Wide(u"a\0b\0"sv)}, {"Short", 4, Bytes("\x01\x02"sv)}});
    const auto before = Kept();
    ASSERT_EQ(Ctl("export \"" + ours + "\"").exitCode, 0);
    ReplaceKey(std::nullopt);
    ASSERT_EQ(Regedit("/S \"" + ours + "\"").exitCode, 0);
    EXPECT_EQ(Kept(), before);
}

TEST_F(Sarnexctl, WhatRegeditExportsIsImportedByteForByte) {
    KeepPlainValues();
    const auto before = Kept();
    ASSERT_EQ(Regedit("/E \"" + theirs + "\" HKEY_LOCAL_MACHINE\\Software\\Sarnex").exitCode, 0);
    ReplaceKey(std::nullopt);
    const Ran imported = Ctl("import \"" + theirs + "\"");
    EXPECT_EQ(imported.exitCode, 0) << imported.output;
    EXPECT_EQ(Kept(), before);
}

}  // namespace
}  // namespace sarnex::testing
