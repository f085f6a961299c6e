#include "string/String.h"

#include "string/AllocationFailure.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <sstream>
#include <tuple>
#include <type_traits>
#include <utility>

using torv::String;

namespace {

const wchar_t* shown(const wchar_t* text) { return text ? text : L"(nil)"; }

int sign(int value) { return (value > 0) - (value < 0); }

TEST(StringCore, NilAndEmptyAreDistinctValues)
{
    const String nil(nullptr);
    const String empty(L"");
    EXPECT_TRUE(nil.isNil() && String::NIL.isNil());
    EXPECT_FALSE(empty.isNil() || String::EMPTY.isNil());
    EXPECT_FALSE(nil.compareEquality(empty));
    EXPECT_STREQ(nil.c_str(), L"") << "NIL reads as empty text";
    EXPECT_EQ(nil.stringAnsi(), nullptr);
    EXPECT_STREQ(empty.stringAnsi(), "");
    EXPECT_TRUE(String(static_cast<const char*>(nullptr)).isNil() && !String("").isNil());
    EXPECT_TRUE(String(static_cast<const wchar_t*>(nullptr), 3).isNil());
    EXPECT_TRUE((String(L"old") = L"new") == L"new" && (String(L"x") = static_cast<const wchar_t*>(nullptr)).isNil());
    String written;
    written[3] = L'z';
    EXPECT_TRUE(written.isNil()) << "indexing NIL writes a harmless slot";
}

// Only -1 has a meaning among negative lengths; the others count as none.
TEST(StringCore, CountsAndLengthBoundaries)
{
    EXPECT_STREQ(String(L'x', 3).c_str(), L"xxx");
    EXPECT_FALSE(String(L'x', 0).isNil());
    EXPECT_EQ(String(L'x', -4).length(), 0);
    EXPECT_EQ(String(L'\0', 5).length(), 0) << "a NUL fill gives length 0";
    EXPECT_TRUE(String(L"abc", -5).length() == 0 && !String(L"abc", -5).isNil());
    EXPECT_EQ(torv::StringVal::construct("abc", -2, -1), nullptr) << "a narrow length below -1 takes no units";
    EXPECT_TRUE(!torv::StringVal::construct("abc", 3, 2) && !torv::StringVal::construct("abc", -1, 2)) << "no room";
    EXPECT_EQ(String(L"a\0\0", 3).length(), 2) << "only one counted NUL is dropped";

    String nil;
    nil.write(L"xyz", -2);
    EXPECT_EQ(nil.length(), 0);
    String s;
    s.write(L"abc\0", 4);
    EXPECT_EQ(s.length(), 3);
    s.write(L"defgh", 2);
    s.write(nullptr, 5);
    s.write(L"xyz", -3);
    EXPECT_TRUE(s == L"abcde" && s.length() == 5) << s.c_str();
}

// Sizes past INT_MAX must fail as the library's allocation failure instead
// of wrapping to a small block that is then overrun; the string keeps its text.
TEST(StringCore, OversizedResultsThrowBadAllocation)
{
    String kept(L"ab");
    EXPECT_THROW(String(L'x', INT_MAX), torv::AllocationFailure) << "fill count";
    EXPECT_THROW(kept.write(L"cd", INT_MAX), torv::AllocationFailure) << "appended length";
    EXPECT_STREQ(torv::AllocationFailure().what(), "bad allocation");
    EXPECT_STREQ(kept.c_str(), L"ab");
}

static_assert(std::is_same_v<decltype(&torv::StringVal::concatenation),
                             torv::StringVal* (torv::StringVal::*)(const wchar_t*, int)>,
              "concatenation is exported as a non-const member");

TEST(StringCore, CopiesShareOneBlockAndWritesUnshareWithRoomForIndexLength)
{
    String a(L"hello");
    String b = a;
    EXPECT_EQ(a.block()->inqRefCount(), 2u);
    b[0] = L'j';
    EXPECT_NE(a.block(), b.block());
    EXPECT_TRUE(a == L"hello" && b == L"jello");
    b[2] = L'\0';
    EXPECT_EQ(b.length(), 2) << "an edit makes the length be counted again";
    a = a;
    EXPECT_STREQ(a.c_str(), L"hello") << "self-assignment is harmless";

    // Fault: unshare() copies one unit short when the length counts a trailing NUL, so the allowed write at
    // index == length lands past the copy (the checked build's guard units trap on it).
    String written(L"");
    written.write(L"ab\0", 3);
    for (const String& source : {String(L"ab\0\0", 4), written}) {
        String copy = source;
        ASSERT_EQ(copy.length(), 3) << copy.c_str();
        copy[3] = L'x';
        EXPECT_TRUE(copy.block() != source.block() && copy.block()->at(3) == L'x') << source.c_str();
        EXPECT_EQ(source.block()->at(3), L'\0') << "the shared original is untouched";
    }

    // Fault: a unit written at index == length overwrote the block's only terminator, so length() read past the
    // block; the fill constructor left its spare unit unset.
    const String shared(L"abc");
    String unshared = shared, filled(L'f', 3);
    unshared[3] = L'x';
    filled[3] = L'x';
    filled[4] = L'y';
    EXPECT_TRUE(unshared.length() == 4 && filled.length() == 5) << unshared.c_str() << " / " << filled.c_str();
}

TEST(StringCore, ConcatenationNilRules)
{
    EXPECT_TRUE((String() + String()).isNil());
    EXPECT_FALSE((String() + L"").isNil());
    EXPECT_EQ((String::EMPTY + String()).block(), String::EMPTY.block());

    String s;
    s += L'\0';
    EXPECT_FALSE(s.isNil()) << "a NUL char turns NIL into empty";
    String t(L"ab");
    (t += static_cast<const wchar_t*>(nullptr)) += String();
    EXPECT_STREQ(t.c_str(), L"ab");
    EXPECT_STREQ((L'<' + String(L"a") + L'>').c_str(), L"<a>");
    EXPECT_STREQ((L"x" + String(L"y") + L"z").c_str(), L"xyz");

    String shared;
    const String source(L"q");
    shared += source;
    EXPECT_EQ(shared.block(), source.block()) << "NIL += t shares t's block";
}

TEST(StringCore, ComparisonTableAndStringLess2)
{
    // Texts, then the ordinal and the case-folding comparison.
    const std::tuple<const wchar_t*, const wchar_t*, int, int> cases[] = {
        {nullptr, nullptr, 0, 0}, {nullptr, L"", -1, -1}, {L"", nullptr, 1, 1},    {nullptr, L"abc", -1, -1},
        {L"ab", L"abc", -1, -1},  {L"abc", L"ab", 1, 1},  {L"\u00e9", L"z", 1, 1}, {L"abc", L"abc", 0, 0},
        {L"ABC", L"abc", -1, 0},  {L"abc", L"ABD", 1, -1}};
    for (const auto& [textA, textB, ordinal, ignoringCase] : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(shown(textA)) + L" / " + shown(textB)));
        const String a(textA), b(textB);
        EXPECT_TRUE(a.compare(b) == ordinal && a.compare(textB) == ordinal);
        // Against NIL the result is exactly -1, 0 or 1; between texts only its sign counts.
        const bool bothTexts = textA && textB;
        const auto folded = [bothTexts](int result) { return bothTexts ? sign(result) : result; };
        EXPECT_TRUE(folded(a.compareIgnoreCase(b)) == ignoringCase &&
                    folded(a.compareIgnoreCase(textB)) == ignoringCase);
        EXPECT_TRUE((a == textB) == (ordinal == 0) && (a != b) == (ordinal != 0));
    }
    EXPECT_EQ(String(L"a").compare(L'b'), -1);
    EXPECT_EQ(String().compare(L'a'), -1);
    EXPECT_EQ(String(L"q").compareIgnoreCase(L'Q'), 0);
    // StringLess2 orders NIL first and folds case.
    const torv::StringLess2 less;
    EXPECT_FALSE(less(String(L"ABC"), String(L"abc")) || less(String(L"abc"), String(L"ABC")));
    EXPECT_TRUE(less(String(), String(L"")));
    EXPECT_FALSE(less(String(L""), String()) || less(String(), String()));
    EXPECT_TRUE(less(String(L"apple"), String(L"Banana")));
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
    EXPECT_TRUE(c.compareEquality(d) && c.block() == d.block());

    const String e(L"same");
    EXPECT_EQ(e.compare(b), 0);
    EXPECT_NE(e.block(), b.block()) << "the const forms change nothing";
    String edited(L"xame"); // an edit leaves its length to be counted
    edited[0] = L's';
    EXPECT_TRUE(std::as_const(edited).compareEquality(e) && e.compareEquality(edited)) << "one length unknown";
}

TEST(StringCore, BufferCommitRules)
{
    String kept(L"hello");
    {
        torv::StringBuffer window = kept.buffer(3, true);
        EXPECT_EQ(window.getSize(), 5) << "keep raises the size to the text";
        wchar_t* array = window;
        EXPECT_STREQ(array, L"hello");
        std::wcscpy(array, L"hi");
    }
    EXPECT_STREQ(kept.c_str(), L"hi");

    String untouched(L"keep");
    {
        torv::StringBuffer window = untouched.buffer(10, false);
    }
    EXPECT_STREQ(untouched.c_str(), L"keep") << "no array taken, no change";

    String twice(L"x");
    {
        torv::StringBuffer window = twice.buffer(8, false);
        std::wcscpy(static_cast<wchar_t*>(window), L"first");
        wchar_t* second = window;
        EXPECT_STREQ(second, L"");
        std::wcscpy(second, L"second");
    }
    EXPECT_STREQ(twice.c_str(), L"second") << "only the last array counts";

    String narrow;
    std::strcpy(static_cast<char*>(narrow.buffer(16, true)), "ansi text");
    EXPECT_STREQ(narrow.c_str(), L"ansi text");
}

TEST(StringCore, NarrowStreams)
{
    std::ostringstream out;
    out << String(L"abc") << '|' << String() << '|' << String(L"");
    EXPECT_EQ(out.str(), "abc||");

    std::istringstream in("  \"a\\\"b\" c \"\"");
    String tokens[4];
    in >> tokens[0];
    EXPECT_EQ(in.get(), ' ');
    in >> tokens[1] >> tokens[2];
    EXPECT_FALSE(in.fail());
    in >> tokens[3];
    EXPECT_TRUE(in.fail() && tokens[3].isNil()) << "only blanks: no token";
    EXPECT_TRUE(tokens[0] == L"a\"b" && tokens[1] == L"c");
    EXPECT_TRUE(!tokens[2].isNil() && tokens[2].isEmpty()) << "empty quotes give the empty text";

    std::istringstream last("tail");
    EXPECT_FALSE((last >> tokens[0]).fail()) << "a token ending the stream is not a failure";
    EXPECT_STREQ(tokens[0].c_str(), L"tail");
}

} // namespace
