#pragma once
// Helpers of the language tests: fixture libraries loaded as modules under new names, files placed where the
// search looks, the program's registry setting and child runs of this test program.
#include "platform/WinApi.h"

#include <string>
#include <vector>

namespace langtest {

// The common program-files folder, with its trailing backslash.
std::wstring commonFilesFolder();
// A folder of this process below the temporary folder, not created here.
std::wstring scratchFolder();

// Marker libraries beside the test program: RCDATA 1 holds 1, 2 or 3.
extern const wchar_t* const MARKER_FIXTURES[3];

// Files and folders that one test placed; removed again in reverse order.
class PlacedFiles {
public:
    PlacedFiles() = default;
    PlacedFiles(const PlacedFiles&) = delete;
    PlacedFiles& operator=(const PlacedFiles&) = delete;
    ~PlacedFiles();

    // Copies the fixture library to `target` (nullptr: creates an empty file), creating the missing folders.
    void place(const std::wstring& target, const wchar_t* fixture = nullptr);
    // Removes `target` at the end should something else create it.
    void expect(const std::wstring& target) { files.push_back(target); }

private:
    std::vector<std::wstring> files;
    std::vector<std::wstring> folders;
};

// A library <folder><name>.dll loaded as a module; with `placed`, the fixture is copied to the scratch folder first.
class HostModule {
public:
    HostModule(const std::wstring& folder, const std::wstring& name);
    HostModule(PlacedFiles& placed, const wchar_t* fixture, const std::wstring& name);
    HostModule(const HostModule&) = delete;
    HostModule& operator=(const HostModule&) = delete;
    ~HostModule()
    {
        if (module)
            FreeLibrary(module);
    }

    HINSTANCE handle() const { return module; }
    // <folder><name>, to which a language code and an extension are added.
    std::wstring stem() const { return folder + name; }
    std::wstring stemInLanguagesFolder() const { return folder + L"languages\\" + name; }

private:
    std::wstring folder;
    std::wstring name;
    HINSTANCE module = nullptr;
};

// Markers that loadedMarker reports besides those of the marker libraries.
constexpr int MODULE_ITSELF = -1;
constexpr int NOT_LOADED = -2;

// The marker of the library that LoadTranslationDLL returns for `host`, which is released again.
int loadedMarker(HINSTANCE host, LANGID language);

// The "GUILanguage" value in the test program's own settings key, removed again at the end.
struct ProgramSettings {
    ProgramSettings(DWORD type, const void* data, DWORD size);
    explicit ProgramSettings(const wchar_t* language);
    ProgramSettings(const ProgramSettings&) = delete;
    ProgramSettings& operator=(const ProgramSettings&) = delete;
    ~ProgramSettings();
};

// Runs the disabled child test `test` of this program with `arguments`, TORV_LANGUAGE_SCRATCH set to `scratch`.
// True when the child passed and created <scratch>child-done.
bool runChildTest(PlacedFiles& placed, const std::wstring& scratch, const wchar_t* test, const std::wstring& arguments);
// For the child: the scratch folder that its parent prepared.
std::wstring childScratchFolder();
// For the child: reports that its checks ran to the end.
void reportChildDone();

} // namespace langtest
