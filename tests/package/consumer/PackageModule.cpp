#include "PackageModule.h"

#include "module/Module.h"
#include "module/StringResource.h"
#include "module/SymbolTable.h"
#include "package_symbols.h"

unsigned int packageSymbol(const torv::String& name) { return thisModule().getResourceSymbols().lookupSymbol(name); }

torv::String packageGreeting() { return torv::StringResource(IDS_PACKAGE_GREETING, thisModule()); }
