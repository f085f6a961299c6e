#include "module/SymbolTable.h"

#include <cwchar>

namespace torv {

namespace {

// getline with this count takes at most 254 characters per line.
const int LINE_BUFFER = 255;

const wchar_t DEFINE[] = L"#define";
const int DEFINE_LENGTH = 7;

// The resource editor's own bookkeeping symbols.
bool isEditorSymbol(const String& name) { return std::wcsncmp(name.c_str(), L"_APS", 4) == 0; }

// The text of the line from first (clamped to 0) up to end (-1: to the end).
String clampedSubstr(const String& line, int first, int end) { return line.substr(first < 0 ? 0 : first, end); }

} // namespace

SymbolTable::SymbolTable() = default;
SymbolTable::SymbolTable(const SymbolTable& other) = default;
SymbolTable& SymbolTable::operator=(const SymbolTable& other) = default;
SymbolTable::~SymbolTable() = default;

unsigned int SymbolTable::lookupSymbol(const String& name) const
{
    auto found = symbolToValue.find(name);
    return found == symbolToValue.end() ? UNKNOWN : found->second;
}

SymbolTable::SymbolSet SymbolTable::lookupValue(unsigned int value) const
{
    SymbolSet names;
    auto range = valueToSymbols.equal_range(value);
    for (auto it = range.first; it != range.second; ++it)
        names.insert(it->second);
    return names;
}

bool SymbolTable::parseHeaderFile(std::istream& in)
{
    bool result = true;
    char line[LINE_BUFFER];
    for (int number = 1; !in.eof() && !in.bad(); ++number) {
        // A stream that fails short of its end cannot be read further: it
        // broke, or a line did not fit the buffer.
        if (in.fail())
            return rejectReading(number, L"", L"the stream could not be read past this line");
        in.getline(line, LINE_BUFFER);
        if (in.fail() && !in.eof())
            return rejectReading(number, String(line), L"the line has 255 or more characters");
        const String text(line);
        if (const wchar_t* reason = parseLineHeaderFile(text)) {
            rejectReading(number, text, reason);
            result = false;
        }
    }
    return result && !in.bad();
}

bool SymbolTable::rejectReading(int number, const String& text, const wchar_t* reason)
{
    // A header written on Windows ends its lines in "\r\n".
    const int length = text.length();
    const bool carriageReturn = length > 0 && text[length - 1] == L'\r';
    rejected.push_back({number, carriageReturn ? text.substr(0, length - 1) : text, reason});
    return false;
}

const wchar_t* SymbolTable::parseLineHeaderFile(const String& line)
{
    if (line.isEmpty())
        return nullptr;
    const int define = line.find(DEFINE);
    if (define < 0)
        return nullptr;
    const int nameStart = line.findNonWS(define + DEFINE_LENGTH);
    if (nameStart < define + DEFINE_LENGTH + 1)
        return L"no blank and name follow #define";
    const int nameEnd = line.findWS(nameStart);
    const String name = clampedSubstr(line, nameStart, nameEnd);
    if (name.isEmpty())
        return L"no name follows #define";
    if (isEditorSymbol(name))
        return nullptr;

    // Nothing after the name: the token falls back to the line's first word.
    const int valueStart = line.findNonWS(nameEnd + 1);
    const int valueEnd = valueStart < 0 ? -1 : line.findWS(valueStart);
    const String token = clampedSubstr(line, valueStart, valueEnd);

    unsigned int value = UNKNOWN;
    String rest(token);
    rest >> value;
    // Nothing consumed: the token names an earlier symbol.
    if (rest == token) {
        value = lookupSymbol(token);
        if (value == UNKNOWN)
            return L"the value is neither an unsigned number nor a symbol defined above";
    }

    if (!symbolToValue.emplace(name, value).second)
        return L"the name is defined already";
    valueToSymbols.emplace(value, name);
    return nullptr;
}

} // namespace torv
