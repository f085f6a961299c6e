#include "FixtureLibrary.h"
#include "module/Module.h"
#include "module/StringResource.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

namespace {

using namespace torv;

const wchar_t* const DATA = MAKEINTRESOURCEW(10); // RT_RCDATA
const wchar_t LOAD_ERROR[] = L"Error loading string resource!";

// The fixture module with its translation library beside it, named for the user's interface language.
class ModuleResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(library.handle());
        ASSERT_NE(module().getInstance(), module().getResourceInstance());
        SetThreadLocale(MAKELCID(0x0409, SORT_DEFAULT));
    }
    void TearDown() override { SetThreadLocale(locale); }

    const Module& module() const { return library.module(); }
    std::string bytes(const wchar_t* name, bool tryTranslation, DWORD* languageChoice = nullptr) const
    {
        const std::pair<void*, DWORD> r = module().getResource(String(name), DATA, tryTranslation, languageChoice);
        return r.first ? std::string(static_cast<const char*>(r.first), r.second) : std::string();
    }

    LCID locale = GetThreadLocale();
    fixture::Folder folder;
    std::wstring translation =
        folder.copy(L"TorvFixtureTranslation.dll", L"TorvFixture" + fixture::userLanguageCode() + L".dll");
    fixture::Loaded library{folder.copy(L"TorvFixture.dll", L"TorvFixture.dll")};
};

TEST_F(ModuleResources, TranslationIsSearchedFirstThenTheModule)
{
    const std::tuple<const wchar_t*, bool, const char*> cases[] = {{L"BOTH", true, "both in translation"},
                                                                   {L"BOTH", false, "both in module"},
                                                                   {L"TRANSONLY", true, "translation"},
                                                                   {L"TRANSONLY", false, ""},
                                                                   {L"MODULEONLY", true, "module"}};
    for (const auto& c : cases)
        EXPECT_EQ(std::get<2>(c), bytes(std::get<0>(c), std::get<1>(c))) << std::get<0>(c) << std::get<1>(c);
    EXPECT_EQ(module().getInstance(), module().findResource(String(L"MODULEONLY"), DATA, true, nullptr));
    // String block 1 holds entries 0 to 15; ids keep their low 16 bits.
    EXPECT_EQ(module().getInstance(), module().findResource(0x10001u, MAKEINTRESOURCEW(6), false, nullptr));
}

TEST_F(ModuleResources, MissingOrEmptyResourcesAreNotFound)
{
    for (const auto& missing : {std::make_pair(String(L"NOSUCH"), DATA), std::make_pair(String(), DATA),
                                std::make_pair(String(L"BOTH"), L"NOSUCHTYPE")})
        EXPECT_EQ(nullptr, module().findResource(missing.first, missing.second, true, nullptr));
    EXPECT_EQ("", bytes(L"EMPTYDATA", true));
    EXPECT_TRUE(!module().loadResource(String(L"EMPTYDATA"), DATA, true) && !module().loadResource(0u, DATA, true));
    // The program itself carries no resources.
    EXPECT_EQ(nullptr, thisModule().loadResource(String(L"RESOURCE.H"), L"METADATA", true));
}

// Resource, requested language (0: the thread locale, 0x0409 here), expected bytes (null: whichever variant the
// default rules give), chosen language (0: no choice, the thread locale comes back).
TEST_F(ModuleResources, LanguageChoicePicksTheVariantAndReportsItsLocale)
{
    const std::tuple<const wchar_t*, DWORD, const char*, LANGID> cases[] = {
        {L"VARIANTS", 0x0C07, nullptr, 0},    {L"VARIANTS", 0x0009, "en", 0x0009},
        {L"NEUTRAL", 0x0807, "de", 0x0007},   {L"NEUTRAL", 0x0407, "de-DE", 0x0407},
        {L"SINGLE", 0x0409, "de-DE", 0x0407}, {L"SINGLE", 0, "de-DE", 0x0407},
        {L"NEUTRAL", 0, nullptr, 0}};
    const LCID before = GetThreadLocale();
    for (const auto& [name, requested, expected, chosen] : cases) {
        DWORD languageChoice = requested;
        const std::string found = bytes(name, true, &languageChoice);
        EXPECT_TRUE(!found.empty() && found == (expected ? expected : found)) << found;
        EXPECT_EQ(chosen ? (before & 0x000F0000) | chosen : before, languageChoice) << name << requested;
        EXPECT_EQ(before, GetThreadLocale());
    }
}

TEST_F(ModuleResources, StreamReadsTheBytesInOrderAndCannotSeek)
{
    std::unique_ptr<std::istream> in = module().loadResource(String(L"TEXT"), DATA, true);
    ASSERT_NE(nullptr, in);
    std::string line;
    std::getline(*in, line);
    EXPECT_EQ("first line", line);
    EXPECT_EQ(-1, in->tellg());
    in->clear();
    EXPECT_TRUE(in->putback('\n'));
    EXPECT_FALSE(in->putback('x'));
    in->clear();
    std::getline(std::getline(*in, line), line);
    EXPECT_EQ("second line", line);
    int a = 0, b = 0;
    *in >> a >> b;
    EXPECT_EQ(34, b);
    EXPECT_EQ(std::char_traits<char>::eof(), in->get());
}

TEST_F(ModuleResources, StringsComeFromTranslationThenModuleAndResourcesLoadOnce)
{
    // Entry 3 lies in a present block but is empty; 100 has no block.
    const std::pair<unsigned int, const wchar_t*> cases[] = {
        {1, L"Translated one"}, {2, L"Module two"}, {4, L"Only in translation"}, {5, L"x"},
        {3, LOAD_ERROR},        {100, LOAD_ERROR}};
    for (const auto& c : cases)
        EXPECT_EQ(c.second, String::loadFromResource(c.first, module())) << c.first;
    EXPECT_EQ(LOAD_ERROR, String::loadFromResource(1, thisModule()));
    EXPECT_TRUE(static_cast<const String&>(StringResource()).isNil());
    const StringResource two(2, module());
    const String& first = two;
    EXPECT_TRUE(first == L"Module two" && first.block() == static_cast<const String&>(two).block());
    StringResource copy;
    copy = StringResource(100, module());
    EXPECT_EQ(LOAD_ERROR, static_cast<const String&>(copy));
}

} // namespace
