#include "CopyCommand.h"

#include "Console.h"
#include "DefaultTree.h"
#include "ProgressBar.h"
#include "filesystem/Directory.h"
#include "filesystem/FailureLog.h"

#include <chrono>
#include <iomanip>

namespace host {

namespace {

using DirectoryPtr = torv::SmartPtr<const torv::Directory>;

int fail(std::ostream& out, const char* message, const torv::String& path)
{
    out << message << ": " << utf8(path) << '\n';
    return 1;
}

DirectoryPtr absoluteFolder(const torv::String& path)
{
    const torv::SmartPtr<torv::Directory> folder = torv::Directory::fromString(path);
    return folder ? folder->makeAbsolute() : nullptr;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Every reason the library gave, as it gave it.
void printReasons(std::ostream& out, const torv::FailureLog& log)
{
    for (const torv::FailureLog::Entry& failure : log.failures())
        out << "  " << utf8(failure.text) << '\n';
}

int copyTree(std::ostream& out, const torv::Directory& source, const DirectoryPtr& target)
{
    out << "Copying " << utf8(source.getFullName()) << " to " << utf8(target->getFullName()) << '\n';
    ProgressBar bar(out, outputIsConsole());
    torv::FailureLog log;
    const auto start = std::chrono::steady_clock::now();
    const bool copied = source.copyContents(target, true, true, &bar);
    const double seconds = secondsSince(start);
    bar.finish();
    if (!copied) {
        out << "Copy failed after " << bar.filesCopied() << " of " << bar.filesInTotal() << " files:\n";
        printReasons(out, log);
        return 1;
    }
    out << "Copied " << bar.filesCopied() << " files, " << bar.bytesCopied() << " bytes in " << std::fixed
        << std::setprecision(3) << seconds << " s\n";
    return 0;
}

int copyFolders(std::ostream& out, const torv::String& sourcePath, const torv::String& targetPath)
{
    const DirectoryPtr source = absoluteFolder(sourcePath);
    if (!source || !source->exists() || !source->isDirectory())
        return fail(out, "Source folder not found", sourcePath);
    const DirectoryPtr target = absoluteFolder(targetPath);
    if (!target)
        return fail(out, "Not a valid target folder", targetPath);
    if (source->contains(*target))
        return fail(out, "The target folder lies inside the source folder", targetPath);
    if (!target->exists() && !target->create())
        return fail(out, "Cannot create the target folder", targetPath);
    return copyTree(out, *source, target);
}

// A folder of this process below the system's temporary folder.
DirectoryPtr temporaryWorkFolder()
{
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH)
        return nullptr;
    torv::String path(temp);
    path << L"TorvExample-" << static_cast<unsigned long>(GetCurrentProcessId());
    return absoluteFolder(path);
}

int copyDefaultTreeIn(std::ostream& out, const torv::Directory& work)
{
    const DirectoryPtr source = work.appendLevel(L"source");
    const DirectoryPtr target = work.appendLevel(L"target");
    if (!source || !source->create() || !writeDefaultTree(*source))
        return fail(out, "Cannot write the default tree", work.getFullName());
    if (!target || !target->create())
        return fail(out, "Cannot create the target folder", work.getFullName());
    out << "No folders given: copying the default tree\n";
    return copyTree(out, *source, target);
}

// The temporary folders go again whatever the outcome.
int copyDefaultTree(std::ostream& out)
{
    const DirectoryPtr work = temporaryWorkFolder();
    if (!work) {
        out << "No temporary folder for the default tree\n";
        return 1;
    }
    const int result = copyDefaultTreeIn(out, *work);
    work->remove(true);
    return result;
}

} // namespace

int runCopyCommand(std::ostream& out, const std::vector<torv::String>& folders)
{
    ProgressBar::cancelOnCtrlC();
    if (folders.empty())
        return copyDefaultTree(out);
    if (folders.size() == 2)
        return copyFolders(out, folders[0], folders[1]);
    out << "Usage: ExampleHost [/lang=CODE] [source target]\n";
    return 2;
}

} // namespace host
