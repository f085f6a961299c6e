#pragma once
/// @file
/// User-interface language of a code module: which translation library and
/// help file it uses, and which language it ended up with.
#include "platform/WinApi.h"

#include "platform/Export.h"

namespace torv {

class Module;

/// Language identifier meaning "no language" (no preference, none found).
constexpr LANGID NO_LANGUAGE = 0xFFFF;

/// Finds and loads, as a data file, the translation library of `module` for
/// `language` (NO_LANGUAGE: choose from the command line, the registry or the
/// system defaults). Returns `module` itself when no library exists, null when
/// the library exists but cannot be loaded. Records the chosen language of
/// `module` once; later calls for the same module keep the first record.
TORV_API HINSTANCE LoadTranslationDLL(HINSTANCE module, LANGID language);

/// Full path of the help file for `module`, or an empty text. The first help
/// file found serves every later call. The library owns the text.
TORV_API const wchar_t* LocateHelpFile(HINSTANCE module, LANGID language);

/// The language recorded for `module` by LoadTranslationDLL, or NO_LANGUAGE.
TORV_API LANGID GetCurrentLangId(const Module& module);

} // namespace torv
