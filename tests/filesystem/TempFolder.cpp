#include "TempFolder.h"

#include "platform/WinApi.h"

#include <atomic>
#include <stdexcept>

namespace fstest {

namespace {

// The helpers reach beyond MAX_PATH so that long test trees can be built
// and cleaned up independently of the library.
std::wstring longForm(const std::wstring& path)
{
    return path.compare(0, 4, L"\\\\?\\") == 0 ? path : L"\\\\?\\" + path;
}

void removeTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(longForm(folder + L"*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + name;
            SetFileAttributesW(longForm(path).c_str(), FILE_ATTRIBUTE_NORMAL);
            const DWORD attributes = entry.dwFileAttributes;
            const bool isLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !isLink)
                removeTree(path + L"\\");
            else if (attributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveDirectoryW(longForm(path).c_str());
            else
                DeleteFileW(longForm(path).c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(longForm(folder).c_str());
}

} // namespace

TempFolder::TempFolder()
{
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    root = std::wstring(temp) + L"torvfs-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(counter++) + L"\\";
    if (!CreateDirectoryW(root.c_str(), nullptr))
        throw std::runtime_error("cannot create the scratch folder");
}

TempFolder::~TempFolder()
{
    removeTree(root);
}

torv::SmartPtr<const torv::Directory> TempFolder::directory(const std::wstring& relative) const
{
    return torv::Directory::fromString((root + relative).c_str());
}

torv::SmartPtr<const torv::File> TempFolder::file(const std::wstring& relative) const
{
    return torv::File::fromString((root + relative).c_str());
}

void writeFile(const std::wstring& path, const std::string& content)
{
    HANDLE handle = CreateFileW(longForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot write a test file");
    DWORD written = 0;
    WriteFile(handle, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(handle);
}

std::string readFile(const std::wstring& path)
{
    HANDLE handle = CreateFileW(longForm(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string content;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(handle, chunk, sizeof(chunk), &got, nullptr) && got > 0)
        content.append(chunk, got);
    CloseHandle(handle);
    return content;
}

bool isFileOnDisk(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(longForm(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isDirectoryOnDisk(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(longForm(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void makeDirectory(const std::wstring& path)
{
    if (!CreateDirectoryW(longForm(path).c_str(), nullptr))
        throw std::runtime_error("cannot create a test folder");
}

void setReadOnly(const std::wstring& path, bool readOnly)
{
    SetFileAttributesW(longForm(path).c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

} // namespace fstest
