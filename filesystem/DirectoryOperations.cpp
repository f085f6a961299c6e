// The disk operations of Directory: queries, creation, removal, copying and
// the start of searches.

#include "filesystem/Directory.h"

#include "filesystem/FailureReport.h"
#include "filesystem/File.h"
#include "filesystem/FileAttributes.h"
#include "filesystem/FileSystemIterator.h"
#include "filesystem/NameCheck.h"
#include "filesystem/SystemPath.h"
#include "filesystem/TorvFileProgressInterface.h"

#include <shlwapi.h>

namespace torv {

namespace {

const wchar_t* const everything = L"*";

bool removeDirectoryEntry(const Directory& directory)
{
    if (RemoveDirectoryW(systemPath(directory.getFullName()).c_str()))
        return true;
    reportSystemFailure(L"Failed to remove directory '%s'.\r\nWindows error message: %s", directory);
    return false;
}

} // namespace

// Asked without the trailing backslash below a root, so that a file of
// the directory's name is found as well.
DWORD Directory::attributes() const
{
    const String fullName = getFullName();
    if (levels.empty())
        return attributesAt(fullName);
    return attributesAt(fullName.substr(0, fullName.length() - 1));
}

bool Directory::exists() const
{
    return attributes() != INVALID_FILE_ATTRIBUTES;
}

bool Directory::isDirectory() const
{
    return hasAttribute(attributes(), FILE_ATTRIBUTE_DIRECTORY);
}

// Junctions and symbolic links to directories.
bool Directory::isLink() const
{
    return hasAttribute(attributes(), FILE_ATTRIBUTE_REPARSE_POINT);
}

bool Directory::isEmpty() const
{
    return PathIsDirectoryEmptyW(systemPath(getFullName()).c_str()) == TRUE;
}

bool Directory::create() const
{
    if (!absolute) {
        const SmartPtr<const Directory> resolved = makeAbsolute();
        return resolved && resolved->create();
    }
    if (exists())
        return true;
    const SmartPtr<const Directory> parent = getParent();
    if (!parent) {
        reportFailure(L"The drive or network share '%s' does not exist or is inaccessible.", root);
        return false;
    }
    if (!parent->create())
        return false;
    if (CreateDirectoryW(systemPath(getFullName()).c_str(), nullptr))
        return true;
    reportSystemFailure(L"Failed to create the directory '%s'.\r\nWindows error message: %s", *this);
    return false;
}

bool Directory::remove(bool recursive) const
{
    if (!exists())
        return true;
    if (recursive && !isLink() && !removeContents(true))
        return false;
    return removeDirectoryEntry(*this);
}

bool Directory::removeContents(bool recursive) const
{
    if (!exists())
        return true;
    if (recursive && !removeSubdirectories())
        return false;
    return removeFiles();
}

// A link among the subdirectories goes as a link: its target stays.
bool Directory::removeSubdirectories() const
{
    const SmartPtr<DirectoryIterator> subdirectories = findDirectories(everything);
    if (!subdirectories)
        return true;
    for (SmartPtr<const Directory> sub = subdirectories->getNext(); sub; sub = subdirectories->getNext()) {
        if (!sub->exists())
            continue;
        if (!sub->isLink() && !sub->removeContents(true))
            return false;
        if (!removeDirectoryEntry(*sub))
            return false;
    }
    return true;
}

bool Directory::removeFiles() const
{
    const SmartPtr<FileIterator> files = findFiles(everything);
    if (!files)
        return true;
    for (SmartPtr<const File> file = files->getNext(); file; file = files->getNext()) {
        if (!file->remove())
            return false;
    }
    return true;
}

// NOLINTNEXTLINE(performance-unnecessary-value-param): the exported signature takes it by value.
bool Directory::copyContents(SmartPtr<const Directory> target, bool recursive, bool overwrite,
                             TorvFileProgressInterface* progress) const
{
    if (!exists() || !target || !target->exists())
        return false;
    return copySubdirectories(*target, recursive, overwrite, progress) &&
           copyFiles(target, overwrite, progress);
}

bool Directory::copySubdirectories(const Directory& target, bool recursive, bool overwrite,
                                   TorvFileProgressInterface* progress) const
{
    const SmartPtr<DirectoryIterator> subdirectories = findDirectories(everything);
    if (!subdirectories)
        return true;
    for (SmartPtr<const Directory> sub = subdirectories->getNext(); sub; sub = subdirectories->getNext()) {
        const SmartPtr<const Directory> targetSub = target.appendLevel(sub->getName());
        if (!targetSub)
            return false;
        // With `overwrite` an existing entry of that name is taken as it is.
        if (!targetSub->create() && !overwrite)
            return false;
        if (recursive && !sub->copyContents(targetSub, recursive, overwrite, progress))
            return false;
    }
    return true;
}

bool Directory::copyFiles(const SmartPtr<const Directory>& target, bool overwrite,
                          TorvFileProgressInterface* progress) const
{
    const SmartPtr<FileIterator> files = findFiles(everything);
    if (!files)
        return true;
    for (SmartPtr<const File> file = files->getNext(); file; file = files->getNext()) {
        if (!file->copy(target, overwrite))
            return false;
        if (progress)
            progress->onFileCopied();
    }
    return true;
}

SmartPtr<const Directory> Directory::searchBase(const String& pattern) const
{
    if (!isValidSearchPattern(pattern)) {
        reportFailure(L"The file or directory search string '%s' contains invalid characters.", pattern);
        return nullptr;
    }
    return makeAbsolute();
}

SmartPtr<FileSystemIterator> Directory::findContents(const String& pattern) const
{
    const SmartPtr<const Directory> base = searchBase(pattern);
    if (!base)
        return nullptr;
    return SmartPtr<FileSystemIterator>(new FileSystemIterator(*base, pattern));
}

SmartPtr<DirectoryIterator> Directory::findDirectories(const String& pattern) const
{
    const SmartPtr<const Directory> base = searchBase(pattern);
    if (!base)
        return nullptr;
    return SmartPtr<DirectoryIterator>(new DirectoryIterator(*base, pattern));
}

SmartPtr<FileIterator> Directory::findFiles(const String& pattern) const
{
    const SmartPtr<const Directory> base = searchBase(pattern);
    if (!base)
        return nullptr;
    return SmartPtr<FileIterator>(new FileIterator(*base, pattern));
}

} // namespace torv
