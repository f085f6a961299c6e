#include "string/String.h"

#include <gtest/gtest.h>

using torv::String;

namespace {

const wchar_t* shown(const wchar_t* text) { return text ? text : L"(nil)"; }

// A null text stands for the NIL string in the tables below.
TEST(StringIndex, GetIndexReadsTrailingDigits)
{
    const struct {
        const wchar_t* text;
        unsigned int index;
    } cases[] = {
        {L"Layer007", 7}, {L"Layer", 0}, {L"42", 42}, {nullptr, 0},
        {L"", 0},         {L"a1b2", 2},  {L"x-5", 5}, {L"Part12", 12},
    };
    for (const auto& c : cases)
        EXPECT_EQ(String(c.text).getIndex(), c.index) << shown(c.text);
}

TEST(StringIndex, SetIndexReplacesTrailingDigits)
{
    const struct {
        const wchar_t* text;
        unsigned int index;
        const wchar_t* expected;
    } cases[] = {
        {L"Layer007", 5, L"Layer5"}, {L"Layer007", 0, L"Layer"}, {L"42", 0, L"0"},
        {nullptr, 3, L"3"},          {L"", 0, L"0"},             {L"Layer", 12, L"Layer12"},
        {L"Layer", 2147483648u, L"Layer-2147483648"},
    };
    for (const auto& c : cases) {
        String s(c.text);
        s.setIndex(c.index);
        EXPECT_STREQ(s.c_str(), c.expected) << shown(c.text) << " <- " << c.index;
    }
}

TEST(StringIndex, StepKeepsWidthOfPaddedNumbers)
{
    const struct {
        const wchar_t* text;
        bool increment;
        const wchar_t* expected;
    } cases[] = {
        {L"Layer007", true, L"Layer008"}, {L"Layer099", true, L"Layer100"},
        {L"Layer999", true, L"Layer1000"}, {L"Layer10", false, L"Layer09"},
        {L"Layer0", false, L"Layer-1"},   {L"Layer", true, L"Layer1"},
        {L"Layer", false, L"Layer1"},     {L"", true, L"1"},
        {nullptr, true, L"1"},            {nullptr, false, L"1"},
        {L"000", true, L"001"},           {L"Part12", false, L"Part11"},
    };
    for (const auto& c : cases) {
        String s(c.text);
        if (c.increment)
            s.incrementIndex();
        else
            s.decrementIndex();
        EXPECT_STREQ(s.c_str(), c.expected) << shown(c.text);
        EXPECT_EQ(s.length(), static_cast<int>(wcslen(c.expected)));
    }
}

TEST(StringShorten, CutsAtSlashBoundaries)
{
    const wchar_t* path = L"C:/Users/name/Documents/projects/file.txt";
    const wchar_t* letters = L"abcdefghijklmnopqrstuvwxyz";
    const struct {
        const wchar_t* text;
        int maxLength;
        int headLength;
        const wchar_t* expected;
    } cases[] = {
        {path, 30, 10, L"C:/Users/.../projects/file.txt"},
        {path, 20, 0, L".../file.txt"},
        {path, 41, 10, path},
        // No separator: plain character positions.
        {letters, 10, 4, L"abcd...xyz"},
        {L"C:\\Users\\name\\Documents", 12, 4, L"C:\\U...ments"},
        // A slash too close to the start does not cut the head.
        {L"a/bcdefghijklmnopqrstuvwxyz", 12, 5, L"a/bcd...wxyz"},
        // The head alone is too long: no tail at all.
        {letters, 5, 8, L"abcdefgh..."},
        {letters, 3, 0, L"..."},
    };
    for (const auto& c : cases) {
        const String s(c.text);
        EXPECT_STREQ(s.shortenString(c.maxLength, c.headLength).c_str(), c.expected)
            << c.text << " " << c.maxLength << "/" << c.headLength;
        EXPECT_STREQ(s.c_str(), c.text);
    }
    const String s(path);
    EXPECT_EQ(s.shortenString(50, 10).block(), s.block()) << "short text is shared unchanged";
    EXPECT_TRUE(String().shortenString(5, 2).isNil());
}

} // namespace
