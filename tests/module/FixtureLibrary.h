#pragma once
// Test helpers: copies of the fixture libraries in a private folder, and
// fixture code modules loaded for the span of one scope.

#include "../support/TempFolder.h"
#include "fixture/FixtureModule.h"
#include "platform/WinApi.h"

#include <string>

namespace fixture {

// The folder of the test program, where the build puts the fixtures.
std::wstring programFolder();

// The three-letter code of the user's interface language, as translation
// library names carry it.
std::wstring userLanguageCode();

// A scratch folder for copies of the built fixture libraries.
class Folder : public testsupport::TempFolder {
public:
    // Copies the fixture library `fixture` (a file name) here as `name`;
    // returns the copy's full path.
    std::wstring copy(const std::wstring& fixture, const std::wstring& name) const;
};

// A library loaded with LoadLibraryExW and freed at the end of the scope.
class Loaded {
public:
    explicit Loaded(const std::wstring& path);
    ~Loaded() { unload(); }
    Loaded(const Loaded&) = delete;
    Loaded& operator=(const Loaded&) = delete;

    HMODULE handle() const { return library; }
    void unload();

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
