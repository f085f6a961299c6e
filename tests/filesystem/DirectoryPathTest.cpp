#include "filesystem/Directory.h"
#include "filesystem/File.h"

#include "platform/WinApi.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

using namespace torv;

template <class Item>
std::wstring fullName(const SmartPtr<Item>& item)
{
    return item ? std::wstring(item->getFullName().c_str()) : L"<null>";
}

SmartPtr<const Directory> dir(const std::wstring& path) { return Directory::fromString(path.c_str()); }

std::wstring currentFolder()
{
    wchar_t buffer[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, buffer);
    return fullName(dir(buffer));
}

// Input, rendering, absolute.
const std::tuple<const wchar_t*, const wchar_t*, bool> parseCases[] = {
    {L"C:\\a\\b", L"C:\\a\\b\\", true},
    {L"c:/a//b/", L"C:\\a\\b\\", true},
    {L"C:\\a\\..\\b\\.", L"C:\\b\\", true},
    {L"a:\\", L"A:\\", true},
    {L"C:", L"C:", false},
    {L"z:tmp", L"Z:tmp\\", false},
    {L"\\x", L"\\x\\", true},
    {L".\\a\\..", L".\\a\\..\\", false},
    {L"", L".\\", false},
    {L"//server/share", L"\\server\\share\\", true},
    {L"\\\\server\\share\\d", L"\\\\server\\share\\d\\", true},
    {L"\\\\server/share/d/../e", L"\\\\server\\share\\d\\..\\e\\", true},
    {L"\\\\?\\UNC\\server\\share", L"\\\\server\\share\\", true},
    {L"\\\\?\\C:\\x", L"C:\\x\\", true},
    {L"C:\\caf\u00e9\\with space", L"C:\\caf\u00e9\\with space\\", true}};
const wchar_t* const rejected[] = {L"C:\\..",  L"\\\\server\\", L"1:\\x",      L"ab:c",
                                   L"C:\\a*b", L"C:\\dot.\\x",  L"\\\\?\\C:/x"};

TEST(DirectoryPath, ParsesAndRenders)
{
    for (const auto& [input, rendered, absolute] : parseCases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(input)));
        const SmartPtr<const Directory> d = dir(input);
        EXPECT_EQ(fullName(d), rendered);
        if (d)
            EXPECT_EQ(d->isAbsolute(), absolute);
    }
    for (const wchar_t* input : rejected)
        EXPECT_FALSE(dir(input)) << testing::PrintToString(std::wstring(input));
    std::wstring deep = L"C:";
    for (int i = 0; i < 40; ++i)
        deep += L"\\level" + std::to_wstring(i);
    EXPECT_EQ(fullName(dir(L"\\\\?\\" + deep)), deep + L"\\");
}

TEST(DirectoryPath, NameParentLevelsAndCombineFailingAboveRoot)
{
    EXPECT_TRUE(dir(L"C:\\")->getName() == L"." && !dir(L"C:\\")->getParent());
    EXPECT_EQ(fullName(dir(L"C:\\a\\b")->getParent()), L"C:\\a\\");

    const SmartPtr<Directory> d = Directory::fromString(L"C:\\a\\b");
    d->setName(L"c");
    d->setName(L"bad|name");
    EXPECT_EQ(fullName(SmartPtr<const Directory>(d)), L"C:\\a\\c\\");

    const SmartPtr<const Directory> base = dir(L"C:\\a");
    EXPECT_EQ(fullName(base->appendLevel(L"..")), L"C:\\a\\..\\");
    EXPECT_FALSE(base->appendLevel(L"x:y"));
    EXPECT_EQ(fullName(base->appendPath(*dir(L"..\\c\\.\\d"))), L"C:\\c\\d\\");
    EXPECT_FALSE(base->appendPath(*dir(L"D:\\x")) || dir(L"..\\x")->appendPath(*dir(L"y")));
    EXPECT_EQ(fullName(base->combine(dir(L"D:\\x\\..\\y"))), L"C:\\a\\y\\");
    EXPECT_EQ(base->combine(SmartPtr<const Directory>()).get(), base.get());
    EXPECT_FALSE(base->combine(dir(L"..\\..\\z")));
    EXPECT_EQ(fullName(base->combine(File::fromString(L"sub\\f.txt"))), L"C:\\a\\sub\\f.txt");
    EXPECT_FALSE(base->combine(File::fromString(L"..\\..\\f.txt")) || base->combine(SmartPtr<const File>()));
}

TEST(DirectoryPath, AbsoluteAndRelativeFormsEqualityAndContainment)
{
    EXPECT_EQ(fullName(dir(L"x\\y")->makeAbsolute()), currentFolder() + L"x\\y\\");
    EXPECT_EQ(fullName(SmartPtr<const Directory>(new Directory)->makeAbsolute()), currentFolder());
    EXPECT_FALSE(dir(L"Q:rel")->makeAbsolute()) << "a missing drive has no current directory";

    const wchar_t* const relatives[][3] = {{L"C:\\a\\b\\c", L"C:\\a\\x", L"..\\b\\c\\"},
                                           {L"C:\\a", L"D:\\a", L"C:\\a\\"},
                                           {L"C:\\A\\B", L"c:\\a\\b", L".\\"},
                                           {L"C:\\a", L"C:\\a\\b\\c", L"..\\..\\"},
                                           {L"C:\\a\\b", L"C:\\a", L"b\\"},
                                           {L"\\\\s\\one\\x", L"\\\\s\\two\\y", L"..\\x\\"}};
    for (const auto& c : relatives)
        EXPECT_EQ(fullName(dir(c[0])->makeRelative(dir(c[1]))), c[2]) << c[0];
    EXPECT_FALSE(dir(L"C:\\a")->makeRelative(SmartPtr<const Directory>()));

    const std::tuple<std::wstring, std::wstring, FileSystemItem::ComparisonResult> comparisons[] = {
        {L"C:\\A", L"c:\\a", FileSystemItem::Equal},
        {L"C:\\a", L"C:\\a\\b", FileSystemItem::Different},
        {L"\\a", L"C:\\a", FileSystemItem::Different},
        {L"sub", currentFolder() + L"SUB", FileSystemItem::Equal},
        {L"Q:rel", L"Q:\\rel", FileSystemItem::Undetermined}};
    for (const auto& [a, b, result] : comparisons)
        EXPECT_EQ(dir(a)->equals(dir(b)), result) << a;
    EXPECT_EQ(dir(L"C:\\a")->equals(SmartPtr<const Directory>()), FileSystemItem::Undetermined);

    const SmartPtr<const File> file = File::fromString(L"C:\\a\\b\\f.txt");
    EXPECT_TRUE(dir(L"C:\\a")->contains(*file) && dir(L"b")->contains(*file));
    EXPECT_FALSE(dir(L"C:\\A")->contains(*file));
}

// Catches drive-relative paths on a drive that is not the current one failing to resolve.
TEST(DirectoryPath, DriveRelativeOnAnotherDrive)
{
    const wchar_t current = currentFolder()[0];
    wchar_t other = 0;
    for (wchar_t letter = L'C'; letter <= L'Z' && !other; ++letter) {
        const wchar_t root[] = {letter, L':', L'\\', 0};
        if (letter != current && GetDriveTypeW(root) > DRIVE_NO_ROOT_DIR)
            other = letter;
    }
    if (!other)
        GTEST_SKIP() << "no drive here besides the current one";
    const std::wstring relative = std::wstring(1, other) + L":data";
    const SmartPtr<const Directory> absolute = dir(relative)->makeAbsolute();
    ASSERT_TRUE(absolute) << relative;
    const std::wstring name = fullName(absolute);
    EXPECT_TRUE(absolute->isAbsolute() && name.rfind(std::wstring(1, other) + L":\\", 0) == 0 && name.size() >= 7 &&
                name.compare(name.size() - 6, 6, L"\\data\\") == 0)
        << name;
    EXPECT_EQ(dir(relative)->equals(absolute), FileSystemItem::Equal);
    EXPECT_EQ(fullName(dir(relative)->makeRelative(absolute->getParent())), L"data\\");
}

} // namespace
