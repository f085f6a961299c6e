// Finding and loading translation libraries: the three folders, the language list, the registry setting and
// the version block that names the product data folder.
#include "LanguageTestSupport.h"

#include "module/Language.h"
#include "module/LanguageChoice.h"
#include "module/Module.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

using namespace langtest;
using torv::NO_LANGUAGE;

namespace {

constexpr LANGID GERMAN = 0x0407;
constexpr LANGID GERMAN_SWISS = 0x0807;
constexpr LANGID ICELANDIC = 0x040F;

struct Translation {
    const wchar_t* code;
    int marker;
};

// Places <stem><code>.dll for each translation, as a copy of its marker library.
void placeTranslations(PlacedFiles& placed, const std::wstring& stem, const std::vector<Translation>& translations)
{
    for (const Translation& translation : translations)
        placed.place(stem + translation.code + L".dll", MARKER_FIXTURES[translation.marker - 1]);
}

// The record of the last translation search for the module loaded as `host`.
const torv::LanguageChoice& choiceOf(HINSTANCE host)
{
    const torv::LanguageChoice* choice = torv::explainLanguageChoice(host);
    if (!choice)
        throw std::runtime_error("no record of the search");
    return *choice;
}

} // namespace

TEST(TranslationLibrary, ModuleFolderThenLanguagesFolderThenDataFolder)
{
    // Which of module folder, languages folder and data folder hold a translation, and the one loaded.
    const std::pair<const char*, int> cases[] = {
        {"111", 1}, {"011", 2}, {"101", 1}, {"001", 3}, {"000", MODULE_ITSELF}};
    PlacedFiles placedHost;
    HostModule host(placedHost, L"LangVersionFull", L"Ordered");
    const std::wstring stems[] = {host.stem(), host.stemInLanguagesFolder(),
                                  commonFilesFolder() + L"Torv Test Works\\Language Probe\\2.5.1\\Ordered"};
    for (const auto& [in, expected] : cases) {
        PlacedFiles placed;
        for (int folder = 0; folder < 3; ++folder)
            if (in[folder] == '1')
                placed.place(stems[folder] + L"DEU.dll", MARKER_FIXTURES[folder]);
        EXPECT_EQ(loadedMarker(host.handle(), GERMAN), expected) << in;
        // Fault caught: a record that misses a folder looked in, or tells a file found that was not.
        const torv::LanguageChoice& choice = choiceOf(host.handle());
        const std::string found = std::string(in).substr(0, std::string(in).find('1') + 1);
        ASSERT_GE(choice.probes.size(), found.size()) << in;
        for (size_t folder = 0; folder < found.size(); ++folder)
            EXPECT_TRUE(choice.probes[folder].path == (stems[folder] + L"DEU.dll").c_str() &&
                        choice.probes[folder].found == (found[folder] == '1') &&
                        choice.probes[folder].language == GERMAN)
                << in << " folder " << folder;
        EXPECT_TRUE(choice.asked == torv::LanguageChoice::Asked::System && choice.candidates.at(0) == GERMAN);
        EXPECT_EQ(choice.translation.isEmpty(), expected == MODULE_ITSELF) << in;
    }
}

TEST(TranslationLibrary, DataFolderNamedByFirstTranslationWithDefaults)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        // The second translation of this block names another folder.
        {L"LangVersionPartial", L"Torv Test Works\\Partial Probe\\internal\\"},
        {L"LangVersionDefaults", L"Arvex Works GmbH\\custom product\\internal\\"}};
    for (const auto& [fixture, dataFolder] : cases) {
        PlacedFiles placed;
        HostModule host(placed, fixture, L"Versioned");
        placeTranslations(placed, commonFilesFolder() + dataFolder + L"Versioned", {{L"DEU", 3}});
        EXPECT_EQ(loadedMarker(host.handle(), GERMAN), 3) << fixture;
    }
}

TEST(TranslationLibrary, VersionBlockWithoutTranslationTableThrows)
{
    PlacedFiles placed;
    HostModule host(placed, L"LangVersionNoTranslation", L"Untabled");
    for (const LANGID language : {NO_LANGUAGE, GERMAN}) {
        try {
            torv::LoadTranslationDLL(host.handle(), language);
            ADD_FAILURE() << "no exception";
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), "VerQueryValue failed");
        }
    }
}

TEST(TranslationLibrary, LanguageListOrder)
{
    const std::tuple<std::vector<Translation>, LANGID, int> cases[] = {
        // The preferred language comes before US English.
        {{{L"DEU", 1}, {L"ENU", 2}}, GERMAN, 1},
        // Without a file for it, the list goes on to the defaults and US English.
        {{{L"ENU", 2}}, ICELANDIC, 2},
        {{{L"ENU", 2}}, NO_LANGUAGE, 2},
        // A sub-language tries its own code, then its primary language's.
        {{{L"DEU", 1}}, GERMAN_SWISS, 1},
        {{{L"DEU", 1}, {L"DES", 2}}, GERMAN_SWISS, 2},
        // Without any file the module itself serves.
        {{}, NO_LANGUAGE, MODULE_ITSELF},
    };
    PlacedFiles placedHost;
    HostModule host(placedHost, MARKER_FIXTURES[2], L"Listed");
    for (const auto& [translations, preferred, expected] : cases) {
        PlacedFiles placed;
        placeTranslations(placed, host.stem(), translations);
        EXPECT_EQ(loadedMarker(host.handle(), preferred), expected) << std::hex << preferred;
    }
}

TEST(TranslationLibrary, RegistrySettingIsTheOnlyLanguageTried)
{
    const wchar_t german[] = L"DEU";
    const wchar_t tooLong[] = L"DEUX";
    const DWORD number = 7;
    const std::tuple<DWORD, const void*, DWORD, int> cases[] = {{REG_SZ, german, sizeof german, 1},
                                                                {REG_EXPAND_SZ, german, sizeof german, 1},
                                                                // Not accepted: the preferred language's file serves.
                                                                {REG_SZ, tooLong, sizeof tooLong, 2},
                                                                {REG_SZ, tooLong, sizeof tooLong - sizeof(wchar_t), 2},
                                                                {REG_DWORD, &number, sizeof number, 2},
                                                                // Accepted but without a file: nothing else is tried.
                                                                {REG_SZ, L"FRA", sizeof german, MODULE_ITSELF}};
    PlacedFiles placed;
    HostModule host(placed, MARKER_FIXTURES[2], L"Configured");
    placeTranslations(placed, host.stem(), {{L"DEU", 1}, {L"ISL", 2}});
    for (const auto& [type, data, size, expected] : cases) {
        ProgramSettings settings(type, data, size);
        EXPECT_EQ(loadedMarker(host.handle(), ICELANDIC), expected) << type << " " << size;
        EXPECT_EQ(choiceOf(host.handle()).asked == torv::LanguageChoice::Asked::Registry, expected != 2)
            << "the record names what was asked";
    }
    EXPECT_EQ(loadedMarker(host.handle(), ICELANDIC), 2) << "setting not removed";
}

TEST(TranslationLibrary, FirstRecordedLanguageStays)
{
    // Without any file for this program, start-up recorded no language.
    EXPECT_EQ(torv::GetCurrentLangId(thisModule()), NO_LANGUAGE);
    ProgramSettings settings(L"ISL");
    const HINSTANCE program = thisModule().getInstance();
    EXPECT_EQ(torv::LoadTranslationDLL(program, NO_LANGUAGE), program);
    EXPECT_EQ(torv::GetCurrentLangId(thisModule()), NO_LANGUAGE);
}

TEST(HelpFile, FirstFoundServesEveryModuleAndLanguage)
{
    PlacedFiles placed;
    HostModule helped(placed, MARKER_FIXTURES[0], L"Helped");
    HostModule other(placed, MARKER_FIXTURES[1], L"Other");
    const std::wstring helpFile = helped.stemInLanguagesFolder() + L"DEU.chm";
    for (const std::wstring& file : {helpFile, other.stem() + L"ENU.chm", other.stem() + L".chm"})
        placed.place(file);
    EXPECT_EQ(torv::LocateHelpFile(helped.handle(), GERMAN), helpFile);
    EXPECT_EQ(torv::LocateHelpFile(other.handle(), 0x0409), helpFile);
    EXPECT_EQ(torv::LocateHelpFile(nullptr, NO_LANGUAGE), helpFile);
}
