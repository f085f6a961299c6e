#pragma once
/// @file
/// String: the library's UTF-16 text type. One pointer to a shared StringVal
/// block, copy-on-write; a null pointer is the NIL string (no text at all),
/// which differs from the empty string but reads as empty text.
/// Copies of one String may be read (length, characters, ANSI text), copied
/// and released on several threads at once; one String object is used by
/// one thread at a time.

#include "platform/Export.h"
#include "string/StringVal.h"

#include <iosfwd>
#include <string>

namespace torv {

class Module;
class String;

/// A writable array over a String for calls that fill a buffer. The owner's
/// text is replaced by the array's text (up to its first NUL) when the
/// buffer is destroyed; only the last array handed out counts.
class TORV_API StringBuffer {
public:
    /// Takes other's owner, size and keep flag; no array of its own yet.
    StringBuffer(const StringBuffer& other);
    StringBuffer& operator=(const StringBuffer&) = delete;
    /// Writes the array's text back to the owner and frees the array. The
    /// new text is allocated here, in a destructor: when that fails the
    /// program ends (std::terminate), so the library itself formats and
    /// converts without a StringBuffer.
    ~StringBuffer();

    /// A new wide array of getSize() units plus a NUL, owned by the buffer;
    /// an array handed out before is freed, its contents lost. Filled with
    /// the owner's text when the buffer keeps it.
    operator wchar_t*();
    /// The same as a narrow array in the ANSI code page.
    operator char*();

    /// The number of writable units, without the NUL.
    int getSize() const { return size; }

private:
    friend class String;
    StringBuffer(String& owner, int size, bool keep);
    void releaseArray();

    String* owner;
    void* buffer;
    int size;
    bool wide;
    bool keep;
};

/// UTF-16 text, copy-on-write over a shared StringVal block, or NIL.
class TORV_API String {
public:
    /// The empty text (a block), process-wide, owned by the library.
    static const String EMPTY;
    /// No text at all (no block); orders before every other string.
    static const String NIL;

    /// @name Construction, assignment, release
    ///@{
    String() noexcept : val(nullptr) {} ///< NIL.
    /// NIL.
    String(decltype(nullptr)) noexcept : val(nullptr) {}
    /// A copy of s up to its NUL; NIL for a null s.
    String(const wchar_t* s);
    /// A copy of length units of s (-1: up to NUL); NIL for a null s.
    String(const wchar_t* s, int length);
    /// count copies of c; empty for a count of 0 or less.
    String(wchar_t c, int count);
    /// s converted from the ANSI code page; NIL for a null s or when the
    /// conversion fails.
    String(const char* s);
    /// Shares the block of other.
    String(const String& other) noexcept;
    /// Takes the block of other, which becomes NIL.
    String(String&& other) noexcept : val(other.val) { other.val = nullptr; }
    /// Releases the block; the last String destroys it.
    ~String();

    /// Shares the block of other.
    String& operator=(const String& other);
    /// Takes the block of other, which becomes NIL.
    String& operator=(String&& other) noexcept;
    /// A copy of s; NIL for a null s.
    String& operator=(const wchar_t* s);
    ///@}

    /// @name Access
    /// NIL reads as the empty text.
    ///@{
    bool isNil() const { return val == nullptr; } ///< True for NIL only.
    /// True for NIL and the empty text.
    bool isEmpty() const { return val == nullptr || val->at(0) == L'\0'; }
    /// The number of UTF-16 units; 0 for NIL.
    int length() const;
    /// The text, NUL-terminated, valid while the block lives and its text
    /// is unchanged; "" for NIL.
    const wchar_t* c_str() const { return val ? val->stringValue() : L""; }
    /// The text in the ANSI code page, owned by the block; null for NIL;
    /// valid while the block lives and its text is unchanged.
    const char* stringAnsi() const;
    /// The unit at index (no range check); NUL for NIL.
    wchar_t operator[](int index) const { return val ? val->at(index) : L'\0'; }
    /// Makes the block private first; NIL hands out the harmless outOfRange slot.
    wchar_t& operator[](int index);
    /// The shared block (null for NIL), for identity checks.
    const StringVal* block() const { return val; }
    /// A writable array of size units over this string, with its text when
    /// keep is set; see StringBuffer.
    StringBuffer buffer(int size, bool keep = false);
    ///@}

    /// @name Concatenation
    /// Every append builds a new block of the exact size and returns *this.
    ///@{
    String& operator+=(const String& t); ///< Appends t; NIL appends nothing.
    /// Appends s up to its NUL; a null s appends nothing.
    String& operator+=(const wchar_t* s);
    /// Appends c.
    String& operator+=(wchar_t c);
    /// Appends narrow text in the ANSI code page.
    String& operator+=(const char* s);
    /// Appends length units of s (-1: up to NUL).
    String& write(const wchar_t* s, int length);
    ///@}

    /// @name Number and truth-value appenders
    /// Append the value in decimal (a char appends its number, a bool
    /// "true" or "false") and return *this.
    ///@{
    String& operator+=(char v);               ///< Appends v.
    String& operator+=(unsigned char v);      ///< Appends v.
    String& operator+=(short v);              ///< Appends v.
    String& operator+=(unsigned short v);     ///< Appends v.
    String& operator+=(int v);                ///< Appends v.
    String& operator+=(unsigned int v);       ///< Appends v.
    String& operator+=(long v);               ///< Appends v.
    String& operator+=(unsigned long v);      ///< Appends v.
    String& operator+=(long long v);          ///< Appends v.
    String& operator+=(unsigned long long v); ///< Appends v.
    String& operator+=(bool v);               ///< Appends v.
    String& operator+=(double v);             ///< Appends v.
    String& operator+=(float v);              ///< Appends v.
    ///@}

    /// @name Stream-style appenders
    /// The same as the matching operator+=.
    ///@{
    String& operator<<(const String& t);  ///< Appends t.
    String& operator<<(const wchar_t* s); ///< Appends the value.
    String& operator<<(wchar_t c);        ///< Appends the value.
    String& operator<<(const char* s);    ///< Appends the value.
    /// A pointer to anything but wide or narrow text does not compile: it
    /// would otherwise convert to bool and append "true".
    template <class T>
    String& operator<<(const T* p) = delete;
    String& operator<<(char v);               ///< Appends the value.
    String& operator<<(unsigned char v);      ///< Appends the value.
    String& operator<<(short v);              ///< Appends the value.
    String& operator<<(unsigned short v);     ///< Appends the value.
    String& operator<<(int v);                ///< Appends the value.
    String& operator<<(unsigned int v);       ///< Appends the value.
    String& operator<<(long v);               ///< Appends the value.
    String& operator<<(unsigned long v);      ///< Appends the value.
    String& operator<<(long long v);          ///< Appends the value.
    String& operator<<(unsigned long long v); ///< Appends the value.
    String& operator<<(bool v);               ///< Appends the value.
    String& operator<<(double v);             ///< Appends the value.
    String& operator<<(float v);              ///< Appends the value.
    ///@}

    /// @name Consumers
    /// Each takes one value off the front of this string, stores it into v
    /// and keeps exactly the units after what it consumed (the empty
    /// string when none are left), returning *this. Nothing is reported as
    /// an error: a read with no value stores 0 (false, NUL) as said below.
    ///@{

    /// The integer from the first letter, digit, '-', '.' or '+' on, as
    /// `_wtoi` converts it; consumes up to the first unit from there that is
    /// neither a digit nor '-'. So '+5' gives 5 and consumes nothing, '3.5'
    /// gives 3 and leaves '.5', a letter first gives 0 and consumes only
    /// what precedes it, and with no such unit v is 0 and nothing is left.
    String& operator>>(int& v);
    String& operator>>(short& v);          ///< As for int, cut to 16 bits.
    String& operator>>(unsigned short& v); ///< As for int, cut to 16 bits.
    String& operator>>(char& v);           ///< As for int, cut to 8 bits.
    String& operator>>(long& v);           ///< As for int, converted by `_wtol`.
    /// As for long, but consumes digits only, so a leading '-' is converted
    /// and left in place.
    String& operator>>(unsigned int& v);
    String& operator>>(unsigned long& v);      ///< As for unsigned int.
    String& operator>>(unsigned char& v);      ///< As for unsigned int, cut to 8 bits.
    String& operator>>(long long& v);          ///< As for int, converted by `_wtoi64`.
    String& operator>>(unsigned long long& v); ///< As for long long.
    /// The decimal number from where an int would start, as the run-time's
    /// `wcstod` reads it (no "inf", "nan" or hexadecimal); consumes what it
    /// read (only the skipped units when it read nothing).
    String& operator>>(double& v);
    String& operator>>(float& v); ///< As for double, then narrowed to float.
    /// From where an int would start: a unit other than a letter gives
    /// whether the number from there is non-zero and consumes that one unit; "true" or
    /// "false" in any case consumes the word; any other word gives false and
    /// consumes nothing, not even what precedes it.
    String& operator>>(bool& v);
    /// The next printable character, consumed with what precedes it; NUL
    /// and nothing left when there is none.
    String& operator>>(wchar_t& v);
    /// Skips nothing. A text starting with a double quote gives the units up
    /// to the closing quote not escaped by one backslash (backslashes kept,
    /// both quotes consumed), or all after the opening quote when none
    /// closes it. Any other text gives the units before the first line feed,
    /// which is consumed but not stored (a carriage return before it stays
    /// in v), or the whole text. NIL gives NIL and leaves the empty string.
    String& operator>>(String& v);
    ///@}

    /// Replaces the text by printf-style output (%s is a wide string), cut
    /// to 32768 units and at its first NUL; String arguments pass as their
    /// characters, NIL as the empty text. Returns *this. Storage that cannot
    /// be allocated throws AllocationFailure and leaves the text unchanged.
    template <class... Args>
    String& printf(const wchar_t* format, const Args&... args)
    {
        return printf_apply(format, formatArgument(args)...);
    }

    /// @name Comparison
    /// compare gives exactly -1, 0 or 1 in ordinal order, NIL first; the
    /// non-const forms also let two equal strings share one block.
    ///@{
    int compare(const String& t) const;  ///< Compares with t.
    int compare(const String& t);        ///< The same, sharing t's block when equal.
    int compare(const wchar_t* s) const; ///< Compares with s; a null s equals NIL only.
    int compare(const wchar_t* s) { return static_cast<const String&>(*this).compare(s); } ///< The same.
    int compare(wchar_t c) const; ///< Compares with the one-unit text c.
    /// Compares with t without regard to letter case.
    int compareIgnoreCase(const String& t) const;
    int compareIgnoreCase(const wchar_t* s) const; ///< Compares with s without regard to letter case.
    int compareIgnoreCase(wchar_t c) const;        ///< Compares with c without regard to letter case.
    /// True for the same text; NIL equals NIL only.
    bool compareEquality(const String& t) const;
    bool compareEquality(const String& t); ///< The same, sharing t's block when equal.
    /// Exact equality with a character pointer: null equals NIL only.
    bool equals(const wchar_t* s) const;
    ///@}

    /// @name Character-class searches
    /// The first unit of the class at or after start; -1 if none or start
    /// is out of range.
    ///@{
    int findAlphaNum(int start = 0) const; ///< Letters, digits, '-', '.' and '+'.
    /// Anything but letters, digits, '-', '.' and '+'.
    int findNonAlphaNum(int start = 0) const;
    /// Units that are not graphic: blanks and control characters.
    int findWS(int start = 0) const;
    /// Graphic units.
    int findNonWS(int start = 0) const;
    /// Letters.
    int findAlpha(int start = 0) const;
    /// Anything but letters.
    int findNonAlpha(int start = 0) const;
    /// Decimal digits.
    int findDigit(int start = 0) const;
    /// Anything but decimal digits.
    int findNonDigit(int start = 0) const;
    /// Decimal digits and '-'.
    int findSignedDigit(int start = 0) const;
    /// Anything but decimal digits and '-'.
    int findNonSignedDigit(int start = 0) const;
    /// Decimal digits, '.', '+', '-', 'e' and 'E'.
    int findNumeric(int start = 0) const;
    ///@}

    /// @name Search, trim and replace
    ///@{
    int find(wchar_t c, int start = 0) const; ///< The first c at or after start; -1 if none or start is out of range.
    /// The first s at or after start; -1 if none or s is null or empty.
    int find(const wchar_t* s, int start = 0) const;
    /// Last c in the range from start to the end; -1 if none.
    int findLastOf(wchar_t c, int start = 0) const;
    /// True when the text begins with p (case-sensitive); an empty or NIL p
    /// always matches.
    bool startsWith(const String& p) const;
    /// The same for the end of the text.
    bool endsWith(const String& p) const;

    /// The units from first up to end (-1: to the end), both clamped to the
    /// text; empty (never NIL) when nothing is left.
    String substr(int first, int end = -1) const;
    /// A copy without blanks on the chosen sides; NIL stays NIL.
    String trim(bool left = true, bool right = true) const;
    /// Removes the non-graphic units at the front.
    void eatwhite();

    /// Replaces every from by to in place; the number of replacements, 0
    /// for NIL or empty text.
    int replace(wchar_t from, wchar_t to);
    /// Replaces every occurrence of from (left to right, not overlapping)
    /// by to (a null to deletes them); the number of replacements, 0 for a
    /// null or empty from.
    int replace(const wchar_t* from, const wchar_t* to);
    /// See replace(const wchar_t*, const wchar_t*).
    int replace(const String& from, const wchar_t* to);
    /// See replace(const wchar_t*, const wchar_t*).
    int replace(const wchar_t* from, const String& to);
    /// See replace(const wchar_t*, const wchar_t*).
    int replace(const String& from, const String& to);
    ///@}

    /// @name Numbered names
    /// The index is the trailing run of decimal digits.
    ///@{
    unsigned int getIndex() const; ///< The index; 0 when there is none.
    /// Replaces the index by index in decimal; 0 removes it.
    void setIndex(unsigned int index);
    /// Adds 1 to the index, keeping its width; appends '1' when there is none.
    void incrementIndex();
    /// Subtracts 1 from the index, keeping its width; appends '1' when there
    /// is none.
    void decrementIndex();
    /// A copy for display of at most maxLength units: the beginning up to a
    /// '/' within headLength units, "...", then the end from a '/'; the
    /// text itself when it is short enough.
    String shortenString(int maxLength, int headLength) const;
    ///@}

    /// Escapes line feeds, carriage returns, double quotes and backslashes
    /// (with unicode also every unit from U+0080 on) with backslashes.
    void controlsToEsc(bool unicode);
    /// Turns escape sequences back into characters; -1 on success, else
    /// the index of the backslash of the first invalid escape (text left
    /// unchanged).
    int escToControls(bool unicode);

    /// Loads string-table entry id of module m; the text "Error loading
    /// string resource!" on failure.
    static String loadFromResource(unsigned int id, const Module& m);

    /// The text as UTF-8, NUL units included; "" for NIL and the empty text.
    /// Valid text comes back unchanged from fromUtf8. A surrogate unit that
    /// is not part of a high-low pair becomes U+FFFD (EF BF BD).
    std::string toUtf8() const;
    /// The UTF-8 text s, NUL bytes included; the empty text (not NIL) for
    /// "". Valid text comes back unchanged from toUtf8. Each maximal
    /// ill-formed subsequence becomes one U+FFFD: a byte that cannot start
    /// a sequence, a sequence cut short by a byte that cannot continue it
    /// or by the end, and the bytes of an overlong form, of a surrogate
    /// (ED A0..BF) or of a value above U+10FFFF, each of which ends the
    /// subsequence at the byte that makes it invalid. Throws
    /// AllocationFailure for more than INT_MAX - 1 bytes.
    static String fromUtf8(const std::string& s);

private:
    friend class StringBuffer;

    explicit String(StringVal* adopted) noexcept : val(adopted) {}
    void adopt(StringVal* block);
    void takeOverDataFrom(const String& other);
    void unshare();
    void mergeWith(const String& other);
    String& appendUnits(const wchar_t* s, int length);
    template <class Number>
    String& appendNumber(Number v);
    template <class Value>
    String& consume(Value& v);
    void keepFrom(int position);
    template <class Predicate>
    int findIf(int start, Predicate matches) const;

    String& printf_apply(const wchar_t* format, ...);

    static const wchar_t* formatArgument(const String& s) { return s.c_str(); }
    template <class T>
    static T formatArgument(T v)
    {
        return v;
    }

    static wchar_t outOfRange;

    StringVal* val;
};

/// @name Concatenation into a new string
///@{
TORV_API String operator+(const String& a, const String& b);  ///< a followed by b; NIL only when both are NIL.
TORV_API String operator+(const wchar_t* a, const String& b); ///< The two texts joined.
TORV_API String operator+(const String& a, const wchar_t* b); ///< The two texts joined.
TORV_API String operator+(const String& a, wchar_t c);        ///< The two texts joined.
TORV_API String operator+(wchar_t c, const String& b);        ///< The two texts joined.
///@}

/// Same text; NIL equals NIL (or a null pointer) only.
inline bool operator==(const String& a, const String& b) { return a.compareEquality(b); }
/// Different text.
inline bool operator!=(const String& a, const String& b) { return !a.compareEquality(b); }
/// Same text.
inline bool operator==(const String& a, const wchar_t* b) { return a.equals(b); }
/// Different text.
inline bool operator!=(const String& a, const wchar_t* b) { return !a.equals(b); }
/// Same text.
inline bool operator==(const wchar_t* a, const String& b) { return b.equals(a); }
/// Different text.
inline bool operator!=(const wchar_t* a, const String& b) { return !b.equals(a); }
/// Ordinal order, NIL first.
inline bool operator<(const String& a, const String& b) { return a.compare(b) < 0; }

/// Case-insensitive order of every String-keyed map and set, NIL first.
struct TORV_API StringLess2 {
    /// True when a orders before b.
    bool operator()(const String& a, const String& b) const;
};

/// Writes s in the ANSI code page; NIL writes nothing.
TORV_API std::ostream& operator<<(std::ostream& out, const String& s);
/// Reads one token into s.
TORV_API std::istream& operator>>(std::istream& in, String& s);

} // namespace torv
