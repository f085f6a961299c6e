#include "filesystem/Directory.h"
#include "module/Module.h"
#include "object/BaseNode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using torv::KelClass;
using Names = std::vector<std::wstring>;

// Only the library's own descriptors, so that classes of this program do not interfere.
Names libraryNames(const KelClass* start, bool (KelClass::*step)(const KelClass*&) const)
{
    Names names;
    const KelClass* c = nullptr;
    while (start ? (start->*step)(c) : KelClass::iterateAllClasses(c))
        if (c->module == torv::BaseNode::Class()->module)
            names.push_back(c->name);
    EXPECT_EQ(c, nullptr);
    return names;
}

TEST(LibraryRegistry, AllClassesInRegistrationPreOrder)
{
    const Names expected = {L"BaseNode",           L"ObserverInfo", L"InfoStringMap",
                            L"FileSystemIterator", L"FileIterator", L"FileCollectionIterator",
                            L"DirectoryIterator",  L"FileSystemItem", L"File", L"Directory"};
    EXPECT_EQ(libraryNames(nullptr, nullptr), expected);
    EXPECT_EQ(libraryNames(torv::Directory::Class(), &KelClass::iterateBaseClasses),
              (Names{L"FileSystemItem", L"BaseNode"}));
}

} // namespace
