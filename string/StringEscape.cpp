// Backslash escapes: a single-line form of a text that can stand between
// double quotes and, with the \u form, holds only ASCII.

#include "string/String.h"

#include <cwctype>
#include <utility>

namespace torv {

namespace {

// Units after the backslash in the \uXXXX form.
const int unicodeEscapeDigits = 4;

bool needsUnicodeEscape(wchar_t c, bool unicode) { return unicode && c >= 0x80; }

struct ShortEscape {
    wchar_t unit;
    wchar_t letter;
};

const ShortEscape shortEscapes[] = {{L'\n', L'n'}, {L'\r', L'r'}, {L'"', L'"'}, {L'\\', L'\\'}};

// The letter that follows the backslash for the short escapes, or NUL.
wchar_t shortEscapeLetter(wchar_t unit)
{
    for (const ShortEscape& e : shortEscapes)
        if (e.unit == unit)
            return e.letter;
    return L'\0';
}

// The unit a short escape letter stands for, or NUL when it is none.
wchar_t shortEscapeUnit(wchar_t letter)
{
    for (const ShortEscape& e : shortEscapes)
        if (e.letter == letter)
            return e.unit;
    return L'\0';
}

int escapeGrowth(wchar_t c, bool unicode)
{
    if (shortEscapeLetter(c) != L'\0')
        return 1;
    return needsUnicodeEscape(c, unicode) ? 1 + unicodeEscapeDigits : 0;
}

int hexDigitValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

// Reads the four hex digits at text; -1 when one is missing or no digit.
// The wide classification decides what a digit is; only ASCII ones
// carry a value.
int readUnicodeEscape(const wchar_t* text, int available)
{
    if (available < unicodeEscapeDigits)
        return -1;
    int value = 0;
    for (int i = 0; i < unicodeEscapeDigits; ++i) {
        const int digit = std::iswxdigit(text[i]) ? hexDigitValue(text[i]) : -1;
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

// Writes the escaped form of c so that it ends just before end; returns
// the new end.
wchar_t* writeEscapedBackwards(wchar_t* end, wchar_t c, bool unicode)
{
    static const wchar_t hexDigits[] = L"0123456789ABCDEF";
    const wchar_t letter = shortEscapeLetter(c);
    if (letter != L'\0') {
        *--end = letter;
        *--end = L'\\';
    } else if (needsUnicodeEscape(c, unicode)) {
        unsigned int value = c;
        for (int i = 0; i < unicodeEscapeDigits; ++i, value >>= 4)
            *--end = hexDigits[value & 0xF];
        *--end = L'u';
        *--end = L'\\';
    } else {
        *--end = c;
    }
    return end;
}

} // namespace

void String::controlsToEsc(bool unicode)
{
    if (isEmpty())
        return;
    const int textLength = length();
    const wchar_t* text = c_str();
    long long growth = 0;
    for (int i = 0; i < textLength; ++i)
        growth += escapeGrowth(text[i], unicode);
    if (growth == 0)
        return;

    // The copy starts with the old text; filling from the end never
    // overwrites a unit before it has been read.
    const int escapedLength = StringVal::checkedLength(textLength + growth);
    StringVal* block = StringVal::construct(text, textLength, escapedLength);
    wchar_t* units = block->str();
    wchar_t* end = units + escapedLength;
    *end = L'\0';
    for (int i = textLength - 1; i >= 0; --i)
        end = writeEscapedBackwards(end, units[i], unicode);
    block->len = escapedLength;
    block->validityCheck(static_cast<unsigned int>(escapedLength));
    *this = String(block);
}

int String::escToControls(bool unicode)
{
    const int firstBackslash = find(L'\\');
    if (firstBackslash < 0)
        return -1;

    // Decoding never grows the text, so a private copy is written in place
    // while the original stays untouched until the whole text is valid.
    const int textLength = length();
    const wchar_t* text = c_str();
    String decoded(StringVal::construct(text, textLength, textLength));
    wchar_t* out = decoded.val->str() + firstBackslash;

    int read = firstBackslash;
    while (read < textLength) {
        const wchar_t c = text[read];
        if (c != L'\\' || read + 1 == textLength) {
            *out++ = c;
            ++read;
            continue;
        }
        const wchar_t letter = text[read + 1];
        const wchar_t unit = shortEscapeUnit(letter);
        if (unit != L'\0') {
            *out++ = unit;
            read += 2;
        } else if (letter == L'u' && !unicode) {
            *out++ = c;
            *out++ = letter;
            read += 2;
        } else {
            const int digitsAt = read + 2;
            const int value = letter == L'u' ? readUnicodeEscape(text + digitsAt, textLength - digitsAt) : -1;
            if (value < 0)
                return read;
            *out++ = static_cast<wchar_t>(value);
            read = digitsAt + unicodeEscapeDigits;
        }
    }
    *out = L'\0';
    // A \u0000 escape ends the text early: count up to the first NUL.
    decoded.val->len = -1;
    decoded.val->length();
    *this = std::move(decoded);
    return -1;
}

} // namespace torv
