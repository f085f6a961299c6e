#include "module/LanguageState.h"

#include "module/Language.h"
#include "module/ModulePath.h"

#include <shellapi.h>

#include <cwchar>
#include <vector>

namespace torv {

namespace {

constexpr wchar_t LANGUAGE_SWITCH[] = L"lang=";
constexpr size_t LANGUAGE_SWITCH_LENGTH = 5;
// The switch character, "lang=" and up to three characters of code.
constexpr size_t SHORTEST_LANGUAGE_ARGUMENT = 1 + LANGUAGE_SWITCH_LENGTH;
constexpr size_t LONGEST_LANGUAGE_ARGUMENT = SHORTEST_LANGUAGE_ARGUMENT + 3;

bool isLanguageArgument(const wchar_t* argument)
{
    const size_t length = wcslen(argument);
    return (argument[0] == L'/' || argument[0] == L'-') && length >= SHORTEST_LANGUAGE_ARGUMENT &&
           length <= LONGEST_LANGUAGE_ARGUMENT && _wcsnicmp(argument + 1, LANGUAGE_SWITCH, LANGUAGE_SWITCH_LENGTH) == 0;
}

// The key below "Software\Arvex" that holds the running program's settings:
// App.exe keeps them under "App5".
std::wstring programKeyName()
{
    const std::wstring executable = longModuleFileName(GetModuleHandleW(nullptr));
    return executable.empty() ? executable : baseNameOf(executable) + L"5";
}

// Opens each level below HKEY_CURRENT_USER in turn and closes them again,
// innermost first; `settings` is null when any level is missing.
class SettingsKey {
public:
    explicit SettingsKey(const std::wstring& programKey)
    {
        HKEY parent = HKEY_CURRENT_USER;
        for (const wchar_t* level : {L"Software", L"Arvex", programKey.c_str(), L"Settings"}) {
            HKEY key = nullptr;
            if (RegOpenKeyExW(parent, level, 0, KEY_READ, &key) != ERROR_SUCCESS)
                return;
            opened.push_back(key);
            parent = key;
        }
        settings = parent;
    }

    ~SettingsKey()
    {
        for (auto key = opened.rbegin(); key != opened.rend(); ++key)
            RegCloseKey(*key);
    }

    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;

    HKEY settings = nullptr;

private:
    std::vector<HKEY> opened;
};

} // namespace

LanguageState& LanguageState::instance()
{
    static LanguageState state;
    return state;
}

std::wstring LanguageState::commandLineCode()
{
    if (commandLine[0] == L'\0')
        parseCommandLine();
    return commandLine;
}

void LanguageState::parseCommandLine()
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr)
        return;
    for (int i = 0; i < count; ++i) {
        if (isLanguageArgument(arguments[i])) {
            wcscpy(commandLine, arguments[i] + SHORTEST_LANGUAGE_ARGUMENT);
            break;
        }
    }
    LocalFree(arguments);
}

std::wstring LanguageState::registryCode()
{
    readRegistry();
    return registry;
}

void LanguageState::readRegistry()
{
    registry[0] = L'\0';
    const std::wstring programKey = programKeyName();
    if (programKey.empty())
        return;
    const SettingsKey key(programKey);
    if (key.settings == nullptr)
        return;
    wchar_t value[CODE_UNITS] = {};
    DWORD type = REG_NONE;
    DWORD size = sizeof value;
    const bool read = RegQueryValueExW(key.settings, L"GUILanguage", nullptr, &type, reinterpret_cast<BYTE*>(value),
                                       &size) == ERROR_SUCCESS;
    // A four-character text fills the buffer without its terminator.
    if (read && (type == REG_SZ || type == REG_EXPAND_SZ) && value[CODE_UNITS - 1] == L'\0')
        wcscpy(registry, value);
}

void LanguageState::recordLanguage(HINSTANCE module, LANGID language) { languages.emplace(module, language); }

LANGID LanguageState::recordedLanguage(HINSTANCE module) const
{
    const auto entry = languages.find(module);
    return entry == languages.end() ? NO_LANGUAGE : entry->second;
}

const LanguageChoice* LanguageState::lastChoice(HINSTANCE module) const
{
    const auto found = choices.find(module);
    return found == choices.end() ? nullptr : &found->second;
}

} // namespace torv
