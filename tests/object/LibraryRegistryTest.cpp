#include "filesystem/Directory.h"
#include "filesystem/File.h"
#include "filesystem/FileSystemIterator.h"
#include "module/Module.h"
#include "module/SymbolTable.h"
#include "object/BaseNode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using torv::KelClass;
using Names = std::vector<std::wstring>;

const torv::Module& library()
{
    return *torv::BaseNode::Class()->module;
}

// One walk, restricted to the library's own descriptors so that classes of
// this test program do not interfere.
template <class Step>
Names libraryWalk(Step step)
{
    Names names;
    const KelClass* c = nullptr;
    while (step(c))
        if (c->module == &library())
            names.push_back(c->name);
    EXPECT_EQ(c, nullptr);
    return names;
}

TEST(LibraryRegistry, AllClassesInRegistrationPreOrder)
{
    const Names expected = {L"BaseNode",           L"ObserverInfo", L"InfoStringMap",
                            L"FileSystemIterator", L"FileIterator", L"FileCollectionIterator",
                            L"DirectoryIterator",  L"FileSystemItem", L"File",
                            L"Directory"};
    EXPECT_EQ(libraryWalk(KelClass::iterateAllClasses), expected);
}

TEST(LibraryRegistry, WalksFromOneDescriptor)
{
    const KelClass* directory = torv::Directory::Class();
    EXPECT_EQ(libraryWalk([&](const KelClass*& c) { return directory->iterateBaseClasses(c); }),
              (Names{L"FileSystemItem", L"BaseNode"}));
    const KelClass* node = torv::BaseNode::Class();
    EXPECT_EQ(libraryWalk([&](const KelClass*& c) { return node->iterateLeafClasses(c); }),
              (Names{L"InfoStringMap", L"FileCollectionIterator", L"DirectoryIterator", L"File",
                     L"Directory"}));
    const KelClass* iterator = torv::FileSystemIterator::Class();
    EXPECT_EQ(libraryWalk([&](const KelClass*& c) { return iterator->iterateDerivedClasses(c); }),
              (Names{L"FileIterator", L"FileCollectionIterator", L"DirectoryIterator"}));
    EXPECT_FALSE(torv::File::Class()->isDerivedFrom(torv::Directory::Class()));
    EXPECT_TRUE(torv::File::Class()->isDerivedFrom(torv::BaseNode::Class()));
}

TEST(LibraryRegistry, LibraryModuleIsInitialisedWithItsOwnHeader)
{
    EXPECT_TRUE(library().isInitialized());
    EXPECT_STREQ(library().getModuleName().c_str(), L"TorvBase");
    const torv::SymbolTable& symbols = library().getResourceSymbols();
    EXPECT_NE(&symbols, &torv::SymbolTable::EMPTY);
    EXPECT_NE(symbols.lookupSymbol(torv::String(L"ids_projname")), 0xFFFFFFFFu);
}

} // namespace
