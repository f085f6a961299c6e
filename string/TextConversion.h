#pragma once
// Internal to the library: the text forms of values and the reading of
// values off the front of a text, shared by String's appenders and
// consumers and by StringBuilder and StringReader, so that all of them
// write the same text and read the same values. A text here is a run of
// `length` units at `units`, with a NUL at units[length].

#include <cwctype>
#include <type_traits>

namespace torv {

// The class that starts a number: letters, digits, '-', '.' and '+'.
inline bool isAlphaNumClass(wchar_t c)
{
    if (c < 0x80)
        return (c >= L'0' && c <= L'9') || ((c | 0x20) >= L'a' && (c | 0x20) <= L'z') || c == L'-' || c == L'.' ||
               c == L'+';
    return std::iswalnum(c) || c == L'-' || c == L'.' || c == L'+';
}

inline bool isDigit(wchar_t c) { return c < 0x80 ? (c >= L'0' && c <= L'9') : std::iswdigit(c) != 0; }

inline bool isSignedDigit(wchar_t c) { return isDigit(c) || c == L'-'; }

// First unit at or after start that matches, -1 if none.
template <class Predicate>
int findUnit(const wchar_t* units, int length, int start, Predicate matches)
{
    if (start < 0 || start >= length)
        return -1;
    for (int i = start; i < length; ++i)
        if (matches(units[i]))
            return i;
    return -1;
}

// ---- text forms ------------------------------------------------------------

// The text that String's appenders write for a number, held in place.
class NumberText {
public:
    // Decimal, as the C run-time's _itow_s family writes it.
    template <class Int, class = typename std::enable_if<std::is_integral<Int>::value>::type>
    explicit NumberText(Int v)
    {
        if (v < 0)
            setDecimal(static_cast<unsigned long long>(0) - static_cast<unsigned long long>(v), true);
        else
            setDecimal(static_cast<unsigned long long>(v), false);
    }
    // About nine digits after the integer part; eight significant below one.
    explicit NumberText(double v);
    // The same with float precision: about five after, four below one.
    explicit NumberText(float v);

    const wchar_t* units() const { return text + start; }
    int length() const { return count; }

private:
    void setDecimal(unsigned long long magnitude, bool negative);
    void setFloating(double v, int precision);

    // Room for 55 units and a NUL: the longest floating-point text kept.
    wchar_t text[56];
    int start;
    int count;
};

const wchar_t* truthText(bool v);

// ---- reading values --------------------------------------------------------
// Each reads one value off the front of a text as String's >> does, stores
// it into v and returns where the rest of the text starts (0: nothing
// consumed, length: nothing left).

int readValue(const wchar_t* units, int length, int& v);
int readValue(const wchar_t* units, int length, short& v);
int readValue(const wchar_t* units, int length, unsigned short& v);
int readValue(const wchar_t* units, int length, char& v);
int readValue(const wchar_t* units, int length, long& v);
int readValue(const wchar_t* units, int length, unsigned int& v);
int readValue(const wchar_t* units, int length, unsigned long& v);
int readValue(const wchar_t* units, int length, unsigned char& v);
int readValue(const wchar_t* units, int length, long long& v);
int readValue(const wchar_t* units, int length, unsigned long long& v);
int readValue(const wchar_t* units, int length, double& v);
int readValue(const wchar_t* units, int length, float& v);
int readValue(const wchar_t* units, int length, bool& v);
int readValue(const wchar_t* units, int length, wchar_t& v);

// Where a text value lies: [begin, end) is the value, next the rest.
struct TextSpan {
    int begin;
    int end;
    int next;
};

// A quoted text up to its closing quote (backslashes kept), else one line
// without its line feed. A NIL text is the caller's case.
TextSpan scanTextValue(const wchar_t* units, int length);

} // namespace torv
