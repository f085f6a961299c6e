#include "filesystem/ByteProgress.h"

namespace torv {

bool ByteProgress::advance(unsigned long long transferred)
{
    const unsigned long long step = 1ull << 20;
    if (transferred <= reported || (transferred - reported < step && transferred < size))
        return true;
    const unsigned long long bytes = transferred - reported;
    reported = transferred;
    cancelledByObserver = !observer.onBytesCopied(bytes);
    return !cancelledByObserver;
}

} // namespace torv
