#include "string/String.h"

#include <cwchar>

namespace torv {

// EMPTY is built before every other static of the library, which may use it.
#if defined(__GNUC__)
#  define TORV_INIT_FIRST __attribute__((init_priority(101)))
#else
#  pragma init_seg(lib)
#  define TORV_INIT_FIRST
#endif

const String String::EMPTY TORV_INIT_FIRST(L"");
const String String::NIL;
wchar_t String::outOfRange = L'\x0007';

namespace {

// A block gains another holder only with its length counted, so a shared
// block is only ever read: no holder recounts it or drops its ANSI text
// while another reads them.
StringVal* share(StringVal* block)
{
    if (block) {
        block->length();
        block->ref();
    }
    return block;
}

} // namespace

String::String(const wchar_t* s) : val(s ? StringVal::construct(s, -1, -1) : nullptr) {}

String::String(const wchar_t* s, int length) : val(s ? StringVal::construct(s, length, -1) : nullptr) {}

String::String(wchar_t c, int count) : val(nullptr)
{
    if (count <= 0) {
        takeOverDataFrom(EMPTY);
        return;
    }
    val = StringVal::construct(L"", 0, StringVal::checkedLength(count + 1LL));
    wchar_t* units = val->str();
    for (int i = 0; i < count; ++i)
        units[i] = c;
    units[count] = L'\0';
    val->validityCheck(static_cast<unsigned int>(count));
    // A NUL fill character makes the real length shorter than count.
    val->len = -1;
}

String::String(const char* s) : val(s ? StringVal::construct(s, -1, -1) : nullptr) {}

String::String(const String& other) noexcept : val(share(other.val)) {}

String::~String()
{
    if (val)
        val->unref();
}

void String::adopt(StringVal* block)
{
    StringVal* old = val;
    val = block;
    if (old)
        old->unref();
}

String& String::operator=(const String& other)
{
    if (this != &other)
        adopt(share(other.val));
    return *this;
}

String& String::operator=(String&& other) noexcept
{
    if (this != &other) {
        StringVal* taken = other.val;
        other.val = nullptr;
        adopt(taken);
    }
    return *this;
}

String& String::operator=(const wchar_t* s)
{
    adopt(s ? StringVal::construct(s, -1, -1) : nullptr);
    return *this;
}

void String::takeOverDataFrom(const String& other) { adopt(share(other.val)); }

void String::unshare()
{
    // Concatenating nothing copies exactly the current length, a counted
    // trailing NUL included, which construction from the text would drop.
    if (val && val->inqRefCount() > 1)
        adopt(val->concatenation(L"", 0));
}

int String::length() const { return val ? val->length() : 0; }

const char* String::stringAnsi() const { return val ? val->stringAnsi() : nullptr; }

wchar_t& String::operator[](int index)
{
    if (!val)
        return outOfRange;
    unshare();
    return (*val)[index];
}

StringBuffer String::buffer(int size, bool keep) { return StringBuffer(*this, size, keep); }

String& String::appendUnits(const wchar_t* s, int length)
{
    if (!s)
        return *this;
    adopt(val ? val->concatenation(s, length) : StringVal::construct(s, length, -1));
    return *this;
}

String& String::operator+=(const String& t)
{
    if (!t.val)
        return *this;
    if (!val) {
        takeOverDataFrom(t);
        return *this;
    }
    adopt(val->concatenation(t.val->stringValue(), t.val->length()));
    return *this;
}

String& String::operator+=(const wchar_t* s) { return appendUnits(s, -1); }

String& String::operator+=(wchar_t c)
{
    const wchar_t unit[2] = {c, L'\0'};
    return appendUnits(unit, -1);
}

String& String::operator+=(const char* s) { return *this += String(s); }

String& String::write(const wchar_t* s, int length) { return appendUnits(s, length); }

String operator+(const String& a, const String& b)
{
    String result(a);
    result += b;
    return result;
}

String operator+(const wchar_t* a, const String& b)
{
    String result(a);
    result += b;
    return result;
}

String operator+(const String& a, const wchar_t* b)
{
    String result(a);
    result += b;
    return result;
}

String operator+(const String& a, wchar_t c)
{
    String result(a);
    result += c;
    return result;
}

String operator+(wchar_t c, const String& b)
{
    String result;
    result += c;
    result += b;
    return result;
}

// ---- comparison ----------------------------------------------------------

namespace {

int ordinal(const wchar_t* a, const wchar_t* b)
{
    // wchar_t is an unsigned 16-bit unit on Windows, so units compare unsigned.
    for (;; ++a, ++b) {
        if (*a != *b)
            return *a < *b ? -1 : 1;
        if (*a == L'\0')
            return 0;
    }
}

} // namespace

int String::compare(const String& t) const
{
    if (val == t.val)
        return 0;
    if (!val)
        return -1;
    if (!t.val)
        return 1;
    return ordinal(val->stringValue(), t.val->stringValue());
}

void String::mergeWith(const String& other)
{
    if (val != other.val)
        takeOverDataFrom(other);
}

int String::compare(const String& t)
{
    const int result = static_cast<const String&>(*this).compare(t);
    if (result == 0 && t.val)
        mergeWith(t);
    return result;
}

int String::compare(const wchar_t* s) const
{
    if (!s)
        return val ? 1 : 0;
    if (!val)
        return -1;
    return ordinal(val->stringValue(), s);
}

int String::compare(wchar_t c) const
{
    const wchar_t unit[2] = {c, L'\0'};
    return compare(unit);
}

int String::compareIgnoreCase(const String& t) const
{
    if (!t.val)
        return val ? 1 : 0;
    if (!val)
        return -1;
    if (val == t.val)
        return 0;
    return _wcsicmp(val->stringValue(), t.val->stringValue());
}

int String::compareIgnoreCase(const wchar_t* s) const
{
    if (!s)
        return val ? 1 : 0;
    if (!val)
        return -1;
    return _wcsicmp(val->stringValue(), s);
}

int String::compareIgnoreCase(wchar_t c) const
{
    const wchar_t unit[2] = {c, L'\0'};
    return compareIgnoreCase(unit);
}

bool String::compareEquality(const String& t) const
{
    if (val == t.val)
        return true;
    if (!val || !t.val)
        return false;
    const int ownLength = val->lazyLength();
    const int otherLength = t.val->lazyLength();
    if (ownLength != -1 && otherLength != -1 && ownLength != otherLength)
        return false;
    return std::wcscmp(val->stringValue(), t.val->stringValue()) == 0;
}

bool String::compareEquality(const String& t)
{
    const bool equal = static_cast<const String&>(*this).compareEquality(t);
    if (equal && t.val)
        mergeWith(t);
    return equal;
}

bool String::equals(const wchar_t* s) const
{
    if (!s || !val)
        return !s && !val;
    return std::wcscmp(val->stringValue(), s) == 0;
}

bool StringLess2::operator()(const String& a, const String& b) const
{
    if (b.isNil())
        return false;
    if (a.isNil())
        return true;
    if (a.block() == b.block())
        return false;
    return _wcsicmp(a.c_str(), b.c_str()) < 0;
}

} // namespace torv
