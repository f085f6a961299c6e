#pragma once
// The module list of the process: every code module that has a Module, in
// the order they registered, with its file and its language.
#include <ostream>

namespace host {

void printModuleReport(std::ostream& out);

} // namespace host
