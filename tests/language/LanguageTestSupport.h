#pragma once
// Helpers of the language tests: fixture libraries loaded as modules under new names, files placed where the
// search looks, the program's registry setting and child runs of this test program.
#include "../support/TempFolder.h"
#include "module/Language.h"
#include "platform/WinApi.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace langtest {

using namespace testsupport;

inline constexpr wchar_t SCRATCH_VARIABLE[] = L"TORV_LANGUAGE_SCRATCH";
inline constexpr wchar_t CHILD_DONE_FILE[] = L"child-done";

// Marker libraries beside the test program: RCDATA 1 holds 1, 2 or 3.
inline const wchar_t* const MARKER_FIXTURES[3] = {L"LangMarked1", L"LangMarked2", L"LangMarked3"};

// Markers that loadedMarker reports besides those of the marker libraries.
constexpr int MODULE_ITSELF = -1;
constexpr int NOT_LOADED = -2;

// The running program's key below "Software\Arvex": App.exe has "App5".
inline std::wstring programKeyPath()
{
    const std::wstring name = programFileName().substr(programFolder().size());
    return L"Software\\Arvex\\" + name.substr(0, name.rfind(L'.')) + L"5";
}

inline bool createEmptyFile(const std::wstring& path, DWORD disposition)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, 0, nullptr);
    return file != INVALID_HANDLE_VALUE && CloseHandle(file);
}

// The common program-files folder, with its trailing backslash.
inline std::wstring commonFilesFolder()
{
    wchar_t folder[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, folder, CSIDL_PROGRAM_FILES_COMMON, FALSE);
    return std::wstring(folder) + L"\\";
}

// A folder of this process below the temporary folder, not created here.
inline std::wstring scratchFolder()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return temp + (L"torv-language-" + std::to_wstring(GetCurrentProcessId()) + L"\\");
}

// Files and folders that one test placed; removed again in reverse order.
class PlacedFiles {
public:
    PlacedFiles() = default;
    PlacedFiles(const PlacedFiles&) = delete;
    PlacedFiles& operator=(const PlacedFiles&) = delete;
    ~PlacedFiles()
    {
        for (auto file = files.rbegin(); file != files.rend(); ++file)
            DeleteFileW(file->c_str());
        for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
            EXPECT_TRUE(RemoveDirectoryW(folder->c_str())) << "folder left behind";
    }

    // Copies the fixture library to `target` (nullptr: creates an empty file), creating the missing folders.
    void place(const std::wstring& target, const wchar_t* fixture = nullptr)
    {
        for (size_t slash = target.find(L'\\', 3); slash != std::wstring::npos; slash = target.find(L'\\', slash + 1)) {
            const std::wstring folder = target.substr(0, slash);
            if (!isDirectoryOnDisk(folder) && CreateDirectoryW(folder.c_str(), nullptr))
                folders.push_back(folder);
        }
        const bool placed = fixture ? CopyFileW((programFolder() + fixture + L".dll").c_str(), target.c_str(), TRUE)
                                    : createEmptyFile(target, CREATE_NEW);
        ASSERT_TRUE(placed) << "cannot place file";
        files.push_back(target);
    }
    // Removes `target` at the end should something else create it.
    void expect(const std::wstring& target) { files.push_back(target); }

private:
    std::vector<std::wstring> files;
    std::vector<std::wstring> folders;
};

// A library <folder><name>.dll loaded as a module; with `placed`, the fixture is copied to the scratch folder first.
class HostModule {
public:
    HostModule(const std::wstring& folder, const std::wstring& name)
        : folder(folder), name(name), module(LoadLibraryW((stem() + L".dll").c_str()))
    {
        EXPECT_NE(module, nullptr) << "cannot load host module";
    }
    HostModule(PlacedFiles& placed, const wchar_t* fixture, const std::wstring& name)
        : HostModule((placed.place(scratchFolder() + name + L".dll", fixture), scratchFolder()), name)
    {
    }
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

// The marker of the library that LoadTranslationDLL returns for `host`, which is released again.
inline int loadedMarker(HINSTANCE host, LANGID language)
{
    const HINSTANCE loaded = torv::LoadTranslationDLL(host, language);
    if (loaded == host || loaded == nullptr)
        return loaded ? MODULE_ITSELF : NOT_LOADED;
    int marker = 0;
    if (const HRSRC resource = FindResourceW(loaded, MAKEINTRESOURCEW(1), RT_RCDATA))
        marker = *static_cast<const WORD*>(LockResource(LoadResource(loaded, resource)));
    FreeLibrary(loaded);
    return marker;
}

// The "GUILanguage" value in the test program's own settings key, removed again at the end.
struct ProgramSettings {
    ProgramSettings(DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        const std::wstring settings = programKeyPath() + L"\\Settings";
        EXPECT_EQ(
            RegCreateKeyExW(HKEY_CURRENT_USER, settings.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(key, L"GUILanguage", 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    explicit ProgramSettings(const wchar_t* language)
        : ProgramSettings(REG_SZ, language, static_cast<DWORD>((wcslen(language) + 1) * sizeof(wchar_t)))
    {
    }
    ProgramSettings(const ProgramSettings&) = delete;
    ProgramSettings& operator=(const ProgramSettings&) = delete;
    ~ProgramSettings()
    {
        EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, programKeyPath().c_str()), ERROR_SUCCESS);
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Arvex"); // only when no other program keeps settings there
    }
};

// Runs the disabled child test `test` of this program with `arguments`, TORV_LANGUAGE_SCRATCH set to `scratch`.
// True when the child passed and created <scratch>child-done.
inline bool runChildTest(PlacedFiles& placed, const std::wstring& scratch, const wchar_t* test,
                         const std::wstring& arguments)
{
    const std::wstring done = scratch + CHILD_DONE_FILE;
    placed.expect(done);
    std::wstring commandLine = L"\"" + programFileName() +
                               L"\" --gtest_also_run_disabled_tests"
                               L" --gtest_filter=LanguageChild." +
                               test + L" " + arguments;
    SetEnvironmentVariableW(SCRATCH_VARIABLE, scratch.c_str());
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    const bool started =
        CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableW(SCRATCH_VARIABLE, nullptr);
    if (!started)
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode == 0 && isFileOnDisk(done);
}

// For the child: the scratch folder that its parent prepared.
inline std::wstring childScratchFolder()
{
    wchar_t folder[MAX_PATH] = {};
    GetEnvironmentVariableW(SCRATCH_VARIABLE, folder, MAX_PATH);
    return folder;
}

// For the child: reports that its checks ran to the end.
inline void reportChildDone() { EXPECT_TRUE(createEmptyFile(childScratchFolder() + CHILD_DONE_FILE, CREATE_ALWAYS)); }

} // namespace langtest
