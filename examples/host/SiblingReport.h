#pragma once
// What the sibling module shows its host: texts from its string table in
// the chosen language, its classes in use and its resource symbols.
#include <ostream>

namespace host {

void printSiblingReport(std::ostream& out);

} // namespace host
