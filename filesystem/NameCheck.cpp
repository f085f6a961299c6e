#include "filesystem/NameCheck.h"

#include <cwchar>

namespace torv {

namespace {

// The sets live until the library is unloaded; they are built on first use.
const String& componentForbidden()
{
    static const String set(L"*?<>:\"\\/|");
    return set;
}

const String& patternForbidden()
{
    static const String set(L"<>:\"\\/|");
    return set;
}

const String& forbiddenLast()
{
    static const String set(L" .");
    return set;
}

bool isDotOrDotDot(const String& text) { return text == L"." || text == L".."; }

bool isInSet(wchar_t c, const String& set) { return std::wcschr(set.c_str(), c) != nullptr; }

// Non-empty text without control characters or characters of `forbidden`,
// whose last character is neither a blank nor a dot.
bool hasAllowedCharacters(const String& text, const String& forbidden)
{
    const int length = text.length();
    if (length == 0)
        return false;
    const wchar_t* chars = text.c_str();
    for (int i = 0; i < length; ++i) {
        if (chars[i] < L' ' || isInSet(chars[i], forbidden))
            return false;
    }
    return !isInSet(chars[length - 1], forbiddenLast());
}

} // namespace

bool isValidName(const String& name) { return isDotOrDotDot(name) || hasAllowedCharacters(name, componentForbidden()); }

bool isValidSearchPattern(const String& text)
{
    return !isDotOrDotDot(text) && hasAllowedCharacters(text, patternForbidden());
}

} // namespace torv
