// The example host: shows what a code module built on the library gets.
#include "string/String.h"

#include <iostream>

namespace {

void showStrings()
{
    torv::String line(L"  Layer007 = 42 2.5  ");
    line = line.trim(true, true);
    std::cout << "trimmed:    " << line << '\n';
    int value = 0;
    double scale = 0;
    torv::String rest = line.substr(line.find(L'=', 0) + 1);
    rest >> value >> scale;
    std::cout << "parsed:     " << value << " and " << scale << '\n';
    torv::String report;
    report << L"value " << value << L", scale " << scale << L", half " << scale / 2;
    std::cout << "formatted:  " << report << '\n';
    torv::String message;
    message.printf(L"[0x%08x] %s", 0xBEEFu, torv::String(L"printf-style"));
    std::cout << "printf:     " << message << '\n';
}

} // namespace

int wmain(int, wchar_t**)
{
    showStrings();
    return 0;
}
