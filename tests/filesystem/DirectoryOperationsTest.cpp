#include "filesystem/Directory.h"
#include "filesystem/FailureLog.h"
#include "filesystem/TorvFileProgressInterface.h"

#include "../support/TempFolder.h"
#include "platform/WinApi.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace testsupport;
using namespace torv;

class CountingProgress : public torv::TorvFileProgressInterface {
public:
    void onFileCopied() override
    {
        if (++count == 1 && fault)
            fault();
    }
    int count = 0;
    std::function<void()> fault; // strikes once, after the first copied file
};

// Four files at three depths, names with spaces and non-ASCII letters, and an empty folder.
void buildSourceTree(const TempFolder& temp)
{
    for (const wchar_t* folder :
         {L"src", L"src\\with space", L"src\\with space\\d", L"src\\caf\u00e9\u65e5", L"src\\empty"})
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
    EXPECT_FALSE(temp.directory(L"taken\\below")->create() || temp.directory(L"taken\\below\\deeper")->create())
        << "a folder, or a missing parent, under a file";
    EXPECT_FALSE(temp.directory(L"none")->isEmpty() || temp.directory()->isEmpty());
    EXPECT_TRUE(temp.directory(L"a\\b\\c")->isEmpty());
}

// Catches a removal that reports success past a file it could not delete, or undoes nothing it should keep.
TEST(DirectoryRemove, RecursionDecidesWhatGoesAndProtectedFilesStopIt)
{
    TempFolder temp;
    buildSourceTree(temp);
    EXPECT_FALSE(temp.directory(L"src")->remove(false));
    EXPECT_TRUE(temp.directory(L"src")->removeContents(false) && !isFileOnDisk(temp / L"src\\top.txt"));
    EXPECT_EQ(readFile(temp / L"src\\with space\\inner file.txt"), "inner");

    for (const bool heldOpen : {false, true}) {
        writeFile(temp / L"src\\top.txt", "top");
        std::unique_ptr<ExclusiveOpen> lock(heldOpen ? new ExclusiveOpen(temp / L"src\\top.txt") : nullptr);
        if (!heldOpen)
            setReadOnly(temp / L"src\\top.txt");
        EXPECT_FALSE(temp.directory(L"src")->removeContents(true)) << "held open: " << heldOpen;
        lock.reset();
        EXPECT_EQ(snapshot(temp / L"src\\"), (std::map<std::wstring, std::string>{{L"top.txt", "top"}}))
            << "the folders, removed first, stay removed; the protected file stays whole";
        SetFileAttributesW((temp / L"src\\top.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    EXPECT_TRUE(temp.directory(L"src")->remove(true) && !isDirectoryOnDisk(temp / L"src"));
    EXPECT_TRUE(temp.directory(L"src")->remove(true) && temp.directory(L"src")->removeContents(true))
        << "nothing left to remove";
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

    // A file where a folder goes, and a target that goes away during the copy, fail it; the target is not made again.
    EXPECT_TRUE(temp.directory(L"dst")->removeContents(true));
    writeFile(temp / L"dst\\empty", "file");
    EXPECT_FALSE(copyTree(temp, true, true));
    EXPECT_EQ(readFile(temp / L"dst\\empty"), "file");
    EXPECT_TRUE(temp.directory(L"dst")->removeContents(true));
    progress.fault = [&] { temp.directory(L"dst")->remove(true); };
    progress.count = 0;
    EXPECT_FALSE(copyTree(temp, true, true, &progress) || isDirectoryOnDisk(temp / L"dst"));
}

// Catches a copy into its own ancestor that overwrites the source, and one into itself that recurses without end.
TEST(DirectoryCopy, RefusesTreesThatOverlap)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"x\\a", L"x"}, {L"x", L"x\\a"}, {L"x", L"X\\A\\A"}, {L"x\\a", L"X\\A"}, {L"x\\a\\a", L"X"}};
    TempFolder temp;
    for (const wchar_t* folder : {L"x", L"x\\a", L"x\\a\\a"})
        makeDirectory(temp / folder);
    writeFile(temp / L"x\\a\\f.txt", "outer");
    writeFile(temp / L"x\\a\\a\\f.txt", "inner");
    const auto before = snapshot(temp.path());
    for (const auto& [source, target] : cases) {
        EXPECT_FALSE(temp.directory(source)->copyContents(temp.directory(target), true, true, nullptr))
            << source << L" into " << target;
        EXPECT_EQ(snapshot(temp.path()), before) << "written before refusing: " << source << L" into " << target;
    }
    makeDirectory(temp / L"xa");
    EXPECT_TRUE(temp.directory(L"x\\a\\a")->copyContents(temp.directory(L"xa"), true, false, nullptr))
        << "a sibling whose name merely starts alike";
    // Fault: a target spelled above its drive's root has no absolute form, passed as apart from the source, and
    // the system's reading of it, the root itself, was written into.
    EXPECT_FALSE(temp.directory(L"x\\a\\a")->copyContents(Directory::fromString(L"C:..\\"), true, false, nullptr));
    EXPECT_FALSE(isFileOnDisk(L"C:\\f.txt"));
}

// Catches a copy or removal that stops at a name no path can hold and still reports success.
TEST(DirectoryTree, NamesNoPathCanHoldArePassedOverAndFail)
{
    TempFolder temp;
    for (const wchar_t* folder : {L"src", L"src\\blank ", L"src\\d", L"dst"})
        makeDirectory(temp / folder);
    for (const wchar_t* file :
         {L"src\\a.txt", L"src\\dot.", L"src\\z.txt", L"src\\blank \\in.txt", L"src\\d\\e.", L"src\\d\\f.txt"})
        writeFile(temp / file, "x");

    CountingProgress progress;
    FailureLog log;
    EXPECT_FALSE(temp.directory(L"src")->copyContents(temp.directory(L"dst"), true, false, &progress));
    ASSERT_EQ(log.failures().size(), 3u);
    EXPECT_STREQ(log.failures()[0].text.c_str(),
                 (L"The entry 'blank ' in the directory '" + temp / L"src\\' has a name that no path can hold; it was "
                                                                    L"passed over.")
                     .c_str());
    EXPECT_EQ(log.failures()[0].paths, (std::vector<String>{L"blank ", (temp / L"src\\").c_str()}));
    EXPECT_EQ(snapshot(temp / L"dst\\"), (std::map<std::wstring, std::string>{
                                             {L"a.txt", "x"}, {L"d", "<folder>"}, {L"d\\f.txt", "x"}, {L"z.txt", "x"}}))
        << "everything representable is copied, also after the passed-over entries";
    EXPECT_EQ(progress.count, 3);

    EXPECT_FALSE(temp.directory(L"src")->removeContents(true));
    EXPECT_EQ(
        snapshot(temp / L"src\\"),
        (std::map<std::wstring, std::string>{
            {L"blank ", "<folder>"}, {L"blank \\in.txt", "x"}, {L"d", "<folder>"}, {L"d\\e.", "x"}, {L"dot.", "x"}}))
        << "everything representable is removed, the rest stays";
}

// Catches a full disk that leaves a half-written file under the final name, or a failed move that loses the source.
TEST(DirectoryCopy, FullTargetDiskLeavesNoHalfWrittenFile)
{
    // A 4 MiB disk that the test run mounts when the host lets it (see the CMake fixture).
    const std::wstring disk = fromEnvironment("TORV_SMALL_DISK");
    ULARGE_INTEGER total = {};
    if (disk.empty() || !GetDiskFreeSpaceExW(disk.c_str(), nullptr, &total, nullptr) || total.QuadPart > 16u << 20)
        GTEST_SKIP() << "no small disk: the run mounts a 4 MiB tmpfs only as root where mounting is permitted";
    TempFolder temp;
    TempFolder full(disk);
    makeDirectory(temp / L"src");
    for (const char letter : {'a', 'b', 'c'})
        writeFile(temp / L"src\\" + wchar_t(letter), std::string(1536 * 1024, letter));
    writeFile(temp / L"small", "small");
    const auto before = snapshot(temp / L"src\\");

    FailureLog log;
    EXPECT_FALSE(temp.directory(L"src")->copyContents(full.directory(), true, true, nullptr));
    ASSERT_EQ(log.failures().size(), 1u);
    EXPECT_EQ(log.failures()[0].code, DWORD(ERROR_DISK_FULL)) << log.failures()[0].text.c_str();
    EXPECT_EQ(snapshot(temp / L"src\\"), before);
    const auto copied = snapshot(full.path());
    EXPECT_LT(copied.size(), 3u);
    for (const auto& entry : copied) {
        EXPECT_TRUE(before.count(entry.first) && entry.second == before.at(entry.first))
            << "half-written or stray: " << entry.first << ", " << entry.second.size() << " bytes";
    }

    EXPECT_FALSE(temp.file(L"src\\c")->move(full.file(L"moved")) || isFileOnDisk(full / L"moved"));
    EXPECT_EQ(readFile(temp / L"src\\c"), before.at(L"c")) << "a move across volumes that failed";
    EXPECT_TRUE(temp.file(L"small")->move(full.file(L"small")) && !isFileOnDisk(temp / L"small"));
    EXPECT_EQ(readFile(full / L"small"), "small");
    // Fault: a source that could not be deleted after its copy was reported moved, and stayed in both places.
    writeFile(temp / L"kept", "kept");
    setReadOnly(temp / L"kept");
    EXPECT_FALSE(temp.file(L"kept")->move(full.file(L"kept")) || isFileOnDisk(full / L"kept"));
    EXPECT_EQ(readFile(temp / L"kept"), "kept");
}

} // namespace
