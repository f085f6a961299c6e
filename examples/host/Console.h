#pragma once
// Console output of the example host: UTF-8 text on standard output, so
// translated texts come out whole in a terminal and in a pipe alike.
#include "string/String.h"

#include <string>

namespace host {

// Sets a real console to UTF-8 (harmless when the output is redirected)
// and buffers standard output; flush to show partial lines.
void prepareConsole();

// True when standard output is a character device (a console or terminal),
// false for files and pipes.
bool outputIsConsole();

std::string utf8(const torv::String& text);
std::string utf8(const wchar_t* text);

} // namespace host
