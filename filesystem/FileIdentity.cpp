#include "filesystem/FileIdentity.h"

#include "filesystem/SystemPath.h"

#include <string>

namespace torv {

namespace {

// Opened for attributes only, sharing everything, so that no other user of
// the file is disturbed; folders need backup semantics to be opened at all.
HANDLE openForIdentity(const String& fullName)
{
    return CreateFileW(systemPath(fullName).c_str(), FILE_READ_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool identityOf(HANDLE handle, FileIdentity& identity)
{
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(handle, &information))
        return false;
    identity.volume = information.dwVolumeSerialNumber;
    identity.index = (static_cast<ULONGLONG>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return true;
}

String finalPathOf(HANDLE handle)
{
    DWORD capacity = MAX_PATH;
    for (;;) {
        std::wstring buffer(capacity, L'\0');
        const DWORD length = GetFinalPathNameByHandleW(handle, &buffer[0], capacity, FILE_NAME_NORMALIZED);
        if (length == 0)
            return String();
        if (length < capacity)
            return String(buffer.c_str(), static_cast<int>(length));
        capacity = length + 1;
    }
}

// The length of the root of a final path: "\\?\C:\" or "\\?\UNC\server\share".
int rootLength(const String& finalPath)
{
    const wchar_t* const uncPrefix = L"\\\\?\\UNC\\";
    if (!finalPath.startsWith(uncPrefix))
        return 7;
    const int server = finalPath.find(L'\\', 8);
    const int share = server < 0 ? -1 : finalPath.find(L'\\', server + 1);
    return share < 0 ? finalPath.length() : share;
}

// The final path one folder up; NIL for a root.
String parentOf(const String& finalPath)
{
    const int root = rootLength(finalPath);
    if (finalPath.length() <= root)
        return String();
    const int cut = finalPath.findLastOf(L'\\');
    return finalPath.substr(0, cut < root ? root : cut);
}

} // namespace

bool identify(const String& fullName, FileIdentity& identity)
{
    const HANDLE handle = openForIdentity(fullName);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool known = identityOf(handle, identity);
    CloseHandle(handle);
    return known;
}

bool locate(const String& fullName, Place& place)
{
    const HANDLE handle = openForIdentity(fullName);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    place.finalPath = finalPathOf(handle);
    const bool known = identityOf(handle, place.identity) && !place.finalPath.isEmpty();
    CloseHandle(handle);
    return known;
}

bool liesWithin(const Place& inner, const FileIdentity& outer)
{
    if (inner.identity == outer)
        return true;
    for (String folder = parentOf(inner.finalPath); !folder.isNil(); folder = parentOf(folder)) {
        FileIdentity identity;
        if (identify(folder, identity) && identity == outer)
            return true;
    }
    return false;
}

bool areApart(const Place& one, const Place& other)
{
    return !liesWithin(one, other.identity) && !liesWithin(other, one.identity);
}

bool equalFoldingCase(const String& a, const String& b)
{
    return CompareStringOrdinal(a.c_str(), a.length(), b.c_str(), b.length(), TRUE) == CSTR_EQUAL;
}

} // namespace torv
