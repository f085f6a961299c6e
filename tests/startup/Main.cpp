// Registers an atexit handler and builds a function-local static, then
// returns from main, leaves through exit() ("exit"), or through exit()
// called by another module ("library-exit").
#include "StartupTrace.h"

#include <cstdlib>
#include <cstring>

extern "C" __declspec(dllimport) void exitFromLibrary(int code);

namespace {

const trace::Witness lastWitness;

void atExitHandler() { trace::line("atexit handler: %d init, %d clear", trace::inits, trace::clears); }

} // namespace

int main(int argc, char** argv)
{
    trace::line("main");
    static const trace::Witness local;
    std::atexit(atExitHandler);
    const char* const ending = argc > 1 ? argv[1] : "return";
    if (std::strcmp(ending, "exit") == 0)
        std::exit(0);
    if (std::strcmp(ending, "library-exit") == 0)
        exitFromLibrary(0);
    return 0;
}
