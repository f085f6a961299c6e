#include "Console.h"

#include "platform/WinApi.h"

#include <cstdio>
#include <cwchar>

namespace host {

void prepareConsole()
{
    SetConsoleOutputCP(CP_UTF8);
    // Whole lines reach the console in one write instead of one per character.
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 14);
}

bool outputIsConsole() { return GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR; }

namespace {

std::string toUtf8(const wchar_t* text, int units)
{
    if (units <= 0)
        return std::string();
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, units, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, units, &out[0], bytes, nullptr, nullptr);
    return out;
}

} // namespace

std::string utf8(const wchar_t* text) { return toUtf8(text, static_cast<int>(std::wcslen(text))); }

std::string utf8(const torv::String& text) { return toUtf8(text.c_str(), text.length()); }

} // namespace host
