#include "FixtureLibrary.h"
#include "module/Language.h"
#include "module/LanguageChoice.h"
#include "module/Module.h"
#include "module/SymbolTable.h"
#include "object/BaseNode.h"
#include "platform/MfcLayer.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <vector>

namespace {

using namespace torv;
using Modules = std::vector<const Module*>;

const Module& libraryModule() { return *torv::BaseNode::Class()->module; }

bool extensionListed(HMODULE module)
{
    for (const CDynLinkLibrary* library = AfxGetModuleState()->libraryList; library; library = library->m_pNextDLL)
        if (library->m_hModule == module)
            return true;
    return false;
}

bool classRegistered(const wchar_t* name)
{
    for (const KelClass* c = nullptr; KelClass::iterateAllClasses(c);)
        if (std::wcscmp(c->name, name) == 0)
            return true;
    return false;
}

TEST(ModuleInit, LibraryAndProgramAreInitialised)
{
    EXPECT_EQ(L"TorvBase", libraryModule().getModuleName());
    EXPECT_EQ(L"torv_module_tests", thisModule().getModuleName());
    EXPECT_TRUE(GetModuleHandleW(L"TorvBase.dll") == libraryModule().getInstance() &&
                GetModuleHandleW(nullptr) == thisModule().getInstance());
    EXPECT_TRUE(extensionListed(libraryModule().getInstance()));
    // The program embeds no header.
    EXPECT_EQ(&SymbolTable::EMPTY, &thisModule().getResourceSymbols());
}

TEST(ModuleInit, FixtureLoadAndUnloadRegisterAndRemoveEverything)
{
    fixture::Folder folder;
    fixture::Loaded loaded(folder.copy(L"TorvFixture.dll", L"TorvFixture.dll"));
    ASSERT_TRUE(loaded.handle());
    const HMODULE handle = loaded.handle();
    const Module* module = &loaded.module();

    EXPECT_TRUE(extensionListed(handle) && handle == module->getInstance());
    EXPECT_EQ(L"TorvFixture", module->getModuleName());
    EXPECT_EQ(2u, module->getResourceSymbols()[String(L"IDR_FIXTURE_TEXT")]);
    EXPECT_EQ(module, loaded.function<FixtureClassFunction>("fixtureClass")()->module);
    EXPECT_TRUE(classRegistered(L"FixtureLeaf"));
    EXPECT_EQ(1, loaded.function<FixtureInitCountFunction>("fixtureInitCount")());

    int clears = 0;
    loaded.function<FixtureWatchClearsFunction>("fixtureWatchClears")(&clears);
    loaded.unload();
    EXPECT_TRUE(clears == 1 && !extensionListed(handle));
    EXPECT_FALSE(classRegistered(L"FixtureItem") || classRegistered(L"FixtureLeaf"));
}

// No header or a bad one leaves no symbols; a version block without a translation table, for which the
// translation search throws, leaves no translation (the throw must not leave the entry point). The name keeps
// everything before the last dot.
TEST(ModuleInit, MissingHeaderOrTranslationTableStillInitialises)
{
    fixture::Folder folder;
    const wchar_t* const cases[][2] = {{L"TorvFixtureNoHeader.dll", L"No.Header"},
                                       {L"TorvFixtureBadHeader.dll", L"BadHeader"},
                                       {L"TorvFixtureUntabled.dll", L"Untabled"}};
    for (const auto& c : cases) {
        fixture::Loaded loaded(folder.copy(c[0], c[1] + std::wstring(L".dll")));
        ASSERT_TRUE(loaded.handle()) << c[0];
        EXPECT_TRUE(loaded.module().isInitialized()) << c[0];
        EXPECT_EQ(c[1], loaded.module().getModuleName());
        EXPECT_EQ(&SymbolTable::EMPTY, &loaded.module().getResourceSymbols()) << c[0];
        EXPECT_EQ(loaded.handle(), loaded.module().getResourceInstance()) << c[0];
    }
}

TEST(ModuleInit, RefusedInitFailsTheLoadAndLeavesNoTrace)
{
    fixture::Folder folder;
    const std::wstring path = folder.copy(L"TorvFixture.dll", L"FailingInit.dll");
    const unsigned long long countBefore = Module::count;
    const Module* tailBefore = Module::tail;

    SetEnvironmentVariableW(FIXTURE_FAIL_INIT_VARIABLE, L"1");
    fixture::Loaded failing(path);
    SetEnvironmentVariableW(FIXTURE_FAIL_INIT_VARIABLE, nullptr);
    EXPECT_TRUE(!failing.handle() && countBefore == Module::count && tailBefore == Module::tail);
    EXPECT_FALSE(classRegistered(L"FixtureItem"));

    fixture::Loaded working(path);
    EXPECT_NE(nullptr, working.handle());
}

TEST(ModuleInit, ModuleBeyondShortPathLengthStillInitialises)
{
    fixture::Folder folder;
    std::wstring deep = folder.path();
    while (deep.size() < 300) {
        deep += std::wstring(40, L'd') + L"\\";
        testsupport::makeDirectory(deep);
    }
    const std::wstring path = L"\\\\?\\" + deep + L"DeepFixture.dll";
    ASSERT_TRUE(CopyFileW((fixture::programFolder() + L"TorvFixture.dll").c_str(), path.c_str(), FALSE));
    fixture::Loaded loaded(path);
    ASSERT_TRUE(loaded.handle());
    EXPECT_EQ(L"DeepFixture", loaded.module().getModuleName());
    // Its file name does not fit the module-name buffer: no translation is looked for under a cut-off name.
    EXPECT_EQ(torv::LoadTranslationDLL(loaded.handle(), 0x0407), loaded.handle());
    EXPECT_TRUE(torv::explainLanguageChoice(loaded.handle())->probes.empty());
}

Modules forwardList()
{
    Modules modules;
    for (auto it = Module::begin(); it != Module::end(); ++it)
        modules.push_back(&*it);
    return modules;
}

// The forward walk and the backward one, turned round.
void expectListed(const Modules& expected)
{
    EXPECT_EQ(expected, forwardList());
    Modules backward;
    for (auto it = Module::rbegin(); it != Module::rend(); ++it)
        backward.insert(backward.begin(), &*it);
    EXPECT_EQ(expected, backward);
}

TEST(ModuleList, LoadedModulesAreListedInOrderAndUnlinkedOnUnload)
{
    fixture::Folder folder;
    const Modules before = forwardList();
    const unsigned long long countBefore = Module::count;
    const auto copy = [&folder](const wchar_t* name) { return folder.copy(L"TorvFixture.dll", name); };
    fixture::Loaded a(copy(L"ListA.dll")), b(copy(L"ListB.dll")), c(copy(L"ListC.dll"));
    ASSERT_TRUE(a.handle() && b.handle() && c.handle());
    const Module* moduleA = &a.module();
    const Module* moduleC = &c.module();

    Modules expected = before;
    expected.insert(expected.end(), {moduleA, &b.module(), moduleC});
    expectListed(expected);
    EXPECT_EQ(countBefore + 3, Module::count);
    EXPECT_EQ(L"ListB", b.module().getModuleName());
    EXPECT_TRUE(Module::findByName(L"listb") == &b.module() && Module::findByHandle(b.handle()) == &b.module());
    for (fixture::Loaded* library : {&b, &a}) {
        library->unload();
        expected.erase(expected.end() - 2);
        expectListed(expected);
    }
    EXPECT_EQ(countBefore + 1, Module::count);
    c.unload();
    EXPECT_TRUE(!Module::findByName(L"ListC") && !Module::findByHandle(nullptr)) << "an unloaded module is found";
    expectListed(before);
    EXPECT_EQ(countBefore, Module::count);
}

TEST(ModuleIterator, StepsFromEndWrapAndPostfixReturnsTheMovedIterator)
{
    Module::const_iterator forward = Module::end(), backward = Module::end();
    EXPECT_TRUE(Module::head == (++forward).position() && Module::tail == (--backward).position());
    EXPECT_EQ(Module::tail, &*Module::rbegin());

    Module::const_iterator it = Module::begin();
    EXPECT_EQ(&it, &it++);
    EXPECT_EQ(Module::head->getInstance(), (--Module::const_iterator(it))->getInstance());
    EXPECT_EQ(&it, &it--);
    EXPECT_EQ(Module::begin(), it);
}

} // namespace
