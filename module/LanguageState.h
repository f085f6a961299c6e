#pragma once
// Internal: the process-wide state of the language choice. Created on first
// use and written without synchronisation: it changes while modules attach,
// which the system loader serialises.
#include "module/LanguageChoice.h"
#include "platform/WinApi.h"

#include <map>
#include <string>

namespace torv {

class LanguageState {
public:
    static LanguageState& instance();

    // The code given with "lang=" after "/" or "-" on the command line, empty
    // when there is none. Once found it is kept for the life of the process.
    std::wstring commandLineCode();

    // The running program's "GUILanguage" setting, read again on every call;
    // empty when it is missing or not a text of at most three characters.
    std::wstring registryCode();

    // The first help file found for any module; empty until then.
    std::wstring& helpFilePath() { return helpFile; }

    // Records the language of `module` unless it already has one.
    void recordLanguage(HINSTANCE module, LANGID language);
    // The recorded language of `module`, or 0xFFFF.
    LANGID recordedLanguage(HINSTANCE module) const;
    // The record of the last translation search for `module`, made anew
    // by every search.
    LanguageChoice& choiceOf(HINSTANCE module) { return choices[module]; }
    // That record; null before a search ran to its end.
    const LanguageChoice* lastChoice(HINSTANCE module) const;

    LanguageState(const LanguageState&) = delete;
    LanguageState& operator=(const LanguageState&) = delete;

private:
    // Three characters and the terminator.
    static constexpr int CODE_UNITS = 4;

    LanguageState() = default;
    void parseCommandLine();
    void readRegistry();

    wchar_t commandLine[CODE_UNITS] = {};
    wchar_t registry[CODE_UNITS] = {};
    std::wstring helpFile;
    std::map<HINSTANCE, LANGID> languages;
    std::map<HINSTANCE, LanguageChoice> choices;
};

} // namespace torv
