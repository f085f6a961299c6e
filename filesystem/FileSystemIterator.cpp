#include "filesystem/FileSystemIterator.h"

#include "filesystem/NameCheck.h"

#include "filesystem/FileAttributes.h"
#include "filesystem/SystemPath.h"

namespace torv {

TORV_DEFINE_CLASS(FileSystemIterator, BaseNode)
TORV_DEFINE_CLASS(DirectoryIterator, FileSystemIterator)
TORV_DEFINE_CLASS(FileIterator, FileSystemIterator)

namespace {

bool isDirectoryEntry(const WIN32_FIND_DATAW& entry)
{
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isFileEntry(const WIN32_FIND_DATAW& entry) { return !isDirectoryEntry(entry); }

bool isNamedEntry(const WIN32_FIND_DATAW& entry) { return !isDotEntry(entry); }

bool isSubdirectoryEntry(const WIN32_FIND_DATAW& entry) { return isDirectoryEntry(entry) && !isDotEntry(entry); }

void closeSearch(void* handle) { FindClose(static_cast<HANDLE>(handle)); }

// The errors with which a search ends complete: nothing more, or nothing there.
DWORD searchFailure(DWORD error)
{
    return error == ERROR_NO_MORE_FILES || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : error;
}

} // namespace

FileSystemIterator::FileSystemIterator(const Directory& dir, const String& pattern)
    : finished(false), directory(&dir), current(), searchError(0)
{
    const String text = systemPath(dir.getFullName() + pattern);
    HANDLE handle = FindFirstFileW(text.c_str(), &current);
    if (handle == INVALID_HANDLE_VALUE) {
        finished = true;
        searchError = searchFailure(GetLastError());
    } else
        search.reset(handle, closeSearch);
}

FileSystemIterator::FileSystemIterator(const FileSystemIterator& other) = default;

FileSystemIterator& FileSystemIterator::operator=(const FileSystemIterator& other) = default;

FileSystemIterator::~FileSystemIterator() = default;

void FileSystemIterator::next()
{
    if (FindNextFileW(static_cast<HANDLE>(search.get()), &current))
        return;
    searchError = searchFailure(GetLastError());
    search.reset();
    finished = true;
}

bool FileSystemIterator::skipTo(bool (*accepted)(const WIN32_FIND_DATAW& entry))
{
    rejected = String();
    while (!finished && !accepted(current))
        next();
    return !finished;
}

void FileSystemIterator::moveOn(bool handedOut, const String& name)
{
    if (!handedOut)
        rejected = name;
    next();
}

SmartPtr<const Directory> FileSystemIterator::takeDirectory()
{
    const String name(current.cFileName);
    // Checked first, so that the entry is passed over without the message
    // appendLevel gives a caller's bad name: the walk reports it once.
    SmartPtr<const Directory> item = isValidName(name) ? directory->appendLevel(name) : nullptr;
    moveOn(item.get() != nullptr, name);
    return item;
}

SmartPtr<const File> FileSystemIterator::takeFile()
{
    const String name(current.cFileName);
    listedSize = (static_cast<unsigned long long>(current.nFileSizeHigh) << 32) | current.nFileSizeLow;
    SmartPtr<const File> item = File::fromString(*directory, name);
    moveOn(item.get() != nullptr, name);
    return item;
}

SmartPtr<const FileSystemItem> FileSystemIterator::getNext()
{
    if (!skipTo(isNamedEntry))
        return nullptr;
    if (isDirectoryEntry(current))
        return takeDirectory();
    return takeFile();
}

DirectoryIterator::DirectoryIterator(const Directory& dir, const String& pattern) : FileSystemIterator(dir, pattern) {}

DirectoryIterator::DirectoryIterator(const DirectoryIterator& other) = default;

DirectoryIterator& DirectoryIterator::operator=(const DirectoryIterator& other) = default;

DirectoryIterator::~DirectoryIterator() = default;

SmartPtr<const Directory> DirectoryIterator::getNext()
{
    return skipTo(isSubdirectoryEntry) ? takeDirectory() : nullptr;
}

FileIterator::FileIterator(const Directory& dir, const String& pattern) : FileSystemIterator(dir, pattern) {}

FileIterator::FileIterator(const FileIterator& other) = default;

FileIterator& FileIterator::operator=(const FileIterator& other) = default;

FileIterator::~FileIterator() = default;

SmartPtr<const File> FileIterator::getNext() { return skipTo(isFileEntry) ? takeFile() : nullptr; }

} // namespace torv
