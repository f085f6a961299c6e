#include "filesystem/Directory.h"
#include "filesystem/File.h"
#include "filesystem/FileCollectionIterator.h"
#include "filesystem/FileSystemIterator.h"

#include "TempFolder.h"
#include "platform/WinApi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

using fstest::TempFolder;
using torv::Directory;
using torv::DirectoryIterator;
using torv::File;
using torv::FileCollectionIterator;
using torv::FileIterator;
using torv::FileSystemItem;
using torv::FileSystemIterator;
using torv::SmartPtr;

std::wstring nameOf(const FileSystemItem& item)
{
    return item.getName().c_str();
}

std::set<std::wstring> drainFiles(FileIterator& it)
{
    std::set<std::wstring> names;
    for (SmartPtr<const File> f = it.getNext(); f; f = it.getNext())
        names.insert(nameOf(*f));
    return names;
}

// Restores the process's current directory when the test ends.
class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard() { GetCurrentDirectoryW(MAX_PATH, saved); }
    ~CurrentDirectoryGuard() { SetCurrentDirectoryW(saved); }

private:
    wchar_t saved[MAX_PATH];
};

TEST(Iterators, EmptyDirectoryEndsAtOnceForEveryKind)
{
    TempFolder temp;
    const SmartPtr<const Directory> d = temp.directory();
    EXPECT_FALSE(d->findContents(L"*")->getNext());
    EXPECT_FALSE(d->findDirectories(L"*")->getNext());
    EXPECT_FALSE(d->findFiles(L"*")->getNext());
}

TEST(Iterators, EachKindYieldsItsOwnEntries)
{
    TempFolder temp;
    fstest::writeFile(temp / L"a.txt", "a");
    fstest::writeFile(temp / L"b.doc", "b");
    fstest::makeDirectory(temp / L"c.txt");
    fstest::writeFile(temp / L"hidden.sys", "h");
    SetFileAttributesW((temp / L"hidden.sys").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    const SmartPtr<const Directory> d = temp.directory();

    EXPECT_EQ(drainFiles(*d->findFiles(L"*.txt")), std::set<std::wstring>{L"a.txt"});
    EXPECT_EQ(drainFiles(*d->findFiles(L"*")), (std::set<std::wstring>{L"a.txt", L"b.doc", L"hidden.sys"}));

    const SmartPtr<DirectoryIterator> dirs = d->findDirectories(L"*");
    const SmartPtr<const Directory> sub = dirs->getNext();
    ASSERT_TRUE(sub);
    EXPECT_EQ(nameOf(*sub), L"c.txt");
    EXPECT_TRUE(sub->isAbsolute());
    EXPECT_FALSE(dirs->getNext());
    EXPECT_FALSE(dirs->getNext()) << "the end stays the end";

    const SmartPtr<FileSystemIterator> all = d->findContents(L"*");
    int directories = 0;
    int files = 0;
    for (SmartPtr<const FileSystemItem> item = all->getNext(); item; item = all->getNext()) {
        if (item->isKindOf(Directory::Class()))
            ++directories;
        else if (item->isKindOf(File::Class()))
            ++files;
    }
    EXPECT_EQ(directories, 1);
    EXPECT_EQ(files, 3);
}

TEST(Iterators, FilesShareTheSearchedDirectory)
{
    TempFolder temp;
    fstest::writeFile(temp / L"x", "");
    fstest::writeFile(temp / L"y", "");
    const SmartPtr<FileIterator> it = temp.directory()->findFiles(L"*");
    const SmartPtr<const File> first = it->getNext();
    const SmartPtr<const File> second = it->getNext();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->getDirectory().get(), second->getDirectory().get());
}

TEST(Iterators, InvalidPatternsGiveNoIterator)
{
    TempFolder temp;
    const SmartPtr<const Directory> d = temp.directory();
    for (const wchar_t* pattern : {L"", L".", L"..", L"a|b", L"x.", L"*.", L"a\\b"}) {
        EXPECT_FALSE(d->findContents(pattern)) << testing::PrintToString(std::wstring(pattern));
        EXPECT_FALSE(d->findDirectories(pattern));
        EXPECT_FALSE(d->findFiles(pattern));
    }
}

TEST(Iterators, MissingDirectoryGivesIteratorThatEndsAtOnce)
{
    TempFolder temp;
    const SmartPtr<FileIterator> it = temp.directory(L"absent")->findFiles(L"*");
    ASSERT_TRUE(it);
    EXPECT_FALSE(it->getNext());
}

TEST(Iterators, RelativeDirectorySearchesItsAbsoluteForm)
{
    TempFolder temp;
    fstest::writeFile(temp / L"r.txt", "");
    CurrentDirectoryGuard guard;
    ASSERT_TRUE(SetCurrentDirectoryW(temp.path().c_str()));
    const SmartPtr<const File> f = SmartPtr<const Directory>(new Directory)->findFiles(L"*")->getNext();
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->isAbsolute());
    EXPECT_EQ(f->equals(temp.file(L"r.txt")), FileSystemItem::Equal);
}

TEST(Iterators, InvalidEntryNameYieldsNullOnceAndSearchGoesOn)
{
    TempFolder temp;
    fstest::writeFile(temp / L"trailing.", "");
    fstest::writeFile(temp / L"good", "");
    if (!fstest::isFileOnDisk(temp / L"trailing."))
        GTEST_SKIP() << "the file system cannot keep a name ending in a dot";
    const SmartPtr<FileIterator> it = temp.directory()->findFiles(L"*");
    std::vector<std::wstring> seen;
    for (int call = 0; call < 3; ++call) {
        const SmartPtr<const File> f = it->getNext();
        seen.push_back(f ? nameOf(*f) : L"<null>");
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"<null>", L"<null>", L"good"}));
}

TEST(Iterators, CopiesShareOneSearch)
{
    TempFolder temp;
    for (int i = 0; i < 20; ++i)
        fstest::writeFile(temp / (L"f" + std::to_wstring(i)), "");
    const std::set<std::wstring> everything = drainFiles(*temp.directory()->findFiles(L"*"));

    for (int round = 0; round < 50; ++round) {
        SmartPtr<FileIterator> original = temp.directory()->findFiles(L"*");
        SmartPtr<FileIterator> copy(new FileIterator(*original));
        std::set<std::wstring> seen;
        SmartPtr<const File> a = original->getNext();
        SmartPtr<const File> b = copy->getNext();
        while (a || b) {
            if (a) {
                seen.insert(nameOf(*a));
                a = original->getNext();
            }
            if (b) {
                seen.insert(nameOf(*b));
                b = copy->getNext();
            }
        }
        EXPECT_EQ(seen, everything);
        // One copy abandoned mid-search, the other assigned over: no handle
        // may be closed twice or leak.
        SmartPtr<FileIterator> abandoned = temp.directory()->findFiles(L"*");
        abandoned->getNext();
        SmartPtr<FileIterator> assigned(new FileIterator(*abandoned));
        *assigned = *original;
        original = nullptr;
        abandoned = nullptr;
        EXPECT_FALSE(assigned->getNext());
    }
}

TEST(FileCollection, WalksItsOwnCopyInOrder)
{
    std::vector<SmartPtr<const File>> files = {File::fromString(L"C:\\a.txt"), SmartPtr<const File>(),
                                               File::fromString(L"C:\\c.txt")};
    const SmartPtr<FileCollectionIterator> it = FileCollectionIterator::create(files);
    ASSERT_TRUE(it);
    files.clear();
    EXPECT_EQ(nameOf(*it->getNext()), L"a.txt");
    EXPECT_FALSE(it->getNext()) << "a null element";
    EXPECT_EQ(nameOf(*it->getNext()), L"c.txt");
    EXPECT_FALSE(it->getNext());
    EXPECT_FALSE(it->getNext());

    EXPECT_FALSE(FileCollectionIterator::create({})->getNext());
}

TEST(FileCollection, VirtualNextThroughFileIteratorAndCopyKeepsPosition)
{
    const std::vector<SmartPtr<const File>> files = {File::fromString(L"C:\\1"), File::fromString(L"C:\\2"),
                                                     File::fromString(L"C:\\3")};
    SmartPtr<FileCollectionIterator> it = FileCollectionIterator::create(files);
    SmartPtr<FileIterator> asFiles = it;
    EXPECT_EQ(nameOf(*asFiles->getNext()), L"1");

    SmartPtr<FileCollectionIterator> copy(new FileCollectionIterator(*it));
    it = nullptr;
    asFiles = nullptr;
    EXPECT_EQ(nameOf(*copy->getNext()), L"2");
    EXPECT_EQ(nameOf(*copy->getNext()), L"3");
    EXPECT_FALSE(copy->getNext());
}

} // namespace
