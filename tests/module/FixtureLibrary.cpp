#include "FixtureLibrary.h"

#include <vector>

namespace fixture {

std::wstring programFolder()
{
    std::vector<wchar_t> name(32768);
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    const std::wstring path(name.data(), length);
    return path.substr(0, path.rfind(L'\\') + 1);
}

std::wstring userLanguageCode()
{
    wchar_t code[4] = {};
    GetLocaleInfoW(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), LOCALE_SABBREVLANGNAME, code, 4);
    return code;
}

Folder::Folder()
{
    static int created = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"torv_module_" + std::to_wstring(GetCurrentProcessId()) + L"_"
             + std::to_wstring(++created) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
}

Folder::~Folder()
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            DeleteFileW((folder + found.cFileName).c_str());
        while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

std::wstring Folder::copy(const std::wstring& fixture, const std::wstring& name) const
{
    const std::wstring target = folder + name;
    CopyFileW((programFolder() + fixture).c_str(), target.c_str(), FALSE);
    return target;
}

Loaded::Loaded(const std::wstring& path) : library(LoadLibraryExW(path.c_str(), nullptr, 0))
{
}

void Loaded::unload()
{
    if (library)
        FreeLibrary(library);
    library = nullptr;
}

} // namespace fixture
