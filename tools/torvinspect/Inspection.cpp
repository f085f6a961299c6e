#include "Inspection.h"

#include "module/Language.h"
#include "module/Module.h"
#include "module/VersionInfo.h"
#include "object/KelClass.h"
#include "platform/WinApi.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <stdexcept>

namespace inspect {

namespace {

const wchar_t* const VERSION_VALUES[] = {L"CompanyName",    L"FileDescription",  L"FileVersion", L"InternalName",
                                         L"LegalCopyright", L"OriginalFilename", L"ProductName", L"ProductVersion"};

bool endsWithIgnoreCase(const std::wstring& text, const wchar_t* end)
{
    const std::wstring tail(end);
    return text.size() >= tail.size() && _wcsicmp(text.c_str() + text.size() - tail.size(), end) == 0;
}

// A library runs its start-up, so its Module, classes and translation
// search can be shown; a program cannot be loaded that way, and a library
// whose own dependencies are missing falls back to its resources only.
HMODULE load(const std::wstring& path, Inspection& result)
{
    if (endsWithIgnoreCase(path, L".exe")) {
        result.howLoaded = L"as a data file: a program cannot be loaded as a library";
    } else if (HMODULE library = LoadLibraryW(path.c_str())) {
        result.asLibrary = true;
        result.howLoaded = L"as a library: its start-up ran, so its classes and translation search are shown";
        return library;
    } else {
        result.howLoaded = L"as a data file: loading it as a library failed (error " + std::to_wstring(GetLastError()) +
                           L"), so only its resources are shown";
    }
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

void readVersion(Inspection& result)
{
    const std::unique_ptr<torv::VersionInfo> info = torv::VersionInfo::ofFile(result.path.c_str());
    if (!info) {
        result.versionProblem = L"the module has no version block";
        return;
    }
    try {
        for (const wchar_t* name : VERSION_VALUES)
            if (const auto value = info->queryString(name))
                result.version.emplace_back(name, *value);
        result.dataFolder = torv::productDataFolderOf(result.path.c_str());
    } catch (const std::runtime_error&) {
        result.versionProblem = L"the version block has no translation table";
    }
}

// Read from the embedded header itself, so that the lines a module's own
// table drops for one bad line still show, with why.
void readSymbols(HMODULE module, Inspection& result)
{
    const HRSRC found = FindResourceW(module, L"RESOURCE.H", L"METADATA");
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!bytes)
        return;
    result.hasSymbolHeader = true;
    std::istringstream in(std::string(bytes, SizeofResource(module, found)));
    result.symbols.parseHeaderFile(in);
}

BOOL CALLBACK addLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR languages)
{
    reinterpret_cast<std::set<LANGID>*>(languages)->insert(language);
    return TRUE;
}

BOOL CALLBACK addLanguagesOfBlock(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR languages)
{
    EnumResourceLanguagesW(module, type, name, addLanguage, languages);
    return TRUE;
}

void readStringLanguages(HMODULE module, Inspection& result)
{
    std::set<LANGID> languages;
    EnumResourceNamesW(module, MAKEINTRESOURCEW(6), addLanguagesOfBlock, reinterpret_cast<LONG_PTR>(&languages));
    result.stringLanguages.assign(languages.begin(), languages.end());
}

int depthOf(const torv::KelClass& c)
{
    int depth = 0;
    for (const torv::KelClass* base = nullptr; c.iterateBaseClasses(base);)
        ++depth;
    return depth;
}

void readLibrary(HMODULE library, Inspection& result)
{
    if (const torv::LanguageChoice* choice = torv::explainLanguageChoice(library)) {
        result.searched = true;
        result.choice = *choice;
    }
    result.helpFile = torv::LocateHelpFile(library, torv::NO_LANGUAGE);
    const torv::Module* module = torv::Module::findByHandle(library);
    for (const torv::KelClass* c = nullptr; module && torv::KelClass::iterateAllClasses(c);) {
        if (c->module != module)
            continue;
        const torv::KelClass* base = nullptr;
        c->iterateBaseClasses(base);
        result.classes.push_back({c->name, base ? base->name : L"", depthOf(*c)});
    }
}

} // namespace

bool inspectModule(const std::wstring& path, Inspection& result, std::wstring& error)
{
    result.path = path;
    const HMODULE module = load(path, result);
    if (!module) {
        error = L"cannot load '" + path + L"' as a library or as a data file (error " +
                std::to_wstring(GetLastError()) + L"): it is missing or not a module";
        return false;
    }
    readVersion(result);
    readSymbols(module, result);
    readStringLanguages(module, result);
    if (result.asLibrary)
        readLibrary(module, result);
    return true;
}

} // namespace inspect
