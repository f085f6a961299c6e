#pragma once
// A greeting from Words.dll's string table.
#include "object/BaseNode.h"
#include "string/String.h"
#include "words_export.h"

namespace words {

class WORDS_EXPORT Greeting : public torv::BaseNode {
    TORV_DECLARE_CLASS(Greeting);

public:
    // In the language chosen for Words.dll (English, or German with /lang=DEU).
    torv::String text() const;
};

// The symbol of the embedded resource header with this name; 0 if none.
WORDS_EXPORT unsigned int symbol(const torv::String& name);

} // namespace words
