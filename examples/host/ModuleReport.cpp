#include "ModuleReport.h"

#include "Console.h"
#include "module/Language.h"
#include "module/Module.h"

#include <cstdio>
#include <iomanip>
#include <string>

namespace host {

namespace {

std::string moduleFile(const torv::Module& module)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module.getInstance(), path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? utf8(path) : std::string("?");
}

// "DEU (0x0407)", or "none" when no language was recorded.
std::string languageText(LANGID language)
{
    if (language == torv::NO_LANGUAGE)
        return "none";
    wchar_t code[4] = {};
    GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT), LOCALE_SABBREVLANGNAME, code, 4);
    char id[16];
    std::snprintf(id, sizeof id, "0x%04x", language);
    return (code[0] ? utf8(code) + " (" : std::string("(")) + id + ")";
}

void printModule(std::ostream& out, const torv::Module& module)
{
    const bool translated = module.getResourceInstance() != module.getInstance();
    out << "  " << std::left << std::setw(12) << utf8(module.getModuleName()) << " language " << std::setw(14)
        << languageText(torv::GetCurrentLangId(module)) << (translated ? " translated  " : " own texts   ")
        << moduleFile(module) << '\n';
}

} // namespace

void printModuleReport(std::ostream& out)
{
    out << "Modules (" << torv::Module::count << "):\n";
    for (auto it = torv::Module::begin(); it != torv::Module::end(); ++it)
        printModule(out, *it);
}

} // namespace host
