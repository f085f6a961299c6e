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

std::wstring Folder::copy(const std::wstring& fixture, const std::wstring& name) const
{
    const std::wstring target = path() + name;
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
