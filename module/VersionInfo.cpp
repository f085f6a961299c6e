#include "module/VersionInfo.h"

#include "module/ModulePath.h"

#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <stdexcept>

namespace torv {

namespace {

constexpr size_t VALUE_PATH_UNITS = 260;

struct DataFolderLevel {
    const wchar_t* valueName;
    const wchar_t* fallback;
};

constexpr DataFolderLevel DATA_FOLDER_LEVELS[] = {
    {L"CompanyName", L"Arvex Works GmbH"},
    {L"ProductName", L"custom product"},
    {L"ProductVersion", L"internal"},
};

std::wstring withTrailingBackslash(std::wstring folder)
{
    if (folder.empty() || folder.back() != L'\\')
        folder += L'\\';
    return folder;
}

std::wstring commonFilesFolder()
{
    wchar_t folder[MAX_PATH];
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_PROGRAM_FILES_COMMON, FALSE))
        return std::wstring();
    return withTrailingBackslash(folder);
}

} // namespace

std::unique_ptr<VersionInfo> VersionInfo::ofFile(const wchar_t* fileName)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(fileName, &ignored);
    if (size == 0)
        return nullptr;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(fileName, 0, size, block.data()))
        return nullptr;
    return fromBlock(std::move(block));
}

std::unique_ptr<VersionInfo> VersionInfo::fromBlock(std::vector<BYTE> block)
{
    return std::unique_ptr<VersionInfo>(new VersionInfo(std::move(block)));
}

VersionInfo::VersionInfo(std::vector<BYTE> block) : data(std::move(block)) {}

void VersionInfo::readTranslations()
{
    void* table = nullptr;
    UINT bytes = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &table, &bytes))
        throw std::runtime_error("VerQueryValue failed");
    translations = static_cast<const Translation*>(table);
    translationCount = bytes / sizeof(Translation);
    translationsRead = true;
}

std::wstring VersionInfo::valuePath(const Translation& translation, const wchar_t* name) const
{
    wchar_t path[VALUE_PATH_UNITS];
    const int length = _snwprintf(path, VALUE_PATH_UNITS, L"\\StringFileInfo\\%04x%04x\\%s", translation.language,
                                  translation.codePage, name);
    if (length < 0 || static_cast<size_t>(length) >= VALUE_PATH_UNITS)
        throw std::runtime_error("stprintf failed");
    return std::wstring(path, length);
}

std::optional<std::wstring> VersionInfo::queryString(const wchar_t* name)
{
    if (!translationsRead)
        readTranslations();
    if (translations == nullptr || translationCount == 0)
        return std::nullopt;
    void* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), valuePath(translations[0], name).c_str(), &text, &length) || text == nullptr ||
        length == 0)
        return std::nullopt;
    const auto* units = static_cast<const wchar_t*>(text);
    return std::wstring(units, wcsnlen(units, length));
}

std::wstring productDataFolder(HMODULE module)
{
    const std::wstring moduleName = moduleFileName(module);
    return moduleName.empty() ? std::wstring() : productDataFolderOf(fileNameOf(moduleName).c_str());
}

std::wstring productDataFolderOf(const wchar_t* fileName)
{
    std::wstring folder = commonFilesFolder();
    if (folder.empty())
        return std::wstring();
    const std::unique_ptr<VersionInfo> info = VersionInfo::ofFile(fileName);
    if (!info)
        return std::wstring();
    for (const DataFolderLevel& level : DATA_FOLDER_LEVELS)
        folder += info->queryString(level.valueName).value_or(level.fallback) + L'\\';
    return folder;
}

} // namespace torv
