#pragma once
// Internal: an unhandled-exception filter that ends the process with the
// exception code as its status. Under Wine the debugger that an unhandled
// exception starts can let a crashed process end with status 0, which a test
// run takes for success; the checked library and every test program install
// it.

#include <windows.h>

#include <cstdio>

namespace torv {

inline LONG WINAPI endWithExceptionCode(EXCEPTION_POINTERS* exception)
{
    const DWORD code = exception->ExceptionRecord->ExceptionCode;
    std::fprintf(stderr, "unhandled exception 0x%08lx\n", static_cast<unsigned long>(code));
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), code);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace torv
