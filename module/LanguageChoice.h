#pragma once
/// @file
/// LanguageChoice: how the translation search of a module went, for a host
/// or a tool that must explain why a module shows the language it shows.

#include "platform/Export.h"
#include "platform/WinApi.h"
#include "string/String.h"

#include <vector>

namespace torv {

/// The record of one translation search: what was asked, which languages
/// were tried, every file looked for, and what was taken.
struct LanguageChoice {
    /// What gave the languages to try.
    enum class Asked {
        CommandLine, ///< "lang=" on the command line: its code only
        Registry,    ///< the program's "GUILanguage" value: its code only
        System,      ///< the caller's language, the user's and the system's defaults, US English
    };
    /// One file the search looked for.
    struct Probe {
        LANGID language; ///< the language whose code the name carries; 0xFFFF for a code no language has
        String path;     ///< the full path looked for
        bool found;      ///< whether it can be read; the search takes the first found
    };

    /// Where the language asked for came from.
    Asked asked = Asked::System;
    /// The code that the command line or the registry gave; empty for System.
    String askedCode;
    /// The languages tried, in order.
    std::vector<LANGID> candidates;
    /// Every file looked for, in order.
    std::vector<Probe> probes;
    /// The translation library taken; empty when none was found.
    String translation;
    /// The language the search ended with (0xFFFF: none).
    LANGID language = 0xFFFF;
};

/// How the last translation search for the module `module` went: the one
/// its initialisation made, unless LoadTranslationDLL was called for it
/// since (a module's handle is Module::getInstance()). Null when none ran to its end (the version block could not be
/// read). The library owns the record; it stays valid while the module is
/// loaded and no other search for it runs.
TORV_API const LanguageChoice* explainLanguageChoice(HINSTANCE module);

} // namespace torv
