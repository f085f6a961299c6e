#include "filesystem/FailureLog.h"

#include <utility>

namespace torv {

namespace {

// Each thread has its own chain of scopes, so none is shared.
thread_local FailureLog* innermostScope = nullptr;

} // namespace

FailureLog::FailureLog() : enclosing(innermostScope) { innermostScope = this; }

FailureLog::~FailureLog() { innermostScope = enclosing; }

FailureLog* FailureLog::innermost() { return innermostScope; }

void FailureLog::add(Entry entry) { entries.push_back(std::move(entry)); }

} // namespace torv
