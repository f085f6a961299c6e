#include "FixtureLibrary.h"
#include "module/Module.h"
#include "module/StringResource.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using torv::Module;
using torv::String;
using torv::StringResource;

const wchar_t* const DATA = MAKEINTRESOURCEW(10); // RT_RCDATA

std::string bytesOf(const std::pair<void*, DWORD>& resource)
{
    return resource.first ? std::string(static_cast<const char*>(resource.first), resource.second) : std::string();
}

// The fixture module with its translation library beside it, named for
// the user's interface language so that the module's init loads it.
class ModuleResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(library.handle());
        ASSERT_NE(module().getInstance(), module().getResourceInstance());
    }

    const Module& module() const { return library.module(); }
    std::string bytes(const wchar_t* name, bool tryTranslation, DWORD* languageChoice = nullptr) const
    {
        return bytesOf(module().getResource(String(name), DATA, tryTranslation, languageChoice));
    }

    fixture::Folder folder;
    std::wstring translation = folder.copy(L"TorvFixtureTranslation.dll",
                                           L"TorvFixture" + fixture::userLanguageCode() + L".dll");
    fixture::Loaded library{folder.copy(L"TorvFixture.dll", L"TorvFixture.dll")};
};

TEST_F(ModuleResources, TranslationIsSearchedFirstThenTheModule)
{
    EXPECT_EQ("both in translation", bytes(L"BOTH", true));
    EXPECT_EQ("both in module", bytes(L"BOTH", false));
    EXPECT_EQ("translation", bytes(L"TRANSONLY", true));
    EXPECT_EQ("", bytes(L"TRANSONLY", false));
    EXPECT_EQ("module", bytes(L"MODULEONLY", true));
    EXPECT_EQ(module().getInstance(), module().findResource(String(L"MODULEONLY"), DATA, true, nullptr));
    EXPECT_EQ(module().getResourceInstance(), module().findResource(String(L"TRANSONLY"), DATA, true, nullptr));
}

TEST_F(ModuleResources, MissingResourcesAreNotFound)
{
    EXPECT_EQ(nullptr, module().findResource(String(L"NOSUCH"), DATA, true, nullptr));
    EXPECT_EQ(nullptr, module().findResource(String(), DATA, true, nullptr));
    EXPECT_EQ(nullptr, module().findResource(0u, DATA, true, nullptr));
    EXPECT_EQ(nullptr, module().findResource(String(L"BOTH"), L"NOSUCHTYPE", true, nullptr));
    const std::pair<void*, DWORD> none(nullptr, 0);
    EXPECT_EQ(none, module().getResource(String(L"NOSUCH"), DATA, true, nullptr));
    EXPECT_EQ(none, module().getResource(String(L"EMPTYDATA"), DATA, true, nullptr));
    EXPECT_EQ(nullptr, module().loadResource(String(L"EMPTYDATA"), DATA, true));
    EXPECT_EQ(nullptr, module().loadResource(String(L"NOSUCH"), DATA, true));
}

TEST_F(ModuleResources, IntegerNamesUseTheLowSixteenBits)
{
    // String block 1 holds entries 0 to 15.
    EXPECT_EQ(module().getInstance(), module().findResource(0x10000u + 1, MAKEINTRESOURCEW(6), false, nullptr));
}

struct LanguageCase {
    const wchar_t* name;
    DWORD requested;
    const char* expectedBytes;
    // The LANGID of the chosen variant, or 0 when the thread locale comes back.
    LANGID chosen;
};

class LanguageChoice : public ModuleResources, public ::testing::WithParamInterface<LanguageCase> {
protected:
    void SetUp() override
    {
        ModuleResources::SetUp();
        SetThreadLocale(MAKELCID(0x0409, SORT_DEFAULT));
    }
    void TearDown() override { SetThreadLocale(locale); }

    LCID locale = GetThreadLocale();
};

TEST_P(LanguageChoice, PicksTheVariantAndReportsItsLocale)
{
    const LanguageCase& c = GetParam();
    const LCID before = GetThreadLocale();
    DWORD languageChoice = c.requested;
    const std::string found = bytes(c.name, true, &languageChoice);
    if (c.expectedBytes)
        EXPECT_EQ(c.expectedBytes, found);
    else
        EXPECT_FALSE(found.empty());
    EXPECT_EQ(c.chosen ? (before & 0x000F0000) | c.chosen : before, languageChoice);
    EXPECT_EQ(before, GetThreadLocale());
}

INSTANTIATE_TEST_SUITE_P(Variants, LanguageChoice,
    ::testing::Values(
        // Neither 0x0C07 nor its neutral 0x0007 exists: the default pick.
        LanguageCase{L"VARIANTS", 0x0C07, nullptr, 0},
        LanguageCase{L"VARIANTS", 0x0407, "de-DE", 0x0407},
        LanguageCase{L"VARIANTS", 0x0009, "en", 0x0009},
        LanguageCase{L"NEUTRAL", 0x0807, "de", 0x0007},
        LanguageCase{L"NEUTRAL", 0x0407, "de-DE", 0x0407},
        // One variant always wins.
        LanguageCase{L"SINGLE", 0x0409, "de-DE", 0x0407},
        // 0 asks for the thread locale (0x0409 here), which only SINGLE answers.
        LanguageCase{L"SINGLE", 0, "de-DE", 0x0407},
        LanguageCase{L"NEUTRAL", 0, nullptr, 0}));

TEST_F(ModuleResources, StreamReadsTheBytesInOrderAndCannotSeek)
{
    std::unique_ptr<std::istream> in = module().loadResource(String(L"TEXT"), DATA, true);
    ASSERT_NE(nullptr, in);
    std::string line;
    ASSERT_TRUE(std::getline(*in, line));
    EXPECT_EQ("first line", line);
    EXPECT_EQ(-1, in->tellg());
    in->clear();
    EXPECT_TRUE(in->putback('\n'));
    EXPECT_FALSE(in->putback('x'));
    in->clear();
    std::getline(*in, line);
    std::getline(*in, line);
    EXPECT_EQ("second line", line);
    int a = 0, b = 0;
    *in >> a >> b;
    EXPECT_EQ(12, a);
    EXPECT_EQ(34, b);
    EXPECT_EQ(std::char_traits<char>::eof(), in->get());
    EXPECT_TRUE(in->eof());
}

TEST_F(ModuleResources, StringsComeFromTranslationThenModule)
{
    EXPECT_EQ(L"Translated one", String::loadFromResource(1, module()));
    EXPECT_EQ(L"Module two", String::loadFromResource(2, module()));
    EXPECT_EQ(L"Only in translation", String::loadFromResource(4, module()));
}

TEST_F(ModuleResources, AbsentAndEmptyStringEntriesGiveTheErrorText)
{
    // Entry 3 lies in a loaded block but is empty; 100 has no block at all.
    for (unsigned int id : {3u, 100u, 0xFFFFu})
        EXPECT_EQ(L"Error loading string resource!", String::loadFromResource(id, module())) << id;
}

TEST_F(ModuleResources, StringResourceLoadsOnceAndKeepsItsText)
{
    StringResource two(2, module());
    const String& first = two;
    EXPECT_EQ(L"Module two", first);
    EXPECT_EQ(first.block(), static_cast<const String&>(two).block());

    StringResource missing(100, module());
    EXPECT_EQ(L"Error loading string resource!", static_cast<const String&>(missing));
    StringResource copy;
    copy = missing;
    EXPECT_EQ(L"Error loading string resource!", static_cast<const String&>(copy));
}

TEST(StringResource, UnboundResourceIsNilAndNeverLoads)
{
    const StringResource unbound;
    EXPECT_TRUE(static_cast<const String&>(unbound).isNil());
    EXPECT_TRUE(static_cast<const String&>(unbound).isNil());
}

TEST(ModuleResourcesOfProgram, ModuleWithoutResourcesFindsNothing)
{
    EXPECT_EQ(nullptr, thisModule().findResource(String(L"BOTH"), DATA, true, nullptr));
    EXPECT_EQ(nullptr, thisModule().loadResource(String(L"RESOURCE.H"), L"METADATA", true));
    EXPECT_EQ(L"Error loading string resource!", String::loadFromResource(1, thisModule()));
}

} // namespace
