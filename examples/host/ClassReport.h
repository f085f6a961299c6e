#pragma once
// The process-wide class registry as an indented tree, each class with the
// code module that defined it.
#include <ostream>

namespace host {

void printClassTree(std::ostream& out);

} // namespace host
