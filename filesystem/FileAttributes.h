#pragma once
// Internal: the attributes of whatever is at a path, asked afresh on every
// call.

#include "platform/WinApi.h"
#include "string/String.h"

namespace torv {

// INVALID_FILE_ATTRIBUTES when nothing is there.
DWORD attributesAt(const String& path);

bool hasAttribute(DWORD attributes, DWORD attribute);

} // namespace torv
