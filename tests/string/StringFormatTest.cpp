#include "string/AllocationFailure.h"
#include "string/String.h"
#include "string/StringBuilder.h"
#include "string/StringReader.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <limits>
#include <tuple>

using torv::String;
using torv::StringBuilder;
using torv::StringReader;

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
    wchar_t exponent[56];
    _snwprintf(exponent, 56, L"%.8g", 1e-5);
    expectAppends(1e-5, exponent);
}

TEST(StringFormat, BuilderGrowsWritesAndFormatsLikeString)
{
    String appended(L"");
    StringBuilder builder;
    for (int i = 0; i < 1000; ++i) { // crosses many growth steps
        appended << i << L',' << 0.25 * i;
        builder << i << L',' << 0.25 * i;
    }
    EXPECT_TRUE(sameText(builder.toString(), appended)) << "text lost or moved while growing";

    builder.clear();
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
    EXPECT_EQ(builder.length(), 34 + 40000) << "a failed append keeps the text";
}

// A start value the consumer must overwrite.
template <class T>
T other(T value)
{
    return static_cast<T>(value + 1);
}
bool other(bool value) { return !value; }
String other(const String&) { return String(L"unset"); }

// Reads from `text` with String's >> and a reader, which must agree with
// each other and with the expectation; a second read from the remainder
// must agree too, so the reader's position is exercised past the start.
template <class T>
void expectConsumed(const wchar_t* text, T expected, const wchar_t* rest)
{
    String consumed(text);
    StringReader reader(consumed);
    for (int read = 1; read <= 2; ++read) {
        T value = other(expected), readerValue = other(expected);
        consumed >> value;
        reader >> readerValue;
        if (read == 1) {
            EXPECT_EQ(value, expected) << text;
            EXPECT_STREQ(consumed.c_str(), rest) << text;
        }
        EXPECT_EQ(readerValue, value) << "reader value, read " << read << " of '" << text << "'";
        EXPECT_TRUE(sameText(reader.rest(), consumed) && reader.atEnd() == consumed.isEmpty())
            << "reader rest '" << reader.rest().c_str() << "', read " << read << " of '" << text << "'";
    }
}

TEST(StringFormat, IntegerConsumers)
{
    expectConsumed(L" -12 34", -12, L" 34");
    expectConsumed(L"abc", 0, L"abc");
    expectConsumed(L"+5", 5, L"+5"); // a leading + is read but not consumed
    expectConsumed(L"3.5", 3, L".5");
    expectConsumed(L"-7 x", static_cast<unsigned int>(-7), L"-7 x"); // unsigned keeps '-'
    expectConsumed(L"9000000000 rest", 9000000000LL, L" rest");
    expectConsumed(L"300", static_cast<unsigned char>(300), L"");
    expectConsumed(L"-70000,1", static_cast<short>(-70000), L",1");
    expectConsumed(L"x", 0L, L"x");

    String blanks(L"   ");
    int v = 1;
    blanks >> v;
    EXPECT_TRUE(v == 0 && blanks.block() == String::EMPTY.block()) << "nothing left shares EMPTY";
}

// The run-time's wcstod reads decimal numbers only: not "inf", "nan" or hexadecimal prefixes.
TEST(StringFormat, FloatingConsumersReadDecimalNumbersOnly)
{
    expectConsumed(L"0.25", 0.25f, L"");
    const std::tuple<const wchar_t*, double, const wchar_t*> cases[] = {
        {L" 2.5e3x", 2500.0, L"x"}, {L" ,;", 0.0, L""},    {L"info 2", 0.0, L"info 2"}, {L" nan", 0.0, L"nan"},
        {L"0x10 r", 0.0, L"x10 r"}, {L"-.5;", -0.5, L";"}, {L"1e x", 1.0, L"e x"},      {L"2.5e-1x", 0.25, L"x"}};
    for (const auto& c : cases)
        expectConsumed(std::get<0>(c), std::get<1>(c), std::get<2>(c));
}

TEST(StringFormat, BoolAndCharacterConsumers)
{
    const std::tuple<const wchar_t*, bool, const wchar_t*> cases[] = {
        {L"TRUE,x", true, L",x"},  {L"yes", false, L"yes"}, {L"10", true, L"0"},
        {L" false!", false, L"!"}, {L"0", false, L""},      {L"  ", false, L""}};
    for (const auto& c : cases)
        expectConsumed(std::get<0>(c), std::get<1>(c), std::get<2>(c));
    expectConsumed(L"  xy", L'x', L"y");
    expectConsumed(L" \t", L'\0', L"");
}

TEST(StringFormat, StringConsumerLinesAndQuotes)
{
    expectConsumed(L"a\r\nb", String(L"a\r"), L"b");
    expectConsumed(L"b", String(L"b"), L"");
    expectConsumed(L"\"x\\\"y\" z", String(L"x\\\"y"), L" z"); // backslashes stay
    expectConsumed(L"\"a\\\\\"b", String(L"a\\\\"), L"b");     // an escaped backslash
    expectConsumed(L"\"never closed", String(L"never closed"), L"");
    expectConsumed(L"\n\n", String(L""), L"\n");

    // NIL gives NIL once, then the empty text that String's >> left behind.
    String nil;
    StringReader reader(nil);
    for (int read = 1; read <= 2; ++read) {
        String out(L"x"), readerOut(L"x");
        nil >> out;
        reader >> readerOut;
        EXPECT_TRUE(out.isNil() == (read == 1) && sameText(readerOut, out) && sameText(reader.rest(), nil))
            << "read " << read << " of NIL";
    }
}

} // namespace
