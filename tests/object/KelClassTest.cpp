#include "object/KelClass.h"
#include "filesystem/Directory.h"
#include "module/Module.h"
#include "object/BaseNode.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using torv::KelClass;
using Walk = std::vector<std::wstring>;

// The library's classes in registration pre-order, newest child first.
const Walk LIBRARY_TREE = {L"BaseNode",           L"ObserverInfo",   L"InfoStringMap",
                           L"FileSystemIterator", L"FileIterator",   L"FileCollectionIterator",
                           L"DirectoryIterator",  L"FileSystemItem", L"File",
                           L"Directory"};

// The names of one walk of d (null: a static walk), of `module`'s classes only if given; the cursor ends null.
Walk walk(const KelClass* d, bool (KelClass::*step)(const KelClass*&) const,
          bool (*staticStep)(const KelClass*&) = nullptr, const torv::Module* module = nullptr)
{
    Walk names;
    const KelClass* c = nullptr;
    while (staticStep ? staticStep(c) : (d->*step)(c))
        if (!module || c->module == module)
            names.push_back(c->name);
    EXPECT_EQ(nullptr, c);
    return names;
}

// A private tree with the shape of the library's classes, registered in the library's order and unregistered
// derived before base.
class ClassTree : public ::testing::Test {
protected:
    ClassTree()
    {
        descriptors.push_back(std::make_unique<KelClass>(L"BaseNode", thisModule()));
        node = descriptors.back().get();
        item = add(L"FileSystemItem", node);
        directory = add(L"Directory", item);
        file = add(L"File", item);
        iterator = add(L"FileSystemIterator", node);
        directoryIterator = add(L"DirectoryIterator", iterator);
        fileIterator = add(L"FileIterator", iterator);
        collection = add(L"FileCollectionIterator", fileIterator);
        observer = add(L"ObserverInfo", node);
        infoMap = add(L"InfoStringMap", observer);
    }
    ~ClassTree() override { dropAll(); }
    // Newest first, so that no descriptor outlives its base.
    void dropAll()
    {
        while (!descriptors.empty())
            descriptors.pop_back();
    }
    const KelClass* add(const wchar_t* name, const KelClass* base)
    {
        descriptors.push_back(std::make_unique<KelClass>(name, base, thisModule()));
        return descriptors.back().get();
    }
    void drop(const KelClass* descriptor)
    {
        for (auto it = descriptors.begin(); it != descriptors.end(); ++it)
            if (it->get() == descriptor)
                return static_cast<void>(descriptors.erase(it));
    }
    std::vector<std::unique_ptr<KelClass>> descriptors;
    const KelClass *node, *item, *directory, *file, *iterator, *directoryIterator, *fileIterator, *collection,
        *observer, *infoMap;
};

TEST_F(ClassTree, WalksFollowPreOrderNewestFirst)
{
    // The tree is the newest root, so the whole-registry walk starts with it.
    const Walk all = walk(nullptr, nullptr, &KelClass::iterateAllClasses);
    ASSERT_GE(all.size(), LIBRARY_TREE.size());
    EXPECT_EQ(LIBRARY_TREE, Walk(all.begin(), all.begin() + LIBRARY_TREE.size()));
    EXPECT_EQ(node, KelClass::rootClass);
    EXPECT_EQ(L"BaseNode", walk(nullptr, nullptr, &KelClass::iterateRootClasses).front());
    EXPECT_EQ((Walk{L"FileSystemItem", L"BaseNode"}), walk(directory, &KelClass::iterateBaseClasses));
    EXPECT_EQ((Walk{L"ObserverInfo", L"FileSystemIterator", L"FileSystemItem"}),
              walk(node, &KelClass::iterateChildClasses));
    EXPECT_EQ((Walk{L"InfoStringMap", L"FileCollectionIterator", L"DirectoryIterator", L"File", L"Directory"}),
              walk(node, &KelClass::iterateLeafClasses));
    // The subtree walk never runs on into the siblings of its start.
    EXPECT_EQ((Walk{L"FileIterator", L"FileCollectionIterator", L"DirectoryIterator"}),
              walk(iterator, &KelClass::iterateDerivedClasses));
}

TEST_F(ClassTree, LeavesEndAtOnceAndDerivationFollowsBases)
{
    for (const KelClass* d : {directory, infoMap, collection})
        EXPECT_TRUE(walk(d, &KelClass::iterateLeafClasses).empty() &&
                    walk(d, &KelClass::iterateDerivedClasses).empty() &&
                    walk(d, &KelClass::iterateChildClasses).empty())
            << d->name;
    EXPECT_TRUE(walk(node, &KelClass::iterateBaseClasses).empty());
    EXPECT_TRUE(directory->isDerivedFrom(directory) && collection->isDerivedFrom(node));
    EXPECT_FALSE(file->isDerivedFrom(directory) || node->isDerivedFrom(item) || file->isDerivedFrom(nullptr));
}

TEST_F(ClassTree, UnregisteringKeepsTheOrderOfTheRest)
{
    // FileSystemIterator is the middle child of BaseNode; its subtree goes first.
    drop(collection);
    drop(directoryIterator);
    EXPECT_EQ((Walk{L"FileIterator"}), walk(iterator, &KelClass::iterateChildClasses));
    drop(fileIterator);
    drop(iterator);
    EXPECT_EQ((Walk{L"ObserverInfo", L"FileSystemItem"}), walk(node, &KelClass::iterateChildClasses));
    EXPECT_EQ((Walk{L"InfoStringMap", L"File", L"Directory"}), walk(node, &KelClass::iterateLeafClasses));
    const std::size_t registered = walk(nullptr, nullptr, &KelClass::iterateAllClasses).size();
    dropAll();
    EXPECT_EQ(registered - 6, walk(nullptr, nullptr, &KelClass::iterateAllClasses).size());
    EXPECT_NE(node, KelClass::rootClass);
}

// Only the library's own descriptors, so that classes of this program do not interfere.
TEST(LibraryRegistry, AllClassesInRegistrationPreOrder)
{
    const torv::Module* library = torv::BaseNode::Class()->module;
    EXPECT_EQ(walk(nullptr, nullptr, &KelClass::iterateAllClasses, library), LIBRARY_TREE);
    EXPECT_EQ(walk(torv::Directory::Class(), &KelClass::iterateBaseClasses, nullptr, library),
              (Walk{L"FileSystemItem", L"BaseNode"}));
}

} // namespace
