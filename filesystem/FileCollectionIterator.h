#pragma once
/// @file
/// FileCollectionIterator: walks a list of files that the caller already
/// has, through the same virtual getNext as a directory search.

#include "filesystem/FileSystemIterator.h"
#include "object/SmartPtr.h"
#include "platform/Export.h"

#include <vector>

namespace torv {

/// An iterator over a given list of files.
class TORV_API FileCollectionIterator : public FileIterator {
    TORV_DECLARE_CLASS(FileCollectionIterator);

public:
    /// Iterates over a copy of `files`, in list order; null when the
    /// current directory cannot be found.
    static SmartPtr<FileCollectionIterator> create(const std::vector<SmartPtr<const File>>& files);

    /// Shares the list and the position of other.
    FileCollectionIterator(const FileCollectionIterator& other);
    /// Takes over the list and the position of other.
    FileCollectionIterator& operator=(const FileCollectionIterator& other);

    /// The next element; a null element yields null and the walk goes on.
    SmartPtr<const File> getNext() override;

protected:
    /// Iterates over a copy of files; dir is the current directory.
    FileCollectionIterator(const std::vector<SmartPtr<const File>>& files, const Directory& dir);
    ~FileCollectionIterator() override;

private:
    std::vector<SmartPtr<const File>> files;
    /// Index of the element handed out last; -1 before the first.
    long long position;
};

} // namespace torv
