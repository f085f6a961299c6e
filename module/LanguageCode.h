#pragma once
// Internal: the three-letter language codes that name translation files.
#include "platform/WinApi.h"

#include <optional>
#include <string>

namespace torv {

// The abbreviated language name the system reports for `language`
// ("DEU" for 0x0407), absent when it reports none.
std::optional<std::wstring> languageCodeOf(LANGID language);

// The first supported locale whose code equals `code`, ignoring case;
// 0xFFFF when none matches.
LANGID languageOfCode(const std::wstring& code);

} // namespace torv
