#include "string/String.h"

#include <gtest/gtest.h>

#include <iterator>
#include <tuple>

using torv::String;

// A null text stands for the NIL string in the tables.
static const wchar_t* shown(const wchar_t* text) { return text ? text : L"(nil)"; }

TEST(StringSearch, CharacterClassesTable)
{
    const std::tuple<const wchar_t*, int (String::*)(int) const, int, int> cases[] = {
        {L"ab", &String::findWS, 0, -1},      {L"abc", &String::findAlpha, -1, -1},
        {L"a\tb", &String::findWS, 0, 1},     {L"ab1", &String::findNonAlpha, 0, 2},
        {L"", &String::findNonWS, 0, -1},     {L"12a", &String::findNonDigit, 0, 2},
        {L"  a", &String::findNonWS, 0, 2},   {L"  -3", &String::findAlphaNum, 0, 2},
        {L"12a", &String::findAlpha, 0, 2},   {nullptr, &String::findAlphaNum, 0, -1},
        {L"ab1", &String::findDigit, 0, 2},   {L"a-1", &String::findSignedDigit, 0, 1},
        {L"a b", &String::findNonWS, 1, 2},   {L"ab!", &String::findNonAlphaNum, 0, 2},
        {L"abc", &String::findAlpha, 3, -1},  {L"a.+", &String::findNonAlphaNum, 0, -1},
        {L"x e", &String::findNumeric, 0, 2}, {L"-12x", &String::findNonSignedDigit, 0, 3}};
    for (const auto& [text, search, start, expected] : cases) {
        const String s(text);
        EXPECT_EQ((s.*search)(start), expected) << shown(text);
    }
}

TEST(StringSearch, FindCharactersAndTexts)
{
    const String s(L"abcb");
    const wchar_t* const none = nullptr;
    const int found[] = {s.find(L'b', 0),       s.find(L'b', 2),  s.find(L'z', 0),        s.find(L'\0', 0),
                         s.find(L'b', 4),       s.find(L'b', -1), String().find(L'a', 0), s.findLastOf(L'b', 0),
                         s.findLastOf(L'a', 1), s.find(L"cb", 0), s.find(L"cb", 3),       s.find(L"", 0),
                         s.find(none, 0),       s.find(L"zb", 0)};
    // NUL finds the terminator; the start of findLastOf is its lower bound.
    const int expected[] = {1, 3, -1, 4, -1, -1, -1, 3, -1, 2, -1, -1, -1, -1};
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(found[i], expected[i]) << "case " << i;
}

TEST(StringSearch, PrefixSuffixAndSubstr)
{
    const String hello(L"hello");
    EXPECT_TRUE(hello.startsWith(String()) && hello.startsWith(String::EMPTY));
    EXPECT_TRUE(String().startsWith(String()) && hello.startsWith(String(L"he")));
    EXPECT_FALSE(hello.startsWith(String(L"He")) || String(L"he").startsWith(hello));
    EXPECT_TRUE(hello.endsWith(String(L"lo")) && hello.endsWith(hello));
    EXPECT_FALSE(hello.endsWith(String(L"Lo")));

    EXPECT_TRUE(hello.substr(1, 3) == L"el" && hello.substr(2) == L"llo");
    for (const String& piece : {hello.substr(3, 1), hello.substr(9, 12)})
        EXPECT_EQ(piece.block(), String::EMPTY.block());
    EXPECT_EQ(hello.substr(-5, -1).block(), hello.block()) << "whole text shares";
    EXPECT_FALSE(String().substr(0).isNil()) << "pieces are never NIL";
}

TEST(StringSearch, TrimAndEatwhite)
{
    EXPECT_EQ(String(L"   ").trim(true, true).length(), 0);
    EXPECT_STREQ(String(L" a ").trim(false, true).c_str(), L" a");
    EXPECT_STREQ(String(L" a ").trim(true, false).c_str(), L"a ");
    EXPECT_STREQ(String(L"\t a b\n").trim(true, true).c_str(), L"a b");
    EXPECT_TRUE(String().trim(true, true).isNil());

    String s(L" a"), blanks(L"   ");
    s.eatwhite();
    blanks.eatwhite();
    EXPECT_STREQ(s.c_str(), L"a");
    EXPECT_STREQ(blanks.c_str(), L"   ") << "no graphic unit: unchanged";
}

TEST(StringSearch, ReplaceCharacters)
{
    String s(L"bab");
    const String shared = s;
    EXPECT_TRUE(s.replace(L'a', L'\0') == 1 && s.length() == 1);
    EXPECT_STREQ(shared.c_str(), L"bab") << "copy-on-write";
    String cut(L"xaxa");
    EXPECT_EQ(cut.replace(L'a', L'\0'), 2) << "the count includes every occurrence";

    String nil;
    EXPECT_TRUE(nil.replace(L'a', L'b') == 0 && nil.isNil());
}

// Each case runs through all four forms, wide texts or Strings for either argument; NIL stands for null.
TEST(StringSearch, ReplaceTextsTable)
{
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, int, const wchar_t*> cases[] = {
        {L"ababa", L"ab", L"x", 2, L"xxa"},     {L"ababa", L"ab", nullptr, 2, L"a"},
        {L"aaa", L"a", L"aa", 3, L"aaaaaa"},    {L"abc", L"z", L"y", 0, L"abc"},
        {L"abc", L"", L"y", 0, L"abc"},         {L"abc", L"abc", L"", 1, L""},
        {L"a.b.c", L".", L"::", 2, L"a::b::c"}, {L"abc", nullptr, L"y", 0, L"abc"}};
    for (const auto& [text, from, to, count, result] : cases) {
        String s[4] = {String(text), String(text), String(text), String(text)};
        const int counts[4] = {s[0].replace(from, to), s[1].replace(String(from), to), s[2].replace(from, String(to)),
                               s[3].replace(String(from), String(to))};
        for (int form = 0; form < 4; ++form) {
            EXPECT_EQ(counts[form], count) << text << L" / " << shown(from) << L", form " << form;
            EXPECT_STREQ(s[form].c_str(), result) << text << L" / " << shown(from) << L", form " << form;
        }
    }
    String s(L"abc");
    const unsigned before = s.block()->inqRefCount();
    const torv::StringVal* block = s.block();
    EXPECT_EQ(s.replace(String(L"z"), String(L"y")), 0);
    EXPECT_TRUE(s.block() == block && block->inqRefCount() == before) << "no match keeps the block";
    String nil;
    EXPECT_TRUE(nil.replace(L"a", L"b") == 0 && nil.block() == String::EMPTY.block());
}

TEST(StringIndex, GetAndSetReadAndReplaceTrailingDigits)
{
    const std::tuple<const wchar_t*, unsigned int> readCases[] = {{L"Layer007", 7}, {L"Layer", 0},  {L"42", 42},
                                                                  {nullptr, 0},     {L"", 0},       {L"a1b2", 2},
                                                                  {L"x-5", 5},      {L"Part12", 12}};
    for (const auto& [text, index] : readCases)
        EXPECT_EQ(String(text).getIndex(), index) << shown(text);
    const std::tuple<const wchar_t*, unsigned int, const wchar_t*> cases[] = {
        {L"Layer007", 5, L"Layer5"},
        {L"Layer007", 0, L"Layer"},
        {L"42", 0, L"0"},
        {nullptr, 3, L"3"},
        {L"", 0, L"0"},
        {L"Layer", 12, L"Layer12"},
        {L"Layer", 2147483648u, L"Layer-2147483648"}};
    for (const auto& [text, index, expected] : cases) {
        String s(text);
        s.setIndex(index);
        EXPECT_STREQ(s.c_str(), expected) << shown(text) << " <- " << index;
    }
}

TEST(StringIndex, StepKeepsWidthOfPaddedNumbers)
{
    const std::tuple<const wchar_t*, bool, const wchar_t*> cases[] = {
        {L"", true, L"1"},      {L"Layer", true, L"Layer1"},    {L"Layer10", false, L"Layer09"},
        {nullptr, true, L"1"},  {L"Layer", false, L"Layer1"},   {L"Layer007", true, L"Layer008"},
        {nullptr, false, L"1"}, {L"Part12", false, L"Part11"},  {L"Layer099", true, L"Layer100"},
        {L"000", true, L"001"}, {L"Layer0", false, L"Layer-1"}, {L"Layer999", true, L"Layer1000"}};
    for (const auto& [text, increment, expected] : cases) {
        String s(text);
        increment ? s.incrementIndex() : s.decrementIndex();
        EXPECT_STREQ(s.c_str(), expected) << shown(text);
        EXPECT_EQ(s.length(), static_cast<int>(wcslen(expected)));
    }
}

TEST(StringShorten, CutsAtSlashBoundaries)
{
    const wchar_t* path = L"C:/Users/name/Documents/projects/file.txt";
    const wchar_t* letters = L"abcdefghijklmnopqrstuvwxyz";
    const std::tuple<const wchar_t*, int, int, const wchar_t*> cases[] = {
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
        {letters, 3, 0, L"..."}};
    for (const auto& [text, maxLength, headLength, expected] : cases) {
        const String s(text);
        EXPECT_STREQ(s.shortenString(maxLength, headLength).c_str(), expected)
            << text << " " << maxLength << "/" << headLength;
        EXPECT_STREQ(s.c_str(), text);
    }
    const String s(path);
    EXPECT_EQ(s.shortenString(50, 10).block(), s.block()) << "short text is shared unchanged";
    EXPECT_TRUE(String().shortenString(5, 2).isNil());
}
