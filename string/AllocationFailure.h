#pragma once
/// @file
/// The one exception the library throws when storage cannot be had.

#include "platform/Export.h"

#include <cstddef>
#include <new>

namespace torv {

/// Thrown wherever the library reports that storage cannot be allocated,
/// including sizes that would not fit the int lengths of a String.
/// what() is "bad allocation".
class TORV_API AllocationFailure : public std::bad_alloc {
public:
    /// "bad allocation".
    const char* what() const noexcept override;
};

#if defined(TORV_CHECKED)
/// Fault injection for tests of the checked build: on the calling thread,
/// the next `count` allocations of the library succeed and every later one
/// fails, until a negative count lets all of them succeed again.
TORV_API void failAllocationsAfter(int count);
/// False when an injected failure is due; counts the allocation otherwise.
TORV_API bool allocationMayProceed();
#endif

/// Array new of `count` elements; throws AllocationFailure instead of the
/// run-time's own exception when the storage is not available.
template <class T>
T* allocateArray(std::size_t count)
{
#if defined(TORV_CHECKED)
    if (!allocationMayProceed())
        throw AllocationFailure();
#endif
    T* array = new (std::nothrow) T[count];
    if (!array)
        throw AllocationFailure();
    return array;
}

} // namespace torv
