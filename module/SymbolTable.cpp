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
    while (!in.eof() && !in.bad()) {
        // A stream that fails short of its end cannot be read further: it
        // broke, or a line did not fit the buffer.
        if (in.fail())
            return false;
        in.getline(line, LINE_BUFFER);
        if (in.fail() && !in.eof())
            return false;
        result = parseLineHeaderFile(String(line)) && result;
    }
    return result && !in.bad();
}

bool SymbolTable::parseLineHeaderFile(const String& line)
{
    if (line.isEmpty())
        return true;
    const int define = line.find(DEFINE);
    if (define < 0)
        return true;
    const int nameStart = line.findNonWS(define + DEFINE_LENGTH);
    if (nameStart < define + DEFINE_LENGTH + 1)
        return false;
    const int nameEnd = line.findWS(nameStart);
    const String name = clampedSubstr(line, nameStart, nameEnd);
    if (name.isEmpty())
        return false;
    if (isEditorSymbol(name))
        return true;

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
            return false;
    }

    if (!symbolToValue.emplace(name, value).second)
        return false;
    valueToSymbols.emplace(value, name);
    return true;
}

} // namespace torv
