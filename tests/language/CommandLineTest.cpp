// The "lang=" switch: child runs of this program with a prepared scratch
// folder and a registry setting that the switch must win over.
#include "LanguageTestSupport.h"

#include "module/Language.h"

#include <commctrl.h>

#include <gtest/gtest.h>

using namespace langtest;

namespace {

constexpr LANGID GERMAN = 0x0407;

// Alpha has German in its folder and French in its languages folder, Beta
// only German; Alpha also has a help file without language.
class CommandLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        placed.copy(MARKER_FIXTURES[2], scratch + L"Alpha.dll");
        placed.copy(MARKER_FIXTURES[0], scratch + L"AlphaDEU.dll");
        placed.copy(MARKER_FIXTURES[1], scratch + L"languages\\AlphaFRA.dll");
        placed.copy(MARKER_FIXTURES[2], scratch + L"Beta.dll");
        placed.copy(MARKER_FIXTURES[0], scratch + L"BetaDEU.dll");
        placed.create(scratch + L"Alpha.chm");
        placed.create(scratch + L"AlphaDEU.chm");
    }

    const std::wstring scratch = scratchFolder();
    PlacedFiles placed;
    ProgramSettings settings{L"DEU"};
};

}  // namespace

TEST_F(CommandLine, SwitchWinsOverRegistrySetting)
{
    EXPECT_TRUE(runChildTest(placed, scratch, L"DISABLED_French",
                             L"-Language=French -lang=TOOLONG /LANG=fra"));
}

TEST_F(CommandLine, SwitchWithoutCodeLeavesRegistrySetting)
{
    EXPECT_TRUE(runChildTest(placed, scratch, L"DISABLED_RegistryGerman", L"-lang= -lang=FRA"));
}

TEST(LanguageChild, DISABLED_French)
{
    const LANGID controlsLanguage = GetMUILanguage();
    const std::wstring scratch = childScratchFolder();
    HostModule alpha(scratch, L"Alpha");
    HostModule beta(scratch, L"Beta");
    EXPECT_EQ(loadedMarker(alpha.handle(), torv::NO_LANGUAGE), 2);
    // Only the explicit language is tried.
    EXPECT_EQ(loadedMarker(beta.handle(), GERMAN), MODULE_ITSELF);

    // The user-interface language of the common controls follows the
    // executable only.
    EXPECT_EQ(GetMUILanguage(), controlsLanguage);
    const HINSTANCE program = GetModuleHandleW(nullptr);
    EXPECT_EQ(torv::LoadTranslationDLL(program, torv::NO_LANGUAGE), program);
    EXPECT_EQ(PRIMARYLANGID(GetMUILanguage()), LANG_FRENCH);

    // No French help file: the one without language serves.
    const std::wstring helpFile = alpha.stem() + L".chm";
    EXPECT_EQ(torv::LocateHelpFile(alpha.handle(), GERMAN), helpFile);
    EXPECT_EQ(torv::LocateHelpFile(beta.handle(), GERMAN), helpFile);
    reportChildDone();
}

TEST(LanguageChild, DISABLED_RegistryGerman)
{
    HostModule alpha(childScratchFolder(), L"Alpha");
    EXPECT_EQ(loadedMarker(alpha.handle(), torv::NO_LANGUAGE), 1);
    reportChildDone();
}
