// The disk operations of Directory: queries, creation, removal, copying and
// the start of searches.

#include "filesystem/Directory.h"

#include "filesystem/FailureReport.h"
#include "filesystem/File.h"
#include "filesystem/FileAttributes.h"
#include "filesystem/FileCopy.h"
#include "filesystem/FileIdentity.h"
#include "filesystem/FileSystemIterator.h"
#include "filesystem/NameCheck.h"
#include "filesystem/SystemPath.h"
#include "filesystem/TorvCopyObserver.h"

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

// Makes one directory whose parent exists; with `takeExisting` a directory
// already there counts as made (a file there does not).
bool makeDirectoryEntry(const Directory& directory, bool takeExisting = false)
{
    if (CreateDirectoryW(systemPath(directory.getFullName()).c_str(), nullptr))
        return true;
    const DWORD error = GetLastError();
    if (takeExisting && error == ERROR_ALREADY_EXISTS && directory.isDirectory())
        return true;
    reportSystemError(error, L"Failed to create the directory '%s'.\r\nWindows error message: %s", directory);
    return false;
}

// The next item of a search of `directory` into `item`; false at the end.
// An entry whose name no path can hold, and a listing that the system broke
// off, are reported and make `complete` false: the pass goes on with what it
// can reach, but cannot end in success. Without a search there is nothing.
template <class Iterator, class Item>
bool nextItem(const Directory& directory, Iterator* search, bool& complete, Item& item)
{
    while (search) {
        item = search->getNext();
        if (item)
            return true;
        if (search->getRejectedName().isNil())
            break;
        reportFailure(L"The entry '%s' in the directory '%s' has a name that no path can hold; it was passed over.",
                      search->getRejectedName(), directory.getFullName());
        complete = false;
    }
    if (search && search->getSearchError() != 0) {
        reportSystemError(search->getSearchError(), L"Failed to list the directory '%s'.\r\nWindows error message: %s",
                          directory);
        complete = false;
    }
    return false;
}

// One level of a tree walked without native recursion: the folder (null
// for the root, which the caller holds) and its search of subdirectories.
struct TreeLevel {
    SmartPtr<const Directory> folder;
    SmartPtr<DirectoryIterator> subdirectories;
    SmartPtr<const Directory> target; // the copy's counterpart
    bool complete;
};

// The next item of `search` into `item`, past names no path can hold,
// without a word: what the copy will meet and report itself.
template <class Iterator, class Item>
bool nextQuietly(Iterator* search, Item& item)
{
    while (search && !(item = search->getNext()))
        if (search->getRejectedName().isNil())
            return false;
    return search != nullptr;
}

} // namespace

// The options of one copy or removal of a tree, whether it has passed over
// an entry so far or was cancelled, and where the copy's source and target
// really are.
struct Directory::TreePass {
    bool recursive;
    bool overwrite = false;
    TorvFileProgressInterface* progress = nullptr;
    TorvCopyObserver* observer = nullptr; // the progress, where it is one
    bool complete = true;
    bool cancelled = false;
    Place source{};
    Place target{};

    bool cancel()
    {
        cancelled = true;
        return false;
    }
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

// The missing parents are made outermost first, in a loop: a path may be
// thousands of levels deep.
bool Directory::create() const
{
    if (!absolute) {
        const SmartPtr<const Directory> resolved = makeAbsolute();
        return resolved && resolved->create();
    }
    if (!fitsSystem(*this))
        return false;
    if (exists())
        return true;
    std::vector<SmartPtr<const Directory>> missing; // innermost first
    for (SmartPtr<const Directory> parent = getParent(); !parent || !parent->exists(); parent = parent->getParent()) {
        if (!parent) {
            reportFailure(L"The drive or network share '%s' does not exist or is inaccessible.", root);
            return false;
        }
        missing.push_back(parent);
    }
    for (auto level = missing.rbegin(); level != missing.rend(); ++level)
        if (!makeDirectoryEntry(**level))
            return false;
    return makeDirectoryEntry(*this);
}

bool Directory::remove(bool recursive) const
{
    if (!fitsSystem(*this))
        return false;
    if (!exists())
        return true;
    if (recursive && !isLink() && !removeContents(true))
        return false;
    return removeDirectoryEntry(*this);
}

bool Directory::removeContents(bool recursive) const
{
    if (!fitsSystem(*this))
        return false;
    if (!exists())
        return true;
    if (isLink()) {
        reportFailure(L"The directory '%s' is a link; the contents of its target are not removed.", getFullName());
        return false;
    }
    TreePass pass{recursive};
    return removeTree(pass) && pass.complete;
}

// Depth first, each subdirectory emptied before it goes. A link among the
// subdirectories goes as a link: its target stays. A subdirectory that keeps
// an entry passed over stays too.
bool Directory::removeTree(TreePass& pass) const
{
    if (!pass.recursive)
        return removeFiles(pass.complete);
    std::vector<TreeLevel> walk{{nullptr, findDirectories(everything), nullptr, true}};
    while (!walk.empty()) {
        TreeLevel& level = walk.back();
        const Directory& folder = level.folder ? *level.folder : *this;
        SmartPtr<const Directory> sub;
        if (nextItem(folder, level.subdirectories.get(), level.complete, sub)) {
            if (!sub->exists())
                continue;
            if (sub->isLink()) {
                if (!removeDirectoryEntry(*sub))
                    return false;
                continue;
            }
            walk.push_back({sub, sub->findDirectories(everything), nullptr, true});
            continue;
        }
        if (!folder.removeFiles(level.complete))
            return false;
        const TreeLevel done = level;
        walk.pop_back();
        if (walk.empty())
            pass.complete = done.complete;
        else if (!done.complete)
            walk.back().complete = false;
        else if (!removeDirectoryEntry(*done.folder))
            return false;
    }
    return true;
}

bool Directory::removeFiles(bool& complete) const
{
    const SmartPtr<FileIterator> files = findFiles(everything);
    SmartPtr<const File> file;
    while (nextItem(*this, files.get(), complete, file))
        if (!file->remove())
            return false;
    return true;
}

// NOLINTNEXTLINE(performance-unnecessary-value-param): the exported signature takes it by value.
bool Directory::copyContents(SmartPtr<const Directory> target, bool recursive, bool overwrite,
                             TorvFileProgressInterface* progress) const
{
    if (!fitsSystem(*this) || (target && !fitsSystem(*target)))
        return false;
    if (!exists() || !target || !target->exists())
        return false;
    TreePass pass{recursive, overwrite, progress, dynamic_cast<TorvCopyObserver*>(progress)};
    if (!isApartFrom(*target, pass.source, pass.target)) {
        reportFailure(L"The directory '%s' cannot be copied into '%s': one is the other or lies inside it.",
                      getFullName(), target->getFullName());
        return false;
    }
    if (pass.observer && pass.observer->wantsTotals()) {
        unsigned long long files = 0;
        unsigned long long bytes = 0;
        countTree(recursive, files, bytes);
        if (!pass.observer->onTotals(files, bytes))
            pass.cancel();
    }
    if (!pass.cancelled && copyTree(target, pass))
        return pass.complete;
    if (pass.cancelled)
        reportCodedFailure(ERROR_CANCELLED, L"The copy of the directory '%s' to '%s' was cancelled.", getFullName(),
                           target->getFullName());
    return false;
}

// The files and their bytes that a copy is to take, walked as the copy
// walks the tree, with the sizes the listings give.
void Directory::countTree(bool recursive, unsigned long long& files, unsigned long long& bytes) const
{
    const auto addFiles = [&](const Directory& folder) {
        const SmartPtr<FileIterator> search = folder.findFiles(everything);
        SmartPtr<const File> file;
        while (nextQuietly(search.get(), file)) {
            ++files;
            bytes += search->listedSize;
        }
    };
    addFiles(*this);
    std::vector<SmartPtr<DirectoryIterator>> searches;
    if (recursive)
        searches.push_back(findDirectories(everything));
    while (!searches.empty()) {
        SmartPtr<const Directory> sub;
        if (nextQuietly(searches.back().get(), sub)) {
            addFiles(*sub);
            searches.push_back(sub->findDirectories(everything));
        } else {
            searches.pop_back();
        }
    }
}

// Each subdirectory is finished with all its depth before the next starts,
// and a folder's files follow its subdirectories; the walk keeps its levels
// in a list rather than on the native stack. Only a target level itself is
// made, never its parents, so a target that went away during the copy fails
// it instead of being made again; a file where the folder goes fails it
// too. An existing folder is taken as it is, unless it is a link back.
bool Directory::copyTree(const SmartPtr<const Directory>& target, TreePass& pass) const
{
    std::vector<TreeLevel> walk{{nullptr, findDirectories(everything), target, true}};
    while (!walk.empty()) {
        TreeLevel& level = walk.back();
        const Directory& folder = level.folder ? *level.folder : *this;
        SmartPtr<const Directory> sub;
        if (nextItem(folder, level.subdirectories.get(), pass.complete, sub)) {
            const SmartPtr<const Directory> targetSub = level.target->appendLevel(sub->getName());
            if (!targetSub || !leadsAway(*sub, pass) || !fitsSystem(*targetSub) ||
                !makeDirectoryEntry(*targetSub, true) || !leadsAway(*targetSub, pass))
                return false;
            if (pass.recursive)
                walk.push_back({sub, sub->findDirectories(everything), targetSub, true});
            continue;
        }
        if (!folder.copyFiles(level.target, pass))
            return false;
        walk.pop_back();
    }
    return true;
}

// A link met during the copy, in the source or in the target, must lead
// away from both: into either, or around them, it would copy the tree into
// itself or over its own source.
bool Directory::leadsAway(const Directory& folder, const TreePass& pass)
{
    if (!folder.isLink())
        return true;
    Place place;
    if (locate(folder.getFullName(), place) && areApart(place, pass.source) && areApart(place, pass.target))
        return true;
    reportFailure(L"The directory '%s' is a link into the source or the target of the copy, or around them; "
                  L"it is not followed.",
                  folder.getFullName());
    return false;
}

bool Directory::copyFiles(const SmartPtr<const Directory>& target, TreePass& pass) const
{
    const SmartPtr<FileIterator> files = findFiles(everything);
    SmartPtr<const File> file;
    while (nextItem(*this, files.get(), pass.complete, file)) {
        if (pass.observer) {
            if (!copyObserved(*file, files->listedSize, target, pass))
                return false;
        } else if (!file->copy(target, pass.overwrite)) {
            return false;
        } else if (pass.progress) {
            pass.progress->onFileCopied();
        }
    }
    return true;
}

// One file told to the observer as it starts, goes and ends, and stopped,
// skipped, retried or cancelled as it answers.
bool Directory::copyObserved(const File& file, unsigned long long size, const SmartPtr<const Directory>& folder,
                             TreePass& pass)
{
    const SmartPtr<const File> target = File::fromString(*folder, file.getName());
    if (!target)
        return false;
    TorvCopyObserver& observer = *pass.observer;
    for (;;) {
        if (!observer.onFileStarting(file, *target, size))
            return pass.cancel();
        ByteProgress bytes(observer, size);
        SetLastError(ERROR_SUCCESS);
        if (copyFileTo(file, target, pass.overwrite, &bytes)) {
            observer.onFileCopied();
            return observer.onFileEnded(file, *target) || pass.cancel();
        }
        if (bytes.cancelled())
            return pass.cancel();
        switch (observer.onFileFailed(file, *target, GetLastError())) {
        case TorvCopyObserver::FailureChoice::Retry:
            continue;
        case TorvCopyObserver::FailureChoice::Skip:
            pass.complete = false;
            return true;
        case TorvCopyObserver::FailureChoice::Cancel:
            return pass.cancel();
        case TorvCopyObserver::FailureChoice::Stop:
            break;
        }
        return false;
    }
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
