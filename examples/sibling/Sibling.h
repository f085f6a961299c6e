#pragma once
// What the example sibling module offers its hosts besides its classes.
#include "SiblingExport.h"
#include "string/String.h"

namespace torv {
class Module;
}

namespace sibling {

// The sibling's own Module, with its resources and symbols.
SIBLING_API const torv::Module& module();

// A greeting from the sibling's string table, in the language chosen for it.
SIBLING_API torv::String greeting();

// The name of that language, from the same string table.
SIBLING_API torv::String languageName();

} // namespace sibling
