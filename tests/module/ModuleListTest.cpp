#include "FixtureLibrary.h"
#include "module/Module.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using torv::Module;
using Modules = std::vector<const Module*>;

Modules forwardList()
{
    Modules modules;
    for (auto it = Module::begin(); it != Module::end(); ++it)
        modules.push_back(&*it);
    return modules;
}

// The backward walk, turned round to compare with the forward one.
Modules backwardListReversed()
{
    Modules modules;
    for (auto it = Module::rbegin(); it != Module::rend(); ++it)
        modules.insert(modules.begin(), &*it);
    return modules;
}

void expectListed(const Modules& expected)
{
    EXPECT_EQ(expected, forwardList());
    EXPECT_EQ(expected, backwardListReversed());
}

TEST(ModuleList, LoadedModulesAreListedInOrderAndUnlinkedOnUnload)
{
    fixture::Folder folder;
    const Modules before = forwardList();
    const unsigned long long countBefore = Module::count;
    fixture::Loaded a(folder.copy(L"TorvFixture.dll", L"ListA.dll"));
    fixture::Loaded b(folder.copy(L"TorvFixture.dll", L"ListB.dll"));
    fixture::Loaded c(folder.copy(L"TorvFixture.dll", L"ListC.dll"));
    ASSERT_TRUE(a.handle() && b.handle() && c.handle());
    const Module* moduleA = &a.module();
    const Module* moduleC = &c.module();

    Modules expected = before;
    expected.insert(expected.end(), {moduleA, &b.module(), moduleC});
    expectListed(expected);
    EXPECT_EQ(countBefore + 3, Module::count);
    EXPECT_EQ(L"ListB", b.module().getModuleName());

    b.unload();
    expected.erase(expected.end() - 2);
    expectListed(expected);
    EXPECT_EQ(countBefore + 2, Module::count);
    a.unload();
    expected.erase(expected.end() - 2);
    expectListed(expected);
    c.unload();
    expectListed(before);
    EXPECT_EQ(countBefore, Module::count);
}

TEST(ModuleIterator, StepsFromEndWrapAndPostfixReturnsTheMovedIterator)
{
    Module::const_iterator forward = Module::end();
    EXPECT_EQ(Module::head, (++forward).position());
    Module::const_iterator backward = Module::end();
    EXPECT_EQ(Module::tail, (--backward).position());
    EXPECT_EQ(Module::tail, &*Module::rbegin());

    Module::const_iterator it = Module::begin();
    EXPECT_EQ(&it, &it++);
    EXPECT_EQ(Module::head->getInstance(), (--Module::const_iterator(it))->getInstance());
    EXPECT_EQ(&it, &it--);
    EXPECT_EQ(Module::begin(), it);
}

} // namespace
