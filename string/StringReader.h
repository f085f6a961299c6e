#pragma once
/// @file
/// StringReader: reads a long line value by value in linear time. String's
/// >> rebuilds the rest of the string after every value; the reader moves a
/// position over the text instead.

#include "platform/Export.h"
#include "string/String.h"

namespace torv {

/// A cursor over a String that reads values as String's `>>` does.
///
/// Every `>>` skips, converts and consumes exactly what String's `>>` of the
/// same argument would, starting at the reader's position, and moves the
/// position past what it consumed. A read that finds no value stores 0,
/// false, NUL or the empty text and moves to the end, as String's `>>`
/// does; nothing is reported as an error. The reader keeps its own
/// reference to the text, so the caller's String may change or go away.
/// One reader is used by one thread at a time.
class TORV_API StringReader {
public:
    /// A reader at the start of `text`. A NIL text reads as empty, except
    /// that the first read of a String from it gives NIL, as String's `>>` does.
    explicit StringReader(const String& text) : text(text), offset(0) {}

    /// The number of units consumed from the start of the text.
    int position() const { return offset; }
    /// True when no units are left.
    bool atEnd() const;
    /// The text from the position on, as String's `>>` would have left it:
    /// the text itself (sharing its block) while nothing was consumed, the
    /// empty string (never NIL) when nothing is left.
    String rest() const;

    /// The integer from the first letter, digit, '-', '.' or '+' on, as
    /// `_wtoi` converts it; consumes up to the first unit that is neither a
    /// digit nor '-' (so '+5' gives 5 and consumes nothing).
    StringReader& operator>>(int& v);
    /// As for int, cut to 16 bits.
    StringReader& operator>>(short& v);
    /// As for int, cut to 16 bits.
    StringReader& operator>>(unsigned short& v);
    /// As for int, cut to 8 bits.
    StringReader& operator>>(char& v);
    /// As for int, converted by `_wtol`.
    StringReader& operator>>(long& v);
    /// As for long, but consumes digits only, so a leading '-' is
    /// converted and left in place.
    StringReader& operator>>(unsigned int& v);
    /// As for unsigned int.
    StringReader& operator>>(unsigned long& v);
    /// As for unsigned int, cut to 8 bits.
    StringReader& operator>>(unsigned char& v);
    /// As for int, converted by `_wtoi64`.
    StringReader& operator>>(long long& v);
    /// As for long long.
    StringReader& operator>>(unsigned long long& v);
    /// The decimal number from where an int would start, as the run-time's
    /// `wcstod` reads it (no "inf", "nan" or hexadecimal); consumes what it read.
    StringReader& operator>>(double& v);
    /// As for double, then narrowed to float.
    StringReader& operator>>(float& v);
    /// A digit gives whether the number from there is non-zero and consumes
    /// that one digit; "true" or "false" in any case consumes the word; any
    /// other word gives false and consumes nothing.
    StringReader& operator>>(bool& v);
    /// The next printable character; NUL and the end when there is none.
    StringReader& operator>>(wchar_t& v);
    /// A text in double quotes up to the closing quote not escaped by one
    /// backslash (backslashes are kept), or else the rest of the line, its
    /// line feed consumed but not stored.
    StringReader& operator>>(String& v);

private:
    template <class Value>
    StringReader& read(Value& v);
    void advance(int consumed);

    String text;
    int offset;
};

} // namespace torv
