// The help file of this process: the first one found serves every later call.
#include "LanguageTestSupport.h"

#include "module/Language.h"

#include <gtest/gtest.h>

using namespace langtest;

TEST(HelpFile, FirstFoundServesEveryModuleAndLanguage)
{
    PlacedFiles placed;
    HostModule helped(placed, MARKER_FIXTURES[0], L"Helped");
    HostModule other(placed, MARKER_FIXTURES[1], L"Other");
    const std::wstring helpFile = helped.stemInLanguagesFolder() + L"DEU.chm";
    placed.create(helpFile);
    placed.create(other.stem() + L"ENU.chm");
    placed.create(other.stem() + L".chm");

    const wchar_t* found = torv::LocateHelpFile(helped.handle(), 0x0407);
    EXPECT_EQ(found, helpFile);
    EXPECT_EQ(torv::LocateHelpFile(other.handle(), 0x0409), helpFile);
    EXPECT_EQ(torv::LocateHelpFile(nullptr, torv::NO_LANGUAGE), helpFile);
}
