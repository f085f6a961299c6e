#pragma once
// What the start-up program saw, in the order it happened: each line goes
// to stdout at once, and the test matches the whole sequence.
#include "string/String.h"

#include <cstdio>

namespace trace {

inline int staticsBuilt = 0;
inline int staticsDestroyed = 0;
inline int inits = 0;
inline int clears = 0;

template <class... Args>
void line(const char* format, Args... args)
{
    std::printf(format, args...);
    std::putchar('\n');
    std::fflush(stdout);
}

// A static object of the program: counts its construction and destruction.
struct Witness {
    Witness() { ++staticsBuilt; }
    ~Witness()
    {
        ++staticsDestroyed;
        line("gone: %d init, %d clear", inits, clears);
    }
};

} // namespace trace
