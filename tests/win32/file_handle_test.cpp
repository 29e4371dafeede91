// A file's owner: CreateFile's failure value INVALID_HANDLE_VALUE means "no file", and an open file
// is closed when its owner goes away.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"

namespace sarnex::win32 {
namespace {

HANDLE OpenExclusively(const std::wstring& path, DWORD disposition) {
    return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(FileHandle, HoldsNoFileForTheFailureValueAndClosesAnOpenOne) {
    EXPECT_FALSE(FileHandle());
    EXPECT_FALSE(FileHandle(INVALID_HANDLE_VALUE));
    EXPECT_FALSE(FileHandle(OpenExclusively(L"Z:\\no such folder\\file", OPEN_EXISTING)));

    wchar_t folder[MAX_PATH] = {}, path[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"fh", 0, path);
    {
        const FileHandle file(OpenExclusively(path, CREATE_ALWAYS));
        ASSERT_TRUE(file);
        EXPECT_EQ(OpenExclusively(path, OPEN_EXISTING), INVALID_HANDLE_VALUE) << "held exclusively while owned";
    }
    FileHandle again(OpenExclusively(path, OPEN_EXISTING));
    EXPECT_TRUE(again) << "closed with its owner";
    again.reset();
    DeleteFileW(path);
}

}  // namespace
}  // namespace sarnex::win32
