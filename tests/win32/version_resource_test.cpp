// The resources linked into sarnexcfg.exe, read back the way Windows reads them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource_ids.h"
#include "version.h"

namespace {

TEST(ShippedResources, VersionIsTheProjectsInEveryField) {
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(SARNEX_EXE_PATH, &ignored));
    ASSERT_TRUE(!block.empty() && GetFileVersionInfoA(SARNEX_EXE_PATH, 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    const DWORD ms = MAKELONG(SARNEX_VERSION_MINOR, SARNEX_VERSION_MAJOR), ls = MAKELONG(0, SARNEX_VERSION_REVISION);
    EXPECT_EQ(fixed->dwFileVersionMS, ms);
    EXPECT_EQ(fixed->dwFileVersionLS, ls);
    EXPECT_EQ(fixed->dwProductVersionMS, ms);
    EXPECT_EQ(fixed->dwProductVersionLS, ls);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    const auto text = [&block](const char* name) {
        char* value = nullptr;
        UINT size = 0;
        const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
        return VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &size) ? std::string(value)
                                                                                                  : "<missing>";
    };
    EXPECT_EQ(text("FileVersion"), SARNEX_VERSION_TEXT);
    EXPECT_EQ(text("ProductVersion"), SARNEX_VERSION_TEXT);
    EXPECT_EQ(text("OriginalFilename"), "sarnexcfg.exe");
    EXPECT_EQ(text("FileDescription"), "Sarnex Configuration Utility");
}

TEST(ShippedResources, IconAndManifest) {
    HMODULE module = LoadLibraryExA(SARNEX_EXE_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const auto resource = [module](LPCSTR name, LPCSTR type) {
        HRSRC found = FindResourceA(module, name, type);
        return found ? std::string(static_cast<const char*>(LockResource(LoadResource(module, found))),
                                   SizeofResource(module, found))
                     : std::string();
    };
    // The icon directory: type 1, one image of 32 x 32 pixels in 16 colours.
    const std::string icons = resource(MAKEINTRESOURCEA(IDI_SARNEX), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_GE(icons.size(), 9u);
    EXPECT_EQ(icons.substr(2, 7), std::string("\x01\0\x01\0\x20\x20\x10", 7));
    const std::string manifest = resource(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    for (const char* part : {"level=\"requireAdministrator\"", ">true</dpiAware>",
                             "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""})
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    FreeLibrary(module);
}

}  // namespace
