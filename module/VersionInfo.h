#pragma once
/// @file
/// VersionInfo: the string values of a module's version block; and the
/// per-product data folder named after three of them.
#include "platform/Export.h"
#include "platform/WinApi.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace torv {

/// A module's version block, read once.
class TORV_API VersionInfo {
public:
    /// The version block of `fileName`, found by the system's library search
    /// order; null when the file has no block or it cannot be read.
    static std::unique_ptr<VersionInfo> ofFile(const wchar_t* fileName);
    /// Over a version block already in memory.
    static std::unique_ptr<VersionInfo> fromBlock(std::vector<BYTE> block);

    /// The value `name` (e.g. "ProductName") of the first translation, absent
    /// when the block has no such value. The text is read within the length
    /// the block gives it, NUL or not. Throws std::runtime_error when the
    /// block has no translation table or the value path does not fit.
    std::optional<std::wstring> queryString(const wchar_t* name);

private:
    struct Translation {
        WORD language;
        WORD codePage;
    };

    explicit VersionInfo(std::vector<BYTE> block);
    void readTranslations();
    std::wstring valuePath(const Translation& translation, const wchar_t* name) const;

    std::vector<BYTE> data;
    const Translation* translations = nullptr;
    UINT translationCount = 0;
    bool translationsRead = false;
};

/// The common program-files folder followed by the module's company, product
/// and product version, each ending with a backslash; empty when the folder,
/// the module's file name or its version block is not available. The folder
/// is only named, never created.
TORV_API std::wstring productDataFolder(HMODULE module);
/// The same for the module file `fileName`, loaded or not.
TORV_API std::wstring productDataFolderOf(const wchar_t* fileName);

} // namespace torv
