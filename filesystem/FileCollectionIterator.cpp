#include "filesystem/FileCollectionIterator.h"

namespace torv {

TORV_DEFINE_CLASS(FileCollectionIterator, FileIterator)

SmartPtr<FileCollectionIterator> FileCollectionIterator::create(const std::vector<SmartPtr<const File>>& files)
{
    const SmartPtr<const Directory> current = SmartPtr<const Directory>(new Directory)->makeAbsolute();
    if (!current)
        return nullptr;
    return SmartPtr<FileCollectionIterator>(new FileCollectionIterator(files, *current));
}

// The inherited search over an empty pattern finds nothing and is finished
// from the start; only the list is walked.
FileCollectionIterator::FileCollectionIterator(const std::vector<SmartPtr<const File>>& list, const Directory& dir)
    : FileIterator(dir, String()), files(list), position(-1)
{
}

FileCollectionIterator::FileCollectionIterator(const FileCollectionIterator& other) = default;

FileCollectionIterator& FileCollectionIterator::operator=(const FileCollectionIterator& other) = default;

FileCollectionIterator::~FileCollectionIterator() = default;

SmartPtr<const File> FileCollectionIterator::getNext()
{
    const auto size = static_cast<long long>(files.size());
    if (position >= size)
        return nullptr;
    ++position;
    if (position == size)
        return nullptr;
    return files[static_cast<std::size_t>(position)];
}

} // namespace torv
