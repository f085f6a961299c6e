#include "platform/CheckedBuild.h"

#if defined(TORV_CHECKED)

#  include "platform/ExitOnCrash.h"

namespace torv {

namespace {

// A trap must fail the run, also in a program that installs no filter.
const LPTOP_LEVEL_EXCEPTION_FILTER installed = SetUnhandledExceptionFilter(endWithExceptionCode);

} // namespace

} // namespace torv

#endif
