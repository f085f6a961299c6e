#include "platform/CheckedBuild.h"

#if defined(TORV_CHECKED)

#  include <windows.h>

namespace torv {

namespace {

// A trap must fail the run. With other threads around, Wine's default
// handling of an unhandled exception may end the process with status 0.
LONG WINAPI endWithExceptionCode(EXCEPTION_POINTERS* exception)
{
    const DWORD code = exception->ExceptionRecord->ExceptionCode;
    std::fprintf(stderr, "unhandled exception 0x%08lx\n", static_cast<unsigned long>(code));
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), code);
    return EXCEPTION_EXECUTE_HANDLER;
}

const LPTOP_LEVEL_EXCEPTION_FILTER installed = SetUnhandledExceptionFilter(endWithExceptionCode);

} // namespace

} // namespace torv

#endif
