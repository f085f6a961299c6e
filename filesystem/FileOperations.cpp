// The disk operations of File: queries, removal, copying, moving, touching.

#include "filesystem/File.h"

#include "filesystem/Directory.h"
#include "filesystem/FailureReport.h"
#include "filesystem/FileAttributes.h"
#include "filesystem/SystemPath.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

namespace torv {

namespace {

// Sets the last-write time of an open file to now.
bool stampLastWrite(HANDLE handle)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return SetFileTime(handle, nullptr, nullptr, &now) != 0;
}

// Opens the file once more through the C run-time and flushes it.
void commitThroughRuntime(const String& path)
{
    int descriptor = -1;
    if (_wsopen_s(&descriptor, path.c_str(), _O_RDWR, _SH_DENYNO, _S_IREAD | _S_IWRITE) != 0 || descriptor < 0)
        return;
    _commit(descriptor);
    _close(descriptor);
}

// A read-only file is never overwritten, not even where the system would
// let a privileged process do so.
bool isReadOnlyFile(const String& path)
{
    return hasAttribute(attributesAt(path), FILE_ATTRIBUTE_READONLY);
}

} // namespace

bool File::exists() const
{
    const DWORD attributes = attributesAt(getFullName());
    return attributes != INVALID_FILE_ATTRIBUTES && !hasAttribute(attributes, FILE_ATTRIBUTE_DIRECTORY);
}

bool File::getFileSize(ULARGE_INTEGER& size) const
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(systemPath(getFullName()).c_str(), GetFileExInfoStandard, &data))
        return false;
    size.HighPart = data.nFileSizeHigh;
    size.LowPart = data.nFileSizeLow;
    return true;
}

bool File::remove() const
{
    if (!exists())
        return true;
    if (DeleteFileW(systemPath(getFullName()).c_str()))
        return true;
    reportSystemFailure(L"Failed to delete file '%s'.\r\nWindows error message: %s", *this);
    return false;
}

// NOLINTNEXTLINE(performance-unnecessary-value-param): the exported signature takes it by value.
SmartPtr<const File> File::copy(SmartPtr<const Directory> target, bool overwrite) const
{
    if (!target)
        return nullptr;
    SmartPtr<const File> copied = fromString(*target, getName());
    if (!copied || !copy(copied, overwrite))
        return nullptr;
    return copied;
}

// NOLINTNEXTLINE(performance-unnecessary-value-param): the exported signature takes it by value.
bool File::copy(SmartPtr<const File> target, bool overwrite) const
{
    if (!target)
        return false;
    const String source = systemPath(getFullName());
    if (overwrite && isReadOnlyFile(target->getFullName()))
        SetLastError(ERROR_ACCESS_DENIED);
    else if (CopyFileW(source.c_str(), systemPath(target->getFullName()).c_str(), !overwrite))
        return true;
    reportSystemFailure(L"Failed to copy file '%s' to file '%s' because: %s", *this, *target);
    return false;
}

// NOLINTNEXTLINE(performance-unnecessary-value-param): the exported signature takes it by value.
bool File::move(SmartPtr<const File> target) const
{
    if (!target)
        return false;
    const String source = systemPath(getFullName());
    if (MoveFileW(source.c_str(), systemPath(target->getFullName()).c_str()))
        return true;
    reportSystemFailure(L"Failed to move file '%s' to file '%s' because: %s", *this, *target);
    return false;
}

bool File::touch() const
{
    const String path = systemPath(getFullName());
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool touched = GetLastError() != ERROR_ALREADY_EXISTS || stampLastWrite(handle);
    CloseHandle(handle);
    commitThroughRuntime(path);
    return touched;
}

} // namespace torv
