// The "lang=" switch: child runs of this program with a prepared scratch folder and a registry setting.
#include "LanguageTestSupport.h"
#include "module/Language.h"
#include "module/Module.h"
#include "object/BaseNode.h"
#include <commctrl.h>
#include <gtest/gtest.h>

using namespace langtest;

namespace {

constexpr LANGID GERMAN = 0x0407;

const torv::Module& libraryModule() { return *torv::BaseNode::Class()->module; }

// Alpha has German in its folder and French in its languages folder, Beta only German; Alpha also has a help
// file without language.
class CommandLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::pair<const wchar_t*, const wchar_t*> files[] = {{L"Alpha.dll", MARKER_FIXTURES[2]},
                                                                   {L"AlphaDEU.dll", MARKER_FIXTURES[0]},
                                                                   {L"languages\\AlphaFRA.dll", MARKER_FIXTURES[1]},
                                                                   {L"Beta.dll", MARKER_FIXTURES[2]},
                                                                   {L"BetaDEU.dll", MARKER_FIXTURES[0]},
                                                                   {L"Alpha.chm", nullptr},
                                                                   {L"AlphaDEU.chm", nullptr}};
        for (const auto& file : files)
            placed.place(scratch + file.first, file.second);
    }
    const std::wstring scratch = scratchFolder();
    PlacedFiles placed;
    ProgramSettings settings{L"DEU"};
};

} // namespace

TEST_F(CommandLine, SwitchWinsOverRegistrySetting)
{
    EXPECT_TRUE(runChildTest(placed, scratch, L"DISABLED_French", L"-Language=French -lang=TOOLONG /LANG=fra"));
}

TEST_F(CommandLine, SwitchWithoutCodeLeavesRegistrySetting)
{
    EXPECT_TRUE(runChildTest(placed, scratch, L"DISABLED_RegistryGerman", L"-lang= -lang=FRA"));
}

TEST(LanguageChild, DISABLED_French)
{
    // Program and library chose French at start-up without a file; the common controls took the program's.
    const LANGID french = torv::GetCurrentLangId(thisModule());
    EXPECT_EQ(PRIMARYLANGID(french), LANG_FRENCH);
    EXPECT_EQ(torv::GetCurrentLangId(libraryModule()), french);
    EXPECT_EQ(GetMUILanguage(), french);
    const std::wstring scratch = childScratchFolder();
    HostModule alpha(scratch, L"Alpha");
    HostModule beta(scratch, L"Beta");
    EXPECT_EQ(loadedMarker(alpha.handle(), torv::NO_LANGUAGE), 2);
    // Only the explicit language is tried; only the program's choice reaches the common controls.
    EXPECT_EQ(loadedMarker(beta.handle(), GERMAN), MODULE_ITSELF);
    EXPECT_EQ(GetMUILanguage(), french);
    // No French help file: the one without language serves.
    const std::wstring helpFile = alpha.stem() + L".chm";
    EXPECT_EQ(torv::LocateHelpFile(alpha.handle(), GERMAN), helpFile);
    reportChildDone();
}

TEST(LanguageChild, DISABLED_RegistryGerman)
{
    HostModule alpha(childScratchFolder(), L"Alpha");
    EXPECT_EQ(loadedMarker(alpha.handle(), torv::NO_LANGUAGE), 1);
    reportChildDone();
}
