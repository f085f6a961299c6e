#include "string/String.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <limits>
#include <tuple>

using torv::String;

namespace {

TEST(StringFormat, IntegerAppenders)
{
    String s(L"a");
    s << "bc" << 'A' << L'|' << L'A' << L'|' << static_cast<unsigned char>(255) << L'|'
      << static_cast<short>(-32768) << L'|' << static_cast<unsigned short>(65535) << L'|' << -1
      << L'|' << 4294967295u << L'|' << LONG_MIN << L'|' << 4000000000ul << L'|' << LLONG_MIN
      << L'|' << ULLONG_MAX << L'|' << true << L'|' << false << static_cast<char>(-128);
    EXPECT_STREQ(s.c_str(),
                 L"abc65|A|255|-32768|65535|-1|4294967295|-2147483648|4000000000|"
                 L"-9223372036854775808|18446744073709551615|true|false-128");
}

TEST(StringFormat, FloatingAppendersPrecision)
{
    const double inf = std::numeric_limits<double>::infinity();
    const float finf = std::numeric_limits<float>::infinity();
    const struct { String text; const wchar_t* expected; } cases[] = {
        {String() << 0.0, L"0"},           {String() << 0.5, L"0.5"},
        {String() << 1.0 / 3, L"0.33333333"}, {String() << 100.0, L"100"},
        {String() << -2.25, L"-2.25"},     {String() << 1234567.125, L"1234567.125"},
        {String() << 2.0f / 3, L"0.6667"}, {String() << 10.5f, L"10.5"},
        // Infinities have no digits to count; they append the run-time's own text.
        {String() << inf, L"1.#INF"},      {String() << -inf, L"-1.#INF"},
        {String() << finf, L"1.#INF"},     {String() << -finf, L"-1.#INF"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.text.c_str(), c.expected);
    wchar_t expected[56];
    _snwprintf(expected, 56, L"%.8g", 1e-5);
    EXPECT_STREQ((String() << 1e-5).c_str(), expected);
}

// A start value the consumer must overwrite.
template <class T>
T other(T value) { return static_cast<T>(value + 1); }
bool other(bool value) { return !value; }
String other(const String&) { return String(L"unset"); }

template <class T>
void expectConsumed(const wchar_t* text, T expected, const wchar_t* rest)
{
    String s(text);
    T value = other(expected);
    s >> value;
    EXPECT_EQ(value, expected) << text;
    EXPECT_STREQ(s.c_str(), rest) << text;
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
        {L" 2.5e3x", 2500.0, L"x"}, {L" ,;", 0.0, L""},      {L"info 2", 0.0, L"info 2"}, {L" nan", 0.0, L"nan"},
        {L"0x10 r", 0.0, L"x10 r"}, {L"-.5;", -0.5, L";"}, {L"1e x", 1.0, L"e x"},      {L"2.5e-1x", 0.25, L"x"}};
    for (const auto& c : cases)
        expectConsumed(std::get<0>(c), std::get<1>(c), std::get<2>(c));
}

TEST(StringFormat, BoolAndCharacterConsumers)
{
    const std::tuple<const wchar_t*, bool, const wchar_t*> cases[] = {
        {L"TRUE,x", true, L",x"}, {L"yes", false, L"yes"}, {L"10", true, L"0"},
        {L" false!", false, L"!"}, {L"0", false, L""},    {L"  ", false, L""}};
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

    String nil, out(L"x");
    nil >> out;
    EXPECT_TRUE(out.isNil() && !nil.isNil());
}

TEST(StringFormat, PrintfReplacesTheTextUpTo32768Units)
{
    String s(L"old");
    s.printf(L"[0x%08x] '%s' and '%s' (%d) %s", 0x1234u, String(L"wide"), String(), 7, L"lit");
    EXPECT_STREQ(s.c_str(), L"[0x00001234] 'wide' and '' (7) lit") << "NIL formats as empty text";
    s.printf(L"%s", String(L'y', 40000));
    EXPECT_EQ(s.length(), 32768);
}

} // namespace
