// Another module that calls exit: the program's own code never sees the call.
#include <cstdlib>

extern "C" __declspec(dllexport) void exitFromLibrary(int code) { std::exit(code); }
