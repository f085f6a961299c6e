#pragma once
// A scratch folder for one test, removed with everything in it (read-only files too) when the test ends; and
// file helpers that work beside the library under test, not through it.
#include "filesystem/Directory.h"
#include "filesystem/File.h"
#include "object/SmartPtr.h"

#include <string>

namespace testsupport {

class TempFolder {
public:
    TempFolder();
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

} // namespace testsupport
