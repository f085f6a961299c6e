#include "filesystem/FileAttributes.h"

#include "filesystem/SystemPath.h"

namespace torv {

DWORD attributesAt(const String& path) { return GetFileAttributesW(systemPath(path).c_str()); }

bool hasAttribute(DWORD attributes, DWORD attribute)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & attribute) != 0;
}

} // namespace torv
