#pragma once
// torvinspect's output of an Inspection: text for a person, or JSON with
// the same facts for tools. Both UTF-8.
#include "Inspection.h"

#include <ostream>

namespace inspect {

void printText(std::ostream& out, const Inspection& inspection);
void printJson(std::ostream& out, const Inspection& inspection);

} // namespace inspect
