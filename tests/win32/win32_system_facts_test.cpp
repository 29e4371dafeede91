// The system facts from Windows itself: files and folders with names beyond the ANSI code page,
// a file another program holds, free space and physical memory.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_system_facts.h"

namespace sarnex::testing {
namespace {

using FileState = platform::FileFacts::State;
using FolderState = platform::FolderFacts::State;

class Win32SystemFactsTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = win32::Narrow(temp) + "Pr\xC3\xBC" "fung \xE4\xB8\xAD\\";  // "Prüfung 中"
        image = folder + "Bild \xE2\x82\xAC.img";                                 // "Bild €.img"
        ASSERT_TRUE(CreateDirectoryW(win32::Widen(folder).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }
    void TearDown() override {
        DeleteFileW(win32::Widen(image).c_str());
        RemoveDirectoryW(win32::Widen(folder).c_str());
    }
    // Creates the image file with `size` bytes and keeps it open with the given sharing.
    win32::KernelHandle CreateImage(LONGLONG size, DWORD sharing) {
        win32::KernelHandle file(CreateFileW(win32::Widen(image).c_str(), GENERIC_WRITE, sharing, nullptr,
                                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_NE(file.get(), INVALID_HANDLE_VALUE);
        LARGE_INTEGER end{};
        end.QuadPart = size;
        EXPECT_TRUE(SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.get()));
        return file;
    }

    win32::Win32SystemFacts facts;
    std::string folder, image;
};

TEST_F(Win32SystemFactsTest, FilesByTheirUnicodeNames) {
    CreateImage(5242881, FILE_SHARE_READ).reset();
    const platform::FileFacts found = facts.File(image);
    EXPECT_EQ(found.state, FileState::Readable);
    EXPECT_EQ(found.size, 5242881u);
    EXPECT_EQ(facts.File(folder + "missing.img").state, FileState::Missing);
    EXPECT_EQ(facts.File(folder + "missing\\disk.img").state, FileState::Missing);
    const platform::FileFacts aFolder = facts.File(folder.substr(0, folder.size() - 1));
    EXPECT_EQ(aFolder.state, FileState::Unreadable);
    EXPECT_EQ(aFolder.failure, "It is a folder.");
}

TEST_F(Win32SystemFactsTest, AFileHeldWithoutSharingCannotBeOpenedForReading) {
    const win32::KernelHandle held = CreateImage(10, 0);
    const platform::FileFacts result = facts.File(image);
    EXPECT_EQ(result.state, FileState::Unreadable);
    EXPECT_FALSE(result.failure.empty());
}

TEST_F(Win32SystemFactsTest, FoldersAndTheirFreeSpace) {
    EXPECT_EQ(facts.Folder(folder).state, FolderState::Exists);
    EXPECT_EQ(facts.Folder(folder + "missing\\").state, FolderState::Missing);
    CreateImage(1, FILE_SHARE_READ).reset();
    EXPECT_EQ(facts.Folder(image).state, FolderState::Missing) << "a file is no folder";

    const platform::FreeSpace space = facts.FreeSpaceFor(folder);
    EXPECT_EQ(space.failure, "");
    EXPECT_GT(space.bytes, 0u);
    EXPECT_NE(facts.FreeSpaceFor(folder + "missing\\").failure, "");
}

TEST(Win32SystemFacts, PhysicalMemory) {
    const platform::PhysicalMemory memory = win32::Win32SystemFacts().Memory();
    EXPECT_EQ(memory.failure, "");
    EXPECT_GT(memory.available, 0u);
    EXPECT_LE(memory.available, memory.total);
}

}  // namespace
}  // namespace sarnex::testing
