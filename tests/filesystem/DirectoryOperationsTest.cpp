#include "filesystem/Directory.h"
#include "filesystem/TorvFileProgressInterface.h"

#include "../support/TempFolder.h"
#include "platform/WinApi.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace testsupport;
using namespace torv;

class CountingProgress : public torv::TorvFileProgressInterface {
public:
    void onFileCopied() override { ++count; }
    int count = 0;
};

// Four files at three depths, names with spaces and non-ASCII letters, and an empty folder.
void buildSourceTree(const TempFolder& temp)
{
    for (const wchar_t* folder : {L"src", L"src\\with space", L"src\\with space\\d", L"src\\caf\u00e9\u65e5", L"src\\empty"})
        makeDirectory(temp / folder);
    writeFile(temp / L"src\\top.txt", "top");
    writeFile(temp / L"src\\with space\\inner file.txt", "inner");
    writeFile(temp / L"src\\with space\\d\\deep.txt", "deep");
    writeFile(temp / L"src\\caf\u00e9\u65e5\\b.txt", "b");
}

bool copyTree(const TempFolder& temp, bool recursive, bool overwrite, CountingProgress* progress = nullptr)
{
    return temp.directory(L"src")->copyContents(temp.directory(L"dst"), recursive, overwrite, progress);
}

TEST(DirectoryCreate, MakesMissingParentsAndAcceptsExisting)
{
    TempFolder temp;
    EXPECT_TRUE(temp.directory(L"a\\b\\c")->create() && isDirectoryOnDisk(temp / L"a\\b\\c"));
    EXPECT_TRUE(temp.directory(L"a\\b\\c")->create()) << "exists already";
    EXPECT_FALSE(Directory::fromString(L"Q:\\no\\such")->create());

    writeFile(temp / L"taken", "x");
    const SmartPtr<const Directory> taken = temp.directory(L"taken");
    EXPECT_TRUE(taken->create()) << "a file of that name counts as existing";
    EXPECT_TRUE(taken->exists() && !taken->isDirectory());
    EXPECT_EQ(readFile(temp / L"taken"), "x");
    EXPECT_FALSE(temp.directory(L"taken\\below")->create());
    EXPECT_FALSE(temp.directory(L"none")->isEmpty() || temp.directory()->isEmpty());
    EXPECT_TRUE(temp.directory(L"a\\b\\c")->isEmpty());
}

TEST(DirectoryRemove, RecursionDecidesWhatGoesAndReadOnlyFilesStopIt)
{
    TempFolder temp;
    buildSourceTree(temp);
    const std::wstring deep = temp / L"src\\with space\\d\\deep.txt";
    EXPECT_FALSE(temp.directory(L"src")->remove(false));
    EXPECT_TRUE(temp.directory(L"src")->removeContents(false) && !isFileOnDisk(temp / L"src\\top.txt"));
    EXPECT_EQ(readFile(temp / L"src\\with space\\inner file.txt"), "inner");

    setReadOnly(deep);
    EXPECT_FALSE(temp.directory(L"src")->remove(true));
    EXPECT_EQ(readFile(deep), "deep");
    SetFileAttributesW(deep.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(temp.directory(L"src")->remove(true) && !isDirectoryOnDisk(temp / L"src"));
    EXPECT_TRUE(temp.directory(L"src")->remove(true) && temp.directory(L"src")->removeContents(true))
        << "nothing left to remove";
}

TEST(DirectoryRemove, DoesNotFollowDirectoryLinks)
{
    TempFolder temp;
    for (const wchar_t* folder : {L"outside", L"tree"})
        makeDirectory(temp / folder);
    writeFile(temp / L"outside\\keep.txt", "keep");
    const std::wstring link = temp / L"tree\\link";
    CreateSymbolicLinkW(link.c_str(), (temp / L"outside").c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
    const DWORD attributes = GetFileAttributesW(link.c_str());
    const DWORD linkToDirectory = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & linkToDirectory) != linkToDirectory)
        GTEST_SKIP() << "directory links cannot be made here";
    EXPECT_TRUE(temp.directory(L"tree")->remove(true) && !isDirectoryOnDisk(temp / L"tree"));
    EXPECT_EQ(readFile(temp / L"outside\\keep.txt"), "keep");
}

TEST(DirectoryCopy, FlatThenNestedTreeWithProgress)
{
    TempFolder temp;
    buildSourceTree(temp);
    makeDirectory(temp / L"dst");
    EXPECT_TRUE(copyTree(temp, false, false));
    EXPECT_EQ(readFile(temp / L"dst\\top.txt"), "top");
    EXPECT_TRUE(temp.directory(L"dst\\with space")->isEmpty()) << "immediate folders come empty";

    CountingProgress progress;
    EXPECT_TRUE(copyTree(temp, true, true, &progress) && progress.count == 4) << progress.count;
    EXPECT_EQ(readFile(temp / L"dst\\with space\\d\\deep.txt"), "deep");
    EXPECT_EQ(readFile(temp / L"dst\\caf\u00e9\u65e5\\b.txt"), "b");
    EXPECT_TRUE(isDirectoryOnDisk(temp / L"dst\\empty"));
    EXPECT_EQ(readFile(temp / L"src\\with space\\d\\deep.txt"), "deep");
}

TEST(DirectoryCopy, FailuresKeepSourceAndExistingTarget)
{
    TempFolder temp;
    buildSourceTree(temp);
    EXPECT_FALSE(copyTree(temp, true, true) || isDirectoryOnDisk(temp / L"dst")) << "the target is not created";
    EXPECT_FALSE(temp.directory(L"src")->copyContents(SmartPtr<const Directory>(), true, true, nullptr));

    makeDirectory(temp / L"dst");
    writeFile(temp / L"dst\\top.txt", "old top");
    CountingProgress progress;
    EXPECT_FALSE(copyTree(temp, true, false, &progress));
    EXPECT_EQ(progress.count, 3) << "the files of all subfolders come first";
    EXPECT_EQ(readFile(temp / L"dst\\top.txt"), "old top");

    setReadOnly(temp / L"dst\\top.txt");
    EXPECT_FALSE(copyTree(temp, true, true));
    EXPECT_EQ(readFile(temp / L"dst\\top.txt"), "old top");
    EXPECT_EQ(readFile(temp / L"src\\top.txt"), "top");
}

TEST(DirectoryLongPath, CreateCopyAndRemoveBeyondMaxPath)
{
    TempFolder temp;
    std::wstring relative;
    for (int i = 0; i < 12; ++i)
        relative += L"a rather long folder name " + std::to_wstring(i) + L"\\";
    ASSERT_TRUE(temp.directory(L"src\\" + relative)->create());
    writeFile(temp / (L"src\\" + relative + L"f.txt"), "far");
    ASSERT_GT((temp / relative).size(), 300u);
    EXPECT_TRUE(temp.file(L"src\\" + relative + L"f.txt")->exists());
    EXPECT_TRUE(temp.directory(L"dst")->create() && copyTree(temp, true, false));
    EXPECT_EQ(readFile(temp / (L"dst\\" + relative + L"f.txt")), "far");
    EXPECT_TRUE(temp.directory(L"src")->remove(true) && !isDirectoryOnDisk(temp / L"src"));
}

} // namespace
