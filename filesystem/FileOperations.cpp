// The disk operations of File: queries, removal, copying, moving, touching.

#include "filesystem/File.h"

#include "filesystem/Directory.h"
#include "filesystem/FailureReport.h"
#include "filesystem/FileAttributes.h"
#include "filesystem/FileCopy.h"
#include "filesystem/FileIdentity.h"
#include "filesystem/SystemPath.h"

#include <atomic>
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

// Sets `error` as the last error and gives false, for refusals made before
// any system call.
bool refuse(DWORD error)
{
    SetLastError(error);
    return false;
}

// Removes a file this copy or move has written, read-only or not, and
// keeps the last error of the failure that made it go.
void discard(const String& path)
{
    const DWORD error = GetLastError();
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
    SetLastError(error);
}

// A name beside `target` that no other copy uses, for a replacement while
// it is being written.
String partialPathFor(const File& target)
{
    static std::atomic<unsigned> counter{0};
    String name;
    name.printf(L"~%lx-%x.torvpartial", GetCurrentProcessId(), counter++);
    return systemPath(target.getDirectory()->getFullName() + name);
}

DWORD CALLBACK passOnProgress(LARGE_INTEGER, LARGE_INTEGER transferred, LARGE_INTEGER, LARGE_INTEGER, DWORD, DWORD,
                              HANDLE, HANDLE, LPVOID bytes)
{
    const auto copied = static_cast<unsigned long long>(transferred.QuadPart);
    return static_cast<ByteProgress*>(bytes)->advance(copied) ? PROGRESS_CONTINUE : PROGRESS_CANCEL;
}

// Copies to the new file `to`; what a copy that fails halfway (a full disk,
// a source that went, a cancel) has written goes again. A cancel that comes
// with the last bytes, after the system finished, takes the file back too.
bool copyToNewFile(const String& from, const String& to, ByteProgress* bytes)
{
    if (CopyFileExW(from.c_str(), to.c_str(), bytes ? passOnProgress : nullptr, bytes, nullptr,
                    COPY_FILE_FAIL_IF_EXISTS) &&
        (!bytes || bytes->finish()))
        return true;
    if (bytes && bytes->cancelled())
        SetLastError(ERROR_CANCELLED);
    if (GetLastError() != ERROR_FILE_EXISTS)
        discard(to);
    return false;
}

// An existing target is replaced only by a whole copy: written under a
// partial name beside it, then renamed over it, keeping the attributes the
// target had. A partial name left taken (by a process killed earlier that
// had the same number) is passed over for the next.
bool replaceWithCopy(const String& source, const File& target, DWORD attributes, ByteProgress* bytes)
{
    const String destination = systemPath(target.getFullName());
    String partial = partialPathFor(target);
    for (int attempt = 1; !copyToNewFile(source, partial, bytes); ++attempt) {
        if (GetLastError() != ERROR_FILE_EXISTS || attempt == 1000)
            return false;
        partial = partialPathFor(target);
    }
    if (MoveFileExW(partial.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        SetFileAttributesW(destination.c_str(), attributes);
        return true;
    }
    discard(partial);
    return false;
}

// No failure leaves a partial file under the target's name or changes an
// existing target. A read-only or hidden target is never overwritten, as
// the system's own copy refuses it, not even where the system would let a
// privileged process do so. On failure the last error says why.
bool copyWhole(const String& source, const File& target, bool overwrite, ByteProgress* bytes = nullptr)
{
    const DWORD existing = attributesAt(target.getFullName());
    if (existing == INVALID_FILE_ATTRIBUTES)
        return copyToNewFile(source, systemPath(target.getFullName()), bytes);
    if (!overwrite)
        return refuse(ERROR_FILE_EXISTS);
    if (hasAttribute(existing, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN))
        return refuse(ERROR_ACCESS_DENIED);
    return replaceWithCopy(source, target, existing, bytes);
}

// Asked of the file system, so that a short name, another drive letter or a
// link cannot pass a file off as another; the text decides only where
// either cannot be opened. The target is asked first: a new target is the
// common case, and costs one failed open.
bool isSameFile(const File& one, const SmartPtr<const File>& other)
{
    FileIdentity mine;
    FileIdentity theirs;
    if (identify(other->getFullName(), theirs) && identify(one.getFullName(), mine))
        return mine == theirs;
    return one.equals(other) == FileSystemItem::Equal;
}

// Across volumes the file is first copied whole, then the source is
// deleted; a source that cannot be deleted takes the copy back, so the file
// is never left in both places or half in one.
bool moveAcrossVolumes(const String& source, const File& target)
{
    if (!copyWhole(source, target, false))
        return false;
    if (DeleteFileW(source.c_str()))
        return true;
    discard(systemPath(target.getFullName()));
    return false;
}

} // namespace

bool copyFileTo(const File& source, const SmartPtr<const File>& target, bool overwrite, ByteProgress* bytes)
{
    if (!fitsSystem(source) || !fitsSystem(*target))
        return false;
    // The system's own copy fails this way onto its source.
    const bool copied = isSameFile(source, target)
                            ? refuse(ERROR_SHARING_VIOLATION)
                            : copyWhole(systemPath(source.getFullName()), *target, overwrite, bytes);
    if (copied)
        return true;
    if (bytes && bytes->cancelled())
        return refuse(ERROR_CANCELLED);
    reportSystemFailure(L"Failed to copy file '%s' to file '%s' because: %s", source, *target);
    return false;
}

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
    if (!fitsSystem(*this))
        return false;
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
    return target && copyFileTo(*this, target, overwrite, nullptr);
}

// NOLINTNEXTLINE(performance-unnecessary-value-param): the exported signature takes it by value.
bool File::move(SmartPtr<const File> target) const
{
    if (!target || !fitsSystem(*this) || !fitsSystem(*target))
        return false;
    const String source = systemPath(getFullName());
    if (MoveFileExW(source.c_str(), systemPath(target->getFullName()).c_str(), 0) ||
        (GetLastError() == ERROR_NOT_SAME_DEVICE && moveAcrossVolumes(source, *target)))
        return true;
    reportSystemFailure(L"Failed to move file '%s' to file '%s' because: %s", *this, *target);
    return false;
}

bool File::touch() const
{
    if (!fitsSystem(*this))
        return false;
    const String path = systemPath(getFullName());
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool touched = GetLastError() != ERROR_ALREADY_EXISTS || stampLastWrite(handle);
    CloseHandle(handle);
    commitThroughRuntime(path);
    return touched;
}

} // namespace torv
