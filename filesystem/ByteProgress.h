#pragma once
// Internal: the bytes of one file's copy, as the tree copy hands them to its
// TorvCopyObserver.

#include "filesystem/TorvCopyObserver.h"

namespace torv {

// The bytes of the file being copied, handed to the observer in steps of
// about a MiB, or as a whole at the end where the system reports none.
class ByteProgress {
public:
    ByteProgress(TorvCopyObserver& observer, unsigned long long size) : observer(observer), size(size) {}

    // `transferred` bytes of the file are copied; false when the observer
    // cancels.
    bool advance(unsigned long long transferred);
    // The file is whole: the bytes not yet handed over follow; false when
    // the observer cancels.
    bool finish() { return advance(size); }
    bool cancelled() const { return cancelledByObserver; }

private:
    TorvCopyObserver& observer;
    unsigned long long size;
    unsigned long long reported = 0;
    bool cancelledByObserver = false;
};

} // namespace torv
