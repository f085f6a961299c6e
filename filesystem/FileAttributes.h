#pragma once
// Internal: the attributes of whatever is at a path, asked afresh on every
// call, and what a directory search reports of an entry.

#include "platform/WinApi.h"
#include "string/String.h"

namespace torv {

// INVALID_FILE_ATTRIBUTES when nothing is there.
DWORD attributesAt(const String& path);

bool hasAttribute(DWORD attributes, DWORD attribute);

// The "." and ".." entries that a search of a directory other than a root
// reports.
bool isDotEntry(const WIN32_FIND_DATAW& entry);

} // namespace torv
