// The driver's key locked by its security descriptor, everyone may read and nobody write, as an
// administrator may lock it; Wine's registry honours it. The editor loads the key; "Save" and "OK"
// bring the save-failed notice, keep the edits and write nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>

#include "notices/registry_notices.h"
#include "platform/win32/advapi32_registry.h"
#include "platform/win32/ansi_code_page.h"
#include "win32/win32_program.h"

namespace sarnex::testing {
namespace {

constexpr const char* kKey = "Software\\Sarnex";

// Sets the key's own DACL ("P": nothing inherited); the owner may always set it again.
LONG SetAccess(const wchar_t* sddl) {
    HKEY key = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, WRITE_DAC, &key) != ERROR_SUCCESS ||
        !ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &sd, nullptr))
        return ERROR_ACCESS_DENIED;
    const LONG status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd);
    LocalFree(sd);
    RegCloseKey(key);
    return status;
}

DWORD StoredPages() {
    DWORD pages = 0, size = sizeof pages;
    RegGetValueA(HKEY_LOCAL_MACHINE, kKey, "SizeIn4kPages", RRF_RT_REG_DWORD, nullptr, &pages, &size);
    return pages;
}

TEST(ReadOnlyKey, SaveAndOkTellTheUserAndKeepTheEdits) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey);
    const DWORD pages = 16384;
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kKey, "SizeIn4kPages", REG_DWORD, &pages, sizeof pages), 0);
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, kKey, "DiskType", REG_SZ, "HDC", 4), 0);
    struct Unlock {  // whatever happens below, the key is left for the other tests to delete and write
        ~Unlock() {
            EXPECT_EQ(SetAccess(L"D:P(A;;KA;;;WD)"), ERROR_SUCCESS);
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey);
        }
    } unlock;
    ASSERT_EQ(SetAccess(L"D:P(A;;KR;;;WD)"), ERROR_SUCCESS);
    Win32Program<win32::Advapi32Registry, win32::AnsiCodePage> p;
    editor::Editor& e = p.ShowEditor();
    EXPECT_EQ(p.runtime.ExistingInstance<notices::RegistryReadFailedNotice>(), nullptr);
    EXPECT_EQ(p.Shown(e.diskSizeBox), " 64");
    p.user.Retype(e.diskSizeBox, "100");
    for (forms::CommandButton* button : {&e.saveButton, &e.okButton}) {
        p.user.Click(*button);
        auto* notice = p.runtime.ExistingInstance<notices::RegistrySaveFailedNotice>();
        ASSERT_TRUE(notice != nullptr && notice->Loaded()) << button->Caption();
        EXPECT_TRUE(e.Loaded() && IsWindowVisible(p.host.WindowOf(*notice))) << button->Caption();
        EXPECT_EQ(p.Shown(e.diskSizeBox), " 100");
        EXPECT_EQ(StoredPages(), 16384u);
        notice->Unload();
    }
}

}  // namespace
}  // namespace sarnex::testing
