#pragma once
// The copy command of the example host: copies a directory tree with a
// progress bar over its bytes, which Ctrl+C cancels, and reports files,
// bytes and time, or each reason of a failure. Without folders it copies
// the default tree in a temporary folder of its own and removes it after.
#include "string/String.h"

#include <ostream>
#include <vector>

namespace host {

// `folders` holds nothing or a source and a target. Returns the process
// exit code: 0 copied, 1 failed, 2 wrong number of folders.
int runCopyCommand(std::ostream& out, const std::vector<torv::String>& folders);

} // namespace host
