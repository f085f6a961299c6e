#include "filesystem/FileSystemItem.h"

#include "filesystem/FailureReport.h"
#include "filesystem/SystemPath.h"

#include <aclapi.h>

namespace torv {

TORV_DEFINE_CLASS(FileSystemItem, BaseNode)

FileSystemItem::FileSystemItem() = default;

FileSystemItem::FileSystemItem(const FileSystemItem& other) = default;

FileSystemItem& FileSystemItem::operator=(const FileSystemItem& other) = default;

FileSystemItem::~FileSystemItem() = default;

void FileSystemItem::reportError(const String&) {}

namespace {

String withoutTrailingSeparator(const String& path)
{
    if (path.endsWith(L"\\") || path.endsWith(L"/"))
        return path.substr(0, path.length() - 1);
    return path;
}

// A duplicate of the thread's token, or of the process token when the
// thread is not impersonating; null on failure.
HANDLE openImpersonationToken()
{
    const DWORD rights = TOKEN_DUPLICATE | TOKEN_IMPERSONATE | TOKEN_QUERY;
    HANDLE token = nullptr;
    if (!OpenThreadToken(GetCurrentThread(), rights, TRUE, &token)) {
        if (GetLastError() != ERROR_NO_TOKEN || !OpenProcessToken(GetCurrentProcess(), rights, &token))
            return nullptr;
    }
    HANDLE duplicate = nullptr;
    const BOOL duplicated = DuplicateToken(token, SecurityImpersonation, &duplicate);
    CloseHandle(token);
    return duplicated ? duplicate : nullptr;
}

DWORD requestedAccess(int mode)
{
    DWORD mask = 0;
    if (mode & 4)
        mask |= FILE_GENERIC_READ;
    if (mode & 2)
        mask |= FILE_GENERIC_WRITE;
    return mask;
}

bool isGranted(PSECURITY_DESCRIPTOR descriptor, DWORD requested)
{
    HANDLE token = openImpersonationToken();
    if (!token)
        return false;
    GENERIC_MAPPING mapping = {0x20089, 0x116, 0x200A0, 0x1F01FF};
    PRIVILEGE_SET privileges;
    DWORD privilegesLength = sizeof(privileges);
    DWORD granted = 0;
    BOOL status = FALSE;
    const BOOL checked =
        AccessCheck(descriptor, token, requested, &mapping, &privileges, &privilegesLength, &granted, &status);
    CloseHandle(token);
    return checked && granted == requested;
}

bool readAttributes(const FileSystemItem& item, WIN32_FILE_ATTRIBUTE_DATA& data)
{
    return GetFileAttributesExW(systemPath(item.getFullName()).c_str(), GetFileExInfoStandard, &data) != 0;
}

// A null `time` is a failure like any other, not a crash.
bool readTime(const FileSystemItem& item, FILETIME WIN32_FILE_ATTRIBUTE_DATA::*which, FILETIME* time)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!time || !readAttributes(item, data))
        return false;
    *time = data.*which;
    return true;
}

} // namespace

bool FileSystemItem::stat(struct _stat64i32& st) const
{
    const String path = withoutTrailingSeparator(getFullName());
    const char* narrow = path.stringAnsi();
    return narrow && _stat64i32(narrow, &st) == 0;
}

bool FileSystemItem::access(int mode) const
{
    if (!exists())
        return false;
    const String path = systemPath(getFullName());
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const DWORD read =
        GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT,
                              OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                              nullptr, nullptr, nullptr, nullptr, &descriptor);
    if (read != ERROR_SUCCESS)
        return false;
    const bool granted = isGranted(descriptor, requestedAccess(mode));
    LocalFree(descriptor);
    return granted;
}

bool FileSystemItem::getLastWriteTime(FILETIME* time) const
{
    return readTime(*this, &WIN32_FILE_ATTRIBUTE_DATA::ftLastWriteTime, time);
}

bool FileSystemItem::getCreationTime(FILETIME* time) const
{
    return readTime(*this, &WIN32_FILE_ATTRIBUTE_DATA::ftCreationTime, time);
}

String getWindowsError() { return systemErrorText(GetLastError()); }

String systemErrorText(DWORD code)
{
    if (code == 0)
        return String::EMPTY;
    // No arguments are passed: a message with inserts yields no text and
    // falls back to the bracketed code.
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM;
    wchar_t* buffer = nullptr;
    FormatMessageW(flags, nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    String text;
    if (!buffer)
        return text.printf(L"[0x%08x]", static_cast<unsigned int>(code));
    int length = static_cast<int>(wcslen(buffer));
    while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n'))
        --length;
    text = String(buffer, length);
    LocalFree(buffer);
    return text;
}

} // namespace torv
