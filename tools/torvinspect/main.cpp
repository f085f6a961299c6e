// torvinspect: shows what a module holds and why it shows the language it
// does.  torvinspect <module.dll|.exe> [/lang=XXX] [--json]
// "/lang=" is read by the library itself, as in any program of the family,
// so the search shown is the one that language leads to.
#include "Inspection.h"
#include "Report.h"

#include "platform/WinApi.h"
#include "string/String.h"

#include <cwchar>
#include <iostream>

int wmain(int argc, wchar_t** argv)
{
    SetConsoleOutputCP(CP_UTF8);
    std::wstring path;
    bool json = false;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--json") == 0)
            json = true;
        else if (argv[i][0] != L'/' && argv[i][0] != L'-' && path.empty())
            path = argv[i];
    }
    if (path.empty()) {
        std::cerr << "Usage: torvinspect <module.dll|.exe> [/lang=XXX] [--json]\n";
        return 2;
    }
    inspect::Inspection inspection;
    std::wstring error;
    if (!inspect::inspectModule(path, inspection, error)) {
        std::cerr << "torvinspect: " << torv::String(error.c_str()).toUtf8() << '\n';
        return 1;
    }
    if (json)
        inspect::printJson(std::cout, inspection);
    else
        inspect::printText(std::cout, inspection);
    return 0;
}
