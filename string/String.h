#pragma once
// String: the library's UTF-16 text type. One pointer to a shared StringVal
// block, copy-on-write; a null pointer is the NIL string (no text at all),
// which differs from the empty string but reads as empty text.
// Copies of one String may be read (length, characters, ANSI text), copied
// and released on several threads at once; one String object is used by
// one thread at a time.

#include "platform/Export.h"
#include "string/StringVal.h"

#include <iosfwd>

namespace torv {

class Module;
class String;

// A writable array over a String for calls that fill a buffer. The owner's
// text is replaced by the array's text (up to its first NUL) when the
// buffer is destroyed; only the last array handed out counts.
class TORV_API StringBuffer {
public:
    StringBuffer(const StringBuffer& other);
    StringBuffer& operator=(const StringBuffer&) = delete;
    ~StringBuffer();

    operator wchar_t*();
    operator char*();

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

class TORV_API String {
public:
    static const String EMPTY;
    static const String NIL;

    // Construction, assignment, release
    String() noexcept : val(nullptr) {}
    String(decltype(nullptr)) noexcept : val(nullptr) {}
    String(const wchar_t* s);
    String(const wchar_t* s, int length);
    String(wchar_t c, int count);
    String(const char* s);
    String(const String& other) noexcept;
    String(String&& other) noexcept : val(other.val) { other.val = nullptr; }
    ~String();

    String& operator=(const String& other);
    String& operator=(String&& other) noexcept;
    String& operator=(const wchar_t* s);

    // Access. NIL reads as the empty text.
    bool isNil() const { return val == nullptr; }
    bool isEmpty() const { return val == nullptr || val->at(0) == L'\0'; }
    int length() const;
    const wchar_t* c_str() const { return val ? val->stringValue() : L""; }
    // Null for NIL; valid while the block lives and its text is unchanged.
    const char* stringAnsi() const;
    wchar_t operator[](int index) const { return val ? val->at(index) : L'\0'; }
    // Makes the block private first; NIL hands out the harmless outOfRange slot.
    wchar_t& operator[](int index);
    // The shared block (null for NIL), for identity checks.
    const StringVal* block() const { return val; }
    StringBuffer buffer(int size, bool keep = false);

    // Concatenation: every append builds a new block of the exact size.
    String& operator+=(const String& t);
    String& operator+=(const wchar_t* s);
    String& operator+=(wchar_t c);
    // Narrow text in the ANSI code page.
    String& operator+=(const char* s);
    String& write(const wchar_t* s, int length);

    // Number and truth-value appenders (a char appends its number).
    String& operator+=(char v);
    String& operator+=(unsigned char v);
    String& operator+=(short v);
    String& operator+=(unsigned short v);
    String& operator+=(int v);
    String& operator+=(unsigned int v);
    String& operator+=(long v);
    String& operator+=(unsigned long v);
    String& operator+=(long long v);
    String& operator+=(unsigned long long v);
    String& operator+=(bool v);
    String& operator+=(double v);
    String& operator+=(float v);

    String& operator<<(const String& t);
    String& operator<<(const wchar_t* s);
    String& operator<<(wchar_t c);
    String& operator<<(const char* s);
    String& operator<<(char v);
    String& operator<<(unsigned char v);
    String& operator<<(short v);
    String& operator<<(unsigned short v);
    String& operator<<(int v);
    String& operator<<(unsigned int v);
    String& operator<<(long v);
    String& operator<<(unsigned long v);
    String& operator<<(long long v);
    String& operator<<(unsigned long long v);
    String& operator<<(bool v);
    String& operator<<(double v);
    String& operator<<(float v);

    // Consumers: take the next value off the front of this string.
    String& operator>>(int& v);
    String& operator>>(short& v);
    String& operator>>(unsigned short& v);
    String& operator>>(char& v);
    String& operator>>(long& v);
    String& operator>>(unsigned int& v);
    String& operator>>(unsigned long& v);
    String& operator>>(unsigned char& v);
    String& operator>>(long long& v);
    String& operator>>(unsigned long long& v);
    String& operator>>(double& v);
    String& operator>>(float& v);
    String& operator>>(bool& v);
    String& operator>>(wchar_t& v);
    String& operator>>(String& v);

    // Replaces the text by printf-style output (%s is a wide string);
    // String arguments pass as their characters, NIL as the empty text.
    template <class... Args>
    String& printf(const wchar_t* format, const Args&... args)
    {
        return printf_apply(format, formatArgument(args)...);
    }

    // Comparison. compare gives exactly -1, 0 or 1; the non-const forms
    // also let two equal strings share one block.
    int compare(const String& t) const;
    int compare(const String& t);
    int compare(const wchar_t* s) const;
    int compare(const wchar_t* s) { return static_cast<const String&>(*this).compare(s); }
    int compare(wchar_t c) const;
    int compareIgnoreCase(const String& t) const;
    int compareIgnoreCase(const wchar_t* s) const;
    int compareIgnoreCase(wchar_t c) const;
    bool compareEquality(const String& t) const;
    bool compareEquality(const String& t);
    // Exact equality with a character pointer: null equals NIL only.
    bool equals(const wchar_t* s) const;

    // Character-class searches: first unit at or after start, -1 if none.
    int findAlphaNum(int start = 0) const;
    int findNonAlphaNum(int start = 0) const;
    int findWS(int start = 0) const;
    int findNonWS(int start = 0) const;
    int findAlpha(int start = 0) const;
    int findNonAlpha(int start = 0) const;
    int findDigit(int start = 0) const;
    int findNonDigit(int start = 0) const;
    int findSignedDigit(int start = 0) const;
    int findNonSignedDigit(int start = 0) const;
    int findNumeric(int start = 0) const;

    int find(wchar_t c, int start = 0) const;
    int find(const wchar_t* s, int start = 0) const;
    // Last c in the range from start to the end.
    int findLastOf(wchar_t c, int start = 0) const;
    bool startsWith(const String& p) const;
    bool endsWith(const String& p) const;

    String substr(int first, int end = -1) const;
    String trim(bool left = true, bool right = true) const;
    void eatwhite();

    int replace(wchar_t from, wchar_t to);
    int replace(const wchar_t* from, const wchar_t* to);
    int replace(const String& from, const wchar_t* to);
    int replace(const wchar_t* from, const String& to);
    int replace(const String& from, const String& to);

    // Numbered names: the trailing run of decimal digits.
    unsigned int getIndex() const;
    void setIndex(unsigned int index);
    void incrementIndex();
    void decrementIndex();
    String shortenString(int maxLength, int headLength) const;

    // Escape sequences; escToControls returns -1 on success, else the index
    // of the backslash of the first invalid escape (text left unchanged).
    void controlsToEsc(bool unicode);
    int escToControls(bool unicode);

    // Loads a string-table entry; "Error loading string resource!" on failure.
    static String loadFromResource(unsigned int id, const Module& m);

private:
    friend class StringBuffer;

    explicit String(StringVal* adopted) noexcept : val(adopted) {}
    void adopt(StringVal* block);
    void takeOverDataFrom(const String& other);
    void unshare();
    void mergeWith(const String& other);
    String& appendUnits(const wchar_t* s, int length);
    template <class Number> String& appendNumber(Number v);
    template <class Value> String& consume(Value& v);
    void keepFrom(int position);
    template <class Predicate> int findIf(int start, Predicate matches) const;

    String& printf_apply(const wchar_t* format, ...);

    static const wchar_t* formatArgument(const String& s) { return s.c_str(); }
    template <class T>
    static T formatArgument(T v) { return v; }

    static wchar_t outOfRange;

    StringVal* val;
};

TORV_API String operator+(const String& a, const String& b);
TORV_API String operator+(const wchar_t* a, const String& b);
TORV_API String operator+(const String& a, const wchar_t* b);
TORV_API String operator+(const String& a, wchar_t c);
TORV_API String operator+(wchar_t c, const String& b);

inline bool operator==(const String& a, const String& b) { return a.compareEquality(b); }
inline bool operator!=(const String& a, const String& b) { return !a.compareEquality(b); }
inline bool operator==(const String& a, const wchar_t* b) { return a.equals(b); }
inline bool operator!=(const String& a, const wchar_t* b) { return !a.equals(b); }
inline bool operator==(const wchar_t* a, const String& b) { return b.equals(a); }
inline bool operator!=(const wchar_t* a, const String& b) { return !b.equals(a); }
// Ordinal order, NIL first.
inline bool operator<(const String& a, const String& b) { return a.compare(b) < 0; }

// Case-insensitive order of every String-keyed map and set, NIL first.
struct TORV_API StringLess2 {
    bool operator()(const String& a, const String& b) const;
};

TORV_API std::ostream& operator<<(std::ostream& out, const String& s);
TORV_API std::istream& operator>>(std::istream& in, String& s);

} // namespace torv
