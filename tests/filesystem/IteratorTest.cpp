#include "filesystem/Directory.h"
#include "filesystem/File.h"
#include "filesystem/FileCollectionIterator.h"
#include "filesystem/FileSystemIterator.h"

#include "../support/TempFolder.h"
#include "platform/WinApi.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using namespace testsupport;
using namespace torv;

std::wstring nameOf(const SmartPtr<const File>& f) { return f ? std::wstring(f->getName().c_str()) : L"<null>"; }

std::set<std::wstring> drainFiles(FileIterator& it)
{
    std::set<std::wstring> names;
    for (SmartPtr<const File> f = it.getNext(); f; f = it.getNext())
        names.insert(nameOf(f));
    return names;
}

TEST(Iterators, EachKindYieldsItsOwnEntriesEmptyFoldersNone)
{
    TempFolder temp;
    for (const wchar_t* file : {L"a.txt", L"b.doc", L"hidden.sys"})
        writeFile(temp / file, "x");
    makeDirectory(temp / L"c.txt");
    SetFileAttributesW((temp / L"hidden.sys").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    const SmartPtr<const Directory> d = temp.directory();
    for (const SmartPtr<const Directory>& none : {temp.directory(L"c.txt"), temp.directory(L"absent")})
        EXPECT_FALSE(none->findContents(L"*")->getNext() || none->findDirectories(L"*")->getNext() ||
                     none->findFiles(L"*")->getNext())
            << "an empty or missing folder ends at once";

    EXPECT_EQ(drainFiles(*d->findFiles(L"*.txt")), std::set<std::wstring>{L"a.txt"});
    const SmartPtr<FileIterator> files = d->findFiles(L"*");
    const SmartPtr<const File> first = files->getNext();
    EXPECT_EQ(files->getSearchError(), 0u) << "a listing that goes on";
    const std::set<std::wstring> rest = drainFiles(*files);
    EXPECT_TRUE(rest.size() == 2u && rest.count(nameOf(first)) == 0u);
    EXPECT_TRUE(!files->getNext() && files->getSearchError() == 0u) << "the end stays the end, and is no error";

    const SmartPtr<torv::DirectoryIterator> dirs = d->findDirectories(L"*");
    const SmartPtr<const Directory> sub = dirs->getNext();
    EXPECT_TRUE(sub && sub->getName() == L"c.txt" && !dirs->getNext());

    int directories = 0, all = 0;
    const SmartPtr<torv::FileSystemIterator> contents = d->findContents(L"*");
    for (SmartPtr<const FileSystemItem> item = contents->getNext(); item; item = contents->getNext(), ++all)
        directories += item->isKindOf(Directory::Class()) ? 1 : 0;
    EXPECT_TRUE(directories == 1 && all == 4) << directories << " " << all;

    for (const wchar_t* pattern : {L"", L".", L"..", L"a|b", L"x.", L"a\\b"})
        EXPECT_FALSE(d->findContents(pattern)) << testing::PrintToString(std::wstring(pattern));
}

TEST(Iterators, RelativeDirectoryYieldsAbsoluteFilesSharingOneFolder)
{
    TempFolder temp;
    writeFile(temp / L"r", "");
    writeFile(temp / L"s", "");
    const SmartPtr<FileIterator> it = [&temp] { // the folder is the current one while the search starts only
        const CurrentDirectory inTemp(temp.path());
        return SmartPtr<const Directory>(new Directory)->findFiles(L"*");
    }();
    const SmartPtr<const File> a = it->getNext();
    const SmartPtr<const File> b = it->getNext();
    ASSERT_TRUE(a && b);
    EXPECT_TRUE(a->isAbsolute() && a->getDirectory() == b->getDirectory());
    EXPECT_EQ(a->getDirectory()->equals(temp.directory()), FileSystemItem::Equal);
}

TEST(Iterators, InvalidEntryNameYieldsNullAndSearchGoesOn)
{
    TempFolder temp;
    writeFile(temp / L"trailing.", "");
    writeFile(temp / L"good", "");
    const SmartPtr<FileIterator> it = temp.directory()->findFiles(L"*");
    std::multiset<std::wstring> seen;
    for (int call = 0; call < 3; ++call) { // a rejected entry is told from the end by its name
        const std::wstring name = nameOf(it->getNext());
        seen.insert(name + L"|" + it->getRejectedName().c_str());
    }
    EXPECT_EQ(seen, (std::multiset<std::wstring>{L"<null>|", L"<null>|trailing.", L"good|"}));
}

TEST(Iterators, CopiesShareOneSearchAndCloseItOnce)
{
    TempFolder temp;
    for (int i = 0; i < 20; ++i)
        writeFile(temp / (L"f" + std::to_wstring(i)), "");
    const std::set<std::wstring> everything = drainFiles(*temp.directory()->findFiles(L"*"));
    for (int round = 0; round < 50; ++round) {
        SmartPtr<FileIterator> original = temp.directory()->findFiles(L"*");
        const SmartPtr<FileIterator> copy(new FileIterator(*original));
        std::set<std::wstring> seen = drainFiles(*original), second = drainFiles(*copy);
        seen.insert(second.begin(), second.end());
        EXPECT_EQ(seen, everything);

        SmartPtr<FileIterator> abandoned = temp.directory()->findFiles(L"*");
        abandoned->getNext();
        const SmartPtr<FileIterator> assigned(new FileIterator(*abandoned));
        *assigned = *original;
        original = nullptr;
        abandoned = nullptr;
        EXPECT_FALSE(assigned->getNext());
    }
}

TEST(FileCollection, WalksItsOwnCopyInOrder)
{
    std::vector<SmartPtr<const File>> files = {File::fromString(L"C:\\a"), nullptr, File::fromString(L"C:\\c")};
    SmartPtr<FileCollectionIterator> it = FileCollectionIterator::create(files);
    files.clear();
    SmartPtr<FileIterator> asFiles = it;
    EXPECT_EQ(nameOf(asFiles->getNext()), L"a");
    const SmartPtr<FileCollectionIterator> copy(new FileCollectionIterator(*it));
    it = nullptr;
    asFiles = nullptr;
    EXPECT_EQ(nameOf(copy->getNext()), L"<null>");
    EXPECT_EQ(nameOf(copy->getNext()), L"c");
    EXPECT_FALSE(copy->getNext() || copy->getNext() || FileCollectionIterator::create({})->getNext());
}

} // namespace
