#include "string/StringReader.h"

#include "string/TextConversion.h"

namespace torv {

bool StringReader::atEnd() const { return offset >= text.length(); }

String StringReader::rest() const { return text.substr(offset); }

std::wstring_view StringReader::remaining() const
{
    return std::wstring_view(text.c_str() + offset, static_cast<std::size_t>(text.length() - offset));
}

namespace {

// Where a value of this type may start: the first printable unit for a
// character, else the first unit of the class that starts a number.
int valueStart(const wchar_t* units, int length, const wchar_t&)
{
    return findUnit(units, length, 0, [](wchar_t c) { return std::iswgraph(c) != 0; });
}

template <class Value>
int valueStart(const wchar_t* units, int length, const Value&)
{
    return findUnit(units, length, 0, isAlphaNumClass);
}

// The reader's end of a read that String's >> ends at `next`, or -1 when
// the read fails: no value, or nothing of it consumed (reading on would
// give the same value for ever), except for a sign before digits, which
// the reader consumes with them.
int readerEnd(const wchar_t* units, int length, int start, int next)
{
    if (start < 0)
        return -1;
    if (next > start)
        return next;
    const wchar_t sign = units[start];
    if ((sign != L'+' && sign != L'-') || start + 1 >= length || !isDigit(units[start + 1]))
        return -1;
    const int end = findUnit(units, length, start + 1, [](wchar_t c) { return !isDigit(c); });
    return end < 0 ? length : end;
}

} // namespace

template <class Value>
StringReader& StringReader::read(Value& v)
{
    if (failed)
        return *this;
    const wchar_t* from = text.c_str() + offset;
    const int length = text.length() - offset;
    Value value = v;
    const int end = readerEnd(from, length, valueStart(from, length, value), readValue(from, length, value));
    if (end < 0) {
        failed = true;
        return *this;
    }
    v = value;
    offset += end;
    return *this;
}

StringReader& StringReader::operator>>(int& v) { return read(v); }
StringReader& StringReader::operator>>(short& v) { return read(v); }
StringReader& StringReader::operator>>(unsigned short& v) { return read(v); }
StringReader& StringReader::operator>>(char& v) { return read(v); }
StringReader& StringReader::operator>>(long& v) { return read(v); }
StringReader& StringReader::operator>>(unsigned int& v) { return read(v); }
StringReader& StringReader::operator>>(unsigned long& v) { return read(v); }
StringReader& StringReader::operator>>(unsigned char& v) { return read(v); }
StringReader& StringReader::operator>>(long long& v) { return read(v); }
StringReader& StringReader::operator>>(unsigned long long& v) { return read(v); }
StringReader& StringReader::operator>>(double& v) { return read(v); }
StringReader& StringReader::operator>>(float& v) { return read(v); }
StringReader& StringReader::operator>>(bool& v) { return read(v); }
StringReader& StringReader::operator>>(wchar_t& v) { return read(v); }

StringReader& StringReader::operator>>(String& v)
{
    if (failed || atEnd()) {
        failed = true;
        return *this;
    }
    const TextSpan span = scanTextValue(text.c_str() + offset, text.length() - offset);
    v = text.substr(offset + span.begin, offset + span.end);
    offset += span.next;
    return *this;
}

} // namespace torv
