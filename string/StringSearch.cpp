#include "string/String.h"

#include "string/TextConversion.h"

#include <cwchar>
#include <cwctype>
#include <vector>

namespace torv {

namespace {

bool isNumericClass(wchar_t c)
{
    return std::iswdigit(c) || c == L'.' || c == L'+' || c == L'-' || c == L'e' || c == L'E';
}

// Start of every non-overlapping occurrence, left to right.
std::vector<int> occurrencesOf(const String& text, const wchar_t* pattern, int patternLength)
{
    std::vector<int> starts;
    for (int at = text.find(pattern, 0); at >= 0; at = text.find(pattern, at + patternLength))
        starts.push_back(at);
    return starts;
}

wchar_t* copyUnits(wchar_t* out, const wchar_t* units, int count)
{
    if (count > 0)
        std::wmemcpy(out, units, static_cast<std::size_t>(count));
    return out + count;
}

} // namespace

template <class Predicate>
int String::findIf(int start, Predicate matches) const
{
    return findUnit(c_str(), length(), start, matches);
}

int String::findAlphaNum(int start) const { return findIf(start, isAlphaNumClass); }
int String::findNonAlphaNum(int start) const
{
    return findIf(start, [](wchar_t c) { return !isAlphaNumClass(c); });
}
int String::findWS(int start) const
{
    return findIf(start, [](wchar_t c) { return !std::iswgraph(c); });
}
int String::findNonWS(int start) const
{
    return findIf(start, [](wchar_t c) { return std::iswgraph(c) != 0; });
}
int String::findAlpha(int start) const
{
    return findIf(start, [](wchar_t c) { return std::iswalpha(c) != 0; });
}
int String::findNonAlpha(int start) const
{
    return findIf(start, [](wchar_t c) { return !std::iswalpha(c); });
}
int String::findDigit(int start) const
{
    return findIf(start, [](wchar_t c) { return std::iswdigit(c) != 0; });
}
int String::findNonDigit(int start) const
{
    return findIf(start, [](wchar_t c) { return !std::iswdigit(c); });
}
int String::findSignedDigit(int start) const { return findIf(start, isSignedDigit); }
int String::findNonSignedDigit(int start) const
{
    return findIf(start, [](wchar_t c) { return !isSignedDigit(c); });
}
int String::findNumeric(int start) const { return findIf(start, isNumericClass); }

int String::find(wchar_t c, int start) const
{
    const int end = length();
    if (start < 0 || start >= end)
        return -1;
    if (c == L'\0')
        return end;
    const wchar_t* found = std::wmemchr(c_str() + start, c, static_cast<std::size_t>(end - start));
    return found ? static_cast<int>(found - c_str()) : -1;
}

int String::find(const wchar_t* s, int start) const
{
    if (!s || *s == L'\0' || start < 0 || start >= length())
        return -1;
    // The run-time's wcsstr is a naive scan; jumping between candidates of
    // the first unit with wmemchr is several times faster on long texts.
    const std::size_t needle = std::wcslen(s);
    const wchar_t* units = c_str();
    const wchar_t* at = units + start;
    const wchar_t* const end = units + length();
    while (static_cast<std::size_t>(end - at) >= needle) {
        at = std::wmemchr(at, *s, static_cast<std::size_t>(end - at) - needle + 1);
        if (!at)
            return -1;
        if (std::wmemcmp(at, s, needle) == 0)
            return static_cast<int>(at - units);
        ++at;
    }
    return -1;
}

int String::findLastOf(wchar_t c, int start) const
{
    const int end = length();
    if (start < 0 || start >= end)
        return -1;
    if (c == L'\0')
        return end;
    const wchar_t* units = c_str();
    for (int i = end - 1; i >= start; --i)
        if (units[i] == c)
            return i;
    return -1;
}

bool String::startsWith(const String& p) const
{
    const int n = p.length();
    if (length() < n)
        return false;
    return std::wmemcmp(c_str(), p.c_str(), static_cast<std::size_t>(n)) == 0;
}

bool String::endsWith(const String& p) const
{
    const int n = p.length();
    const int own = length();
    if (own < n)
        return false;
    return std::wmemcmp(c_str() + own - n, p.c_str(), static_cast<std::size_t>(n)) == 0;
}

String String::substr(int first, int end) const
{
    const int total = length();
    if (end < 0 || end > total)
        end = total;
    const int start = first < 0 ? 0 : (first < total ? first : total);
    const int count = end - start;
    if (count <= 0)
        return EMPTY;
    if (count == total)
        return *this;
    // Exactly those units: construction from a length would drop a NUL
    // that ends them, so a part would differ from the whole.
    return String(EMPTY.val->concatenation(c_str() + start, count));
}

String String::trim(bool left, bool right) const
{
    if (isEmpty())
        return *this;
    const int total = length();
    const wchar_t* units = c_str();
    int start = 0;
    if (left)
        while (start < total && std::iswspace(units[start]))
            ++start;
    int last = total - 1;
    if (right && start < total)
        while (last >= start && std::iswspace(units[last]))
            --last;
    return substr(start, last + 1);
}

void String::eatwhite()
{
    const int first = findNonWS(0);
    if (first > 0)
        *this = substr(first);
}

int String::replace(wchar_t from, wchar_t to)
{
    if (isEmpty())
        return 0;
    unshare();
    val->len = -1;
    int count = 0;
    for (wchar_t* unit = val->str(); *unit != L'\0'; ++unit) {
        if (*unit == from) {
            *unit = to;
            ++count;
        }
    }
    return count;
}

int String::replace(const wchar_t* from, const wchar_t* to)
{
    if (!from || *from == L'\0')
        return 0;
    const int patternLength = static_cast<int>(std::wcslen(from));
    const std::vector<int> starts = occurrencesOf(*this, from, patternLength);
    if (starts.empty()) {
        // No match shares the block; NIL becomes the empty string.
        *this = substr(0);
        return 0;
    }
    // The result is built in one block of its final size: appending piece
    // by piece would copy the text once per occurrence.
    const int count = static_cast<int>(starts.size());
    const int replacementLength = to ? static_cast<int>(std::wcslen(to)) : 0;
    const int resultLength =
        StringVal::checkedLength(length() + static_cast<long long>(count) * (replacementLength - patternLength));
    StringVal* block = StringVal::construct(L"", 0, resultLength);
    wchar_t* out = block->str();
    int position = 0;
    for (const int found : starts) {
        out = copyUnits(out, c_str() + position, found - position);
        out = copyUnits(out, to, replacementLength);
        position = found + patternLength;
    }
    out = copyUnits(out, c_str() + position, length() - position);
    *out = L'\0';
    block->len = resultLength;
    block->validityCheck(static_cast<unsigned int>(resultLength));
    adopt(block);
    return count;
}

int String::replace(const String& from, const wchar_t* to)
{
    return replace(from.isNil() ? nullptr : from.c_str(), to);
}

int String::replace(const wchar_t* from, const String& to) { return replace(from, to.isNil() ? nullptr : to.c_str()); }

int String::replace(const String& from, const String& to)
{
    return replace(from.isNil() ? nullptr : from.c_str(), to.isNil() ? nullptr : to.c_str());
}

} // namespace torv
