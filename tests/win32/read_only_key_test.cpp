// The driver's key with a security descriptor that lets everyone read it and nobody write it, as
// an administrator may lock it: Wine's registry honours it. The editor still loads the key; "Save"
// and "OK" bring the save-failed notice, keep the edits and write nothing.
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

// Sets the key's DACL from SDDL ("P": not inherited); the owner may always change it back.
LONG SetAccess(const wchar_t* sddl) {
    HKEY key = nullptr;
    LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, WRITE_DAC, &key);
    if (status != ERROR_SUCCESS) return status;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &sd, nullptr)) {
        status = static_cast<LONG>(GetLastError());
    } else {
        status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd);
        LocalFree(sd);
    }
    RegCloseKey(key);
    return status;
}

DWORD StoredPages() {
    DWORD pages = 0, size = sizeof pages;
    RegGetValueA(HKEY_LOCAL_MACHINE, kKey, "SizeIn4kPages", RRF_RT_REG_DWORD, nullptr, &pages, &size);
    return pages;
}

class ReadOnlyKey : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0);
        const DWORD pages = 16384;
        RegSetValueExA(key, "SizeIn4kPages", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&pages), sizeof pages);
        RegSetValueExA(key, "DiskType", 0, REG_SZ, reinterpret_cast<const BYTE*>("HDC"), 4);
        RegCloseKey(key);
        ASSERT_EQ(SetAccess(L"D:P(A;;KR;;;WD)"), ERROR_SUCCESS) << "everyone may read, nobody may write";
    }
    void TearDown() override {
        EXPECT_EQ(SetAccess(L"D:P(A;;KA;;;WD)"), ERROR_SUCCESS);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKey);
    }
};

TEST_F(ReadOnlyKey, OpensForQueryingButNotForSetting) {
    win32::Advapi32Registry registry;
    for (const auto& [access, status] : {std::pair{platform::KeyAccess::Query, ERROR_SUCCESS},
                                         std::pair{platform::KeyAccess::Set, ERROR_ACCESS_DENIED}}) {
        auto [opened, key] = platform::RegistryKey::Open(registry, kKey, access);
        EXPECT_EQ(opened, status);
    }
}

TEST_F(ReadOnlyKey, SaveAndOkTellTheUserAndKeepTheEdits) {
    Win32Program<win32::Advapi32Registry, win32::AnsiCodePage> p;
    editor::Editor& e = p.ShowEditor();
    EXPECT_EQ(p.runtime.ExistingInstance<notices::RegistryReadFailedNotice>(), nullptr);
    EXPECT_EQ(p.Shown(e.diskSizeBox), " 64");
    p.user.Retype(e.diskSizeBox, "100");
    for (forms::CommandButton* button : {&e.saveButton, &e.okButton}) {
        SCOPED_TRACE(button->Caption());
        p.user.Click(*button);
        auto* notice = p.runtime.ExistingInstance<notices::RegistrySaveFailedNotice>();
        ASSERT_NE(notice, nullptr);
        EXPECT_TRUE(notice->Loaded() && IsWindowVisible(p.host.WindowOf(*notice)));
        EXPECT_TRUE(e.Loaded());
        EXPECT_EQ(p.Shown(e.diskSizeBox), " 100");
        EXPECT_EQ(StoredPages(), 16384u);
        notice->Unload();
    }
}

}  // namespace
}  // namespace sarnex::testing
