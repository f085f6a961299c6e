#pragma once
// Checks for one path component and for a search pattern. Internal to the
// library: the path parsers and the searches use them before they build
// anything, and compose their own messages on failure.

#include "string/String.h"

namespace torv {

// One directory or file name: "." and ".." pass; control characters, the
// reserved characters *?<>:"\/| and a trailing blank or dot do not.
bool isValidName(const String& name);

// A pattern for a directory search: like a name, but the wildcards * and ?
// are allowed and "." and ".." are not.
bool isValidSearchPattern(const String& text);

} // namespace torv
