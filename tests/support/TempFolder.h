#pragma once
// A scratch folder for one test, removed with everything in it (read-only files too) when the test ends; and
// file helpers that work beside the library under test, not through it.
#include "filesystem/Directory.h"
#include "filesystem/File.h"
#include "object/SmartPtr.h"
#include "platform/WinApi.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace testsupport {

inline std::wstring programFileName()
{
    std::vector<wchar_t> name(32768);
    return std::wstring(name.data(), GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size())));
}

// The folder of the test program, where the build puts the fixtures.
inline std::wstring programFolder()
{
    const std::wstring name = programFileName();
    return name.substr(0, name.rfind(L'\\') + 1);
}

// A folder the test run names in the environment, with a trailing backslash; empty when it names none.
inline std::wstring fromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::wstring(value, value + std::strlen(value)) + L"\\" : std::wstring();
}

// Beyond MAX_PATH, so that long test trees are built and cleaned up independently of the library.
inline std::wstring longForm(const std::wstring& path) { return L"\\\\?\\" + path; }

// Calls `visit` with the name and attributes of each entry of `folder` but "." and "..".
template <class Visit>
void forEachEntry(const std::wstring& folder, Visit visit)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(longForm(folder + L"*").c_str(), &entry);
    for (BOOL found = search != INVALID_HANDLE_VALUE; found; found = FindNextFileW(search, &entry)) {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..")
            visit(name, entry.dwFileAttributes);
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

// Read-only files go too; links are removed, never followed.
inline void removeTree(const std::wstring& folder)
{
    forEachEntry(folder, [&](const std::wstring& name, DWORD attributes) {
        const std::wstring path = longForm(folder + name);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == FILE_ATTRIBUTE_DIRECTORY)
            removeTree(folder + name + L"\\");
        else if (!DeleteFileW(path.c_str()))
            RemoveDirectoryW(path.c_str());
    });
    RemoveDirectoryW(longForm(folder).c_str());
}

inline void writeFile(const std::wstring& path, const std::string& content)
{
    std::ofstream out(std::filesystem::path(longForm(path)), std::ios::binary);
    if (!(out << content))
        throw std::runtime_error("cannot write a test file");
}

inline std::string readFile(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(longForm(path)), std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()) : "<missing>";
}

inline DWORD attributesOf(const std::wstring& path) { return GetFileAttributesW(longForm(path).c_str()); }

inline bool isFileOnDisk(const std::wstring& path)
{
    return attributesOf(path) != INVALID_FILE_ATTRIBUTES && !(attributesOf(path) & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool isDirectoryOnDisk(const std::wstring& path)
{
    return attributesOf(path) != INVALID_FILE_ATTRIBUTES && (attributesOf(path) & FILE_ATTRIBUTE_DIRECTORY);
}

inline void makeDirectory(const std::wstring& path)
{
    if (!CreateDirectoryW(longForm(path).c_str(), nullptr))
        throw std::runtime_error("cannot create a test folder");
}

inline void setReadOnly(const std::wstring& path)
{
    SetFileAttributesW(longForm(path).c_str(), FILE_ATTRIBUTE_READONLY);
}

inline void addToSnapshot(const std::wstring& folder, const std::wstring& prefix,
                          std::map<std::wstring, std::string>& into)
{
    forEachEntry(folder + prefix, [&](const std::wstring& name, DWORD attributes) {
        const bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const bool isLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        into[prefix + name] = isLink ? "<link>" : isFolder ? "<folder>" : readFile(folder + prefix + name);
        if (isFolder && !isLink)
            addToSnapshot(folder, prefix + name + L"\\", into);
    });
}

// Every file and folder below `folder` (with a trailing backslash) by relative path: a file with its content,
// a folder as "<folder>", a link as "<link>" (never followed). Comparing two snapshots shows any change in names or bytes.
inline std::map<std::wstring, std::string> snapshot(const std::wstring& folder)
{
    std::map<std::wstring, std::string> entries;
    addToSnapshot(folder, L"", entries);
    return entries;
}

class TempFolder {
public:
    // Below `parent` (with a trailing backslash), or the system's temporary folder.
    explicit TempFolder(const std::wstring& parent = L"")
    {
        static std::atomic<int> counter{0};
        wchar_t temp[MAX_PATH + 1];
        GetTempPathW(MAX_PATH + 1, temp);
        root = (parent.empty() ? std::wstring(temp) : parent) +
               (L"torvfs-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++) + L"\\");
        removeTree(root); // process ids repeat under Wine: a run that crashed may have left this one
        makeDirectory(root);
    }
    ~TempFolder() { removeTree(root); }
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

// Makes `path` the current directory while it lives.
struct CurrentDirectory {
    explicit CurrentDirectory(const std::wstring& path) : before(MAX_PATH, L'\0')
    {
        before.resize(GetCurrentDirectoryW(MAX_PATH, &before[0]));
        SetCurrentDirectoryW(path.c_str());
    }
    ~CurrentDirectory() { SetCurrentDirectoryW(before.c_str()); }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;
    std::wstring before;
};

// Holds a file open without any sharing while it lives.
struct ExclusiveOpen {
    explicit ExclusiveOpen(const std::wstring& path)
        : handle(
              CreateFileW(longForm(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    ~ExclusiveOpen() { CloseHandle(handle); }
    ExclusiveOpen(const ExclusiveOpen&) = delete;
    ExclusiveOpen& operator=(const ExclusiveOpen&) = delete;
    HANDLE handle;
};

} // namespace testsupport
