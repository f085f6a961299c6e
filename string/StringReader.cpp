#include "string/StringReader.h"

#include "string/TextConversion.h"

namespace torv {

bool StringReader::atEnd() const { return offset >= text.length(); }

String StringReader::rest() const { return text.substr(offset); }

void StringReader::advance(int consumed)
{
    offset += consumed;
    // String's >> leaves the empty string behind a NIL one.
    if (text.isNil())
        text = String::EMPTY;
}

template <class Value>
StringReader& StringReader::read(Value& v)
{
    advance(readValue(text.c_str() + offset, text.length() - offset, v));
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
    if (text.isNil()) {
        v = String::NIL;
        advance(0);
        return *this;
    }
    const wchar_t* from = text.c_str() + offset;
    const TextSpan span = scanTextValue(from, text.length() - offset);
    v = text.substr(offset + span.begin, offset + span.end);
    advance(span.next);
    return *this;
}

} // namespace torv
