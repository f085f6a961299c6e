#include "tools/fuzz/Fuzzer.h"

#include "filesystem/Directory.h"
#include "filesystem/File.h"
#include "module/SymbolTable.h"
#include "string/String.h"
#include "string/StringBuilder.h"
#include "string/StringReader.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cwchar>
#include <sstream>

namespace fuzz {

namespace {

using namespace torv;

// A text for failure messages: printable ASCII as it is, the rest as \xHHHH.
std::string shown(const std::wstring& text)
{
    std::string out;
    for (const wchar_t unit : text) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%04X", static_cast<unsigned>(unit));
        out += unit >= 0x20 && unit < 0x7F ? std::string(1, static_cast<char>(unit)) : std::string(escaped);
    }
    return '"' + out + '"';
}

std::string shown(const String& text) { return shown(std::wstring(text.c_str(), text.length())); }

bool endsWith(const std::wstring& text, const std::wstring& tail)
{
    return tail.size() <= text.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::wstring toWide(const String& s) { return std::wstring(s.c_str(), s.length()); }

// ---- symbol-table reader ----------------------------------------------------

// Two reads of one header agree, and the name-to-value and value-to-names
// tables agree on every word of the input.
std::string symbols(const Bytes& input)
{
    SymbolTable first, second;
    std::istringstream firstIn(input), secondIn(input);
    if (first.parseHeaderFile(firstIn) != second.parseHeaderFile(secondIn))
        return "two reads of one header give different results";
    std::istringstream words(input);
    for (std::string word; words >> word;) {
        if (word.find('\0') != std::string::npos)
            continue;
        const String name(word.c_str());
        const unsigned int value = first.lookupSymbol(name);
        if (value != second.lookupSymbol(name))
            return "two reads give different values for " + shown(name);
        if (value != SymbolTable::UNKNOWN && first.lookupValue(value).count(name) == 0)
            return "value of " + shown(name) + " does not list the name";
    }
    return "";
}

// ---- path parsing and algebra ----------------------------------------------

// The empty relative directory renders as ".\", which reads back as the
// level ".": equal in name, yet a different path.
bool isEmptyRelative(const Directory& d) { return d.getFullName() == L".\\"; }
const Directory& directoryOf(const Directory& d) { return d; }
const Directory& directoryOf(const File& f) { return *f.getDirectory(); }

template <class Item>
std::string reparses(const SmartPtr<const Item>& item)
{
    const String name = item->getFullName();
    const SmartPtr<const Item> again = Item::fromString(name);
    if (!again)
        return "fromString(getFullName()) fails for " + shown(name);
    if (!(again->getFullName() == name))
        return "normalising twice changes " + shown(name) + " to " + shown(again->getFullName());
    if (isEmptyRelative(directoryOf(*item)))
        return "";
    if (item->equals(again) != FileSystemItem::Equal || again->equals(item) != FileSystemItem::Equal)
        return "path unequal to its reparse: " + shown(name);
    return "";
}

SmartPtr<const Directory> rootOf(SmartPtr<const Directory> d)
{
    while (SmartPtr<const Directory> parent = d->getParent())
        d = parent;
    return d;
}

// Network paths keep "." and ".." levels as written; the others are normalised.
bool hasDotLevels(const SmartPtr<const Directory>& d)
{
    const String name = d->getFullName();
    return name.find(L"\\.\\") >= 0 || name.find(L"\\..\\") >= 0;
}

bool normalisedOnOneRoot(const SmartPtr<const Directory>& a, const SmartPtr<const Directory>& b)
{
    return a->isAbsolute() && b->isAbsolute() && !hasDotLevels(a) && !hasDotLevels(b) &&
           _wcsicmp(rootOf(a)->getFullName().c_str(), rootOf(b)->getFullName().c_str()) == 0;
}

std::string pathPair(const SmartPtr<const Directory>& a, const SmartPtr<const Directory>& b)
{
    if (a->equals(b) != b->equals(a))
        return "equals is not symmetric for " + shown(a->getFullName()) + " and " + shown(b->getFullName());
    if (!normalisedOnOneRoot(a, b))
        return "";
    const SmartPtr<const Directory> relative = a->makeRelative(b);
    const SmartPtr<const Directory> back = relative ? b->combine(relative) : nullptr;
    if (!back || back->equals(a) != FileSystemItem::Equal)
        return "makeRelative then combine does not return " + shown(a->getFullName()) + " from " +
               shown(b->getFullName()) + ", got " + (back ? shown(back->getFullName()) : "null");
    return "";
}

// Input: one or two paths separated by '|'.
std::string paths(const Bytes& input)
{
    const std::wstring text = widen(input);
    const std::size_t bar = text.find(L'|');
    const String first(text.substr(0, bar).c_str());
    const SmartPtr<const Directory> a = Directory::fromString(first);
    const SmartPtr<const Directory> b =
        bar == std::wstring::npos ? SmartPtr<const Directory>() : Directory::fromString(text.substr(bar + 1).c_str());
    std::string failure;
    if (const SmartPtr<const File> file = File::fromString(first))
        failure = reparses(file);
    if (failure.empty() && a)
        failure = reparses(a);
    if (failure.empty() && b)
        failure = reparses(b);
    if (failure.empty() && a && b)
        failure = pathPair(a, b);
    return failure;
}

// ---- escape conversion -------------------------------------------------------

std::string escapes(const Bytes& input)
{
    const String original(widen(input).c_str());
    for (const bool unicode : {false, true}) {
        String escaped = original;
        escaped.controlsToEsc(unicode);
        String back = escaped;
        if (back.escToControls(unicode) != -1 || !(back == original))
            return "escape then unescape changes " + shown(original) + " to " + shown(back);
        for (int i = 0; unicode && i < escaped.length(); ++i) {
            if (escaped.c_str()[i] >= 0x80)
                return "\\u form leaves a non-ASCII unit in " + shown(escaped);
        }
        String raw = original;
        const int invalid = raw.escToControls(unicode);
        if (invalid != -1 &&
            (!(raw == original) || invalid < 0 || invalid >= original.length() || original.c_str()[invalid] != L'\\'))
            return "failed unescape of " + shown(original) + " reports " + std::to_string(invalid) + " and leaves " +
                   shown(raw);
    }
    return "";
}

// ---- String's operators against the builder and the reader ------------------

bool sameText(const String& a, const String& b)
{
    return a.isNil() == b.isNil() && a.length() == b.length() && toWide(a) == toWide(b);
}

template <class T>
bool sameValue(const T& a, const T& b)
{
    return a == b || (a != a && b != b); // NaN read as NaN
}
bool sameValue(const String& a, const String& b) { return sameText(a, b); }

// The start value of both reads: a failed read must keep it.
template <class T>
T unset()
{
    return static_cast<T>(7);
}
template <>
String unset<String>()
{
    return String(L"unset");
}

// One value read by String's >> and by the reader. String's >> leaves a tail
// of its text. The reader gives the same value and rest, or consumes a sign
// that String's >> leaves in place (then String carries on from the reader's
// rest), or fails where String's >> ends its text or would read the same
// value for ever; a failed read keeps the value and the position.
template <class Value>
std::string readBoth(String& s, StringReader& reader)
{
    Value value = unset<Value>(), readerValue = unset<Value>();
    const String before = s;
    const int position = reader.position();
    s >> value;
    if (!endsWith(toWide(before), toWide(s)))
        return "String's >> on " + shown(before) + " leaves " + shown(s) + ", not a tail";
    if (!(reader >> readerValue)) {
        if (!sameValue(readerValue, unset<Value>()) || reader.position() != position)
            return "a failed read on " + shown(before) + " changes the value or the position";
        String again = s;
        Value ignored{};
        again >> ignored;
        if (s.length() != 0 && !sameText(again, s))
            return "the reader fails on " + shown(before) + " where String's >> reads on";
        return "";
    }
    if (!sameValue(value, readerValue))
        return "String's >> and the reader read different values from " + shown(before);
    if (sameText(reader.rest(), s))
        return reader.atEnd() == (s.length() == 0) ? "" : "atEnd() disagrees with " + shown(s);
    const std::wstring left = toWide(s), readerLeft = toWide(reader.rest());
    if (left.size() < 2 || (left[0] != L'+' && left[0] != L'-') || readerLeft.size() >= left.size() ||
        !endsWith(left, readerLeft))
        return "from " + shown(before) + " String's >> leaves " + shown(s) + ", the reader " + shown(reader.rest());
    s = reader.rest();
    return "";
}

// Every type that >> reads, in the order in which an input picks them by number.
template <class... Types>
struct ReadTypes {
    static constexpr std::size_t count = sizeof...(Types);
    static constexpr std::string (*readers[])(String&, StringReader&) = {readBoth<Types>...};
};
using Read = ReadTypes<int, short, unsigned short, char, long, unsigned int, unsigned long, unsigned char, long long,
                       unsigned long long, double, float, bool, wchar_t, String>;

std::string readAgreement(const std::wstring& units)
{
    // Written, so that NULs at the end stay counted in the length.
    String s(L"");
    s.write(units.data(), static_cast<int>(units.size()));
    StringReader reader(s);
    const std::size_t first = units.empty() ? 0 : units[0];
    for (std::size_t step = 0; step < 64 && reader; ++step) {
        const std::string failure = Read::readers[(first + step) % Read::count](s, reader);
        if (!failure.empty())
            return "read " + std::to_string(step) + ": " + failure;
    }
    return "";
}

// Appends one value, drawn from the units at `at`, to both.
std::string appendBoth(String& s, StringBuilder& builder, const std::wstring& units, std::size_t& at)
{
    const wchar_t kind = units[at++];
    const wchar_t unit = at < units.size() ? units[at++] : L'\0';
    const std::size_t count = std::min<std::size_t>(unit % 8, units.size() - at);
    const String piece = String(L"").write(units.data() + at, static_cast<int>(count));
    const long long number = static_cast<long long>(unit) * 2654435761LL - 1000000000LL;
    at += count;
    const auto both = [&s, &builder](const auto& value) {
        s << value;
        builder << value;
    };
    String formatted;
    switch (kind % 10) {
    case 0:
        both(piece);
        break;
    case 1:
        both(unit);
        break;
    case 2:
        both(static_cast<int>(number));
        break;
    case 3:
        both(static_cast<unsigned long long>(number));
        break;
    case 4:
        both(number / 1e5);
        break;
    case 5:
        both(static_cast<float>(number / 1e3));
        break;
    case 6:
        both(static_cast<char>(unit));
        both(unit % 2 == 0);
        break;
    case 7:
        both(piece.c_str());
        break;
    case 8:
        s << formatted.printf(L"<%s|%c|%d>", piece, unit, static_cast<int>(number));
        builder.printf(L"<%s|%c|%d>", piece, unit, static_cast<int>(number));
        break;
    default:
        s.write(piece.c_str(), piece.length());
        builder.write(piece.c_str(), piece.length());
    }
    if (!sameText(builder.toString(), s))
        return "append " + std::to_string(kind % 10) + " gives " + shown(s) + " and in the builder " +
               shown(builder.toString());
    return "";
}

// String's appenders and >> against the builder and the reader, on the same
// input: the same texts, values and rests; every >> leaves a tail of the text.
std::string agreement(const Bytes& input)
{
    const std::wstring units = widen(input);
    String s(L"");
    StringBuilder builder;
    for (std::size_t at = 0; at < units.size();) {
        const std::string failure = appendBoth(s, builder, units, at);
        if (!failure.empty())
            return failure;
    }
    return readAgreement(units);
}

// ---- shortenString -------------------------------------------------------------

// Input: the maximum and head lengths as signed bytes, then the text.
std::string shortening(const Bytes& input)
{
    if (input.size() < 2)
        return "";
    const int maxLength = static_cast<signed char>(input[0]);
    const int headLength = static_cast<signed char>(input[1]);
    const String text(widen(input.substr(2)).c_str());
    const std::wstring original = toWide(text);
    const std::wstring result = toWide(text.shortenString(maxLength, headLength));
    if (text.length() <= maxLength)
        return result == original ? "" : "a short text changes: " + shown(original);
    // head + "..." + tail, the head from the front of the text, the tail from its end.
    for (std::size_t dots = result.find(L"..."); dots != std::wstring::npos; dots = result.find(L"...", dots + 1)) {
        if (original.compare(0, dots, result, 0, dots) == 0 && endsWith(original, result.substr(dots + 3)))
            return "";
    }
    return "shortenString(" + std::to_string(maxLength) + ", " + std::to_string(headLength) + ") of " +
           shown(original) + " gives " + shown(result);
}

// ---- numbered names ------------------------------------------------------------

// Input: four bytes of index, then the name.
std::string numbered(const Bytes& input)
{
    if (input.size() < 4)
        return "";
    unsigned int index = 0;
    for (int i = 0; i < 4; ++i)
        index = index << 8 | static_cast<unsigned char>(input[i]);
    index %= INT_MAX;
    String name(widen(input.substr(4)).c_str());
    name.setIndex(index);
    String up = name, down = name;
    up.incrementIndex();
    down.decrementIndex();
    if (name.getIndex() != index)
        return "setIndex(" + std::to_string(index) + ") reads back " + std::to_string(name.getIndex());
    if (up.getIndex() != index + 1)
        return "incrementIndex of " + shown(name) + " gives " + shown(up);
    if (index >= 2 && down.getIndex() != index - 1)
        return "decrementIndex of " + shown(name) + " gives " + shown(down);
    return "";
}

} // namespace

const std::vector<Target>& targets()
{
    using namespace std::string_literals;
    static const std::vector<Target> all = {
        {"symbols",
         symbols,
         {"#define ", "#define", " 0x", "0x7FFFFFFF", "4294967296", "99999999999", "\n", "\r\n", "ID_", "//", "/*",
          "*/", "(", ")", "-", "#undef ", "\t", "_APS_NEXT"}},
        {"paths",
         paths,
         {"\\\\?\\", "\\\\?\\UNC\\", "\\\\", "..", ".", "C:", "c:", "\\", "/", "|", "*", "?", "<", "CON", "NUL", " ",
          "Z:\\", "|C:\\", "\xFF\x00\xE9"s}},
        {"escapes",
         escapes,
         {"\\u", "\\u00e9", "\\uFFFF", "\\u0000", "\\n", "\\r", "\\\"", "\\\\", "\\x", "\xFF\x00\xE9"s, "\xFF\xD8\x00"s,
          "\xFF\x12\x34"}},
        {"agreement",
         agreement,
         {"true",        "false", "TRUE",         "+",    "-",  "0x", "1e308", "1e-400", "inf",
          "nan",         "\"",    "\\\"",         "\\\\", "\n", " ",  ".",     "\t",     "99999999999999999999",
          "-2147483649", "\0"s,   "\xFF\x06\x60"s}},
        {"shorten", shortening, {"/", "...", "//", "\\", "C:/", "\xFF\x00\xE9"s}},
        {"numbered",
         numbered,
         {"0", "9", "007", "2147483647", "4294967295", "-", "\xFF\x00\xB2"s, "\xFF\x06\x60", "\xFF\xFF\x10"}},
    };
    return all;
}

} // namespace fuzz
