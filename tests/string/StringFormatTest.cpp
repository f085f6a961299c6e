#include "string/AllocationFailure.h"
#include "string/String.h"
#include "string/StringBuilder.h"
#include "string/StringReader.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <tuple>

using namespace torv;

namespace {

bool sameText(const String& a, const String& b) { return a.isNil() == b.isNil() && a.length() == b.length() && a == b; }

// Every case runs through String's << and the builder's, which must agree
// with each other and with the expected text.
template <class T>
void expectAppends(const T& value, const wchar_t* expected)
{
    String appended(L"");
    appended << value;
    StringBuilder builder;
    builder << value;
    const String built = builder.toString();
    EXPECT_STREQ(appended.c_str(), expected) << "String << " << ::testing::PrintToString(value);
    EXPECT_TRUE(sameText(built, appended) && builder.length() == appended.length())
        << "builder << " << ::testing::PrintToString(value) << " gave '" << built.c_str() << "'";
}

template <class... Values>
void expectEach(const std::pair<Values, const wchar_t*>&... cases)
{
    (expectAppends(cases.first, cases.second), ...);
}

TEST(StringFormat, AppendersWriteTheSameTextInStringAndBuilder)
{
    // A char appends its number, NIL appends nothing.
    expectEach(std::pair{"bc", L"bc"}, std::pair{'A', L"65"}, std::pair{static_cast<char>(-128), L"-128"},
               std::pair{L'A', L"A"}, std::pair{L'\0', L""}, std::pair{L"wide", L"wide"},
               std::pair{String(L"str"), L"str"}, std::pair{String(), L""},
               std::pair{static_cast<unsigned char>(255), L"255"}, std::pair{static_cast<short>(-32768), L"-32768"},
               std::pair{static_cast<unsigned short>(65535), L"65535"}, std::pair{-1, L"-1"},
               std::pair{4294967295u, L"4294967295"}, std::pair{LONG_MIN, L"-2147483648"},
               std::pair{4000000000ul, L"4000000000"}, std::pair{LLONG_MIN, L"-9223372036854775808"},
               std::pair{ULLONG_MAX, L"18446744073709551615"}, std::pair{true, L"true"}, std::pair{false, L"false"});

    // Precision: about nine digits after the integer part, eight significant below one.
    const double inf = std::numeric_limits<double>::infinity();
    const float finf = std::numeric_limits<float>::infinity();
    expectEach(std::pair{0.0, L"0"}, std::pair{0.5, L"0.5"}, std::pair{1.0 / 3, L"0.33333333"},
               std::pair{100.0, L"100"}, std::pair{-2.25, L"-2.25"}, std::pair{1234567.125, L"1234567.125"},
               std::pair{2.0f / 3, L"0.6667"}, std::pair{10.5f, L"10.5"});
    // Infinities have no digits to count; they append the run-time's own text.
    expectEach(std::pair{inf, L"1.#INF"}, std::pair{-inf, L"-1.#INF"}, std::pair{finf, L"1.#INF"},
               std::pair{-finf, L"-1.#INF"});
    // The run-time's own forms: an exponent below 0.0001, and "not a number" written with one digit.
    wchar_t exponent[56], notANumber[56];
    _snwprintf(exponent, 56, L"%.8g", 1e-5);
    _snwprintf(notANumber, 56, L"%.1g", std::nan(""));
    for (const double value : {1e-5, std::nan("")})
        expectAppends(value, value == 1e-5 ? exponent : notANumber);
    expectAppends(std::nanf(""), notANumber);
}

TEST(StringFormat, BuilderGrowsWritesAndFormatsLikeString)
{
    StringBuilder builder;
    builder.reserve(4);
    builder.write(L"ab\0c", 4).write(L"xyz", -1).write(L"q", -2).write(nullptr, 3);
    EXPECT_TRUE(sameText(builder.toString(), String(L"").write(L"ab\0c", 4).write(L"xyz", -1)))
        << "write keeps a counted NUL, reads -1 to the NUL, takes nothing for other negatives or null";

    builder.clear();
    EXPECT_TRUE(builder.toString().block() == String::EMPTY.block()) << "an empty builder gives EMPTY, not NIL";
    String printed(L"old");
    printed.printf(L"[0x%08x] '%s' and '%s' (%d) %s", 0x1234u, String(L"wide"), String(), 7, L"lit");
    builder.printf(L"[0x%08x] '%s' and '%s' (%d) %s", 0x1234u, String(L"wide"), String(), 7, L"lit");
    EXPECT_STREQ(printed.c_str(), L"[0x00001234] 'wide' and '' (7) lit") << "replaces the text, NIL formats as empty";
    EXPECT_TRUE(sameText(builder.toString(), printed));
    printed.printf(L"%s", String(L'y', 40000));
    builder.printf(L"%s", String(L'y', 40000));
    EXPECT_TRUE(printed.length() == 32768 && builder.length() == 34 + 40000)
        << "String's printf stops at 32768 units, the builder's appends all of its output";
    builder.printf(nullptr);
    EXPECT_EQ(builder.length(), 34 + 40000) << "a null format appends nothing";
    EXPECT_THROW(builder.write(L"x", INT_MAX), torv::AllocationFailure) << "a length past int's range must not wrap";
    // Fault: the run-time's count of this output wraps past INT_MAX, and the builder appended nothing silently.
    EXPECT_THROW(builder.printf(L"%*s%*s", INT_MAX - 10, L"", 20, L""), torv::AllocationFailure);
    EXPECT_EQ(builder.length(), 34 + 40000) << "a failed append keeps the text";

    // Fault: the builder kept the output past a NUL that String's printf cuts it at.
    builder.clear();
    EXPECT_TRUE(sameText(builder.printf(L"a%cb", L'\0').toString(), printed.printf(L"a%cb", L'\0')));
    StringBuilder moved(std::move(builder));
    builder = std::move(moved);
    EXPECT_TRUE(sameText(builder.toString(), String(L"a")) && moved.length() == 0) << "a move takes the text";
}

// Fault: printf committed its text in a destructor, so a failed allocation
// there ended the program instead of reaching the caller.
TEST(StringFormat, PrintfReportsEveryFailedAllocationAndKeepsTheText)
{
#if defined(TORV_CHECKED)
    for (int allowed = 0;; ++allowed) {
        String text(L"kept");
        torv::failAllocationsAfter(allowed);
        try {
            text.printf(L"%d-%s", 42, L"x");
            torv::failAllocationsAfter(-1);
            EXPECT_STREQ(text.c_str(), L"42-x");
            EXPECT_GE(allowed, 2) << "the array and the new block are allocated";
            break;
        } catch (const torv::AllocationFailure&) {
            torv::failAllocationsAfter(-1);
            EXPECT_STREQ(text.c_str(), L"kept") << "failing allocation " << allowed;
        }
    }
#else
    GTEST_SKIP() << "allocation failures are injected in the checked build only (./make.sh check)";
#endif
}

// Fault: any pointer converted to bool and appended "true"; only text pointers may be appended.
template <class Target, class T, class = void>
struct appends : std::false_type {
};
template <class Target, class T>
struct appends<Target, T, std::void_t<decltype(std::declval<Target&>() << std::declval<T>())>> : std::true_type {
};
static_assert(appends<StringBuilder, const wchar_t*>::value && appends<StringBuilder, const char*>::value &&
              appends<StringBuilder, wchar_t*>::value && appends<String, const wchar_t*>::value);
static_assert(!appends<StringBuilder, int*>::value && !appends<StringBuilder, const char16_t*>::value &&
              !appends<String, const int*>::value && !appends<String, const char16_t*>::value);

// A start value the consumer must overwrite.
template <class T>
T other(T value)
{
    return static_cast<T>(value + 1);
}
bool other(bool value) { return !value; }
String other(const String&) { return String(L"unset"); }

const wchar_t* const SAME = L"(as String's rest)";
const wchar_t* const FAILS = nullptr;

// Reads from `text` with String's >> and a reader, which must agree with the expectation and with each other:
// the same value and rest, unless `readerRest` gives the reader's own rest, or FAILS (value and position kept).
template <class T>
void expectConsumed(const wchar_t* text, T expected, const wchar_t* rest, const wchar_t* readerRest = SAME)
{
    String consumed(text);
    StringReader reader(consumed);
    T value = other(expected), readerValue = other(expected);
    consumed >> value;
    const bool readerRead = static_cast<bool>(reader >> readerValue);
    EXPECT_EQ(value, expected) << text;
    EXPECT_STREQ(consumed.c_str(), rest) << text;
    EXPECT_TRUE(readerRead ? readerValue == value : readerValue == other(expected) && reader.position() == 0)
        << "the reader read another value, or its failed read changed the value or the position: '" << text << "'";
    if (readerRest == SAME)
        EXPECT_TRUE(!readerRead || (sameText(reader.rest(), consumed) && reader.atEnd() == (consumed.length() == 0)))
            << "reader rest '" << reader.rest().c_str() << "' of '" << text << "'";
    else
        EXPECT_TRUE(readerRest == FAILS ? !readerRead : readerRead && reader.rest() == readerRest)
            << "reader rest '" << reader.rest().c_str() << "' of '" << text << "'";
}

TEST(StringFormat, IntegerConsumers)
{
    expectConsumed(L" -12 34", -12, L" 34");
    expectConsumed(L"abc", 0, L"abc", FAILS);
    expectConsumed(L"+5", 5, L"+5", L""); // a leading + is read but not consumed; the reader consumes it
    expectConsumed(L"3.5", 3, L".5");
    expectConsumed(L"-7 x", static_cast<unsigned int>(-7), L"-7 x", L" x"); // unsigned keeps '-'
    expectConsumed(L"9000000000 rest", 9000000000LL, L" rest");
    expectConsumed(L"300", static_cast<unsigned char>(300), L"");
    expectConsumed(L"-70000,1", static_cast<short>(-70000), L",1");
    expectConsumed(L"x", 0L, L"x", FAILS);

    expectConsumed(L"   ", 0, L"", FAILS);

    String blanks(L"   ");
    int v = 1;
    blanks >> v;
    EXPECT_TRUE(v == 0 && blanks.block() == String::EMPTY.block()) << "nothing left shares EMPTY";

    // Fault: the reader had no failure state, so a loop over "+3" (read, nothing consumed) never ended.
    StringReader reader(String(L"1 2 +3 4 x"));
    int sum = 0;
    for (int i = 0; i < 8 && reader >> v; ++i)
        sum = sum * 10 + v;
    EXPECT_TRUE(sum == 1234 && !reader && reader.rest() == L" x" && v == 4) << sum;
}

// The run-time's wcstod reads decimal numbers only: not "inf", "nan" or hexadecimal prefixes.
TEST(StringFormat, FloatingConsumersReadDecimalNumbersOnly)
{
    expectConsumed(L"0.25", 0.25f, L"");
    const std::tuple<const wchar_t*, double, const wchar_t*, const wchar_t*> cases[] = {
        {L" 2.5e3x", 2500.0, L"x", SAME}, {L" ,;", 0.0, L"", FAILS},        {L"info 2", 0.0, L"info 2", FAILS},
        {L" nan", 0.0, L"nan", FAILS},    {L"0x10 r", 0.0, L"x10 r", SAME}, {L"-.5;", -0.5, L";", SAME},
        {L"1e x", 1.0, L"e x", SAME},     {L"2.5e-1x", 0.25, L"x", SAME}};
    for (const auto& [text, value, rest, readerRest] : cases)
        expectConsumed(text, value, rest, readerRest);
}

TEST(StringFormat, BoolAndCharacterConsumers)
{
    const std::tuple<const wchar_t*, bool, const wchar_t*, const wchar_t*> cases[] = {
        {L"TRUE,x", true, L",x", SAME},  {L"yes", false, L"yes", FAILS}, {L"10", true, L"0", SAME},
        {L" false!", false, L"!", SAME}, {L"0", false, L"", SAME},       {L"  ", false, L"", FAILS}};
    for (const auto& [text, value, rest, readerRest] : cases)
        expectConsumed(text, value, rest, readerRest);
    expectConsumed(L"  xy", L'x', L"y");
    expectConsumed(L"zy", L'z', L"y", L"y");
    expectConsumed(L" \t", L'\0', L"", FAILS);
}

TEST(StringFormat, StringConsumerLinesAndQuotes)
{
    expectConsumed(L"a\r\nb", String(L"a\r"), L"b");
    expectConsumed(L"b", String(L"b"), L"");
    expectConsumed(L"\"x\\\"y\" z", String(L"x\\\"y"), L" z"); // backslashes stay
    expectConsumed(L"\"a\\\\\"b", String(L"a\\\\"), L"b");     // an escaped backslash
    expectConsumed(L"\"never closed", String(L"never closed"), L"");
    expectConsumed(L"\n\n", String(L""), L"\n");

    expectConsumed(L"", String(L""), L"", FAILS);
    String nil, out(L"x");
    nil >> out;
    EXPECT_TRUE(out.isNil() && nil.block() == String::EMPTY.block()) << "NIL gives NIL and leaves EMPTY";
    EXPECT_FALSE(StringReader(String()) >> out) << "a NIL text has nothing to read";

    // Fault: String's >> dropped one counted trailing NUL per value, the reader only once, so their rests,
    // atEnd() and a following >> String disagreed.
    String nuls(L"");
    nuls.write(L"1 2\0\0", 5);
    StringReader reader(nuls);
    int first = 0, second = 0;
    nuls >> first >> second;
    reader >> first >> second;
    EXPECT_TRUE(sameText(reader.rest(), nuls) && nuls.length() == 2 && !reader.atEnd()) << nuls.length();
    nuls >> out;
    String readerOut;
    reader >> readerOut;
    EXPECT_TRUE(sameText(readerOut, out) && out.length() == 2 && reader.atEnd());
}

} // namespace
