#include "filesystem/Directory.h"
#include "filesystem/File.h"

#include "../support/TempFolder.h"
#include "platform/WinApi.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using fstest::TempFolder;
using torv::SmartPtr;

TEST(WindowsError, EmptyKnownAndUnknownCodes)
{
    SetLastError(0);
    const torv::String none = torv::getWindowsError();
    EXPECT_TRUE(!none.isNil() && none.isEmpty());

    SetLastError(ERROR_FILE_NOT_FOUND);
    const std::wstring known = torv::getWindowsError().c_str();
    ASSERT_FALSE(known.empty());
    EXPECT_EQ(known.find_last_of(L"\r\n"), std::wstring::npos);

    SetLastError(0x2FFFFFFF);
    EXPECT_STREQ(torv::getWindowsError().c_str(), L"[0x2fffffff]");
}

TEST(FileSystemItemQueries, StatTimesAndAccess)
{
    TempFolder temp;
    fstest::writeFile(temp / L"f.txt", "12345");
    const SmartPtr<const torv::File> file = temp.file(L"f.txt");
    struct _stat64i32 st = {};
    ASSERT_TRUE(file->stat(st));
    EXPECT_EQ(st.st_size, 5);
    ASSERT_TRUE(temp.directory()->stat(st)) << "without its trailing backslash";
    EXPECT_TRUE(st.st_mode & _S_IFDIR);
    FILETIME time = {};
    EXPECT_TRUE(file->getLastWriteTime(&time));
    EXPECT_TRUE(temp.directory()->getCreationTime(&time));
    EXPECT_FALSE(file->getLastWriteTime(nullptr)) << "nowhere to store it";
    EXPECT_FALSE(file->getCreationTime(nullptr));
    EXPECT_TRUE(file->access(4));

    const SmartPtr<const torv::File> missing = temp.file(L"missing.txt");
    EXPECT_FALSE(missing->stat(st));
    FILETIME untouched = {7, 9};
    EXPECT_FALSE(missing->getLastWriteTime(&untouched));
    EXPECT_EQ(untouched.dwLowDateTime, 7u);
    EXPECT_FALSE(missing->access(0));
}

} // namespace
