#pragma once
// Internal: the copy of one file with its bytes followed by a
// TorvCopyObserver, shared by File::copy and the tree copy.

#include "filesystem/ByteProgress.h"
#include "filesystem/File.h"

namespace torv {

// File::copy of `source` onto `target`, failures reported as it reports
// them; with `bytes` the copy's progress goes there. A copy the observer
// cancels fails with ERROR_CANCELLED as the last error and is not reported.
bool copyFileTo(const File& source, const SmartPtr<const File>& target, bool overwrite, ByteProgress* bytes);

} // namespace torv
