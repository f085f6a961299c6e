// The example host: a console program with a Module of its own that uses
// the library and the example sibling module. Run it with /lang=DEU for the
// sibling's German texts, and with a source and a target folder to copy a
// tree of your own.
#include "ClassReport.h"
#include "Console.h"
#include "CopyCommand.h"
#include "ModuleReport.h"
#include "SiblingReport.h"

#include <iostream>
#include <vector>

namespace {

// Everything that is not a switch ("/lang=DEU", read by the library).
std::vector<torv::String> folderArguments(int argc, wchar_t** argv)
{
    std::vector<torv::String> folders;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] != L'/' && argv[i][0] != L'-')
            folders.emplace_back(argv[i]);
    }
    return folders;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    host::prepareConsole();
    std::ostream& out = std::cout;
    host::printSiblingReport(out);
    out << '\n';
    host::printModuleReport(out);
    out << '\n';
    host::printClassTree(out);
    out << '\n';
    return host::runCopyCommand(out, folderArguments(argc, argv));
}
