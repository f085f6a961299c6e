#include "module/ModulePath.h"

#include <io.h>

namespace torv {

namespace {

std::wstring::size_type afterLastBackslash(const std::wstring& path)
{
    const auto slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? 0 : slash + 1;
}

bool fitsBuffer(DWORD length) { return length != 0 && length < MODULE_PATH_UNITS; }

} // namespace

std::wstring moduleFileName(HMODULE module)
{
    wchar_t name[MODULE_PATH_UNITS];
    const DWORD length = GetModuleFileNameW(module, name, MODULE_PATH_UNITS);
    return fitsBuffer(length) ? std::wstring(name, length) : std::wstring();
}

std::wstring longPathName(const std::wstring& path)
{
    wchar_t name[MODULE_PATH_UNITS];
    const DWORD length = GetLongPathNameW(path.c_str(), name, MODULE_PATH_UNITS);
    return fitsBuffer(length) ? std::wstring(name, length) : std::wstring();
}

std::wstring longModuleFileName(HMODULE module)
{
    std::wstring name = moduleFileName(module);
    if (name.empty())
        return name;
    const std::wstring longName = longPathName(name);
    return longName.empty() ? name : longName;
}

bool isReadableFile(const std::wstring& path)
{
    constexpr int READ_ACCESS = 4;
    return _waccess(path.c_str(), READ_ACCESS) == 0;
}

std::wstring folderOf(const std::wstring& path) { return path.substr(0, afterLastBackslash(path)); }

std::wstring fileNameOf(const std::wstring& path) { return path.substr(afterLastBackslash(path)); }

std::wstring baseNameOf(const std::wstring& path)
{
    const std::wstring fileName = fileNameOf(path);
    return fileName.substr(0, fileName.rfind(L'.'));
}

} // namespace torv
