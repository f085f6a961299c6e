#pragma once
/// @file
/// StringReader: reads a long line value by value in linear time. String's
/// >> rebuilds the rest of the string after every value; the reader moves a
/// position over the text instead.

#include "platform/Export.h"
#include "string/String.h"

#include <string_view>

namespace torv {

/// A cursor over a String that reads values as String's `>>` does, and
/// fails as a standard input stream does.
///
/// Every `>>` skips, converts and consumes exactly what String's `>>` of the
/// same argument would, starting at the reader's position, and moves the
/// position past what it consumed; the rest is then exactly the units
/// String's `>>` leaves. It differs in two ways only:
/// - a read fails where String's `>>` finds no value (it would store 0,
///   false, NUL or NIL and leave the empty string) or would consume nothing
///   of the value it found (a letter where a number should start, a word
///   other than "true" or "false", an integer at '.'): the value and the
///   position stay as they were and the reader tests false from then on,
///   every later read failing the same way;
/// - an integer with a sign that String's `>>` converts but leaves in
///   place ('+5'; '-5' read as unsigned) is consumed with its digits, so
///   that `while (r >> v)` reads "1 2 +3 4" as 1, 2, 3, 4 and ends.
///
/// The reader keeps its own reference to the text, so the caller's String
/// may change or go away. One reader is used by one thread at a time.
class TORV_API StringReader {
public:
    /// A reader at the start of `text`; a NIL text reads as empty.
    explicit StringReader(const String& text) : text(text), offset(0), failed(false) {}

    /// False once a read has failed.
    explicit operator bool() const { return !failed; }
    /// The number of units consumed from the start of the text.
    int position() const { return offset; }
    /// True when no units are left (a NUL counted in the text's length is a
    /// unit): String's `>>` would have left a string of length 0.
    bool atEnd() const;
    /// The text from the position on, exactly the units String's `>>` would
    /// have left: the text itself (sharing its block) while nothing was
    /// consumed, the empty string (never NIL) when nothing is left. A copy
    /// of the units otherwise, so it costs their number; remaining() does not.
    String rest() const;
    /// The units from the position on, without a copy: valid while the
    /// reader lives and is not read from.
    std::wstring_view remaining() const;

    /// The integer from the first letter, digit, '-', '.' or '+' on, as
    /// `_wtoi` converts it; consumes up to the first unit that is neither a
    /// digit nor '-' ('+5' gives 5 and consumes it, see above).
    StringReader& operator>>(int& v);
    /// As for int, cut to 16 bits.
    StringReader& operator>>(short& v);
    /// As for int, cut to 16 bits.
    StringReader& operator>>(unsigned short& v);
    /// As for int, cut to 8 bits.
    StringReader& operator>>(char& v);
    /// As for int, converted by `_wtol`.
    StringReader& operator>>(long& v);
    /// As for long, but consumes digits only, so a leading sign is
    /// converted and then consumed with the digits (see above).
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
    /// `wcstod` reads it (no "inf", "nan" or hexadecimal); consumes what it
    /// read, and fails where it read nothing.
    StringReader& operator>>(double& v);
    /// As for double, then narrowed to float.
    StringReader& operator>>(float& v);
    /// A digit gives whether the number from there is non-zero and consumes
    /// that one digit; "true" or "false" in any case consumes the word; any
    /// other word fails.
    StringReader& operator>>(bool& v);
    /// The next printable character, consumed with what precedes it; fails
    /// when there is none.
    StringReader& operator>>(wchar_t& v);
    /// A text in double quotes up to the closing quote not escaped by one
    /// backslash (backslashes kept, the quotes consumed), or else the rest
    /// of the line, its line feed consumed but not stored. Skips nothing;
    /// fails only when no unit is left.
    StringReader& operator>>(String& v);

private:
    template <class Value>
    StringReader& read(Value& v);

    String text;
    int offset;
    bool failed;
};

} // namespace torv
