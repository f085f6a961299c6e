#include "module/LanguageCode.h"

#include "module/Language.h"

#include <cwchar>

namespace torv {

namespace {

// Code text plus its terminator, as GetLocaleInfoW fills it.
constexpr int CODE_UNITS = 4;

struct CodeLookup {
    const wchar_t* code;
    LANGID found;
};

BOOL CALLBACK matchLocale(LGRPID, LCID locale, LPWSTR, LONG_PTR context)
{
    auto* lookup = reinterpret_cast<CodeLookup*>(context);
    wchar_t code[CODE_UNITS];
    if (GetLocaleInfoW(locale, LOCALE_SABBREVLANGNAME, code, CODE_UNITS) && _wcsicmp(code, lookup->code) == 0) {
        lookup->found = LANGIDFROMLCID(locale);
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK searchLanguageGroup(LGRPID group, LPWSTR, LPWSTR, DWORD, LONG_PTR context)
{
    EnumLanguageGroupLocalesW(matchLocale, group, 0, context);
    return reinterpret_cast<CodeLookup*>(context)->found == NO_LANGUAGE;
}

} // namespace

std::optional<std::wstring> languageCodeOf(LANGID language)
{
    wchar_t code[CODE_UNITS];
    if (!GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT), LOCALE_SABBREVLANGNAME, code, CODE_UNITS))
        return std::nullopt;
    return std::wstring(code);
}

LANGID languageOfCode(const std::wstring& code)
{
    CodeLookup lookup{code.c_str(), NO_LANGUAGE};
    EnumSystemLanguageGroupsW(searchLanguageGroup, LGRPID_SUPPORTED, reinterpret_cast<LONG_PTR>(&lookup));
    return lookup.found;
}

} // namespace torv
