#pragma once
/// @file
/// SymbolTable: a module's resource symbols, read from the C resource header
/// it embeds ("#define NAME value" lines), queried by name (without regard
/// to case) and by value.

#include "platform/Export.h"
#include "string/String.h"

#include <istream>
#include <map>
#include <set>
#include <vector>

namespace torv {

/// Name-to-value and value-to-names table of a module's resource symbols.
class TORV_API SymbolTable {
public:
    /// Names ordered without regard to case.
    using SymbolSet = std::set<String, StringLess2>;
    /// Every name with its value, ordered by name without regard to case.
    using SymbolMap = std::map<String, unsigned int, StringLess2>;

    /// A line that parseHeaderFile did not take.
    struct RejectedLine {
        /// Its number in the stream, from 1.
        int number;
        /// The line as read, without its end.
        String text;
        /// Why it was not taken, in words for a person.
        String reason;
    };

    /// The value of a name that is not defined.
    static constexpr unsigned int UNKNOWN = 0xFFFFFFFFu;
    /// The table without symbols, process-wide, owned by the library.
    static const SymbolTable EMPTY;

    /// An empty table.
    SymbolTable();
    /// A copy of other's symbols.
    SymbolTable(const SymbolTable& other);
    /// Replaces the symbols by a copy of other's.
    SymbolTable& operator=(const SymbolTable& other);
    ~SymbolTable();

    /// The value of name, UNKNOWN when it is not defined.
    unsigned int lookupSymbol(const String& name) const;
    /// The same as lookupSymbol.
    unsigned int operator[](const String& name) const { return lookupSymbol(name); }
    /// Every name defined with value, a copy owned by the caller; empty when
    /// there is none.
    SymbolSet lookupValue(unsigned int value) const;
    /// The same as lookupValue.
    SymbolSet operator[](unsigned int value) const { return lookupValue(value); }

    /// Reads every line of the stream. False when any line failed or the
    /// stream broke; the definitions of the good lines stay either way.
    /// A line of 255 or more characters ends the reading with false.
    bool parseHeaderFile(std::istream& in);

    /// Every symbol, for walking the table; each pair is what lookupSymbol
    /// gives for the name, and lookupValue for the value holds the name.
    const SymbolMap& symbols() const { return symbolToValue; }
    /// The lines that the readings so far did not take, in order, with why;
    /// a reading that ended early (a line too long, a broken stream) ends
    /// the list with the line where it stopped.
    const std::vector<RejectedLine>& rejectedLines() const { return rejected; }

private:
    // Null when the line is taken or has nothing to take; else why not.
    const wchar_t* parseLineHeaderFile(const String& line);
    // Lists the line; false, for a reading that ends there.
    bool rejectReading(int number, const String& text, const wchar_t* reason);

    SymbolMap symbolToValue;
    std::multimap<unsigned int, String> valueToSymbols;
    std::vector<RejectedLine> rejected;
};

} // namespace torv
