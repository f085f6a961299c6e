// Linked into every test program: a crash must fail the test, in the release
// build too.
#include "platform/ExitOnCrash.h"

namespace {

const LPTOP_LEVEL_EXCEPTION_FILTER installed = SetUnhandledExceptionFilter(torv::endWithExceptionCode);

} // namespace
