#pragma once
// Internal: the copy of one file with its bytes followed by a
// TorvCopyObserver, shared by File::copy and the tree copy.

#include "filesystem/File.h"
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

// File::copy of `source` onto `target`, failures reported as it reports
// them; with `bytes` the copy's progress goes there. A copy the observer
// cancels fails with ERROR_CANCELLED as the last error and is not reported.
bool copyFileTo(const File& source, const SmartPtr<const File>& target, bool overwrite, ByteProgress* bytes);

} // namespace torv
