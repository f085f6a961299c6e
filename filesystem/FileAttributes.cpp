#include "filesystem/FileAttributes.h"

#include "filesystem/SystemPath.h"

namespace torv {

DWORD attributesAt(const String& path) { return GetFileAttributesW(systemPath(path).c_str()); }

bool hasAttribute(DWORD attributes, DWORD attribute)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & attribute) != 0;
}

bool isDotEntry(const WIN32_FIND_DATAW& entry)
{
    const wchar_t* name = entry.cFileName;
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

} // namespace torv
