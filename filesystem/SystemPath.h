#pragma once
// The text handed to the system's file calls for a full name. Long absolute
// names get the long-path prefix so that they work beyond MAX_PATH; the
// prefix is never part of a full name itself.

#include "string/String.h"

namespace torv {

// The full name itself, or with "\\?\" (drives) or "\\?\UNC\" (network
// shares) in front when it is at least 248 characters long (the limit of
// CreateDirectoryW) and holds no "." or ".." level, which the prefix would
// no longer resolve.
// Empty for a name longer than the system can take, so that no call can
// wrap it round to another, shorter name.
String systemPath(const String& fullName);

// True when the system cannot take the full name, long-path prefix included.
bool exceedsSystemLimit(const String& fullName);

} // namespace torv
