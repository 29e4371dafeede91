// advapi32 under the editor: the registry contract on a test key of its own, and the driver's key
// read into the windows and saved from them, byte for byte through the ANSI calls.
#include "shared/registry_contract.h"

#include "notices/registry_notices.h"
#include "platform/win32/advapi32_registry.h"
#include "platform/win32/ansi_code_page.h"
#include "win32/real_windows.h"

namespace sarnex::registry_contract {
namespace {

struct Advapi32RegistryEnvironment {
    Advapi32RegistryEnvironment() { testing::ReplaceKey(testing::StoredValues{}, KeyPath()); }
    ~Advapi32RegistryEnvironment() { testing::ReplaceKey(std::nullopt, "Software\\SarnexTest"); }

    platform::Registry& Registry() { return registry; }
    const platform::CodePage& CodePage() const { return codePage; }
    std::string KeyPath() const { return "Software\\SarnexTest\\Contract"; }
    std::string MissingKeyPath() const { return "Software\\SarnexTest\\Missing"; }

    win32::Advapi32Registry registry;
    win32::AnsiCodePage codePage;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Advapi32, RegistryContract, Advapi32RegistryEnvironment);

}  // namespace
}  // namespace sarnex::registry_contract

namespace sarnex::testing {
namespace {

using RealProgram = Win32Program<win32::Advapi32Registry, win32::AnsiCodePage>;

class RegistryEndToEnd : public ::testing::Test {
protected:
    void TearDown() override { ReplaceKey(std::nullopt); }
};

TEST_F(RegistryEndToEnd, StoredBytesAreWhatTheWindowsShow) {
    ReplaceKey(With(TypicalRecord(), {{"DiskType", Text("FDC14")}, {"LoadImageOnStart", Number(1)},
                                      {"MakeTempDir", Number(0)}, {"UseDiskLabel", Number(0)}, {"SizeIn4kPages", Number(360)},
                                      {"LoadImageFile", Text("C:\\Bilder\\Gr\xF6\xDF" "e.img")},
                                      {"UserDriveLetter", Number(16777240)}, {"DiskLabel", Raw(1, {"AB\0CD", 5})}}));
    RealProgram p;
    editor::Editor& e = p.ShowEditor();
    EXPECT_EQ(p.runtime.ExistingInstance<notices::RegistryReadFailedNotice>(), nullptr);
    EXPECT_EQ(p.Shown(e.diskTypeList), "1.44MB Floppy");
    EXPECT_EQ(p.Shown(e.diskSizeBox), " 1.40625");
    EXPECT_EQ(SendMessageW(p.host.WindowOf(e.loadImageCheck), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(p.Shown(e.loadImageFileBox), "C:\\Bilder\\Gr\xC3\xB6\xC3\x9F" "e.img");
    EXPECT_EQ(p.Shown(e.driveLetterBox), "Y");
    EXPECT_EQ(p.Shown(e.volumeLabelBox), "ABCD");
}

TEST_F(RegistryEndToEnd, AnEditSavedThroughTheWindowsIsStoredByteForByte) {
    ReplaceKey(TypicalRecord());
    RealProgram p;
    editor::Editor& e = p.ShowEditor();
    p.user.Retype(e.diskSizeBox, "100.7");
    p.user.Click(e.driveLetterCheck);
    p.user.Retype(e.saveImageFileBox, "C:\\saved image \xE2\x82\xAC.img");
    p.user.Retype(e.volumeLabelBox, "NEW LABEL");
    p.user.Retype(e.autoSaveIntervalBox, "22");
    p.user.Click(e.saveButton);
    EXPECT_EQ(p.Shown(e.diskSizeBox), " 100");
    EXPECT_EQ(ReadKey(), With(TypicalRecord(), {{"SizeIn4kPages", Number(25600)}, {"UserDriveLetter", Number(18)},
                                                {"SaveImageFile", Text("C:\\saved image \x80.img")},
                                                {"DiskLabel", Text("NEW LABEL")}, {"AutoSaveTrigger", Number(6)}}));
}

}  // namespace
}  // namespace sarnex::testing
