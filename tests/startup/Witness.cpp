// A static initialiser that reads the program's resources before its
// Module is initialised: a Module without a handle searches the program.
#include "StartupTrace.h"

#include "module/Module.h"

namespace {

const unsigned int GREETING_TEXT = 1;

struct ResourceReader : trace::Witness {
    ResourceReader()
    {
        const torv::String text = torv::String::loadFromResource(GREETING_TEXT, thisModule());
        const DWORD bytes = thisModule().getResource(torv::String(L"GREETING"), RT_RCDATA, true, nullptr).second;
        trace::line("static initialiser read '%s', %lu bytes", text.stringAnsi(), bytes);
    }
};

const ResourceReader reader;

} // namespace
