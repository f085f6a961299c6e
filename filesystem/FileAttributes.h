#pragma once
// Internal: the attributes of whatever is at an item's full name, asked
// afresh on every call.

#include "filesystem/FileSystemItem.h"

namespace torv {

// INVALID_FILE_ATTRIBUTES when nothing is there.
DWORD attributesOf(const FileSystemItem& item);

bool hasAttribute(DWORD attributes, DWORD attribute);

} // namespace torv
