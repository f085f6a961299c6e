#include "PackageModule.h"

#include "module/Module.h"
#include "module/SymbolTable.h"

unsigned int packageSymbol(const torv::String& name)
{
    return thisModule().getResourceSymbols().lookupSymbol(name);
}
