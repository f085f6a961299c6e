// Uses the installed package: a string, a directory path, the modules of
// the process, and the symbols and texts of a module built with the kit.
#include "PackageModule.h"

#include "filesystem/Directory.h"
#include "module/Module.h"
#include "module/SymbolTable.h"
#include "string/String.h"

#include <iostream>

int main()
{
    torv::String text(L"package");
    text << L" " << 42;
    std::cout << "string: " << text << '\n';

    const auto base = torv::Directory::fromString(L"C:\\torv\\package");
    std::cout << "directory: " << base->appendLevel(L"consumer")->getFullName() << '\n';

    for (auto module = torv::Module::begin(); module != torv::Module::end(); ++module)
        std::cout << "module: " << module->getModuleName() << '\n';

    std::cout << "symbol: " << packageSymbol(L"ids_package_alias") << '\n';
    std::cout << "missing: " << (packageSymbol(L"IDS_MISSING") == torv::SymbolTable::UNKNOWN) << '\n';
    std::cout << "greeting: " << packageGreeting() << '\n';
    return 0;
}
