// The shipped programs as Windows reads them: the version resource, icon and manifest of sarnexcfg.exe
// and its installer, and the version the editor shows when started from a folder whose name the ANSI
// code page cannot spell.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource_ids.h"
#include "version.h"
#include "win32/real_system.h"

namespace sarnex::testing {
namespace {

BOOL CALLBACK AddResource(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR list) {
    HRSRC r = FindResourceA(module, name, type);
    reinterpret_cast<std::vector<std::string>*>(list)->emplace_back(
        static_cast<const char*>(LockResource(LoadResource(module, r))), SizeofResource(module, r));
    return TRUE;
}

// Every resource of one type in a program file, by its bytes.
std::vector<std::string> Resources(const char* file, LPCSTR type) {
    std::vector<std::string> found;
    HMODULE module = LoadLibraryExA(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EnumResourceNamesA(module, type, AddResource, reinterpret_cast<LONG_PTR>(&found));
    FreeLibrary(module);
    return found;
}

TEST(ShippedPrograms, CarryTheProjectsVersionIconAndManifest) {
    for (const char* file : {SARNEX_EXE_PATH, SARNEX_SETUP_PATH}) {
        SCOPED_TRACE(file);
        DWORD ignored = 0;
        std::vector<char> block(GetFileVersionInfoSizeA(file, &ignored));
        ASSERT_TRUE(!block.empty() && GetFileVersionInfoA(file, 0, static_cast<DWORD>(block.size()), block.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(SARNEX_VERSION_MINOR, SARNEX_VERSION_MAJOR)));
        EXPECT_EQ(fixed->dwProductVersionLS, static_cast<DWORD>(MAKELONG(0, SARNEX_VERSION_REVISION)));
        const auto text = [&](const std::string& name) {
            char* value = nullptr;
            return VerQueryValueA(block.data(), ("\\StringFileInfo\\040904B0\\" + name).c_str(),
                                  reinterpret_cast<void**>(&value), &length) ? std::string(value) : "<missing>";
        };
        EXPECT_EQ(text("FileVersion"), SARNEX_VERSION_TEXT);
        EXPECT_EQ(text("ProductVersion"), SARNEX_VERSION_TEXT);
        EXPECT_EQ(text("CompanyName"), "Sarnex");
        const auto manifests = Resources(file, RT_MANIFEST);
        ASSERT_EQ(manifests.size(), 1u);
        EXPECT_NE(manifests[0].find("level=\"requireAdministrator\""), std::string::npos);
    }
    // The icon directory: type 1, one image of 32 x 32 pixels in 16 colours; the installer has the same.
    const auto icons = Resources(SARNEX_EXE_PATH, RT_GROUP_ICON);
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].substr(2, 7), std::string("\x01\0\x01\0\x20\x20\x10", 7));
    EXPECT_EQ(Resources(SARNEX_SETUP_PATH, RT_ICON), Resources(SARNEX_EXE_PATH, RT_ICON));
    const std::string manifest = Resources(SARNEX_EXE_PATH, RT_MANIFEST).at(0);
    for (const char* part : {">true</dpiAware>", "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""})
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
}

TEST(ShippedPrograms, ACopyInANonAnsiFolderShowsTheRealVersion) {
    const std::string shipped = SARNEX_EXE_PATH;
    const std::string folder = shipped.substr(0, shipped.rfind('\\')) + "\\\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 "
                                                                       "\xD0\x96\xD1\x83\xD0\xBA \xE6\x97\xA5\xE6\x9C\xAC";
    const std::string copy = folder + "\\sarnexcfg.exe";  // "Ωμέγα Жук 日本"
    CreateDirectoryW(win32::Widen(folder).c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(win32::Widen(shipped).c_str(), win32::Widen(copy).c_str(), FALSE));
    ReplaceKey(StoredValues{});  // no notice in front
    {
        const Process run("\"" + copy + "\"");
        HWND editor = run.WaitForWindow(L"Sarnex Configuration Utility");
        ASSERT_NE(editor, nullptr);
        std::string shown;
        for (HWND child = nullptr; (child = FindWindowExW(editor, child, nullptr, nullptr)) != nullptr;)
            if (win32::WindowText(child).starts_with("Version ")) shown = win32::WindowText(child);
        EXPECT_EQ(shown, "Version " SARNEX_VERSION_TEXT);
    }
    ReplaceKey(std::nullopt);
    DeleteFileW(win32::Widen(copy).c_str());
    RemoveDirectoryW(win32::Widen(folder).c_str());
}

}  // namespace
}  // namespace sarnex::testing
