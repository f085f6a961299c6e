#include "filesystem/NameCheck.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct NameCase {
    const wchar_t* text;
    bool validName;
    bool validPattern;
};

const NameCase nameCases[] = {
    {L".", true, false},         {L"..", true, false},        {L"", false, false},
    {L"...", false, false},      {L"name.", false, false},    {L"name ", false, false},
    {L"tab\there", false, false}, {L"a*b", false, true},       {L"a?b", false, true},
    {L"*.txt", false, true},     {L"*.", false, false},       {L"c:d", false, false},
    {L"a/b", false, false},      {L"a\\b", false, false},     {L"a|b", false, false},
    {L"a<b", false, false},      {L"a\"b", false, false},     {L".profile", true, true},
    {L"r\u00e9sum\u00e9 \u65e5\u672c", true, true}, {L" lead", true, true},
};

TEST(NameCheck, ComponentsAndPatterns)
{
    for (const NameCase& c : nameCases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        EXPECT_EQ(torv::isValidName(c.text), c.validName);
        EXPECT_EQ(torv::isValidSearchPattern(c.text), c.validPattern);
    }
    EXPECT_FALSE(torv::isValidName(torv::String::NIL));
    EXPECT_FALSE(torv::isValidSearchPattern(torv::String::NIL));
}

} // namespace
