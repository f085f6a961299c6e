#pragma once
/// @file
/// StringResource: a string-table entry of a module, loaded on its first
/// conversion to String and kept from then on (the text, or the error text
/// "Error loading string resource!"). The first conversion of a shared
/// StringResource must not race.

#include "platform/Export.h"
#include "string/String.h"

namespace torv {

class Module;

/// A string-table entry, loaded on first use.
class TORV_API StringResource {
public:
    /// Not bound to any module: converts to String::NIL, never loads.
    StringResource();
    /// Entry id of module m, not loaded yet.
    StringResource(unsigned int id, const Module& m);

    /// The text, owned by this object; "Error loading string resource!"
    /// when the entry cannot be loaded.
    operator const String&() const;

private:
    unsigned int id;
    const Module* module;
    mutable String cached;
};

} // namespace torv
