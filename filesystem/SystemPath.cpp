#include "filesystem/SystemPath.h"

namespace torv {

namespace {

const int longPathThreshold = 248;

bool hasDotLevel(const String& fullName)
{
    return fullName.find(L"\\.\\") >= 0 || fullName.find(L"\\..\\") >= 0 || fullName.endsWith(L"\\.") ||
           fullName.endsWith(L"\\..");
}

bool isDriveAbsolute(const String& fullName) { return fullName[1] == L':' && fullName[2] == L'\\'; }

} // namespace

String systemPath(const String& fullName)
{
    if (fullName.length() < longPathThreshold || hasDotLevel(fullName))
        return fullName;
    if (fullName.startsWith(L"\\\\"))
        return L"\\\\?\\UNC\\" + fullName.substr(2);
    if (isDriveAbsolute(fullName))
        return L"\\\\?\\" + fullName;
    return fullName;
}

} // namespace torv
