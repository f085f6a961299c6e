#include "module/LanguageSearch.h"

#include "module/Language.h"
#include "module/LanguageCode.h"
#include "module/LanguageState.h"
#include "module/ModulePath.h"
#include "module/VersionInfo.h"

#include <algorithm>
#include <vector>

namespace torv {

namespace {

constexpr LANGID US_ENGLISH = 0x0409;
constexpr LANGID PRIMARY_LANGUAGE_MASK = 0x3FF;

// The candidate file names of one module, one per folder in search order,
// each waiting for its language code.
class CandidateFiles {
public:
    CandidateFiles(const std::wstring& moduleName, HMODULE module, const wchar_t* extension, LanguageChoice* trace)
        : extension(extension), trace(trace)
    {
        const std::wstring folder = folderOf(moduleName);
        const std::wstring baseName = baseNameOf(moduleName);
        if (!folder.empty()) {
            prefixes.push_back(folder + baseName);
            prefixes.push_back(folder + L"languages\\" + baseName);
        }
        const std::wstring dataFolder = productDataFolder(module);
        if (!dataFolder.empty())
            prefixes.push_back(dataFolder + baseName);
    }

    // The first candidate for `code` that can be read; empty if none.
    std::wstring firstReadable(const std::wstring& code) const
    {
        for (const std::wstring& prefix : prefixes) {
            std::wstring name = prefix + code + extension;
            const bool found = name.size() < MODULE_PATH_UNITS && isReadableFile(name);
            if (trace)
                trace->probes.push_back({languageOfCode(code), String(name.c_str()), found});
            if (found)
                return name;
        }
        return std::wstring();
    }

    // The first candidate in the language's code; empty if none.
    std::wstring firstReadable(LANGID language) const
    {
        const auto code = languageCodeOf(language);
        return code ? firstReadable(*code) : std::wstring();
    }

private:
    std::vector<std::wstring> prefixes;
    std::wstring extension;
    LanguageChoice* trace;
};

// The code of the command line, else of the registry; empty for neither.
std::wstring explicitLanguageCode(LanguageChoice::Asked& asked)
{
    LanguageState& state = LanguageState::instance();
    std::wstring code = state.commandLineCode();
    asked = LanguageChoice::Asked::CommandLine;
    if (code.empty()) {
        code = state.registryCode();
        asked = code.empty() ? LanguageChoice::Asked::System : LanguageChoice::Asked::Registry;
    }
    return code;
}

std::vector<LANGID> languagesToTry(LANGID preferred)
{
    std::vector<LANGID> languages;
    if (preferred != NO_LANGUAGE)
        languages.push_back(preferred);
    languages.push_back(GetUserDefaultUILanguage());
    languages.push_back(GetUserDefaultLangID());
    languages.push_back(GetSystemDefaultUILanguage());
    languages.push_back(GetSystemDefaultLangID());
    if (std::find(languages.begin(), languages.end(), US_ENGLISH) == languages.end())
        languages.push_back(US_ENGLISH);
    return languages;
}

// A language and, for a sub-language, its primary language.
LocatedFile firstInLanguage(const CandidateFiles& files, LANGID language, LanguageChoice* trace)
{
    if (trace)
        trace->candidates.push_back(language);
    std::wstring path = files.firstReadable(language);
    if (!path.empty())
        return {path, language};
    const LANGID primary = language & PRIMARY_LANGUAGE_MASK;
    if (primary != language) {
        if (trace)
            trace->candidates.push_back(primary);
        path = files.firstReadable(primary);
        if (!path.empty())
            return {path, primary};
    }
    return {std::wstring(), NO_LANGUAGE};
}

LocatedFile firstInAnyLanguage(const CandidateFiles& files, LANGID preferred, LanguageChoice* trace)
{
    const std::vector<LANGID> languages = languagesToTry(preferred);
    for (size_t i = 0; i < languages.size(); ++i) {
        if (i > 0 && languages[i] == languages[i - 1])
            continue;
        LocatedFile found = firstInLanguage(files, languages[i], trace);
        if (!found.path.empty())
            return found;
    }
    return {std::wstring(), NO_LANGUAGE};
}

} // namespace

LocatedFile locateLanguageFile(HMODULE module, const wchar_t* extension, LANGID preferred, LanguageChoice* trace)
{
    const std::wstring moduleName = longModuleFileName(module);
    if (moduleName.empty())
        return {std::wstring(), NO_LANGUAGE};
    const CandidateFiles files(moduleName, module, extension, trace);
    LanguageChoice::Asked asked = LanguageChoice::Asked::System;
    const std::wstring code = explicitLanguageCode(asked);
    LocatedFile located;
    if (code.empty()) {
        located = firstInAnyLanguage(files, preferred, trace);
    } else {
        located = {files.firstReadable(code), languageOfCode(code)};
        if (trace)
            trace->candidates.push_back(located.language);
    }
    if (trace) {
        trace->asked = asked;
        trace->askedCode = String(code.c_str());
        trace->translation = String(located.path.c_str());
        trace->language = located.language;
    }
    return located;
}

} // namespace torv
