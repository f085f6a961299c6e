#include "module/Language.h"

#include "module/LanguageSearch.h"
#include "module/LanguageState.h"
#include "module/Module.h"
#include "module/ModulePath.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace torv {

namespace {

// Where ".chm" may still start so that it fits the module-name buffer.
constexpr std::wstring::size_type LAST_EXTENSION_POSITION = 254;

// <module path without extension>.chm when it can be read; empty otherwise.
std::wstring plainHelpFile(HINSTANCE module)
{
    std::wstring moduleName = moduleFileName(module);
    if (moduleName.empty())
        return moduleName;
    std::wstring name = longPathName(moduleName);
    if (name.empty())
        return name;
    const auto cut = std::min(name.rfind(L'.'), name.size());
    if (cut > LAST_EXTENSION_POSITION)
        return std::wstring();
    name.replace(cut, std::wstring::npos, L".chm");
    return isReadableFile(name) ? name : std::wstring();
}

} // namespace

HINSTANCE LoadTranslationDLL(HINSTANCE module, LANGID language)
{
    // Written only once the search ran to its end, so that a search that
    // throws leaves no record.
    LanguageChoice trace;
    const LocatedFile translation = locateLanguageFile(module, L".dll", language, &trace);
    LanguageState::instance().choiceOf(module) = std::move(trace);
    const LANGID applied = language != NO_LANGUAGE ? language : translation.language;
    if (applied != NO_LANGUAGE && module == GetModuleHandleW(nullptr))
        InitMUILanguage(applied);
    LanguageState::instance().recordLanguage(module, translation.language);
    if (translation.path.empty())
        return module;
    return LoadLibraryExW(translation.path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

const wchar_t* LocateHelpFile(HINSTANCE module, LANGID language)
{
    std::wstring& helpFile = LanguageState::instance().helpFilePath();
    if (helpFile.empty())
        helpFile = locateLanguageFile(module, L".chm", language).path;
    if (helpFile.empty())
        helpFile = plainHelpFile(module);
    return helpFile.c_str();
}

const LanguageChoice* explainLanguageChoice(HINSTANCE module) { return LanguageState::instance().lastChoice(module); }

LANGID GetCurrentLangId(const Module& module)
{
    return LanguageState::instance().recordedLanguage(module.getInstance());
}

} // namespace torv
