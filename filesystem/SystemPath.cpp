#include "filesystem/SystemPath.h"

namespace torv {

namespace {

const int longPathThreshold = 248;
// The most a counted system string holds: 65,535 bytes.
const int systemLimit = 32767;

bool hasDotLevel(const String& fullName)
{
    return fullName.find(L"\\.\\") >= 0 || fullName.find(L"\\..\\") >= 0 || fullName.endsWith(L"\\.") ||
           fullName.endsWith(L"\\..");
}

bool isDriveAbsolute(const String& fullName) { return fullName[1] == L':' && fullName[2] == L'\\'; }

String prefixedPath(const String& fullName)
{
    if (fullName.length() < longPathThreshold || hasDotLevel(fullName))
        return fullName;
    if (fullName.startsWith(L"\\\\"))
        return L"\\\\?\\UNC\\" + fullName.substr(2);
    if (isDriveAbsolute(fullName))
        return L"\\\\?\\" + fullName;
    return fullName;
}

} // namespace

bool exceedsSystemLimit(const String& fullName) { return prefixedPath(fullName).length() > systemLimit; }

String systemPath(const String& fullName)
{
    const String path = prefixedPath(fullName);
    return path.length() > systemLimit ? String::EMPTY : path;
}

} // namespace torv
