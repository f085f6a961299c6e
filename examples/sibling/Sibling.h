#pragma once
// What the example sibling module offers its hosts besides its classes.
#include "sibling_export.h"
#include "string/String.h"

namespace torv {
class Module;
}

namespace sibling {

// The sibling's own Module, with its resources and symbols.
SIBLING_EXPORT const torv::Module& module();

// A greeting from the sibling's string table, in the language chosen for it.
SIBLING_EXPORT torv::String greeting();

// The name of that language, from the same string table.
SIBLING_EXPORT torv::String languageName();

} // namespace sibling
