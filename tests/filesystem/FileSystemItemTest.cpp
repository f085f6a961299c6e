#include "filesystem/Directory.h"
#include "filesystem/File.h"

#include "TempFolder.h"
#include "platform/WinApi.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using fstest::TempFolder;
using torv::Directory;
using torv::File;
using torv::SmartPtr;

TEST(WindowsError, NoErrorGivesEmptyText)
{
    SetLastError(0);
    const torv::String text = torv::getWindowsError();
    EXPECT_FALSE(text.isNil());
    EXPECT_TRUE(text.isEmpty());
}

TEST(WindowsError, KnownErrorComesWithoutLineEnd)
{
    SetLastError(ERROR_FILE_NOT_FOUND);
    const std::wstring text = torv::getWindowsError().c_str();
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), L'\n');
    EXPECT_NE(text.back(), L'\r');
}

TEST(WindowsError, UnknownErrorGivesBracketedCode)
{
    SetLastError(0x2FFFFFFF);
    EXPECT_STREQ(torv::getWindowsError().c_str(), L"[0x2fffffff]");
}

TEST(FileSystemItemQueries, StatTimesAndAccess)
{
    TempFolder temp;
    fstest::writeFile(temp / L"f.txt", "12345");
    const SmartPtr<const File> file = temp.file(L"f.txt");
    const SmartPtr<const Directory> folder = temp.directory();

    struct _stat64i32 st = {};
    ASSERT_TRUE(file->stat(st));
    EXPECT_EQ(st.st_size, 5);
    ASSERT_TRUE(folder->stat(st)) << "the trailing backslash is removed";
    EXPECT_TRUE(st.st_mode & _S_IFDIR);

    FILETIME written = {};
    FILETIME created = {};
    EXPECT_TRUE(file->getLastWriteTime(&written));
    EXPECT_TRUE(folder->getCreationTime(&created));
    EXPECT_NE(written.dwLowDateTime | written.dwHighDateTime, 0u);
    EXPECT_NE(created.dwLowDateTime | created.dwHighDateTime, 0u);

    EXPECT_TRUE(file->access(0));
    EXPECT_TRUE(file->access(4));
}

TEST(FileSystemItemQueries, MissingItemFailsAndLeavesOutputsAlone)
{
    TempFolder temp;
    const SmartPtr<const File> missing = temp.file(L"missing.txt");
    struct _stat64i32 st = {};
    EXPECT_FALSE(missing->stat(st));
    FILETIME time = {7, 9};
    EXPECT_FALSE(missing->getLastWriteTime(&time));
    EXPECT_FALSE(missing->getCreationTime(&time));
    EXPECT_EQ(time.dwLowDateTime, 7u);
    EXPECT_EQ(time.dwHighDateTime, 9u);
    for (int mode : {0, 2, 4, 6})
        EXPECT_FALSE(missing->access(mode)) << mode;
    EXPECT_FALSE(temp.directory(L"nothing")->access(0));
}

} // namespace
