#include "filesystem/Directory.h"
#include "filesystem/File.h"
#include "filesystem/NameCheck.h"
#include "filesystem/SystemPath.h"

#include "../support/OnThreads.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace torv;

std::wstring text(const torv::String& s) { return s.c_str(); }

// Input, full name, base name, extension, absolute.
const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*, bool> fileCases[] = {
    {L"report.txt", L".\\report.txt", L"report", L"txt", false},
    {L"C:\\data\\archive.tar.gz", L"C:\\data\\archive.tar.gz", L"archive.tar", L"gz", true},
    {L".profile", L".\\.profile", L".profile", L"", false},
    {L"C:x.txt", L"C:x.txt", L"x", L"txt", false},
    {L"\\x", L"\\x", L"x", L"", true},
    {L"\\\\srv\\share\\n\u00e4me mit leer.doc", L"\\\\srv\\share\\n\u00e4me mit leer.doc", L"n\u00e4me mit leer",
     L"doc", true}};

const wchar_t* const rejected[] = {
    L"C:\\data\\",   L"C:\\data\\.",    L"C:\\data\\..", L"C:\\data\\a*.txt", L"C:\\data\\x.",
    L"C:\\data\\x ", L"C:\\data/x.txt", L"data/x.txt",   L"C:\\..\\x.txt",    L""};

TEST(FilePath, Parses)
{
    for (const auto& [input, fullName, baseName, extension, absolute] : fileCases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(input)));
        const SmartPtr<File> f = File::fromString(input);
        ASSERT_TRUE(f);
        EXPECT_EQ(text(f->getFullName()), fullName);
        EXPECT_EQ(text(f->getBaseName()), baseName);
        EXPECT_EQ(text(f->getExtension()), extension);
        EXPECT_EQ(f->isAbsolute(), absolute);
    }
    for (const wchar_t* input : rejected)
        EXPECT_FALSE(File::fromString(input)) << testing::PrintToString(std::wstring(input));
}

TEST(FilePath, RenamingAndExtensionsKeepTheSharedDirectory)
{
    const wchar_t* const renames[][3] = {{L"a.txt", L"b", L"b.txt"},
                                         {L"a.txt", L"x.", L"x"},
                                         {L"a.txt", L".hidden", L".hidden.txt"},
                                         {L"a", L"b", L"b"}};
    for (const auto& r : renames) {
        const SmartPtr<File> f = File::fromString(r[0]);
        f->setName(r[1]);
        EXPECT_EQ(text(f->getName()), r[2]) << r[0] << " -> " << r[1];
    }
    const SmartPtr<const File> f = File::fromString(L"C:\\d\\a.txt");
    EXPECT_EQ(text(f->replaceExtension(L".bak")->getName()), L"a..bak");
    EXPECT_EQ(text(f->replaceExtension(L"")->getFullName()), L"C:\\d\\a");
    EXPECT_EQ(text(f->getName()), L"a.txt") << "the original stays";
    const SmartPtr<const Directory> folder = Directory::fromString(L"C:\\shared");
    const SmartPtr<const File> inFolder = File::fromString(*folder, L"a.txt");
    EXPECT_TRUE(inFolder->getDirectory() == folder && inFolder->replaceExtension(L"x")->getDirectory() == folder);
    EXPECT_FALSE(File::fromString(*folder, L".."));
}

TEST(FilePath, AbsoluteAndRelativeFormsAndEquality)
{
    const SmartPtr<const File> absolute = File::fromString(L"C:\\a\\b\\f.txt");
    EXPECT_EQ(absolute->makeAbsolute().get(), absolute.get());
    EXPECT_EQ(text(absolute->makeRelative(Directory::fromString(L"C:\\a\\x"))->getFullName()), L"..\\b\\f.txt");
    EXPECT_FALSE(absolute->makeRelative(SmartPtr<const Directory>()));

    const SmartPtr<const File> resolved = File::fromString(L"sub\\f.txt")->makeAbsolute();
    ASSERT_TRUE(resolved);
    EXPECT_EQ(text(resolved->getFullName()),
              text(SmartPtr<const Directory>(new Directory)->makeAbsolute()->getFullName()) + L"sub\\f.txt");

    const SmartPtr<File> renamed = File::fromString(L"f.txt");
    renamed->setName(L"bad|name");
    EXPECT_FALSE(renamed->makeAbsolute()) << "the unchecked name is rejected when re-parsed";

    const SmartPtr<const File> lower = File::fromString(L"C:\\d\\report.txt");
    EXPECT_EQ(lower->equals(File::fromString(L"c:\\D\\REPORT.TXT")), FileSystemItem::Equal);
    for (const wchar_t* other : {L"C:\\d\\report.doc", L"C:\\e\\report.txt"})
        EXPECT_EQ(lower->equals(File::fromString(other)), FileSystemItem::Different) << other;
    EXPECT_EQ(lower->equals(SmartPtr<const File>()), FileSystemItem::Undetermined);
    const SmartPtr<const File> relative = File::fromString(L"f.txt");
    EXPECT_EQ(relative->equals(relative->makeAbsolute()), FileSystemItem::Equal);

    // A null extension differs from an empty one, though both read alike.
    const SmartPtr<File> emptied = File::fromString(L"C:\\d\\y.z");
    emptied->setName(L"x.");
    EXPECT_EQ(File::fromString(L"C:\\d\\x")->equals(emptied), FileSystemItem::Different);
}

// Threads derive paths from one shared Directory; its count comes back and every result stays intact.
TEST(SharedPaths, OneDirectoryUsedByManyThreads)
{
    const SmartPtr<const Directory> shared = Directory::fromString(L"C:\\shared\\folder");
    const unsigned int before = shared->getRefCounter();
    EXPECT_EQ(0, testsupport::failuresOnThreads(2000, [&shared](int i) {
                  const SmartPtr<const File> f = File::fromString(*shared, (L"f" + std::to_wstring(i)).c_str());
                  const SmartPtr<const Directory> sub = shared->appendLevel(L"t");
                  return f->replaceExtension(L"b")->getDirectory().get() == shared.get() &&
                         sub->getParent()->equals(shared) == torv::FileSystemItem::Equal;
              }));
    EXPECT_EQ(shared->getRefCounter(), before);
}

// groups[valid as a path component][valid as a search pattern]
TEST(NameCheck, ComponentsAndPatterns)
{
    const std::vector<const wchar_t*> groups[2][2] = {
        {{L"", L"...", L"name.", L"name ", L"tab\there", L"*.", L"c:d", L"a/b", L"a\\b", L"a|b", L"a<b", L"a\"b"},
         {L"a*b", L"a?b", L"*.txt"}},
        {{L".", L".."}, {L".profile", L"r\u00e9sum\u00e9 \u65e5\u672c", L" lead"}}};
    for (const bool validName : {false, true})
        for (const bool validPattern : {false, true})
            for (const wchar_t* text : groups[validName][validPattern]) {
                SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
                EXPECT_EQ(torv::isValidName(text), validName);
                EXPECT_EQ(torv::isValidSearchPattern(text), validPattern);
            }
    EXPECT_FALSE(torv::isValidName(torv::String::NIL) || torv::isValidSearchPattern(torv::String::NIL));
}

// Catches a bound off by one: a full name of 32,767 units with its long-path prefix still goes to the system.
TEST(SystemPath, TheLimitCountsThePrefix)
{
    for (const int length : {32767, 32768}) {
        const String name((L"C:\\" + std::wstring(length - 7, L'n')).c_str());
        EXPECT_EQ(torv::exceedsSystemLimit(name), length > 32767) << length;
        EXPECT_EQ(torv::systemPath(name).length(), length > 32767 ? 0 : length) << length;
    }
}

} // namespace
