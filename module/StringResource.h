#pragma once
// StringResource: a string-table entry of a module, loaded on its first
// conversion to String and kept from then on (the text, or the error text
// "Error loading string resource!"). The first conversion of a shared
// StringResource must not race.

#include "platform/Export.h"
#include "string/String.h"

namespace torv {

class Module;

class TORV_API StringResource {
public:
    // Not bound to any module: converts to String::NIL, never loads.
    StringResource();
    StringResource(unsigned int id, const Module& m);

    operator const String&() const;

private:
    unsigned int id;
    const Module* module;
    mutable String cached;
};

} // namespace torv
