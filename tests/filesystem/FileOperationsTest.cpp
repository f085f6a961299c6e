#include "filesystem/Directory.h"
#include "filesystem/File.h"

#include "TempFolder.h"
#include "platform/WinApi.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using fstest::isFileOnDisk;
using fstest::readFile;
using fstest::TempFolder;
using fstest::writeFile;
using torv::File;
using torv::SmartPtr;

// Holds a file open with no sharing at all for the life of the object.
class ExclusiveOpen {
public:
    explicit ExclusiveOpen(const std::wstring& path)
        : handle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~ExclusiveOpen() { CloseHandle(handle); }
    bool isOpen() const { return handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle;
};

unsigned long long asNumber(const FILETIME& t)
{
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

TEST(FileQueries, ExistsOnlyForFiles)
{
    TempFolder temp;
    writeFile(temp / L"f", "abc");
    fstest::makeDirectory(temp / L"d");
    EXPECT_TRUE(temp.file(L"f")->exists());
    EXPECT_FALSE(temp.file(L"d")->exists());
    EXPECT_FALSE(temp.file(L"none")->exists());
    ULARGE_INTEGER size;
    size.QuadPart = 99;
    EXPECT_TRUE(temp.file(L"f")->getFileSize(size));
    EXPECT_EQ(size.QuadPart, 3u);
    size.QuadPart = 99;
    EXPECT_FALSE(temp.file(L"none")->getFileSize(size));
    EXPECT_EQ(size.QuadPart, 99u);
}

TEST(FileQueries, SizeBeyondFourGigabytesFillsBothHalves)
{
    TempFolder temp;
    const std::wstring path = temp / L"big";
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DWORD returned = 0;
    DeviceIoControl(handle, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = 5LL << 30;
    const bool grown = SetFilePointerEx(handle, end, nullptr, FILE_BEGIN) && SetEndOfFile(handle);
    CloseHandle(handle);
    if (!grown)
        GTEST_SKIP() << "cannot make a large file here";
    ULARGE_INTEGER size;
    ASSERT_TRUE(temp.file(L"big")->getFileSize(size));
    EXPECT_EQ(size.HighPart, 1u);
    EXPECT_EQ(size.LowPart, 1u << 30);
}

TEST(FileRemove, NothingToRemoveIsSuccess)
{
    TempFolder temp;
    fstest::makeDirectory(temp / L"d");
    EXPECT_TRUE(temp.file(L"none")->remove());
    EXPECT_TRUE(temp.file(L"d")->remove());
    EXPECT_TRUE(fstest::isDirectoryOnDisk(temp / L"d"));
}

TEST(FileRemove, ReadOnlyAndLockedFilesStay)
{
    TempFolder temp;
    writeFile(temp / L"ro", "ro");
    fstest::setReadOnly(temp / L"ro", true);
    EXPECT_FALSE(temp.file(L"ro")->remove());
    EXPECT_EQ(readFile(temp / L"ro"), "ro");

    writeFile(temp / L"locked", "locked");
    {
        ExclusiveOpen lock(temp / L"locked");
        ASSERT_TRUE(lock.isOpen());
        EXPECT_FALSE(temp.file(L"locked")->remove());
    }
    EXPECT_EQ(readFile(temp / L"locked"), "locked");

    writeFile(temp / L"plain", "");
    EXPECT_TRUE(temp.file(L"plain")->remove());
    EXPECT_FALSE(isFileOnDisk(temp / L"plain"));
}

TEST(FileCopy, IntoDirectoryGivesTheNewFile)
{
    TempFolder temp;
    writeFile(temp / L"n\u00e4me with space.txt", "content");
    fstest::makeDirectory(temp / L"to");
    const SmartPtr<const File> copied = temp.file(L"n\u00e4me with space.txt")->copy(temp.directory(L"to"), false);
    ASSERT_TRUE(copied);
    EXPECT_EQ(std::wstring(copied->getFullName().c_str()), temp / L"to\\n\u00e4me with space.txt");
    EXPECT_EQ(readFile(temp / L"to\\n\u00e4me with space.txt"), "content");
    EXPECT_FALSE(temp.file(L"n\u00e4me with space.txt")->copy(temp.directory(L"to"), false)) << "exists already";
    EXPECT_FALSE(temp.file(L"n\u00e4me with space.txt")->copy(SmartPtr<const torv::Directory>(), true));
}

TEST(FileCopy, FailuresLeaveSourceAndTargetIntact)
{
    TempFolder temp;
    writeFile(temp / L"src", "source");
    const SmartPtr<const File> source = temp.file(L"src");

    EXPECT_FALSE(temp.file(L"missing")->copy(temp.file(L"out"), true));
    EXPECT_FALSE(isFileOnDisk(temp / L"out"));

    EXPECT_FALSE(source->copy(temp.file(L"no folder\\out"), true)) << "the target folder is not created";

    fstest::makeDirectory(temp / L"dir");
    EXPECT_FALSE(source->copy(temp.file(L"dir"), true)) << "the target is a directory";

    writeFile(temp / L"ro", "read-only target");
    fstest::setReadOnly(temp / L"ro", true);
    EXPECT_FALSE(source->copy(temp.file(L"ro"), true));
    EXPECT_EQ(readFile(temp / L"ro"), "read-only target");

    writeFile(temp / L"held", "held target");
    {
        ExclusiveOpen lock(temp / L"held");
        EXPECT_FALSE(source->copy(temp.file(L"held"), true));
    }
    EXPECT_EQ(readFile(temp / L"held"), "held target");
    {
        ExclusiveOpen lock(temp / L"src");
        EXPECT_FALSE(source->copy(temp.file(L"fresh"), true));
    }

    EXPECT_FALSE(source->copy(source, true)) << "onto itself";
    EXPECT_FALSE(source->copy(SmartPtr<const File>(), true));
    EXPECT_EQ(readFile(temp / L"src"), "source");
}

TEST(FileMove, RenamesAndRefusesExistingTarget)
{
    TempFolder temp;
    writeFile(temp / L"a", "a");
    writeFile(temp / L"b", "b");
    EXPECT_FALSE(temp.file(L"a")->move(temp.file(L"b")));
    EXPECT_EQ(readFile(temp / L"a"), "a");
    EXPECT_EQ(readFile(temp / L"b"), "b");

    EXPECT_FALSE(temp.file(L"missing")->move(temp.file(L"c")));
    EXPECT_FALSE(temp.file(L"a")->move(temp.file(L"no folder\\c")));
    EXPECT_FALSE(temp.file(L"a")->move(SmartPtr<const File>()));
    EXPECT_EQ(readFile(temp / L"a"), "a");

    EXPECT_TRUE(temp.file(L"a")->move(temp.file(L"c")));
    EXPECT_FALSE(isFileOnDisk(temp / L"a"));
    EXPECT_EQ(readFile(temp / L"c"), "a");
}

TEST(FileMove, HeldFileIsNotMoved)
{
    TempFolder temp;
    writeFile(temp / L"held", "held");
    {
        ExclusiveOpen lock(temp / L"held");
        EXPECT_FALSE(temp.file(L"held")->move(temp.file(L"moved")));
    }
    EXPECT_EQ(readFile(temp / L"held"), "held");
}

TEST(FileTouch, CreatesMissingFileEmpty)
{
    TempFolder temp;
    EXPECT_TRUE(temp.file(L"new")->touch());
    EXPECT_EQ(readFile(temp / L"new"), "");
    EXPECT_FALSE(temp.file(L"no folder\\new")->touch());
}

TEST(FileTouch, ExistingFileKeepsContentAndGetsNewWriteTime)
{
    TempFolder temp;
    writeFile(temp / L"old", "kept");
    HANDLE handle = CreateFileW((temp / L"old").c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    FILETIME longAgo = {0, 0x01000000};
    SetFileTime(handle, nullptr, nullptr, &longAgo);
    CloseHandle(handle);

    EXPECT_TRUE(temp.file(L"old")->touch());
    EXPECT_EQ(readFile(temp / L"old"), "kept");
    FILETIME written;
    ASSERT_TRUE(temp.file(L"old")->getLastWriteTime(&written));
    EXPECT_GT(asNumber(written), asNumber(longAgo));
}

} // namespace
