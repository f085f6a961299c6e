#pragma once
/// @file
/// StringBuilder: builds a long text in linear time. String's appenders
/// allocate the exact combined length on every append; the builder keeps
/// spare room that doubles as it fills, and hands the text over once.

#include "platform/Export.h"
#include "string/String.h"

namespace torv {

/// A growing buffer of UTF-16 text with String's appenders.
///
/// Every `<<` appends exactly the text that String's `<<` of the same
/// argument appends. The builder owns its buffer; toString() copies the
/// text into a String of its own. Storage that cannot be allocated throws
/// AllocationFailure ("bad allocation") and leaves the text as it was. One
/// builder is used by one thread at a time.
class TORV_API StringBuilder {
public:
    /// An empty builder with no buffer yet.
    StringBuilder() noexcept : units(nullptr), used(0), capacity(0) {}
    /// Releases the buffer.
    ~StringBuilder();
    /// Not copyable: the buffer has one owner; copy the text with toString().
    StringBuilder(const StringBuilder&) = delete;
    /// Not assignable, as it is not copyable.
    StringBuilder& operator=(const StringBuilder&) = delete;
    /// Takes other's text and buffer; other is left empty with no buffer.
    StringBuilder(StringBuilder&& other) noexcept;
    /// Releases this buffer and takes other's text and buffer; other is
    /// left empty with no buffer.
    StringBuilder& operator=(StringBuilder&& other) noexcept;

    /// Makes room for at least `count` units in all, so that appends up to
    /// that length allocate nothing. A count at or below the current room
    /// changes nothing.
    void reserve(int count);
    /// The number of units appended so far.
    int length() const { return used; }
    /// Empties the text; the buffer is kept for reuse.
    void clear() { used = 0; }
    /// A String holding exactly the text (an embedded NUL included); the
    /// empty string, never NIL, when nothing was appended. The builder is
    /// left as it is.
    String toString() const;

    /// Appends `count` units of `s`, all of them even past a NUL; -1 appends
    /// up to its NUL, other negative counts nothing. A null `s` appends nothing.
    StringBuilder& write(const wchar_t* s, int count);

    /// Appends the text of `t`; a NIL `t` appends nothing.
    StringBuilder& operator<<(const String& t);
    /// Appends `s` up to its NUL; a null `s` appends nothing.
    StringBuilder& operator<<(const wchar_t* s);
    /// Appends the character; a NUL appends nothing.
    StringBuilder& operator<<(wchar_t c);
    /// Appends narrow text converted from the ANSI code page; a null `s` or
    /// a failed conversion appends nothing.
    StringBuilder& operator<<(const char* s);
    /// A pointer to anything but wide or narrow text does not compile: it
    /// would otherwise convert to bool and append "true".
    template <class T>
    StringBuilder& operator<<(const T* p) = delete;
    /// Appends the decimal number of the signed value (-128 to 127), not the character.
    StringBuilder& operator<<(char v);
    /// Appends the decimal number 0 to 255, not the character.
    StringBuilder& operator<<(unsigned char v);
    /// Appends the signed decimal number.
    StringBuilder& operator<<(short v);
    /// Appends the decimal number.
    StringBuilder& operator<<(unsigned short v);
    /// Appends the signed decimal number.
    StringBuilder& operator<<(int v);
    /// Appends the decimal number.
    StringBuilder& operator<<(unsigned int v);
    /// Appends the signed decimal number.
    StringBuilder& operator<<(long v);
    /// Appends the decimal number.
    StringBuilder& operator<<(unsigned long v);
    /// Appends the signed decimal number.
    StringBuilder& operator<<(long long v);
    /// Appends the decimal number.
    StringBuilder& operator<<(unsigned long long v);
    /// Appends "true" or "false".
    StringBuilder& operator<<(bool v);
    /// Appends the number with about nine digits after its integer part
    /// (eight significant digits below one), as String's `<<` does.
    StringBuilder& operator<<(double v);
    /// Appends the number with float precision, as String's `<<` does.
    StringBuilder& operator<<(float v);

    /// Appends printf-style output (`%s` is a wide string) up to its first
    /// NUL, as String's printf keeps it, but whatever its length; String
    /// arguments pass as their characters, NIL as the empty text. A null
    /// format appends nothing. Output longer than INT_MAX units, or that the
    /// run-time cannot produce, throws AllocationFailure and keeps the text.
    template <class... Args>
    StringBuilder& printf(const wchar_t* format, const Args&... args)
    {
        return printf_apply(format, formatArgument(args)...);
    }

private:
    StringBuilder& appendUnits(const wchar_t* s, int count);
    template <class Number>
    StringBuilder& appendNumber(Number v);
    // Room for `extra` more units after the text.
    wchar_t* makeRoom(int extra);
    StringBuilder& printf_apply(const wchar_t* format, ...);

    static const wchar_t* formatArgument(const String& s) { return s.c_str(); }
    template <class T>
    static T formatArgument(T v)
    {
        return v;
    }

    wchar_t* units;
    int used;
    int capacity;
};

} // namespace torv
