// The resources linked into sarnexcfg.exe, read back the way Windows reads them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "resource_ids.h"
#include "version.h"

namespace {

std::vector<char> VersionBlock(const char* path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  std::vector<char> block(size);
  if (size == 0 || !GetFileVersionInfoA(path, 0, size, block.data())) block.clear();
  return block;
}

std::string StringValue(std::vector<char>& block, const char* name) {
  char* text = nullptr;
  UINT length = 0;
  const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length) || text == nullptr) {
    return "<missing>";
  }
  return std::string(text);
}

class Module {
 public:
  explicit Module(const char* path) : module_(LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~Module() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;
  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};

TEST(ShippedResources, FixedFileVersionIsTheProjectVersion) {
  std::vector<char> block = VersionBlock(SARNEX_EXE_PATH);
  ASSERT_FALSE(block.empty()) << "no version resource in " << SARNEX_EXE_PATH << ", error " << GetLastError();
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  const int read[] = {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                      HIWORD(fixed->dwFileVersionLS), HIWORD(fixed->dwProductVersionMS),
                      LOWORD(fixed->dwProductVersionMS), HIWORD(fixed->dwProductVersionLS)};
  const int expected[] = {sarnex::version::major, sarnex::version::minor, sarnex::version::revision,
                          sarnex::version::major, sarnex::version::minor, sarnex::version::revision};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(read[i], expected[i]) << "field " << i;
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(ShippedResources, VersionStringsNameTheProgram) {
  std::vector<char> block = VersionBlock(SARNEX_EXE_PATH);
  ASSERT_FALSE(block.empty());
  const std::string version = std::to_string(sarnex::version::major) + "." +
                              std::to_string(sarnex::version::minor) + "." +
                              std::to_string(sarnex::version::revision);
  EXPECT_EQ(StringValue(block, "FileVersion"), version);
  EXPECT_EQ(StringValue(block, "ProductVersion"), version);
  EXPECT_EQ(StringValue(block, "OriginalFilename"), "sarnexcfg.exe");
  EXPECT_EQ(StringValue(block, "FileDescription"), "Sarnex Configuration Utility");
}

TEST(ShippedResources, IconIsThirtyTwoPixelsSixteenColours) {
  Module module(SARNEX_EXE_PATH);
  ASSERT_NE(module.get(), nullptr);
  HRSRC group = FindResourceA(module.get(), MAKEINTRESOURCEA(IDI_SARNEX), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_NE(group, nullptr);
  const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(module.get(), group)));
  ASSERT_NE(directory, nullptr);
  // GRPICONDIR: reserved, type 1, count; then 14-byte entries: width, height, colours, ...
  EXPECT_EQ(directory[2], 1);
  EXPECT_EQ(directory[4], 1) << "one image";
  EXPECT_EQ(directory[6], 32);
  EXPECT_EQ(directory[7], 32);
  EXPECT_EQ(directory[8], 16);
  HICON icon = static_cast<HICON>(LoadImageA(module.get(), MAKEINTRESOURCEA(IDI_SARNEX), IMAGE_ICON, 32, 32, 0));
  EXPECT_NE(icon, nullptr);
  if (icon != nullptr) DestroyIcon(icon);
}

TEST(ShippedResources, ManifestAsksForAdministratorDpiAwarenessAndCommonControls6) {
  Module module(SARNEX_EXE_PATH);
  ASSERT_NE(module.get(), nullptr);
  HRSRC found = FindResourceA(module.get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  const auto* data = static_cast<const char*>(LockResource(LoadResource(module.get(), found)));
  ASSERT_NE(data, nullptr);
  const std::string_view manifest(data, SizeofResource(module.get(), found));
  EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string_view::npos);
  EXPECT_NE(manifest.find(">true</dpiAware>"), std::string_view::npos);
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string_view::npos);
}

}  // namespace
