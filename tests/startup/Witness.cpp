// A static initialiser that reads the program's resources before its
// Module is initialised: a Module without a handle searches the program.
#include "StartupTrace.h"
#include "StartupIds.h"

#include "module/Module.h"

namespace {

struct ResourceReader : trace::Witness {
    ResourceReader()
    {
        const torv::String text = torv::String::loadFromResource(IDS_GREETING, thisModule());
        const DWORD bytes = thisModule().getResource(torv::String(L"GREETING"), RT_RCDATA, true, nullptr).second;
        trace::line("static initialiser read '%s', %lu bytes", text.stringAnsi(), bytes);
    }
};

const ResourceReader reader;

} // namespace
