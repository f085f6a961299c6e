#include "module/Module.h"
#include "object/KelClass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using torv::KelClass;

using Walk = std::vector<std::wstring>;

// A private tree with the shape of the library's own classes, registered
// in the library's order; unregistered again, derived before base.
class ClassTree : public ::testing::Test {
protected:
    ClassTree()
    {
        node = root(L"BaseNode");
        item = derived(L"FileSystemItem", node);
        directory = derived(L"Directory", item);
        file = derived(L"File", item);
        iterator = derived(L"FileSystemIterator", node);
        directoryIterator = derived(L"DirectoryIterator", iterator);
        fileIterator = derived(L"FileIterator", iterator);
        collection = derived(L"FileCollectionIterator", fileIterator);
        observer = derived(L"ObserverInfo", node);
        infoMap = derived(L"InfoStringMap", observer);
    }
    ~ClassTree() override
    {
        while (!descriptors.empty())
            descriptors.pop_back();
    }

    const KelClass* root(const wchar_t* name)
    {
        descriptors.push_back(std::make_unique<KelClass>(name, thisModule()));
        return descriptors.back().get();
    }
    const KelClass* derived(const wchar_t* name, const KelClass* base)
    {
        descriptors.push_back(std::make_unique<KelClass>(name, base, thisModule()));
        return descriptors.back().get();
    }
    void drop(const KelClass* descriptor)
    {
        for (auto it = descriptors.begin(); it != descriptors.end(); ++it) {
            if (it->get() == descriptor) {
                descriptors.erase(it);
                return;
            }
        }
    }

    // All names of one walk; the cursor must come back null.
    template <class Step>
    static Walk walk(Step step, std::size_t limit = 100)
    {
        Walk names;
        const KelClass* c = nullptr;
        while (step(c) && names.size() < limit)
            names.push_back(c->name);
        if (names.size() < limit)
            EXPECT_EQ(nullptr, c);
        return names;
    }
    static Walk walkOf(const KelClass* d, bool (KelClass::*step)(const KelClass*&) const)
    {
        return walk([d, step](const KelClass*& c) { return (d->*step)(c); });
    }

    std::vector<std::unique_ptr<KelClass>> descriptors;
    const KelClass *node, *item, *directory, *file, *iterator, *directoryIterator, *fileIterator,
        *collection, *observer, *infoMap;
};

TEST_F(ClassTree, AllClassesWalkPreOrderNewestFirst)
{
    // The tree is the newest root, so the walk starts with it; older roots
    // (the library's own) follow.
    const Walk all = walk(&KelClass::iterateAllClasses);
    const Walk expected = {L"BaseNode", L"ObserverInfo", L"InfoStringMap", L"FileSystemIterator",
                           L"FileIterator", L"FileCollectionIterator", L"DirectoryIterator",
                           L"FileSystemItem", L"File", L"Directory"};
    ASSERT_GE(all.size(), expected.size());
    EXPECT_EQ(expected, Walk(all.begin(), all.begin() + expected.size()));
    EXPECT_EQ(node, KelClass::rootClass);
}

TEST_F(ClassTree, RootWalkVisitsEveryRootOnce)
{
    const Walk roots = walk(&KelClass::iterateRootClasses);
    ASSERT_FALSE(roots.empty());
    EXPECT_EQ(L"BaseNode", roots.front());
    const Walk all = walk(&KelClass::iterateAllClasses);
    for (const std::wstring& r : roots)
        EXPECT_NE(all.end(), std::find(all.begin(), all.end(), r));
}

TEST_F(ClassTree, SubtreeWalks)
{
    EXPECT_EQ((Walk{L"FileSystemItem", L"BaseNode"}), walkOf(directory, &KelClass::iterateBaseClasses));
    EXPECT_EQ((Walk{L"InfoStringMap", L"FileCollectionIterator", L"DirectoryIterator", L"File", L"Directory"}),
              walkOf(node, &KelClass::iterateLeafClasses));
    EXPECT_EQ((Walk{L"FileIterator", L"FileCollectionIterator", L"DirectoryIterator"}),
              walkOf(iterator, &KelClass::iterateDerivedClasses));
    EXPECT_EQ((Walk{L"ObserverInfo", L"FileSystemIterator", L"FileSystemItem"}),
              walkOf(node, &KelClass::iterateChildClasses));
    EXPECT_EQ((Walk{L"InfoStringMap"}), walkOf(observer, &KelClass::iterateDerivedClasses));
}

TEST_F(ClassTree, ClassesWithoutChildrenEndAtOnce)
{
    for (const KelClass* d : {directory, infoMap, collection}) {
        EXPECT_TRUE(walkOf(d, &KelClass::iterateLeafClasses).empty()) << d->name;
        EXPECT_TRUE(walkOf(d, &KelClass::iterateDerivedClasses).empty()) << d->name;
        EXPECT_TRUE(walkOf(d, &KelClass::iterateChildClasses).empty()) << d->name;
    }
    EXPECT_TRUE(walkOf(node, &KelClass::iterateBaseClasses).empty());
}

TEST_F(ClassTree, WalkRestartsAfterItsEnd)
{
    const KelClass* c = nullptr;
    EXPECT_TRUE(file->iterateBaseClasses(c));
    EXPECT_TRUE(file->iterateBaseClasses(c));
    EXPECT_FALSE(file->iterateBaseClasses(c));
    EXPECT_TRUE(file->iterateBaseClasses(c));
    EXPECT_EQ(item, c);
}

TEST_F(ClassTree, DerivationTests)
{
    EXPECT_TRUE(directory->isDerivedFrom(directory));
    EXPECT_TRUE(directory->isDerivedFrom(node));
    EXPECT_TRUE(collection->isDerivedFrom(iterator));
    EXPECT_FALSE(file->isDerivedFrom(directory));
    EXPECT_FALSE(node->isDerivedFrom(item));
    EXPECT_FALSE(file->isDerivedFrom(nullptr));
}

TEST_F(ClassTree, UnregisteringKeepsTheOrderOfTheRest)
{
    // Node's children are ObserverInfo, FileSystemIterator, FileSystemItem;
    // the middle one goes, after its own subtree.
    drop(collection);
    drop(directoryIterator);
    EXPECT_EQ((Walk{L"FileIterator"}), walkOf(iterator, &KelClass::iterateChildClasses));
    drop(fileIterator);
    drop(iterator);
    EXPECT_EQ((Walk{L"ObserverInfo", L"FileSystemItem"}), walkOf(node, &KelClass::iterateChildClasses));
    EXPECT_EQ((Walk{L"InfoStringMap", L"File", L"Directory"}), walkOf(node, &KelClass::iterateLeafClasses));
}

TEST_F(ClassTree, DestroyedTreeLeavesTheRegistry)
{
    const Walk before = walk(&KelClass::iterateAllClasses);
    descriptors.clear();
    const Walk after = walk(&KelClass::iterateAllClasses);
    EXPECT_EQ(before.size() - 10, after.size());
    EXPECT_NE(node, KelClass::rootClass);
}

} // namespace
