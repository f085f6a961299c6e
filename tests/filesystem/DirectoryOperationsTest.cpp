#include "filesystem/Directory.h"
#include "filesystem/File.h"
#include "filesystem/TorvFileProgressInterface.h"

#include "TempFolder.h"
#include "platform/WinApi.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using fstest::isDirectoryOnDisk;
using fstest::isFileOnDisk;
using fstest::readFile;
using fstest::TempFolder;
using fstest::writeFile;
using torv::Directory;
using torv::SmartPtr;

class CountingProgress : public torv::TorvFileProgressInterface {
public:
    void onFileCopied() override { ++count; }
    int count = 0;
};

// src\top.txt, src\with space\inner file.txt, src\with space\d\deep.txt,
// src\caf\u00e9\u65e5\b.txt and the empty folder src\empty.
void buildSourceTree(const TempFolder& temp)
{
    fstest::makeDirectory(temp / L"src");
    writeFile(temp / L"src\\top.txt", "top");
    fstest::makeDirectory(temp / L"src\\with space");
    writeFile(temp / L"src\\with space\\inner file.txt", "inner");
    fstest::makeDirectory(temp / L"src\\with space\\d");
    writeFile(temp / L"src\\with space\\d\\deep.txt", "deep");
    fstest::makeDirectory(temp / L"src\\caf\u00e9\u65e5");
    writeFile(temp / L"src\\caf\u00e9\u65e5\\b.txt", "b");
    fstest::makeDirectory(temp / L"src\\empty");
}

TEST(DirectoryCreate, MakesEveryMissingParentOnce)
{
    TempFolder temp;
    const SmartPtr<const Directory> deep = temp.directory(L"a\\b\\c");
    EXPECT_TRUE(deep->create());
    EXPECT_TRUE(isDirectoryOnDisk(temp / L"a\\b\\c"));
    EXPECT_TRUE(deep->create());
    EXPECT_TRUE(deep->isDirectory());
}

TEST(DirectoryCreate, FailsOnMissingDriveAndAcceptsAFileOfThatName)
{
    EXPECT_FALSE(Directory::fromString(L"Q:\\no\\such")->create());
    TempFolder temp;
    writeFile(temp / L"taken", "x");
    const SmartPtr<const Directory> taken = temp.directory(L"taken");
    EXPECT_TRUE(taken->create());
    EXPECT_TRUE(taken->exists());
    EXPECT_FALSE(taken->isDirectory());
    EXPECT_EQ(readFile(temp / L"taken"), "x");
    EXPECT_FALSE(temp.directory(L"taken\\below")->create());
}

TEST(DirectoryCreate, RelativePathIsCreatedBelowCurrentDirectory)
{
    TempFolder temp;
    wchar_t saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryW(temp.path().c_str()));
    const bool created = Directory::fromString(L"rel\\sub")->create();
    SetCurrentDirectoryW(saved);
    EXPECT_TRUE(created);
    EXPECT_TRUE(isDirectoryOnDisk(temp / L"rel\\sub"));
}

TEST(DirectoryQueries, IsEmpty)
{
    TempFolder temp;
    EXPECT_TRUE(temp.directory()->isEmpty());
    EXPECT_FALSE(temp.directory(L"missing")->isEmpty());
    writeFile(temp / L"f", "");
    EXPECT_FALSE(temp.directory()->isEmpty());
}

TEST(DirectoryRemove, NonRecursiveFailsOnContentsAndKeepsThem)
{
    TempFolder temp;
    buildSourceTree(temp);
    EXPECT_FALSE(temp.directory(L"src")->remove(false));
    EXPECT_EQ(readFile(temp / L"src\\with space\\d\\deep.txt"), "deep");
    EXPECT_TRUE(temp.directory(L"src\\empty")->remove(false));
    EXPECT_FALSE(isDirectoryOnDisk(temp / L"src\\empty"));
}

TEST(DirectoryRemove, RecursiveRemovesWholeTree)
{
    TempFolder temp;
    buildSourceTree(temp);
    EXPECT_TRUE(temp.directory(L"src")->remove(true));
    EXPECT_FALSE(isDirectoryOnDisk(temp / L"src"));
    EXPECT_TRUE(temp.directory(L"src")->remove(true)) << "nothing left to remove";
    EXPECT_TRUE(temp.directory(L"src")->removeContents(true));
}

TEST(DirectoryRemove, ContentsWithoutRecursionKeepsSubdirectories)
{
    TempFolder temp;
    buildSourceTree(temp);
    EXPECT_TRUE(temp.directory(L"src")->removeContents(false));
    EXPECT_FALSE(isFileOnDisk(temp / L"src\\top.txt"));
    EXPECT_EQ(readFile(temp / L"src\\with space\\inner file.txt"), "inner");
    EXPECT_TRUE(isDirectoryOnDisk(temp / L"src\\empty"));
}

TEST(DirectoryRemove, ReadOnlyFileStopsRemovalAndSurvives)
{
    TempFolder temp;
    buildSourceTree(temp);
    fstest::setReadOnly(temp / L"src\\with space\\d\\deep.txt", true);
    EXPECT_FALSE(temp.directory(L"src")->remove(true));
    EXPECT_EQ(readFile(temp / L"src\\with space\\d\\deep.txt"), "deep");
}

TEST(DirectoryRemove, DoesNotFollowDirectoryLinks)
{
    TempFolder temp;
    fstest::makeDirectory(temp / L"outside");
    writeFile(temp / L"outside\\keep.txt", "keep");
    fstest::makeDirectory(temp / L"tree");
    const std::wstring link = temp / L"tree\\link";
    CreateSymbolicLinkW(link.c_str(), (temp / L"outside").c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
    const DWORD attributes = GetFileAttributesW(link.c_str());
    const DWORD linkToDirectory = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & linkToDirectory) != linkToDirectory)
        GTEST_SKIP() << "directory links cannot be made here";

    EXPECT_TRUE(temp.directory(L"tree")->remove(true));
    EXPECT_FALSE(isDirectoryOnDisk(temp / L"tree"));
    EXPECT_EQ(readFile(temp / L"outside\\keep.txt"), "keep");
}

TEST(DirectoryCopy, CopiesNestedTreeWithProgress)
{
    TempFolder temp;
    buildSourceTree(temp);
    fstest::makeDirectory(temp / L"dst");
    CountingProgress progress;
    EXPECT_TRUE(temp.directory(L"src")->copyContents(temp.directory(L"dst"), true, false, &progress));
    EXPECT_EQ(progress.count, 4);
    EXPECT_EQ(readFile(temp / L"dst\\top.txt"), "top");
    EXPECT_EQ(readFile(temp / L"dst\\with space\\d\\deep.txt"), "deep");
    EXPECT_EQ(readFile(temp / L"dst\\caf\u00e9\u65e5\\b.txt"), "b");
    EXPECT_TRUE(isDirectoryOnDisk(temp / L"dst\\empty"));
    EXPECT_EQ(readFile(temp / L"src\\with space\\d\\deep.txt"), "deep");
}

TEST(DirectoryCopy, WithoutRecursionCreatesImmediateFoldersEmpty)
{
    TempFolder temp;
    buildSourceTree(temp);
    fstest::makeDirectory(temp / L"dst");
    EXPECT_TRUE(temp.directory(L"src")->copyContents(temp.directory(L"dst"), false, false, nullptr));
    EXPECT_EQ(readFile(temp / L"dst\\top.txt"), "top");
    EXPECT_TRUE(temp.directory(L"dst\\with space")->isEmpty());
    EXPECT_TRUE(isDirectoryOnDisk(temp / L"dst\\empty"));
}

TEST(DirectoryCopy, MissingSourceOrTargetCopiesNothing)
{
    TempFolder temp;
    buildSourceTree(temp);
    EXPECT_FALSE(temp.directory(L"src")->copyContents(temp.directory(L"absent"), true, true, nullptr));
    EXPECT_FALSE(isDirectoryOnDisk(temp / L"absent"));
    EXPECT_FALSE(temp.directory(L"src")->copyContents(SmartPtr<const Directory>(), true, true, nullptr));
    fstest::makeDirectory(temp / L"dst");
    EXPECT_FALSE(temp.directory(L"nothing")->copyContents(temp.directory(L"dst"), true, true, nullptr));
    EXPECT_TRUE(temp.directory(L"dst")->isEmpty());
}

TEST(DirectoryCopy, ExistingFileWithoutOverwriteStopsAndIsKept)
{
    TempFolder temp;
    fstest::makeDirectory(temp / L"src");
    writeFile(temp / L"src\\a", "new a");
    writeFile(temp / L"src\\b", "new b");
    writeFile(temp / L"src\\c", "new c");
    fstest::makeDirectory(temp / L"dst");
    writeFile(temp / L"dst\\b", "old b");

    CountingProgress progress;
    EXPECT_FALSE(temp.directory(L"src")->copyContents(temp.directory(L"dst"), true, false, &progress));
    EXPECT_EQ(readFile(temp / L"dst\\b"), "old b");
    EXPECT_EQ(readFile(temp / L"src\\b"), "new b");
    int copied = 0;
    for (const wchar_t* name : {L"dst\\a", L"dst\\c"})
        copied += isFileOnDisk(temp / name) ? 1 : 0;
    EXPECT_EQ(progress.count, copied);

    EXPECT_TRUE(temp.directory(L"src")->copyContents(temp.directory(L"dst"), true, true, &progress));
    EXPECT_EQ(readFile(temp / L"dst\\b"), "new b");
}

TEST(DirectoryCopy, TargetFolderThatIsAFileFailsWithoutOverwrite)
{
    TempFolder temp;
    buildSourceTree(temp);
    fstest::makeDirectory(temp / L"dst");
    writeFile(temp / L"dst\\with space", "a file");
    EXPECT_FALSE(temp.directory(L"src")->copyContents(temp.directory(L"dst"), true, false, nullptr));
    EXPECT_EQ(readFile(temp / L"dst\\with space"), "a file");
}

TEST(DirectoryLongPath, CreateCopyAndRemoveBeyondMaxPath)
{
    TempFolder temp;
    std::wstring relative;
    for (int i = 0; i < 12; ++i)
        relative += L"a rather long folder name " + std::to_wstring(i) + L"\\";
    ASSERT_GT((temp / relative).size(), 300u);
    const SmartPtr<const Directory> deep = temp.directory(L"src\\" + relative);
    ASSERT_TRUE(deep->create());
    writeFile(deep->getFullName().c_str() + std::wstring(L"f.txt"), "far");
    EXPECT_TRUE(temp.file(L"src\\" + relative + L"f.txt")->exists());

    ASSERT_TRUE(temp.directory(L"dst")->create());
    EXPECT_TRUE(temp.directory(L"src")->copyContents(temp.directory(L"dst"), true, false, nullptr));
    EXPECT_EQ(readFile(temp / (L"dst\\" + relative + L"f.txt")), "far");

    EXPECT_TRUE(temp.directory(L"src")->remove(true));
    EXPECT_FALSE(isDirectoryOnDisk(temp / L"src"));
}

} // namespace
