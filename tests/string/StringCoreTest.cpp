#include "string/String.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <sstream>

using torv::String;
using torv::StringLess2;

TEST(StringCore, NilAndEmptyAreDistinctValues)
{
    const String nil(nullptr);
    const String empty(L"");
    EXPECT_TRUE(nil.isNil());
    EXPECT_FALSE(empty.isNil());
    EXPECT_TRUE(String::NIL.isNil());
    EXPECT_FALSE(String::EMPTY.isNil());
    EXPECT_EQ(String::EMPTY.length(), 0);
    EXPECT_EQ(nil.compare(empty), -1);
    EXPECT_FALSE(nil.compareEquality(empty));
    EXPECT_STREQ(nil.c_str(), L"") << "NIL reads as empty text";
    EXPECT_EQ(nil.stringAnsi(), nullptr);
    EXPECT_STREQ(empty.stringAnsi(), "");
    EXPECT_TRUE(String(static_cast<const char*>(nullptr)).isNil());
    EXPECT_FALSE(String("").isNil());
    EXPECT_TRUE(String(static_cast<const wchar_t*>(nullptr), 3).isNil());
}

TEST(StringCore, RepeatedCharacterConstruction)
{
    EXPECT_STREQ(String(L'x', 3).c_str(), L"xxx");
    EXPECT_FALSE(String(L'x', 0).isNil());
    EXPECT_EQ(String(L'x', -4).length(), 0);
    EXPECT_EQ(String(L'\0', 5).length(), 0) << "a NUL fill gives length 0";
}

TEST(StringCore, CopiesShareOneBlockAndWritesUnshare)
{
    String a(L"hello");
    String b = a;
    EXPECT_EQ(a.block(), b.block());
    EXPECT_EQ(a.block()->inqRefCount(), 2u);
    b[0] = L'j';
    EXPECT_NE(a.block(), b.block());
    EXPECT_STREQ(a.c_str(), L"hello");
    EXPECT_STREQ(b.c_str(), L"jello");
    a = a;
    EXPECT_STREQ(a.c_str(), L"hello") << "self-assignment is harmless";
}

TEST(StringCore, IndexingNilWritesTheHarmlessSlot)
{
    String nil;
    nil[3] = L'z';
    EXPECT_TRUE(nil.isNil());
    EXPECT_EQ(nil.length(), 0);
}

TEST(StringCore, ConcatenationNilRules)
{
    EXPECT_TRUE((String() + String()).isNil());
    const String nilPlusEmpty = String() + L"";
    EXPECT_FALSE(nilPlusEmpty.isNil());
    EXPECT_EQ(nilPlusEmpty.length(), 0);
    EXPECT_EQ((String::EMPTY + String()).block(), String::EMPTY.block());

    String s;
    s += L'\0';
    EXPECT_FALSE(s.isNil()) << "a NUL char turns NIL into empty";
    String t(L"ab");
    t += static_cast<const wchar_t*>(nullptr);
    t += String();
    EXPECT_STREQ(t.c_str(), L"ab");
    EXPECT_STREQ((L'<' + String(L"a") + L'>').c_str(), L"<a>");
    EXPECT_STREQ((L"x" + String(L"y") + L"z").c_str(), L"xyz");

    String shared;
    const String source(L"q");
    shared += source;
    EXPECT_EQ(shared.block(), source.block()) << "NIL += t shares t's block";
}

TEST(StringCore, WriteAppendsCountedUnits)
{
    String s;
    s.write(L"abc\0", 4);
    EXPECT_EQ(s.length(), 3);
    s.write(L"defgh", 2);
    EXPECT_STREQ(s.c_str(), L"abcde");
    s.write(nullptr, 5);
    EXPECT_STREQ(s.c_str(), L"abcde");
}

// Only -1 has a meaning among negative lengths; the others count as none.
TEST(StringCore, NegativeLengthsBelowMinusOneTakeNoUnits)
{
    String s(L"abcdef");
    s.write(L"xyz", -3);
    EXPECT_STREQ(s.c_str(), L"abcdef");
    EXPECT_EQ(s.length(), 6);
    const String counted(L"abc", -5);
    EXPECT_FALSE(counted.isNil());
    EXPECT_EQ(counted.length(), 0);
    String nil;
    nil.write(L"xyz", -2);
    EXPECT_EQ(nil.length(), 0);
}

struct CompareCase {
    const wchar_t* a;
    const wchar_t* b;
    int expected;
};

TEST(StringCore, OrdinalComparisonTable)
{
    const CompareCase cases[] = {
        {nullptr, nullptr, 0}, {nullptr, L"", -1}, {L"", nullptr, 1}, {nullptr, L"abc", -1},
        {L"ab", L"abc", -1},   {L"abc", L"ab", 1}, {L"\u00e9", L"z", 1}, {L"abc", L"abc", 0},
        {L"ABC", L"abc", -1},
    };
    for (const CompareCase& c : cases) {
        const String a(c.a);
        const String b(c.b);
        EXPECT_EQ(a.compare(b), c.expected) << (c.a ? c.a : L"(nil)");
        EXPECT_EQ(static_cast<const String&>(a).compare(c.b), c.expected);
    }
    EXPECT_EQ(String(L"abc").compare(static_cast<const wchar_t*>(nullptr)), 1);
    EXPECT_EQ(String().compare(static_cast<const wchar_t*>(nullptr)), 0);
    EXPECT_EQ(String(L"a").compare(L'b'), -1);
    EXPECT_EQ(String().compare(L'a'), -1);
}

TEST(StringCore, CaseInsensitiveComparison)
{
    EXPECT_EQ(String(L"ABC").compareIgnoreCase(String(L"abc")), 0);
    EXPECT_LT(String(L"abc").compareIgnoreCase(L"ABD"), 0);
    EXPECT_EQ(String().compareIgnoreCase(String()), 0);
    EXPECT_EQ(String().compareIgnoreCase(L"a"), -1);
    EXPECT_EQ(String(L"a").compareIgnoreCase(String()), 1);
    EXPECT_EQ(String(L"q").compareIgnoreCase(L'Q'), 0);
}

TEST(StringCore, NonConstCompareMergesEqualBlocks)
{
    String a(L"same");
    const String b(L"same");
    const unsigned before = b.block()->inqRefCount();
    EXPECT_EQ(a.compare(b), 0);
    EXPECT_EQ(a.block(), b.block());
    EXPECT_EQ(b.block()->inqRefCount(), before + 1);

    String c(L"other");
    const String d(L"other");
    EXPECT_TRUE(c.compareEquality(d));
    EXPECT_EQ(c.block(), d.block());

    const String e(L"same");
    const String f(L"same");
    EXPECT_EQ(e.compare(f), 0);
    EXPECT_NE(e.block(), f.block()) << "the const forms change nothing";
}

TEST(StringCore, EqualityWithPointers)
{
    EXPECT_TRUE(String() == static_cast<const wchar_t*>(nullptr));
    EXPECT_FALSE(String() == L"");
    EXPECT_FALSE(String(L"") == static_cast<const wchar_t*>(nullptr));
    EXPECT_TRUE(String(L"abc") == L"abc");
    EXPECT_TRUE(String(L"abc") != L"abC");
    EXPECT_TRUE(String(L"abc") == String(L"abc"));
    EXPECT_TRUE(String(L"abc") != String());
}

TEST(StringCore, StringLess2OrdersNilFirstAndFoldsCase)
{
    const StringLess2 less;
    EXPECT_FALSE(less(String(L"ABC"), String(L"abc")));
    EXPECT_FALSE(less(String(L"abc"), String(L"ABC")));
    EXPECT_TRUE(less(String(), String(L"")));
    EXPECT_FALSE(less(String(L""), String()));
    EXPECT_FALSE(less(String(), String()));
    EXPECT_TRUE(less(String(L"apple"), String(L"Banana")));

    std::map<String, int, StringLess2> keyed;
    keyed[String(L"Name")] = 1;
    keyed[String(L"NAME")] = 2;
    ASSERT_EQ(keyed.size(), 1u);
    EXPECT_STREQ(keyed.begin()->first.c_str(), L"Name");
    EXPECT_EQ(keyed.begin()->second, 2);
}

TEST(StringCore, WideBufferKeepsAndCommits)
{
    String s(L"hello");
    {
        torv::StringBuffer window = s.buffer(3, true);
        EXPECT_EQ(window.getSize(), 5) << "keep raises the size to the text";
        wchar_t* array = window;
        EXPECT_STREQ(array, L"hello");
        std::wcscpy(array, L"hi");
    }
    EXPECT_STREQ(s.c_str(), L"hi");
}

TEST(StringCore, BufferCommitRules)
{
    String untouched(L"keep");
    { torv::StringBuffer window = untouched.buffer(10, false); }
    EXPECT_STREQ(untouched.c_str(), L"keep") << "no array taken, no change";

    String twice(L"x");
    {
        torv::StringBuffer window = twice.buffer(8, false);
        std::wcscpy(static_cast<wchar_t*>(window), L"first");
        wchar_t* second = window;
        EXPECT_STREQ(second, L"");
        std::wcscpy(second, L"second");
    }
    EXPECT_STREQ(twice.c_str(), L"second");

    String narrow;
    {
        torv::StringBuffer window = narrow.buffer(16, true);
        std::strcpy(static_cast<char*>(window), "ansi text");
    }
    EXPECT_STREQ(narrow.c_str(), L"ansi text");

    String fromNil;
    {
        torv::StringBuffer window = fromNil.buffer(4, true);
        wchar_t* array = window;
        EXPECT_STREQ(array, L"");
    }
    EXPECT_FALSE(fromNil.isNil());
}

TEST(StringCore, NarrowStreamOutput)
{
    std::ostringstream out;
    out << String(L"abc") << '|' << String() << '|' << String(L"");
    EXPECT_EQ(out.str(), "abc||");
}

TEST(StringCore, NarrowStreamTokenInput)
{
    std::istringstream quoted("  \"a\\\"b\" c");
    String token;
    quoted >> token;
    EXPECT_STREQ(token.c_str(), L"a\"b");
    std::string rest;
    std::getline(quoted, rest);
    EXPECT_EQ(rest, " c");

    std::istringstream bare("abc def");
    bare >> token;
    EXPECT_STREQ(token.c_str(), L"abc");
    EXPECT_EQ(bare.get(), ' ');

    std::istringstream last("tail");
    last >> token;
    EXPECT_STREQ(token.c_str(), L"tail");
    EXPECT_FALSE(last.fail()) << "a token ending the stream is not a failure";

    std::istringstream empty("   ");
    empty >> token;
    EXPECT_TRUE(token.isNil());
    EXPECT_TRUE(empty.fail());

    std::istringstream emptyQuotes("\"\"");
    emptyQuotes >> token;
    EXPECT_FALSE(token.isNil());
    EXPECT_EQ(token.length(), 0);
}
