// Numbered names ('Layer007') and display shortening of path-like texts.

#include "string/String.h"

#include <cstdlib>
#include <cwchar>
#include <cwctype>

namespace torv {

namespace {

// Room for a signed 32-bit value in decimal plus its terminator.
const int decimalBufferSize = 12;

struct DecimalText {
    wchar_t units[decimalBufferSize];
    int length;
};

// Numbers are written as signed 32-bit values, so indices from 2^31 up
// carry a minus sign, as the callers of the numbered-name API expect.
DecimalText toDecimal(int value)
{
    DecimalText text;
    _itow_s(value, text.units, decimalBufferSize, 10);
    text.length = static_cast<int>(std::wcslen(text.units));
    return text;
}

// Start of the trailing run of decimal digits; the length when there is none.
int trailingDigitsStart(const String& s)
{
    int start = s.length();
    while (start > 0 && std::iswdigit(s[start - 1]))
        --start;
    return start;
}

// Adds step to the trailing number, keeping the width of zero-padded runs.
void stepTrailingNumber(String& s, int step)
{
    const int start = trailingDigitsStart(s);
    const int width = s.length() - start;
    if (width == 0) {
        s += L'1';
        return;
    }
    // Unsigned arithmetic: a run at the edge of the 32-bit range wraps
    // instead of overflowing.
    const auto current = static_cast<unsigned int>(_wtoi(s.c_str() + start));
    const DecimalText number = toDecimal(static_cast<int>(current + static_cast<unsigned int>(step)));

    // The new number, zero-padded to the old width, overwrites the run;
    // a wider number spills over the end.
    const int padding = width > number.length ? width - number.length : 0;
    for (int i = 0; i < width; ++i)
        s[start + i] = i < padding ? L'0' : number.units[i - padding];
    if (number.length > width)
        s.write(number.units + width, number.length - width);
}

} // namespace

unsigned int String::getIndex() const
{
    const int start = trailingDigitsStart(*this);
    if (start == length())
        return 0;
    return static_cast<unsigned int>(_wtoi(c_str() + start));
}

void String::setIndex(unsigned int index)
{
    String stem = substr(0, trailingDigitsStart(*this));
    if (index != 0) {
        const DecimalText number = toDecimal(static_cast<int>(index));
        stem.write(number.units, number.length);
    } else if (stem.isEmpty()) {
        stem += L'0';
    }
    *this = stem;
}

void String::incrementIndex() { stepTrailingNumber(*this, 1); }

void String::decrementIndex() { stepTrailingNumber(*this, -1); }

String String::shortenString(int maxLength, int headLength) const
{
    const int textLength = length();
    if (textLength <= maxLength)
        return *this;

    // The head ends at a '/' boundary when one lies far enough in.
    String head = String::EMPTY;
    if (headLength != 0)
        head = substr(0, headLength);
    const int lastSlash = head.findLastOf(L'/');
    if (lastSlash >= 2 && lastSlash + 1 < headLength)
        head = head.substr(0, lastSlash + 1);
    head += L"...";

    // The tail starts at a '/' boundary so that no partial component shows.
    const int room = maxLength - head.length();
    String tail = room > 0 ? substr(textLength - room, textLength) : String::EMPTY;
    const int firstSlash = tail.find(L'/');
    if (firstSlash >= 1)
        tail = tail.substr(firstSlash);
    return head + tail;
}

} // namespace torv
