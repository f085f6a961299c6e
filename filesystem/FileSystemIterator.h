#pragma once
// Iterators over one directory search (FindFirstFileW / FindNextFileW):
// call getNext() until it yields null; after the end it keeps yielding
// null. Entries come in the file system's order, hidden and system entries
// included; "." and ".." never show. An entry whose name the path model
// rejects yields null once, and the search goes on after it.
//
// Copies of an iterator share one search: advancing either advances it for
// both, and the search handle is closed once, when the search ends or the
// last copy goes.

#include "filesystem/Directory.h"
#include "filesystem/File.h"
#include "object/BaseNode.h"
#include "object/SmartPtr.h"
#include "platform/Export.h"
#include "string/String.h"

#include <memory>
#include "platform/WinApi.h"

namespace torv {

class TORV_API FileSystemIterator : public BaseNode {
    TORV_DECLARE_CLASS(FileSystemIterator);

public:
    FileSystemIterator(const FileSystemIterator& other);
    FileSystemIterator& operator=(const FileSystemIterator& other);

    // The next subdirectory as a Directory or file as a File.
    SmartPtr<const FileSystemItem> getNext();

protected:
    friend class Directory;
    // `dir` is shared with every item handed out; it must be absolute.
    FileSystemIterator(const Directory& dir, const String& pattern);
    ~FileSystemIterator() override;

    void next();
    // Skips entries until one is accepted; false at the end of the search.
    bool skipTo(bool (*accepted)(const WIN32_FIND_DATAW& entry));
    SmartPtr<const Directory> takeDirectory();
    SmartPtr<const File> takeFile();

private:
    bool finished;
    SmartPtr<const Directory> directory;
    WIN32_FIND_DATAW current;
    std::shared_ptr<void> search; // the FindFirstFileW handle
};

class TORV_API DirectoryIterator : public FileSystemIterator {
    TORV_DECLARE_CLASS(DirectoryIterator);

public:
    DirectoryIterator(const DirectoryIterator& other);
    DirectoryIterator& operator=(const DirectoryIterator& other);
    ~DirectoryIterator() override;

    SmartPtr<const Directory> getNext();

private:
    friend class Directory;
    DirectoryIterator(const Directory& dir, const String& pattern);
};

class TORV_API FileIterator : public FileSystemIterator {
    TORV_DECLARE_CLASS(FileIterator);

public:
    FileIterator(const FileIterator& other);
    FileIterator& operator=(const FileIterator& other);
    ~FileIterator() override;

    virtual SmartPtr<const File> getNext();

protected:
    friend class Directory;
    FileIterator(const Directory& dir, const String& pattern);
};

} // namespace torv
