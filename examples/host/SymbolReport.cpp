#include "SymbolReport.h"

#include "Console.h"
#include "module/SymbolTable.h"

namespace host {

namespace {

void printSymbol(std::ostream& out, const torv::SymbolTable& symbols, const wchar_t* name)
{
    const unsigned int value = symbols.lookupSymbol(torv::String(name));
    out << "  " << utf8(name) << " = ";
    if (value == torv::SymbolTable::UNKNOWN) {
        out << "unknown\n";
        return;
    }
    out << value << ", and " << value << " is";
    for (const torv::String& alias : symbols.lookupValue(value))
        out << ' ' << utf8(alias);
    out << '\n';
}

} // namespace

void printSymbols(std::ostream& out, const torv::SymbolTable& symbols, std::initializer_list<const wchar_t*> names)
{
    for (const wchar_t* name : names)
        printSymbol(out, symbols, name);
}

} // namespace host
