#include "filesystem/Directory.h"
#include "filesystem/File.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using torv::Directory;
using torv::File;
using torv::FileSystemItem;
using torv::SmartPtr;
using torv::String;

std::wstring text(const String& s)
{
    return s.c_str();
}

struct FileCase {
    const wchar_t* input;
    const wchar_t* fullName; // null: no file
    const wchar_t* baseName;
    const wchar_t* extension;
    bool absolute;
};

const FileCase fileCases[] = {
    {L"report.txt", L".\\report.txt", L"report", L"txt", false},
    {L"C:\\data\\archive.tar.gz", L"C:\\data\\archive.tar.gz", L"archive.tar", L"gz", true},
    {L".profile", L".\\.profile", L".profile", L"", false},
    {L"C:\\x.txt", L"C:\\x.txt", L"x", L"txt", true},
    {L"C:x.txt", L"C:x.txt", L"x", L"txt", false},
    {L"\\x", L"\\x", L"x", L"", true},
    {L"c:/data/x.txt", nullptr, nullptr, nullptr, false},
    {L"\\\\srv\\share\\d\\n\u00e4me mit leer.doc", L"\\\\srv\\share\\d\\n\u00e4me mit leer.doc", L"n\u00e4me mit leer", L"doc", true},
    {L"C:\\data\\", nullptr, nullptr, nullptr, false},
    {L"C:\\data\\.", nullptr, nullptr, nullptr, false},
    {L"C:\\data\\..", nullptr, nullptr, nullptr, false},
    {L"..", nullptr, nullptr, nullptr, false},
    {L"C:\\data\\a*.txt", nullptr, nullptr, nullptr, false},
    {L"C:\\data\\a?.txt", nullptr, nullptr, nullptr, false},
    {L"C:\\data\\x.", nullptr, nullptr, nullptr, false},
    {L"C:\\data\\x ", nullptr, nullptr, nullptr, false},
    {L"C:\\data/x.txt", nullptr, nullptr, nullptr, false},
    {L"data/x.txt", nullptr, nullptr, nullptr, false},
    {L"C:\\..\\x.txt", nullptr, nullptr, nullptr, false},
    {L"", nullptr, nullptr, nullptr, false},
};

TEST(FilePath, Parses)
{
    for (const FileCase& c : fileCases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.input)));
        const SmartPtr<File> f = File::fromString(c.input);
        if (!c.fullName) {
            EXPECT_FALSE(f);
            continue;
        }
        ASSERT_TRUE(f);
        EXPECT_EQ(text(f->getFullName()), c.fullName);
        EXPECT_EQ(text(f->getBaseName()), c.baseName);
        EXPECT_EQ(text(f->getExtension()), c.extension);
        EXPECT_EQ(f->isAbsolute(), c.absolute);
    }
}

TEST(FilePath, SharesTheGivenDirectory)
{
    const SmartPtr<const Directory> folder = Directory::fromString(L"C:\\shared");
    const unsigned int before = folder->getRefCounter();
    const SmartPtr<const File> f = File::fromString(*folder, L"a.txt");
    EXPECT_EQ(f->getDirectory().get(), folder.get());
    EXPECT_EQ(folder->getRefCounter(), before + 1);
    EXPECT_FALSE(File::fromString(*folder, L"."));
    EXPECT_FALSE(File::fromString(*folder, String()));
}

struct RenameCase {
    const wchar_t* start;
    const wchar_t* newName;
    const wchar_t* expectedName;
};

const RenameCase renameCases[] = {
    {L"a.txt", L"b", L"b.txt"},
    {L"a.txt", L"x.", L"x"},
    {L"a.txt", L"c.doc", L"c.doc"},
    {L"a.txt", L".hidden", L".hidden.txt"},
    {L"a", L"b", L"b"},
};

TEST(FilePath, SetNameSplitsAtLastDot)
{
    for (const RenameCase& c : renameCases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.start) + L" -> " + c.newName));
        const SmartPtr<File> f = File::fromString(c.start);
        f->setName(c.newName);
        EXPECT_EQ(text(f->getName()), c.expectedName);
    }
}

TEST(FilePath, ReplaceExtensionTakesTextAsGiven)
{
    const SmartPtr<const File> f = File::fromString(L"C:\\d\\a.txt");
    EXPECT_EQ(text(f->replaceExtension(L"bak")->getFullName()), L"C:\\d\\a.bak");
    EXPECT_EQ(text(f->replaceExtension(L".bak")->getName()), L"a..bak");
    EXPECT_EQ(text(f->replaceExtension(L"")->getName()), L"a");
    EXPECT_EQ(f->replaceExtension(L"x")->getDirectory().get(), f->getDirectory().get());
    EXPECT_EQ(text(f->getName()), L"a.txt");
}

TEST(FilePath, AbsoluteAndRelativeForms)
{
    const SmartPtr<const File> absolute = File::fromString(L"C:\\a\\b\\f.txt");
    EXPECT_EQ(absolute->makeAbsolute().get(), absolute.get());
    EXPECT_EQ(text(absolute->makeRelative(Directory::fromString(L"C:\\a\\x"))->getFullName()), L"..\\b\\f.txt");
    EXPECT_FALSE(absolute->makeRelative(SmartPtr<const Directory>()));

    const SmartPtr<const File> relative = File::fromString(L"sub\\f.txt");
    const SmartPtr<const File> resolved = relative->makeAbsolute();
    ASSERT_TRUE(resolved);
    EXPECT_TRUE(resolved->isAbsolute());
    EXPECT_EQ(text(resolved->getFullName()),
              text(SmartPtr<const Directory>(new Directory)->makeAbsolute()->getFullName()) + L"sub\\f.txt");

    // An unchecked name from setName is rejected again when re-parsed.
    const SmartPtr<File> renamed = File::fromString(L"f.txt");
    renamed->setName(L"bad|name");
    EXPECT_FALSE(renamed->makeAbsolute());
}

TEST(FilePath, Equals)
{
    const SmartPtr<const File> lower = File::fromString(L"C:\\d\\report.txt");
    EXPECT_EQ(lower->equals(File::fromString(L"c:\\D\\REPORT.TXT")), FileSystemItem::Equal);
    EXPECT_EQ(lower->equals(File::fromString(L"C:\\d\\report.doc")), FileSystemItem::Different);
    EXPECT_EQ(lower->equals(File::fromString(L"C:\\e\\report.txt")), FileSystemItem::Different);
    EXPECT_EQ(lower->equals(SmartPtr<const File>()), FileSystemItem::Undetermined);

    const SmartPtr<const File> relative = File::fromString(L"f.txt");
    EXPECT_EQ(relative->equals(relative->makeAbsolute()), FileSystemItem::Equal);
    EXPECT_EQ(File::fromString(L"Q:f.txt")->equals(File::fromString(L"Q:\\f.txt")), FileSystemItem::Undetermined);

    // A null extension differs from an empty one.
    const SmartPtr<const File> dotless = File::fromString(L"C:\\d\\x");
    const SmartPtr<File> emptied = File::fromString(L"C:\\d\\y.z");
    emptied->setName(L"x.");
    EXPECT_EQ(text(emptied->getName()), L"x");
    EXPECT_EQ(dotless->equals(emptied), FileSystemItem::Different);
}

TEST(FilePath, CopyAssignmentSharesNewDirectory)
{
    const SmartPtr<File> target = File::fromString(L"C:\\one\\a.txt");
    const SmartPtr<const File> source = File::fromString(L"D:\\two\\b.doc");
    const SmartPtr<const Directory> oldFolder = target->getDirectory();
    const unsigned int oldCount = oldFolder->getRefCounter();
    *target = *source;
    EXPECT_EQ(text(target->getFullName()), L"D:\\two\\b.doc");
    EXPECT_EQ(target->getDirectory().get(), source->getDirectory().get());
    EXPECT_EQ(oldFolder->getRefCounter(), oldCount - 1);
}

} // namespace
