#include "string/String.h"

#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <cstdio>
#include <type_traits>

// MinGW's C++ headers route wcstod to MinGW's own parser, which also reads
// "inf", "nan" and hexadecimal numbers; the Microsoft run-time's parser
// reads decimal numbers only, so a word such as "info" stays a word. This is
// the run-time's own entry point, as the import library provides it.
// NOLINTNEXTLINE(bugprone-reserved-identifier): the import library's name for it.
extern "C" double(__cdecl* __imp_wcstod)(const wchar_t*, wchar_t**);

namespace torv {

// ---- appenders -----------------------------------------------------------

namespace {

// Decimal text of any integer, as the C run-time's _itow_s family writes it.
template <class Int>
int formatDecimal(Int v, wchar_t (&text)[24])
{
    using Unsigned = typename std::make_unsigned<Int>::type;
    const bool negative = v < 0;
    Unsigned magnitude = negative ? static_cast<Unsigned>(0) - static_cast<Unsigned>(v)
                                  : static_cast<Unsigned>(v);
    wchar_t* end = text + 23;
    wchar_t* p = end;
    *p = L'\0';
    do {
        *--p = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative)
        *--p = L'-';
    const int n = static_cast<int>(end - p);
    std::wmemmove(text, p, static_cast<std::size_t>(n) + 1);
    return n;
}

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

void formatFloating(double v, int precision, wchar_t (&text)[56])
{
    wchar_t format[16];
    wchar_t digits[24];
    formatDecimal(precision, digits);
    format[0] = L'%';
    format[1] = L'.';
    std::wcscpy(format + 2, digits);
    std::wcscat(format, L"g");
    _snwprintf(text, 56, format, v);
    text[55] = L'\0';
}

} // namespace

template <class Int>
String& String::appendInteger(Int v)
{
    wchar_t text[24];
    const int n = formatDecimal(v, text);
    return appendUnits(text, n);
}

String& String::operator+=(char v) { return appendInteger(static_cast<signed char>(v)); }
String& String::operator+=(unsigned char v) { return appendInteger(v); }
String& String::operator+=(short v) { return appendInteger(v); }
String& String::operator+=(unsigned short v) { return appendInteger(v); }
String& String::operator+=(int v) { return appendInteger(v); }
String& String::operator+=(unsigned int v) { return appendInteger(v); }
String& String::operator+=(long v) { return appendInteger(v); }
String& String::operator+=(unsigned long v) { return appendInteger(v); }
String& String::operator+=(long long v) { return appendInteger(v); }
String& String::operator+=(unsigned long long v) { return appendInteger(v); }
String& String::operator+=(bool v) { return *this += (v ? L"true" : L"false"); }

String& String::operator+=(double v)
{
    wchar_t text[56];
    formatFloating(v, doublePrecision(v), text);
    return *this += text;
}

String& String::operator+=(float v)
{
    wchar_t text[56];
    formatFloating(v, floatPrecision(v), text);
    return *this += text;
}

String& String::operator<<(const String& t) { return *this += t; }
String& String::operator<<(const wchar_t* s) { return *this += s; }
String& String::operator<<(wchar_t c) { return *this += c; }
String& String::operator<<(const char* s) { return *this += s; }
String& String::operator<<(char v) { return *this += v; }
String& String::operator<<(unsigned char v) { return *this += v; }
String& String::operator<<(short v) { return *this += v; }
String& String::operator<<(unsigned short v) { return *this += v; }
String& String::operator<<(int v) { return *this += v; }
String& String::operator<<(unsigned int v) { return *this += v; }
String& String::operator<<(long v) { return *this += v; }
String& String::operator<<(unsigned long v) { return *this += v; }
String& String::operator<<(long long v) { return *this += v; }
String& String::operator<<(unsigned long long v) { return *this += v; }
String& String::operator<<(bool v) { return *this += v; }
String& String::operator<<(double v) { return *this += v; }
String& String::operator<<(float v) { return *this += v; }

// ---- consumers -----------------------------------------------------------

namespace {

long long toInt(const wchar_t* s) { return _wtoi(s); }
long long toLong(const wchar_t* s) { return _wtol(s); }
long long toInt64(const wchar_t* s) { return _wtoi64(s); }

} // namespace

void String::keepFrom(int position)
{
    if (position < 0 || position >= length())
        *this = EMPTY;
    else if (position > 0)
        *this = substr(position);
}

template <class Int>
String& String::extractInteger(Int& v, long long (*convert)(const wchar_t*), bool signedEnd)
{
    const int start = findAlphaNum(0);
    if (start < 0) {
        v = 0;
        *this = EMPTY;
        return *this;
    }
    v = static_cast<Int>(convert(c_str() + start));
    keepFrom(signedEnd ? findNonSignedDigit(start) : findNonDigit(start));
    return *this;
}

String& String::operator>>(int& v) { return extractInteger(v, toInt, true); }
String& String::operator>>(short& v) { return extractInteger(v, toInt, true); }
String& String::operator>>(unsigned short& v) { return extractInteger(v, toInt, true); }
String& String::operator>>(char& v) { return extractInteger(v, toInt, true); }
String& String::operator>>(long& v) { return extractInteger(v, toLong, true); }
String& String::operator>>(unsigned int& v) { return extractInteger(v, toLong, false); }
String& String::operator>>(unsigned long& v) { return extractInteger(v, toLong, false); }
String& String::operator>>(unsigned char& v) { return extractInteger(v, toLong, false); }
String& String::operator>>(long long& v) { return extractInteger(v, toInt64, true); }
String& String::operator>>(unsigned long long& v) { return extractInteger(v, toInt64, true); }

String& String::operator>>(double& v)
{
    const int start = findAlphaNum(0);
    if (start < 0) {
        v = 0.0;
        *this = EMPTY;
        return *this;
    }
    const wchar_t* begin = c_str() + start;
    wchar_t* stop = nullptr;
    v = __imp_wcstod(begin, &stop);
    keepFrom(static_cast<int>(stop - c_str()));
    return *this;
}

String& String::operator>>(float& v)
{
    double wide = 0.0;
    *this >> wide;
    v = static_cast<float>(wide);
    return *this;
}

String& String::operator>>(bool& v)
{
    const int start = findAlphaNum(0);
    v = false;
    if (start < 0) {
        *this = EMPTY;
        return *this;
    }
    const wchar_t* from = c_str() + start;
    if (!std::iswalpha(*from)) {
        v = _wtoi(from) != 0;
        keepFrom(start + 1);
    } else if (_wcsnicmp(from, L"true", 4) == 0) {
        v = true;
        keepFrom(start + 4);
    } else if (_wcsnicmp(from, L"false", 5) == 0) {
        keepFrom(start + 5);
    }
    return *this;
}

String& String::operator>>(wchar_t& v)
{
    const int at = findNonWS(0);
    if (at < 0) {
        v = L'\0';
        *this = EMPTY;
        return *this;
    }
    v = c_str()[at];
    keepFrom(at + 1);
    return *this;
}

namespace {

// Index of the quote closing a quoted text that starts after index 0, or -1.
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

String& String::operator>>(String& out)
{
    if (isNil()) {
        out = NIL;
        *this = EMPTY;
        return *this;
    }
    const wchar_t* units = c_str();
    if (units[0] != L'"') {
        const int lineEnd = find(L'\n', 0);
        if (lineEnd < 0) {
            out = *this;
            *this = EMPTY;
        } else {
            out = substr(0, lineEnd);
            keepFrom(lineEnd + 1);
        }
        return *this;
    }
    const int close = closingQuote(units, length());
    if (close < 0) {
        out = substr(1);
        *this = EMPTY;
    } else {
        out = substr(1, close);
        keepFrom(close + 1);
    }
    return *this;
}

// ---- formatting ----------------------------------------------------------

String& String::printf_apply(const wchar_t* format, ...)
{
    const int capacity = 32768;
    StringBuffer window = buffer(capacity, false);
    wchar_t* array = window;
    va_list arguments;
    va_start(arguments, format);
    _vsnwprintf(array, capacity, format, arguments);
    va_end(arguments);
    array[capacity] = L'\0';
    return *this;
}

} // namespace torv
