#pragma once
// SymbolTable: a module's resource symbols, read from the C resource header
// it embeds ("#define NAME value" lines), queried by name (without regard
// to case) and by value.

#include "platform/Export.h"
#include "string/String.h"

#include <istream>
#include <map>
#include <set>

namespace torv {

class TORV_API SymbolTable {
public:
    using SymbolSet = std::set<String, StringLess2>;

    static constexpr unsigned int UNKNOWN = 0xFFFFFFFFu;
    static const SymbolTable EMPTY;

    SymbolTable();
    SymbolTable(const SymbolTable& other);
    SymbolTable& operator=(const SymbolTable& other);
    ~SymbolTable();

    // The value of name, UNKNOWN when it is not defined.
    unsigned int lookupSymbol(const String& name) const;
    unsigned int operator[](const String& name) const { return lookupSymbol(name); }
    // Every name defined with value; empty when there is none.
    SymbolSet lookupValue(unsigned int value) const;
    SymbolSet operator[](unsigned int value) const { return lookupValue(value); }

    // Reads every line of the stream. False when any line failed or the
    // stream broke; the definitions of the good lines stay either way.
    // A line of 255 or more characters ends the reading with false.
    bool parseHeaderFile(std::istream& in);

private:
    bool parseLineHeaderFile(const String& line);

    std::map<String, unsigned int, StringLess2> symbolToValue;
    std::multimap<unsigned int, String> valueToSymbols;
};

} // namespace torv
