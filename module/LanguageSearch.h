#pragma once
// Internal: the search for a module's language-specific file (translation
// library or help file) near the module.
#include "module/LanguageChoice.h"
#include "platform/WinApi.h"

#include <string>

namespace torv {

struct LocatedFile {
    // Full path of the file found; empty if none was found.
    std::wstring path;
    // The path's language, or the explicit language when no file was found;
    // 0xFFFF when none is known.
    LANGID language;
};

// Looks for <folder><module base name><code><extension> in the module's
// folder, its "languages\" subfolder and its product data folder. The code
// comes from the command line or the registry when either gives one;
// otherwise from `preferred` (unless 0xFFFF), the user's and the system's
// defaults and US English, the first language with a file winning. With
// `trace`, how the search went is written there.
LocatedFile locateLanguageFile(HMODULE module, const wchar_t* extension, LANGID preferred,
                               LanguageChoice* trace = nullptr);

} // namespace torv
