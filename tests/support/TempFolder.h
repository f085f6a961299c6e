#pragma once
// A scratch folder for one test, removed with everything in it (read-only files too) when the test ends; and
// file helpers that work beside the library under test, not through it.
#include "filesystem/Directory.h"
#include "filesystem/File.h"
#include "object/SmartPtr.h"

#include <map>
#include <string>

namespace testsupport {

class TempFolder {
public:
    // Below `parent` (with a trailing backslash), or the system's temporary folder.
    explicit TempFolder(const std::wstring& parent = L"");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path with a trailing backslash.
    const std::wstring& path() const { return root; }
    std::wstring operator/(const std::wstring& relative) const { return root + relative; }
    torv::SmartPtr<const torv::Directory> directory(const std::wstring& relative = L"") const
    {
        return torv::Directory::fromString((root + relative).c_str());
    }
    torv::SmartPtr<const torv::File> file(const std::wstring& relative) const
    {
        return torv::File::fromString((root + relative).c_str());
    }

private:
    std::wstring root;
};

void writeFile(const std::wstring& path, const std::string& content);
std::string readFile(const std::wstring& path);
bool isFileOnDisk(const std::wstring& path);
bool isDirectoryOnDisk(const std::wstring& path);
void makeDirectory(const std::wstring& path);
void setReadOnly(const std::wstring& path);

// Every file and folder below `folder` (with a trailing backslash) by relative path: a file with its content,
// a folder as "<folder>", a link as "<link>" (never followed). Comparing two snapshots shows any change in names or bytes.
std::map<std::wstring, std::string> snapshot(const std::wstring& folder);

// Holds a file open without any sharing while it lives.
struct ExclusiveOpen {
    explicit ExclusiveOpen(const std::wstring& path);
    ~ExclusiveOpen();
    ExclusiveOpen(const ExclusiveOpen&) = delete;
    ExclusiveOpen& operator=(const ExclusiveOpen&) = delete;
    void* handle;
};

} // namespace testsupport
