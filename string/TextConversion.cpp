#include "string/TextConversion.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

// MinGW's C++ headers route wcstod to MinGW's own parser, which also reads
// "inf", "nan" and hexadecimal numbers; the Microsoft run-time's parser
// reads decimal numbers only, so a word such as "info" stays a word. This is
// the run-time's own entry point, as the import library provides it.
// NOLINTNEXTLINE(bugprone-reserved-identifier): the import library's name for it.
extern "C" double(__cdecl* __imp_wcstod)(const wchar_t*, wchar_t**);

namespace torv {

// ---- text forms ------------------------------------------------------------

namespace {

// Infinities have no digits to count; from five digits on the run-time
// writes its whole text for them.
const int infinityPrecision = 9;

// Significant digits: about nine after the integer part for magnitudes of
// one and more, a fixed count below one.
int doublePrecision(double v)
{
    const double magnitude = std::fabs(v);
    if (v == 0.0 || std::isnan(v))
        return 1;
    if (std::isinf(v))
        return infinityPrecision;
    if (magnitude < 1.0)
        return 8;
    return static_cast<int>(std::ceil(std::log10(magnitude))) + 9;
}

int floatPrecision(float v)
{
    const float magnitude = std::fabs(v);
    if (v == 0.0f || std::isnan(v))
        return 1;
    if (std::isinf(v))
        return infinityPrecision;
    if (magnitude < 1.0f)
        return 4;
    return static_cast<int>(std::ceil(std::log10(magnitude))) + 5;
}

} // namespace

NumberText::NumberText(double v) { setFloating(v, doublePrecision(v)); }

NumberText::NumberText(float v) { setFloating(v, floatPrecision(v)); }

void NumberText::setDecimal(unsigned long long magnitude, bool negative)
{
    wchar_t* const end = text + sizeof(text) / sizeof(text[0]) - 1;
    wchar_t* p = end;
    *p = L'\0';
    do {
        *--p = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative)
        *--p = L'-';
    start = static_cast<int>(p - text);
    count = static_cast<int>(end - p);
}

void NumberText::setFloating(double v, int precision)
{
    const NumberText digits(precision);
    wchar_t format[16] = L"%.";
    std::wcscat(format, digits.units());
    std::wcscat(format, L"g");
    const int capacity = sizeof(text) / sizeof(text[0]);
    _snwprintf(text, capacity, format, v);
    text[capacity - 1] = L'\0';
    start = 0;
    count = static_cast<int>(std::wcslen(text));
}

const wchar_t* truthText(bool v) { return v ? L"true" : L"false"; }

// ---- reading values --------------------------------------------------------

namespace {

int nonSignedDigitFrom(const wchar_t* units, int length, int start)
{
    return findUnit(units, length, start, [](wchar_t c) { return !isSignedDigit(c); });
}

int nonDigitFrom(const wchar_t* units, int length, int start)
{
    return findUnit(units, length, start, [](wchar_t c) { return !isDigit(c); });
}

int alphaNumFrom(const wchar_t* units, int length) { return findUnit(units, length, 0, isAlphaNumClass); }

// A sign and one to nine ASCII digits followed by an ASCII unit: every
// run-time conversion reads these alike, so they skip the run-time call.
bool readShortDecimal(const wchar_t* s, long long& value)
{
    const bool negative = *s == L'-';
    if (negative || *s == L'+')
        ++s;
    long long magnitude = 0;
    int digits = 0;
    for (; *s >= L'0' && *s <= L'9'; ++s) {
        if (++digits > 9)
            return false;
        magnitude = magnitude * 10 + (*s - L'0');
    }
    if (digits == 0 || *s >= 0x80)
        return false;
    value = negative ? -magnitude : magnitude;
    return true;
}

long long toInt(const wchar_t* s) { return _wtoi(s); }
long long toLong(const wchar_t* s) { return _wtol(s); }
long long toInt64(const wchar_t* s) { return _wtoi64(s); }

// The number starts at the first unit of the alpha-numeric class; the
// unsigned 32-bit forms end at the first non-digit, so they leave a '-'.
template <class Int>
int readInteger(const wchar_t* units, int length, Int& v, long long (*convert)(const wchar_t*),
                int (*endFrom)(const wchar_t*, int, int))
{
    const int start = alphaNumFrom(units, length);
    if (start < 0) {
        v = 0;
        return length;
    }
    long long value = 0;
    v = static_cast<Int>(readShortDecimal(units + start, value) ? value : convert(units + start));
    const int end = endFrom(units, length, start);
    return end < 0 ? length : end;
}

} // namespace

int readValue(const wchar_t* units, int length, int& v)
{
    return readInteger(units, length, v, toInt, nonSignedDigitFrom);
}
int readValue(const wchar_t* units, int length, short& v)
{
    return readInteger(units, length, v, toInt, nonSignedDigitFrom);
}
int readValue(const wchar_t* units, int length, unsigned short& v)
{
    return readInteger(units, length, v, toInt, nonSignedDigitFrom);
}
int readValue(const wchar_t* units, int length, char& v)
{
    return readInteger(units, length, v, toInt, nonSignedDigitFrom);
}
int readValue(const wchar_t* units, int length, long& v)
{
    return readInteger(units, length, v, toLong, nonSignedDigitFrom);
}
int readValue(const wchar_t* units, int length, unsigned int& v)
{
    return readInteger(units, length, v, toLong, nonDigitFrom);
}
int readValue(const wchar_t* units, int length, unsigned long& v)
{
    return readInteger(units, length, v, toLong, nonDigitFrom);
}
int readValue(const wchar_t* units, int length, unsigned char& v)
{
    return readInteger(units, length, v, toLong, nonDigitFrom);
}
int readValue(const wchar_t* units, int length, long long& v)
{
    return readInteger(units, length, v, toInt64, nonSignedDigitFrom);
}
int readValue(const wchar_t* units, int length, unsigned long long& v)
{
    return readInteger(units, length, v, toInt64, nonSignedDigitFrom);
}

int readValue(const wchar_t* units, int length, double& v)
{
    const int start = alphaNumFrom(units, length);
    if (start < 0) {
        v = 0.0;
        return length;
    }
    wchar_t* stop = nullptr;
    v = __imp_wcstod(units + start, &stop);
    return static_cast<int>(stop - units);
}

int readValue(const wchar_t* units, int length, float& v)
{
    double wide = 0.0;
    const int next = readValue(units, length, wide);
    v = static_cast<float>(wide);
    return next;
}

// A digit decides by the number from there but consumes only itself; a
// word other than "true" or "false" consumes nothing.
int readValue(const wchar_t* units, int length, bool& v)
{
    v = false;
    const int start = alphaNumFrom(units, length);
    if (start < 0)
        return length;
    const wchar_t* from = units + start;
    if (!std::iswalpha(*from)) {
        v = _wtoi(from) != 0;
        return start + 1;
    }
    if (_wcsnicmp(from, L"true", 4) == 0) {
        v = true;
        return start + 4;
    }
    if (_wcsnicmp(from, L"false", 5) == 0)
        return start + 5;
    return 0;
}

int readValue(const wchar_t* units, int length, wchar_t& v)
{
    const int at = findUnit(units, length, 0, [](wchar_t c) { return std::iswgraph(c) != 0; });
    if (at < 0) {
        v = L'\0';
        return length;
    }
    v = units[at];
    return at + 1;
}

namespace {

// Index of the quote closing a quoted text that starts at index 0, or -1.
int closingQuote(const wchar_t* s, int length)
{
    for (int i = 1; i < length; ++i) {
        if (s[i] != L'"')
            continue;
        const bool escaped = s[i - 1] == L'\\' && !(i >= 2 && s[i - 2] == L'\\');
        if (!escaped)
            return i;
    }
    return -1;
}

} // namespace

TextSpan scanTextValue(const wchar_t* units, int length)
{
    if (units[0] == L'"') {
        const int close = closingQuote(units, length);
        if (close < 0)
            return {1, length, length};
        return {1, close, close + 1};
    }
    const wchar_t* lineEnd = length > 0 ? std::wmemchr(units, L'\n', static_cast<std::size_t>(length)) : nullptr;
    if (!lineEnd)
        return {0, length, length};
    const int end = static_cast<int>(lineEnd - units);
    return {0, end, end + 1};
}

} // namespace torv
