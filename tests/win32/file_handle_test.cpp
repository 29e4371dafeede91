// A file's owner: CreateFile's failure value INVALID_HANDLE_VALUE means "no file", and an open file
// is closed when its owner goes away.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace sarnex::win32 {
namespace {

HANDLE OpenAlone(const wchar_t* path, DWORD disposition) {
    return CreateFileW(path, GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(FileHandle, HoldsNoFileForTheFailureValueAndClosesAnOpenOne) {
    EXPECT_FALSE(FileHandle());
    EXPECT_FALSE(FileHandle(OpenAlone(L"Z:\\no such folder\\file", OPEN_EXISTING)));
    wchar_t folder[MAX_PATH] = {}, path[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"fh", 0, path);
    {
        const FileHandle file(OpenAlone(path, CREATE_ALWAYS));
        ASSERT_TRUE(file);
        EXPECT_EQ(OpenAlone(path, OPEN_EXISTING), INVALID_HANDLE_VALUE) << "held while owned";
    }
    EXPECT_TRUE(FileHandle(OpenAlone(path, OPEN_EXISTING))) << "closed with its owner";
    DeleteFileW(path);
}

}  // namespace
}  // namespace sarnex::win32
