#pragma once
/// @file
/// Iterators over one directory search (FindFirstFileW / FindNextFileW):
/// call getNext() until it yields null; after the end it keeps yielding
/// null. Entries come in the file system's order, hidden and system entries
/// included; "." and ".." never show. An entry whose name the path model
/// rejects (a name ending in a dot or a blank, say) yields null once, and the
/// search goes on after it; getRejectedName() tells such a null from the end.
/// A listing the system breaks off (access denied, a network error) ends
/// the search as well; getSearchError() tells that end from a complete one.
///
/// Copies of an iterator share one search: advancing either advances it for
/// both, and the search handle is closed once, when the search ends or the
/// last copy goes.

#include "filesystem/Directory.h"
#include "filesystem/File.h"
#include "object/BaseNode.h"
#include "object/SmartPtr.h"
#include "platform/Export.h"
#include "string/String.h"

#include "platform/WinApi.h"
#include <memory>

namespace torv {

/// A search over one directory, handing out subdirectories and files.
class TORV_API FileSystemIterator : public BaseNode {
    TORV_DECLARE_CLASS(FileSystemIterator);

public:
    /// Shares the search of other.
    FileSystemIterator(const FileSystemIterator& other);
    /// Shares the search of other, leaving its own.
    FileSystemIterator& operator=(const FileSystemIterator& other);

    /// The next subdirectory as a Directory or file as a File.
    SmartPtr<const FileSystemItem> getNext();
    /// The name of the entry that the last getNext() passed over because the
    /// path model rejects it; NIL when that call handed out an item or found
    /// the end of the search.
    const String& getRejectedName() const { return rejected; }
    /// The system error that ended the search before its last entry; 0 while
    /// it goes on and when it ended complete (no more entries, nothing there).
    DWORD getSearchError() const { return searchError; }

protected:
    friend class Directory;
    /// `dir` is shared with every item handed out; it must be absolute.
    FileSystemIterator(const Directory& dir, const String& pattern);
    ~FileSystemIterator() override;

    /// Moves the shared search to its next entry.
    void next();
    /// Skips entries until one is accepted; false at the end of the search.
    bool skipTo(bool (*accepted)(const WIN32_FIND_DATAW& entry));
    /// Advances past the current entry; remembers its name when the entry
    /// could not be handed out.
    void moveOn(bool handedOut, const String& name);
    /// The current entry as a Directory below the searched one.
    SmartPtr<const Directory> takeDirectory();
    /// The current entry as a File in the searched directory.
    SmartPtr<const File> takeFile();

private:
    bool finished;
    SmartPtr<const Directory> directory;
    WIN32_FIND_DATAW current;
    std::shared_ptr<void> search; // the FindFirstFileW handle
    String rejected;
    DWORD searchError;
    // The size of the last file handed out, as the search listed it, so
    // that a tree copy's progress needs no query per file.
    unsigned long long listedSize = 0;
};

/// A search that hands out subdirectories only.
class TORV_API DirectoryIterator : public FileSystemIterator {
    TORV_DECLARE_CLASS(DirectoryIterator);

public:
    /// Shares the search of other.
    DirectoryIterator(const DirectoryIterator& other);
    /// Shares the search of other, leaving its own.
    DirectoryIterator& operator=(const DirectoryIterator& other);
    ~DirectoryIterator() override;

    /// The next subdirectory; null at the end, or once for a rejected name.
    SmartPtr<const Directory> getNext();

private:
    friend class Directory;
    DirectoryIterator(const Directory& dir, const String& pattern);
};

/// A search that hands out files only.
class TORV_API FileIterator : public FileSystemIterator {
    TORV_DECLARE_CLASS(FileIterator);

public:
    /// Shares the search of other.
    FileIterator(const FileIterator& other);
    /// Shares the search of other, leaving its own.
    FileIterator& operator=(const FileIterator& other);
    ~FileIterator() override;

    /// The next file; null at the end, or once for a rejected name.
    virtual SmartPtr<const File> getNext();

protected:
    friend class Directory;
    /// Searches dir (absolute) with pattern.
    FileIterator(const Directory& dir, const String& pattern);
};

} // namespace torv
