#include "string/String.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cwchar>
#include <limits>

using torv::String;

TEST(StringFormat, IntegerAppenders)
{
    String s;
    s << 'A' << L'|' << L'A' << L'|' << static_cast<unsigned char>(255) << L'|'
      << static_cast<short>(-32768) << L'|' << static_cast<unsigned short>(65535) << L'|' << -1
      << L'|' << 4294967295u << L'|' << LONG_MIN << L'|' << 4000000000ul << L'|' << LLONG_MIN
      << L'|' << ULLONG_MAX << L'|' << true << L'|' << false;
    EXPECT_STREQ(s.c_str(),
                 L"65|A|255|-32768|65535|-1|4294967295|-2147483648|4000000000|"
                 L"-9223372036854775808|18446744073709551615|true|false");
    EXPECT_STREQ((String() += static_cast<char>(-128)).c_str(), L"-128");
}

struct FloatCase {
    double value;
    const wchar_t* text;
};

TEST(StringFormat, DoubleAppenderPrecision)
{
    const FloatCase cases[] = {
        {0.0, L"0"}, {0.5, L"0.5"}, {1.0 / 3, L"0.33333333"}, {100.0, L"100"},
        {1.0, L"1"}, {-2.25, L"-2.25"}, {123.456, L"123.456"}, {1234567.125, L"1234567.125"},
    };
    for (const FloatCase& c : cases) {
        String s;
        s << c.value;
        EXPECT_STREQ(s.c_str(), c.text) << c.value;
    }
    wchar_t expected[56];
    _snwprintf(expected, 56, L"%.8g", 1e-5);
    EXPECT_STREQ((String() << 1e-5).c_str(), expected);
}

TEST(StringFormat, FloatAppenderPrecision)
{
    EXPECT_STREQ((String() << (2.0f / 3)).c_str(), L"0.6667");
    EXPECT_STREQ((String() << 0.0f).c_str(), L"0");
    EXPECT_STREQ((String() << 10.5f).c_str(), L"10.5");
}

// Infinities have no digits to count; they append the run-time's own text.
TEST(StringFormat, InfinityAppendersWriteTheRunTimeText)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_STREQ((String() << inf).c_str(), L"1.#INF");
    EXPECT_STREQ((String() << -inf).c_str(), L"-1.#INF");
    EXPECT_STREQ((String() << std::numeric_limits<float>::infinity()).c_str(), L"1.#INF");
    EXPECT_STREQ((String() << -std::numeric_limits<float>::infinity()).c_str(), L"-1.#INF");
}

TEST(StringFormat, NarrowTextAppendsCharacters)
{
    String s(L"a");
    s << "bc";
    EXPECT_STREQ(s.c_str(), L"abc");
}

TEST(StringFormat, IntegerConsumers)
{
    String s(L" -12 34");
    int v = 99;
    s >> v;
    EXPECT_EQ(v, -12);
    EXPECT_STREQ(s.c_str(), L" 34");
    s >> v;
    EXPECT_EQ(v, 34);
    EXPECT_EQ(s.block(), String::EMPTY.block());

    String letters(L"abc");
    letters >> v;
    EXPECT_EQ(v, 0);
    EXPECT_STREQ(letters.c_str(), L"abc");

    String blanks(L"   ");
    blanks >> v;
    EXPECT_EQ(v, 0);
    EXPECT_EQ(blanks.block(), String::EMPTY.block());

    String plus(L"+5");
    plus >> v;
    EXPECT_EQ(v, 5);
    EXPECT_STREQ(plus.c_str(), L"+5") << "a leading + is read but not consumed";

    String decimal(L"3.5");
    decimal >> v;
    EXPECT_EQ(v, 3);
    EXPECT_STREQ(decimal.c_str(), L".5");

    String negativeUnsigned(L"-7 x");
    unsigned int u = 0;
    negativeUnsigned >> u;
    EXPECT_EQ(u, static_cast<unsigned int>(-7));
    EXPECT_STREQ(negativeUnsigned.c_str(), L"-7 x") << "unsigned rows do not consume '-'";

    String wide(L"9000000000 rest");
    long long big = 0;
    wide >> big;
    EXPECT_EQ(big, 9000000000LL);
    EXPECT_STREQ(wide.c_str(), L" rest");

    String narrow(L"300");
    unsigned char byte = 0;
    narrow >> byte;
    EXPECT_EQ(byte, static_cast<unsigned char>(300));
}

TEST(StringFormat, FloatingConsumers)
{
    String s(L" 2.5e3x");
    double d = 0;
    s >> d;
    EXPECT_DOUBLE_EQ(d, 2500.0);
    EXPECT_STREQ(s.c_str(), L"x");

    String f(L"0.25");
    float g = 0;
    f >> g;
    EXPECT_FLOAT_EQ(g, 0.25f);
    EXPECT_EQ(f.length(), 0);

    String none(L" ,;");
    none >> d;
    EXPECT_EQ(d, 0.0);
    EXPECT_EQ(none.block(), String::EMPTY.block());
}

struct DoubleCase {
    const wchar_t* text;
    double value;
    const wchar_t* rest;
};

// The run-time's wcstod reads decimal numbers only: words that begin like
// "inf" or "nan" and hexadecimal prefixes are not numbers.
TEST(StringFormat, DoubleConsumerReadsDecimalNumbersOnly)
{
    const DoubleCase cases[] = {
        {L"info 2", 0.0, L"info 2"}, {L" nan", 0.0, L"nan"},  {L"0x10 r", 0.0, L"x10 r"},
        {L"-.5;", -0.5, L";"},       {L"1e x", 1.0, L"e x"}, {L"1.5e-3x", 0.0015, L"x"},
    };
    for (const DoubleCase& c : cases) {
        String s(c.text);
        double d = -1.0;
        s >> d;
        EXPECT_DOUBLE_EQ(d, c.value) << c.text;
        EXPECT_STREQ(s.c_str(), c.rest) << c.text;
    }
}

struct BoolCase {
    const wchar_t* text;
    bool value;
    const wchar_t* rest;
};

TEST(StringFormat, BoolConsumerTable)
{
    const BoolCase cases[] = {
        {L"TRUE,x", true, L",x"}, {L"yes", false, L"yes"}, {L"10", true, L"0"},
        {L" false!", false, L"!"}, {L"0", false, L""},      {L"  ", false, L""},
    };
    for (const BoolCase& c : cases) {
        String s(c.text);
        bool b = !c.value;
        s >> b;
        EXPECT_EQ(b, c.value) << c.text;
        EXPECT_STREQ(s.c_str(), c.rest) << c.text;
    }
}

TEST(StringFormat, CharacterConsumer)
{
    String s(L"  xy");
    wchar_t c = 0;
    s >> c;
    EXPECT_EQ(c, L'x');
    EXPECT_STREQ(s.c_str(), L"y");
    String blanks(L" \t");
    blanks >> c;
    EXPECT_EQ(c, L'\0');
    EXPECT_EQ(blanks.block(), String::EMPTY.block());
}

TEST(StringFormat, StringConsumerLinesAndQuotes)
{
    String lines(L"a\r\nb");
    String out;
    lines >> out;
    EXPECT_STREQ(out.c_str(), L"a\r");
    EXPECT_STREQ(lines.c_str(), L"b");
    lines >> out;
    EXPECT_STREQ(out.c_str(), L"b");
    EXPECT_EQ(lines.block(), String::EMPTY.block());

    String quoted(L"\"x\\\"y\" z");
    quoted >> out;
    EXPECT_STREQ(out.c_str(), L"x\\\"y") << "backslashes stay";
    EXPECT_STREQ(quoted.c_str(), L" z");

    String doubled(L"\"a\\\\\"b");
    doubled >> out;
    EXPECT_STREQ(out.c_str(), L"a\\\\") << "an escaped backslash lets the quote close";
    EXPECT_STREQ(doubled.c_str(), L"b");

    String open(L"\"never closed");
    open >> out;
    EXPECT_STREQ(out.c_str(), L"never closed");
    EXPECT_EQ(open.block(), String::EMPTY.block());

    String nil;
    out = L"x";
    nil >> out;
    EXPECT_TRUE(out.isNil());
    EXPECT_FALSE(nil.isNil());
}

TEST(StringFormat, PrintfReplacesTheText)
{
    String s(L"old");
    s.printf(L"[0x%08x]", 0x1234u);
    EXPECT_STREQ(s.c_str(), L"[0x00001234]");
    s.printf(L"'%s' and '%s' (%d)", String(L"wide"), String(), 7);
    EXPECT_STREQ(s.c_str(), L"'wide' and '' (7)") << "NIL formats as empty text";
    s.printf(L"%s", L"literal");
    EXPECT_STREQ(s.c_str(), L"literal");
}

TEST(StringFormat, PrintfOutputIsCutAt32768Units)
{
    const String long40k(L'y', 40000);
    String s;
    s.printf(L"%s", long40k);
    EXPECT_EQ(s.length(), 32768);
}
