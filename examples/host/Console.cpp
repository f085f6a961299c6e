#include "Console.h"

#include "platform/WinApi.h"

#include <cstdio>

namespace host {

void prepareConsole()
{
    SetConsoleOutputCP(CP_UTF8);
    // Whole lines reach the console in one write instead of one per character.
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 14);
}

bool outputIsConsole() { return GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR; }

std::string utf8(const wchar_t* text) { return torv::String(text).toUtf8(); }

std::string utf8(const torv::String& text) { return text.toUtf8(); }

} // namespace host
