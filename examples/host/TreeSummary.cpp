#include "TreeSummary.h"

#include "filesystem/Directory.h"
#include "filesystem/FileSystemIterator.h"

namespace host {

namespace {

void addFiles(const torv::Directory& folder, TreeSummary& summary)
{
    const torv::SmartPtr<torv::FileIterator> files = folder.findFiles(L"*");
    if (!files)
        return;
    for (torv::SmartPtr<const torv::File> file = files->getNext(); file; file = files->getNext()) {
        ULARGE_INTEGER size = {};
        ++summary.files;
        if (file->getFileSize(size))
            summary.bytes += size.QuadPart;
    }
}

void addTree(const torv::Directory& folder, TreeSummary& summary)
{
    addFiles(folder, summary);
    const torv::SmartPtr<torv::DirectoryIterator> folders = folder.findDirectories(L"*");
    if (!folders)
        return;
    for (torv::SmartPtr<const torv::Directory> sub = folders->getNext(); sub; sub = folders->getNext())
        addTree(*sub, summary);
}

} // namespace

TreeSummary summarizeTree(const torv::Directory& folder)
{
    TreeSummary summary;
    addTree(folder, summary);
    return summary;
}

} // namespace host
