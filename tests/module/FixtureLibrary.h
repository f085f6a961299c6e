#pragma once
// Copies of the fixture libraries in a private folder, and fixture code modules loaded for one scope.
#include "../support/TempFolder.h"
#include "fixture/FixtureModule.h"
#include "platform/WinApi.h"

#include <string>

namespace fixture {

using testsupport::programFolder;

// The three-letter code of the user's interface language, as translation library names carry it.
inline std::wstring userLanguageCode()
{
    wchar_t code[4] = {};
    GetLocaleInfoW(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), LOCALE_SABBREVLANGNAME, code, 4);
    return code;
}

struct Folder : testsupport::TempFolder {
    // Copies the fixture library `fixture` (a file name) here as `name`; gives the copy's full path.
    std::wstring copy(const std::wstring& fixture, const std::wstring& name) const
    {
        CopyFileW((programFolder() + fixture).c_str(), (path() + name).c_str(), FALSE);
        return path() + name;
    }
};

// A library loaded with LoadLibraryExW and freed at the end of the scope.
class Loaded {
public:
    explicit Loaded(const std::wstring& path) : library(LoadLibraryExW(path.c_str(), nullptr, 0)) {}
    ~Loaded() { unload(); }
    Loaded(const Loaded&) = delete;
    Loaded& operator=(const Loaded&) = delete;

    HMODULE handle() const { return library; }
    void unload()
    {
        if (library)
            FreeLibrary(library);
        library = nullptr;
    }
    template <class Function>
    Function function(const char* name) const
    {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    }
    // The fixture code module's own Module.
    const torv::Module& module() const { return *function<FixtureModuleFunction>("fixtureModule")(); }

private:
    HMODULE library;
};

} // namespace fixture
