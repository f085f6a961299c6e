#include "FixtureLibrary.h"
#include "module/Module.h"
#include "module/SymbolTable.h"
#include "object/BaseNode.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

using torv::KelClass;
using torv::Module;
using torv::String;
using torv::SymbolTable;

const Module& libraryModule()
{
    return *torv::BaseNode::Class()->module;
}

bool moduleListed(const Module* module)
{
    for (auto it = Module::begin(); it != Module::end(); ++it) {
        if (&*it == module)
            return true;
    }
    return false;
}

// The registered descriptor of that name defined by module, or null.
const KelClass* registeredClass(const wchar_t* name, const Module* module)
{
    for (const KelClass* c = nullptr; KelClass::iterateAllClasses(c);) {
        if (c->module == module && std::wcscmp(c->name, name) == 0)
            return c;
    }
    return nullptr;
}

TEST(ModuleInit, LibraryAndProgramKnowTheirNames)
{
    EXPECT_EQ(L"TorvBase", libraryModule().getModuleName());
    EXPECT_EQ(L"torv_module_tests", thisModule().getModuleName());
    EXPECT_TRUE(libraryModule().isInitialized());
    EXPECT_EQ(GetModuleHandleW(L"TorvBase.dll"), libraryModule().getInstance());
    EXPECT_EQ(GetModuleHandleW(nullptr), thisModule().getInstance());
}

TEST(ModuleInit, LibraryReadsItsEmbeddedHeader)
{
    const SymbolTable& symbols = libraryModule().getResourceSymbols();
    EXPECT_NE(&SymbolTable::EMPTY, &symbols);
    EXPECT_EQ(4096u, symbols[String(L"idd_aboutbox")]);
    EXPECT_EQ(57343u, symbols[String(L"ID_NULL")]);
    EXPECT_EQ(4145u, symbols[String(L"IDC_CONTROL10")]);
    // The program itself embeds no header.
    EXPECT_EQ(&SymbolTable::EMPTY, &thisModule().getResourceSymbols());
}

TEST(ModuleInit, LoadingAFixtureRegistersItsModuleClassesAndSymbols)
{
    fixture::Folder folder;
    const unsigned long long countBefore = Module::count;
    fixture::Loaded loaded(folder.copy(L"TorvFixture.dll", L"TorvFixture.dll"));
    ASSERT_TRUE(loaded.handle());
    const Module* module = &loaded.module();

    EXPECT_TRUE(moduleListed(module));
    EXPECT_EQ(countBefore + 1, Module::count);
    EXPECT_EQ(L"TorvFixture", module->getModuleName());
    EXPECT_EQ(loaded.handle(), module->getInstance());
    EXPECT_EQ(2u, module->getResourceSymbols()[String(L"IDR_FIXTURE_TEXT")]);

    const KelClass* item = registeredClass(L"FixtureItem", module);
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(item, loaded.function<FixtureClassFunction>("fixtureClass")());
    EXPECT_EQ(torv::BaseNode::Class(), item->base);
    EXPECT_NE(nullptr, registeredClass(L"FixtureLeaf", module));
    EXPECT_EQ(1, loaded.function<FixtureInitCountFunction>("fixtureInitCount")());

    int clears = 0;
    loaded.function<FixtureWatchClearsFunction>("fixtureWatchClears")(&clears);
    loaded.unload();
    EXPECT_EQ(1, clears);
    EXPECT_FALSE(moduleListed(module));
    EXPECT_EQ(countBefore, Module::count);
    EXPECT_EQ(nullptr, registeredClass(L"FixtureItem", module));
    EXPECT_EQ(nullptr, registeredClass(L"FixtureLeaf", module));
}

TEST(ModuleInit, HeaderMissingOrWithOneBadLineLeavesNoSymbols)
{
    fixture::Folder folder;
    for (const wchar_t* fixture : {L"TorvFixtureNoHeader.dll", L"TorvFixtureBadHeader.dll"}) {
        fixture::Loaded loaded(folder.copy(fixture, fixture));
        ASSERT_TRUE(loaded.handle()) << fixture;
        EXPECT_TRUE(loaded.module().isInitialized()) << fixture;
        EXPECT_EQ(&SymbolTable::EMPTY, &loaded.module().getResourceSymbols()) << fixture;
    }
}

TEST(ModuleInit, NameIsTheFileNameBeforeItsLastDot)
{
    fixture::Folder folder;
    fixture::Loaded dotted(folder.copy(L"TorvFixture.dll", L"a.b.dll"));
    ASSERT_TRUE(dotted.handle());
    EXPECT_EQ(L"a.b", dotted.module().getModuleName());
}

TEST(ModuleInit, FailingInitFailsTheLoadAndLeavesNoTrace)
{
    fixture::Folder folder;
    const std::wstring path = folder.copy(L"TorvFixture.dll", L"FailingInit.dll");
    const unsigned long long countBefore = Module::count;
    const Module* tailBefore = Module::tail;

    SetEnvironmentVariableW(FIXTURE_FAIL_INIT_VARIABLE, L"1");
    fixture::Loaded failing(path);
    SetEnvironmentVariableW(FIXTURE_FAIL_INIT_VARIABLE, nullptr);

    EXPECT_EQ(nullptr, failing.handle());
    EXPECT_EQ(countBefore, Module::count);
    EXPECT_EQ(tailBefore, Module::tail);
    for (const KelClass* c = nullptr; KelClass::iterateAllClasses(c);)
        EXPECT_STRNE(L"FixtureItem", c->name);

    fixture::Loaded working(path);
    EXPECT_NE(nullptr, working.handle());
}

TEST(ModuleInit, ModuleBeyondShortPathLengthStillInitialises)
{
    fixture::Folder folder;
    std::wstring deep = L"\\\\?\\" + folder.path();
    while (deep.size() < 300) {
        deep += std::wstring(40, L'd') + L"\\";
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    }
    const std::wstring path = deep + L"DeepFixture.dll";
    ASSERT_TRUE(CopyFileW((fixture::programFolder() + L"TorvFixture.dll").c_str(), path.c_str(), FALSE));

    {
        fixture::Loaded loaded(path);
        ASSERT_TRUE(loaded.handle());
        EXPECT_TRUE(loaded.module().isInitialized());
        EXPECT_EQ(L"DeepFixture", loaded.module().getModuleName());
    }
    DeleteFileW(path.c_str());
    while (deep.size() > 4 + folder.path().size()) {
        RemoveDirectoryW(deep.c_str());
        deep.erase(deep.rfind(L'\\', deep.size() - 2) + 1);
    }
}

} // namespace
