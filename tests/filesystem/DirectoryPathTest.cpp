#include "filesystem/Directory.h"
#include "filesystem/File.h"

#include "platform/WinApi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using torv::Directory;
using torv::File;
using torv::FileSystemItem;
using torv::SmartPtr;
using torv::String;

std::wstring fullName(const SmartPtr<const Directory>& d)
{
    return d ? std::wstring(d->getFullName().c_str()) : L"<null>";
}

std::wstring fullName(const SmartPtr<const File>& f)
{
    return f ? std::wstring(f->getFullName().c_str()) : L"<null>";
}

SmartPtr<const Directory> dir(const wchar_t* path)
{
    return Directory::fromString(path);
}

// The process's current directory as a Directory, for expectations.
SmartPtr<const Directory> currentDirectory()
{
    wchar_t buffer[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, buffer);
    return dir(buffer);
}

struct ParseCase {
    const wchar_t* input;
    const wchar_t* fullName; // null: the parse fails
    bool absolute;
    const wchar_t* name;
};

const ParseCase parseCases[] = {
    {L"C:\\a\\b", L"C:\\a\\b\\", true, L"b"},
    {L"c:/a//b/", L"C:\\a\\b\\", true, L"b"},
    {L"C:\\a\\..\\b", L"C:\\b\\", true, L"b"},
    {L"C:\\a\\.\\b\\.", L"C:\\a\\b\\", true, L"b"},
    {L"C:\\", L"C:\\", true, L"."},
    {L"C:", L"C:", false, L"."},
    {L"C:tmp", L"C:tmp\\", false, L"tmp"},
    {L"\\", L"\\", true, L"."},
    {L"\\x\\y", L"\\x\\y\\", true, L"y"},
    {L"..\\a", L"..\\a\\", false, L"a"},
    {L".\\a\\..", L".\\a\\..\\", false, L".."},
    {L"", L".\\", false, L"."},
    {L"\\\\server\\share\\d", L"\\\\server\\share\\d\\", true, L"d"},
    {L"\\\\server/share/d/../e", L"\\\\server\\share\\d\\..\\e\\", true, L"e"},
    {L"\\\\?\\UNC\\server\\share", L"\\\\server\\share\\", true, L"."},
    {L"\\\\?\\C:\\x", L"C:\\x\\", true, L"x"},
    {L"//server/share", L"\\server\\share\\", true, L"share"},
    {L"C:\\caf\u00e9\\with space", L"C:\\caf\u00e9\\with space\\", true, L"with space"},
    {L"C:\\..", nullptr, false, nullptr},
    {L"\\\\server", nullptr, false, nullptr},
    {L"\\\\server\\", nullptr, false, nullptr},
    {L"1:\\x", nullptr, false, nullptr},
    {L"ab:c", nullptr, false, nullptr},
    {L"C:\\a*b", nullptr, false, nullptr},
    {L"C:\\dot.\\x", nullptr, false, nullptr},
    {L"\\\\?\\C:/x", nullptr, false, nullptr},
};

TEST(DirectoryPath, ParsesAndRenders)
{
    for (const ParseCase& c : parseCases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.input)));
        const SmartPtr<Directory> d = Directory::fromString(c.input);
        if (!c.fullName) {
            EXPECT_FALSE(d);
            continue;
        }
        ASSERT_TRUE(d);
        EXPECT_EQ(std::wstring(d->getFullName().c_str()), c.fullName);
        EXPECT_EQ(d->isAbsolute(), c.absolute);
        EXPECT_EQ(std::wstring(d->getName().c_str()), c.name);
    }
}

TEST(DirectoryPath, LongPrefixedPathKeepsEveryLevel)
{
    std::wstring path = L"C:";
    for (int i = 0; i < 40; ++i)
        path += L"\\level" + std::to_wstring(i);
    const SmartPtr<Directory> d = Directory::fromString((L"\\\\?\\" + path).c_str());
    ASSERT_TRUE(d);
    EXPECT_EQ(std::wstring(d->getFullName().c_str()), path + L"\\");
}

TEST(DirectoryPath, ParentAndSetName)
{
    EXPECT_EQ(fullName(dir(L"C:\\a\\b")->getParent()), L"C:\\a\\");
    EXPECT_FALSE(dir(L"C:\\")->getParent());
    EXPECT_FALSE(SmartPtr<const Directory>(new Directory)->getParent());

    const SmartPtr<Directory> d = Directory::fromString(L"C:\\a\\b");
    d->setName(L"c");
    EXPECT_EQ(std::wstring(d->getFullName().c_str()), L"C:\\a\\c\\");
    d->setName(L"bad|name");
    EXPECT_EQ(std::wstring(d->getFullName().c_str()), L"C:\\a\\c\\");
    const SmartPtr<Directory> rootOnly = Directory::fromString(L"C:\\");
    rootOnly->setName(L"x");
    EXPECT_EQ(std::wstring(rootOnly->getFullName().c_str()), L"C:\\");
}

TEST(DirectoryPath, AppendLevelKeepsDotsAndRejectsBadNames)
{
    const SmartPtr<const Directory> base = dir(L"C:\\a");
    EXPECT_EQ(fullName(base->appendLevel(L"..")), L"C:\\a\\..\\");
    EXPECT_EQ(fullName(base->appendLevel(L"n\u00e4me")), L"C:\\a\\n\u00e4me\\");
    EXPECT_FALSE(base->appendLevel(L"x:y"));
    EXPECT_FALSE(base->appendLevel(L""));
    EXPECT_EQ(fullName(base), L"C:\\a\\");
}

TEST(DirectoryPath, AppendPathNormalisesAndRefusesAbsolute)
{
    const SmartPtr<const Directory> base = dir(L"C:\\a\\b");
    EXPECT_EQ(fullName(base->appendPath(*dir(L"..\\c\\.\\d"))), L"C:\\a\\c\\d\\");
    EXPECT_FALSE(base->appendPath(*dir(L"D:\\x")));
    EXPECT_FALSE(dir(L"..\\x")->appendPath(*dir(L"y")));
    EXPECT_FALSE(base->appendPath(*dir(L"..\\..\\..")));
}

TEST(DirectoryPath, CombineIgnoresRootOfOtherAndFailsAboveRoot)
{
    const SmartPtr<const Directory> base = dir(L"C:\\a");
    EXPECT_EQ(fullName(base->combine(dir(L"D:\\x\\..\\y"))), L"C:\\a\\y\\");
    EXPECT_EQ(base->combine(SmartPtr<const Directory>()).get(), base.get());
    EXPECT_FALSE(base->combine(dir(L"..\\..\\z")));

    EXPECT_EQ(fullName(base->combine(File::fromString(L"sub\\f.txt"))), L"C:\\a\\sub\\f.txt");
    EXPECT_EQ(fullName(base->combine(File::fromString(L"f.txt"))), L"C:\\a\\f.txt");
    EXPECT_FALSE(base->combine(File::fromString(L"..\\..\\f.txt")));
    EXPECT_FALSE(base->combine(SmartPtr<const File>()));
}

TEST(DirectoryPath, MakeAbsoluteUsesCurrentDirectory)
{
    const SmartPtr<const Directory> current = currentDirectory();
    ASSERT_TRUE(current);
    const SmartPtr<const Directory> absolute = dir(L"x\\y")->makeAbsolute();
    EXPECT_EQ(fullName(absolute), fullName(current) + L"x\\y\\");
    EXPECT_EQ(fullName(SmartPtr<const Directory>(new Directory)->makeAbsolute()), fullName(current));
    const SmartPtr<const Directory> already = dir(L"C:\\q");
    EXPECT_EQ(already->makeAbsolute().get(), already.get());
    EXPECT_FALSE(dir(L"Q:rel")->makeAbsolute()) << "a drive that does not exist has no current directory";
}

struct RelativeCase {
    const wchar_t* path;
    const wchar_t* reference;
    const wchar_t* expected;
};

const RelativeCase relativeCases[] = {
    {L"C:\\a\\b\\c", L"C:\\a\\x", L"..\\b\\c\\"},
    {L"C:\\a", L"D:\\a", L"C:\\a\\"},
    {L"C:\\A\\B", L"c:\\a\\b", L".\\"},
    {L"C:\\a\\b", L"C:\\a\\b\\c\\d", L"..\\..\\"},
    {L"\\\\s\\one\\x", L"\\\\s\\two\\y", L"..\\x\\"},
};

TEST(DirectoryPath, MakeRelative)
{
    for (const RelativeCase& c : relativeCases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.path)));
        EXPECT_EQ(fullName(dir(c.path)->makeRelative(dir(c.reference))), c.expected);
    }
    EXPECT_FALSE(dir(L"C:\\a")->makeRelative(SmartPtr<const Directory>()));
}

TEST(DirectoryPath, Equals)
{
    EXPECT_EQ(dir(L"C:\\A")->equals(dir(L"c:\\a")), FileSystemItem::Equal);
    EXPECT_EQ(dir(L"C:\\a")->equals(dir(L"C:\\a\\b")), FileSystemItem::Different);
    EXPECT_EQ(dir(L"C:\\a")->equals(dir(L"D:\\a")), FileSystemItem::Different);
    EXPECT_EQ(dir(L"\\a")->equals(dir(L"C:\\a")), FileSystemItem::Different);
    EXPECT_EQ(dir(L"C:\\a")->equals(SmartPtr<const Directory>()), FileSystemItem::Undetermined);

    const SmartPtr<const Directory> current = currentDirectory();
    EXPECT_EQ(dir(L"sub")->equals(current->appendLevel(L"SUB")), FileSystemItem::Equal);
    EXPECT_EQ(current->appendLevel(L"sub")->equals(dir(L"sub")), FileSystemItem::Equal);
    EXPECT_EQ(current->equals(dir(L"other")), FileSystemItem::Different);
    EXPECT_EQ(dir(L"Q:rel")->equals(dir(L"Q:\\rel")), FileSystemItem::Undetermined);
}

TEST(DirectoryPath, ContainsIsSubstringOfFullName)
{
    const SmartPtr<const File> file = File::fromString(L"C:\\a\\b\\f.txt");
    EXPECT_TRUE(dir(L"C:\\a")->contains(*file));
    EXPECT_TRUE(dir(L"b")->contains(*file));
    EXPECT_FALSE(dir(L"C:\\b")->contains(*file));
    EXPECT_FALSE(dir(L"C:\\A")->contains(*file));
}

} // namespace
