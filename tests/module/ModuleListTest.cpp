#include "FixtureLibrary.h"
#include "module/Module.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using torv::Module;

std::vector<const Module*> forwardList()
{
    std::vector<const Module*> modules;
    for (Module::const_iterator it = Module::begin(); it != Module::end(); ++it)
        modules.push_back(&*it);
    return modules;
}

std::vector<const Module*> backwardList()
{
    std::vector<const Module*> modules;
    for (auto it = Module::rbegin(); it != Module::rend(); ++it)
        modules.push_back(&*it);
    return modules;
}

std::vector<const Module*> reversed(std::vector<const Module*> modules)
{
    return std::vector<const Module*>(modules.rbegin(), modules.rend());
}

// Three copies of one fixture module, each a code module with its own
// Module, loaded in the order A, B, C.
class ModuleList : public ::testing::Test {
protected:
    fixture::Folder folder;
    unsigned long long countBefore = Module::count;
    std::vector<const Module*> before = forwardList();
    fixture::Loaded a{folder.copy(L"TorvFixture.dll", L"ListA.dll")};
    fixture::Loaded b{folder.copy(L"TorvFixture.dll", L"ListB.dll")};
    fixture::Loaded c{folder.copy(L"TorvFixture.dll", L"ListC.dll")};
};

TEST_F(ModuleList, ModulesAreListedInCreationOrderBothWays)
{
    ASSERT_TRUE(a.handle() && b.handle() && c.handle());
    std::vector<const Module*> expected = before;
    expected.insert(expected.end(), {&a.module(), &b.module(), &c.module()});
    EXPECT_EQ(expected, forwardList());
    EXPECT_EQ(reversed(expected), backwardList());
    EXPECT_EQ(countBefore + 3, Module::count);
    EXPECT_EQ(&c.module(), Module::tail);
    EXPECT_EQ(L"ListB", b.module().getModuleName());
}

TEST_F(ModuleList, UnloadingRelinksNeighbours)
{
    ASSERT_TRUE(a.handle() && b.handle() && c.handle());
    const Module* moduleA = &a.module();
    const Module* moduleC = &c.module();
    b.unload();
    std::vector<const Module*> expected = before;
    expected.insert(expected.end(), {moduleA, moduleC});
    EXPECT_EQ(expected, forwardList());
    EXPECT_EQ(reversed(expected), backwardList());
    EXPECT_EQ(countBefore + 2, Module::count);

    a.unload();
    expected.erase(expected.end() - 2);
    EXPECT_EQ(expected, forwardList());
    EXPECT_EQ(reversed(expected), backwardList());

    c.unload();
    EXPECT_EQ(before, forwardList());
    EXPECT_EQ(countBefore, Module::count);
}

TEST(ModuleIterator, SteppingFromEndWrapsToHeadAndTail)
{
    Module::const_iterator forward = Module::end();
    ++forward;
    EXPECT_EQ(Module::head, forward.position());
    Module::const_iterator backward = Module::end();
    --backward;
    EXPECT_EQ(Module::tail, backward.position());
    EXPECT_EQ(Module::tail, &*Module::rbegin());
}

TEST(ModuleIterator, PostfixStepsReturnTheMovedIterator)
{
    Module::const_iterator it = Module::begin();
    Module::const_iterator& stepped = it++;
    EXPECT_EQ(&it, &stepped);
    EXPECT_NE(Module::begin(), it);
    Module::const_iterator& back = it--;
    EXPECT_EQ(&it, &back);
    EXPECT_EQ(Module::begin(), it);
}

} // namespace
