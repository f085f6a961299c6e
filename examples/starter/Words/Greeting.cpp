#include "Greeting.h"

#include "module/Module.h"
#include "module/SymbolTable.h"
#include "resource.h"

namespace words {

TORV_DEFINE_CLASS(Greeting, torv::BaseNode)

torv::String Greeting::text() const { return torv::String::loadFromResource(IDS_GREETING, thisModule()); }

unsigned int symbol(const torv::String& name)
{
    const unsigned int value = thisModule().getResourceSymbols().lookupSymbol(name);
    return value == torv::SymbolTable::UNKNOWN ? 0 : value;
}

} // namespace words
