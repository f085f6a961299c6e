#include "string/String.h"

#include "string/AllocationFailure.h"
#include "string/TextConversion.h"

#include <cstdarg>
#include <cstdio>
#include <memory>

namespace torv {

// ---- appenders -----------------------------------------------------------

template <class Number>
String& String::appendNumber(Number v)
{
    const NumberText text(v);
    return appendUnits(text.units(), text.length());
}

String& String::operator+=(char v) { return appendNumber(static_cast<signed char>(v)); }
String& String::operator+=(unsigned char v) { return appendNumber(v); }
String& String::operator+=(short v) { return appendNumber(v); }
String& String::operator+=(unsigned short v) { return appendNumber(v); }
String& String::operator+=(int v) { return appendNumber(v); }
String& String::operator+=(unsigned int v) { return appendNumber(v); }
String& String::operator+=(long v) { return appendNumber(v); }
String& String::operator+=(unsigned long v) { return appendNumber(v); }
String& String::operator+=(long long v) { return appendNumber(v); }
String& String::operator+=(unsigned long long v) { return appendNumber(v); }
String& String::operator+=(bool v) { return *this += truthText(v); }
String& String::operator+=(double v) { return appendNumber(v); }
String& String::operator+=(float v) { return appendNumber(v); }

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

void String::keepFrom(int position)
{
    if (position < 0 || position >= length())
        *this = EMPTY;
    else if (position > 0)
        *this = substr(position);
}

template <class Value>
String& String::consume(Value& v)
{
    keepFrom(readValue(c_str(), length(), v));
    return *this;
}

String& String::operator>>(int& v) { return consume(v); }
String& String::operator>>(short& v) { return consume(v); }
String& String::operator>>(unsigned short& v) { return consume(v); }
String& String::operator>>(char& v) { return consume(v); }
String& String::operator>>(long& v) { return consume(v); }
String& String::operator>>(unsigned int& v) { return consume(v); }
String& String::operator>>(unsigned long& v) { return consume(v); }
String& String::operator>>(unsigned char& v) { return consume(v); }
String& String::operator>>(long long& v) { return consume(v); }
String& String::operator>>(unsigned long long& v) { return consume(v); }
String& String::operator>>(double& v) { return consume(v); }
String& String::operator>>(float& v) { return consume(v); }
String& String::operator>>(bool& v) { return consume(v); }
String& String::operator>>(wchar_t& v) { return consume(v); }

String& String::operator>>(String& out)
{
    if (isNil()) {
        out = NIL;
        *this = EMPTY;
        return *this;
    }
    const TextSpan span = scanTextValue(c_str(), length());
    out = substr(span.begin, span.end);
    keepFrom(span.next);
    return *this;
}

// ---- formatting ----------------------------------------------------------

// Formats into an array of its own and builds the new text before this
// string lets go of its old one: a failed allocation throws to the caller
// with the text unchanged (a StringBuffer would commit in its destructor,
// where a throw ends the program).
String& String::printf_apply(const wchar_t* format, ...)
{
    const int capacity = 32768;
    const std::unique_ptr<wchar_t[]> array(allocateArray<wchar_t>(capacity + 1));
    array[0] = L'\0';
    va_list arguments;
    va_start(arguments, format);
    _vsnwprintf(array.get(), capacity, format, arguments);
    va_end(arguments);
    array[capacity] = L'\0';
    return *this = String(array.get());
}

} // namespace torv
