#pragma once
// The library's own consistency checks, compiled in only when TORV_CHECKED
// is defined (the checked build). A failed check names the fault on the
// error output and ends the program at once with a trap, so that a test run
// fails where the damage is done instead of somewhere later. Any exception
// left unhandled ends the process with the exception code as its status.

#if defined(TORV_CHECKED)

#  include <cstdio>

namespace torv {

[[noreturn]] inline void checkFailed(const char* fault)
{
    std::fprintf(stderr, "TorvBase check failed: %s\n", fault);
    std::fflush(stderr);
    __builtin_trap();
}

inline void checkThat(bool holds, const char* fault)
{
    if (!holds)
        checkFailed(fault);
}

} // namespace torv

#endif
