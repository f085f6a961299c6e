#include "string/AllocationFailure.h"

namespace torv {

const char* AllocationFailure::what() const noexcept { return "bad allocation"; }

} // namespace torv
