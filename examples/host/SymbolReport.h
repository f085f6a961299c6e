#pragma once
// Resource symbols of a module looked up by name and back by value.
#include <initializer_list>
#include <ostream>

namespace torv {
class SymbolTable;
}

namespace host {

void printSymbols(std::ostream& out, const torv::SymbolTable& symbols, std::initializer_list<const wchar_t*> names);

} // namespace host
