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

// Hands each item of a search to `act` and stops at the first that fails.
// An entry whose name the path model rejects is reported and passed over,
// and `complete` becomes false, so that the pass cannot end in success.
// Without a search there is nothing to do.
template <class Iterator, class Act>
bool forEachItem(const Directory& directory, const SmartPtr<Iterator>& search, bool& complete, Act act)
{
    if (!search)
        return true;
    for (;;) {
        const auto item = search->getNext();
        if (item) {
            if (!act(item))
                return false;
        } else if (search->getRejectedName().isNil()) {
            return true;
        } else {
            reportFailure(L"The entry '%s' in the directory '%s' has a name that no path can hold; it was passed over.",
                          search->getRejectedName(), directory.getFullName());
            complete = false;
        }
    }
}

} // namespace

// The options of one copy or removal of a tree, and whether it has passed
// over an entry so far.
struct Directory::TreePass {
    bool recursive;
    bool overwrite;
    TorvFileProgressInterface* progress;
    bool complete;
};

// Asked without the trailing backslash below a root, so that a file of
// the directory's name is found as well.
DWORD Directory::attributes() const
{
    const String fullName = getFullName();
    if (levels.empty())
        return attributesAt(fullName);
    return attributesAt(fullName.substr(0, fullName.length() - 1));
}

bool Directory::exists() const { return attributes() != INVALID_FILE_ATTRIBUTES; }

bool Directory::isDirectory() const { return hasAttribute(attributes(), FILE_ATTRIBUTE_DIRECTORY); }

// Junctions and symbolic links to directories.
bool Directory::isLink() const { return hasAttribute(attributes(), FILE_ATTRIBUTE_REPARSE_POINT); }

// Asked through a search rather than the shell's test, which fails beyond
// MAX_PATH. A directory that cannot be searched does not count as empty.
bool Directory::isEmpty() const
{
    const SmartPtr<const Directory> absoluteForm = makeAbsolute();
    if (!absoluteForm || !isDirectory())
        return false;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW(systemPath(absoluteForm->getFullName() + everything).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND; // a drive's root has no "." entry
    bool empty = true;
    do
        empty = isDotEntry(entry);
    while (empty && FindNextFileW(search, &entry));
    FindClose(search);
    return empty;
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
    if (isLink()) {
        reportFailure(L"The directory '%s' is a link; the contents of its target are not removed.", getFullName());
        return false;
    }
    TreePass pass{recursive, false, nullptr, true};
    return removeTree(pass) && pass.complete;
}

bool Directory::removeTree(TreePass& pass) const
{
    return (!pass.recursive || removeSubdirectories(pass)) && removeFiles(pass);
}

// A link among the subdirectories goes as a link: its target stays. A
// subdirectory that keeps an entry passed over stays too.
bool Directory::removeSubdirectories(TreePass& pass) const
{
    return forEachItem(*this, findDirectories(everything), pass.complete,
                       [&pass](const SmartPtr<const Directory>& sub) {
                           if (!sub->exists())
                               return true;
                           TreePass within{true, false, nullptr, true};
                           if (!sub->isLink() && !sub->removeTree(within))
                               return false;
                           if (within.complete)
                               return removeDirectoryEntry(*sub);
                           pass.complete = false;
                           return true;
                       });
}

bool Directory::removeFiles(TreePass& pass) const
{
    return forEachItem(*this, findFiles(everything), pass.complete,
                       [](const SmartPtr<const File>& file) { return file->remove(); });
}

// NOLINTNEXTLINE(performance-unnecessary-value-param): the exported signature takes it by value.
bool Directory::copyContents(SmartPtr<const Directory> target, bool recursive, bool overwrite,
                             TorvFileProgressInterface* progress) const
{
    if (!exists() || !target || !target->exists())
        return false;
    if (!isApartFrom(*target)) {
        reportFailure(L"The directory '%s' cannot be copied into '%s': one is the other or lies inside it.",
                      getFullName(), target->getFullName());
        return false;
    }
    TreePass pass{recursive, overwrite, progress, true};
    return copyTree(target, pass) && pass.complete;
}

bool Directory::copyTree(const SmartPtr<const Directory>& target, TreePass& pass) const
{
    if (!exists() || !target->exists())
        return false;
    return copySubdirectories(*target, pass) && copyFiles(target, pass);
}

bool Directory::copySubdirectories(const Directory& target, TreePass& pass) const
{
    return forEachItem(*this, findDirectories(everything), pass.complete, [&](const SmartPtr<const Directory>& sub) {
        const SmartPtr<const Directory> targetSub = target.appendLevel(sub->getName());
        if (!targetSub)
            return false;
        // With `overwrite` an existing entry of that name is taken as it is.
        if (!targetSub->create() && !pass.overwrite)
            return false;
        return !pass.recursive || sub->copyTree(targetSub, pass);
    });
}

bool Directory::copyFiles(const SmartPtr<const Directory>& target, TreePass& pass) const
{
    return forEachItem(*this, findFiles(everything), pass.complete, [&](const SmartPtr<const File>& file) {
        if (!file->copy(target, pass.overwrite))
            return false;
        if (pass.progress)
            pass.progress->onFileCopied();
        return true;
    });
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
