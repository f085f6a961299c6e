#include "string/AllocationFailure.h"

namespace torv {

const char* AllocationFailure::what() const noexcept { return "bad allocation"; }

#if defined(TORV_CHECKED)

namespace {

// Per thread, so that a test's injected failures never reach another thread.
thread_local int allocationsLeft = -1;

} // namespace

void failAllocationsAfter(int count) { allocationsLeft = count; }

bool allocationMayProceed()
{
    if (allocationsLeft < 0)
        return true;
    if (allocationsLeft == 0)
        return false;
    --allocationsLeft;
    return true;
}

#endif

} // namespace torv
