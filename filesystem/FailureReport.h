#pragma once
// Internal helpers that compose a failure message with String's printf and
// hand it to FileSystemItem::reportError and, where the calling thread has
// one, to its FailureLog.

#include "filesystem/FailureLog.h"
#include "filesystem/FileSystemItem.h"
#include "filesystem/SystemPath.h"

namespace torv {

// The paths are made only for a log that collects, so that a host without
// one pays for nothing beyond the message.
template <class MakePaths>
void deliverFailure(const String& message, DWORD code, const MakePaths& makePaths)
{
    FileSystemItem::reportError(message);
    if (FailureLog* log = FailureLog::innermost())
        log->add(FailureLog::Entry{message, code, makePaths()});
}

// Every argument of the format is a path or a text the message concerns;
// `code` is the system error it stands for.
template <class... Paths>
void reportCodedFailure(DWORD code, const wchar_t* format, const Paths&... paths)
{
    String message;
    message.printf(format, paths...);
    deliverFailure(message, code, [&] { return std::vector<String>{String(paths)...}; });
}

template <class... Paths>
void reportFailure(const wchar_t* format, const Paths&... paths)
{
    reportCodedFailure(0, format, paths...);
}

// For a failed system call: the system's error is read before any full
// name is composed, so it still describes the failing call, and is the
// last error again afterwards. The format takes the items' full names in
// order, then the error text.
template <class... Items>
void reportSystemFailure(const wchar_t* format, const Items&... items)
{
    const DWORD code = GetLastError();
    const String error = getWindowsError();
    String message;
    message.printf(format, items.getFullName()..., error);
    deliverFailure(message, code, [&] { return std::vector<String>{items.getFullName()...}; });
    SetLastError(code);
}

// A full name the system cannot take is refused, with a message, before
// any system call is made with it.
inline bool fitsSystem(const FileSystemItem& item)
{
    const String fullName = item.getFullName();
    if (!exceedsSystemLimit(fullName))
        return true;
    reportFailure(L"The full name '%s' is longer than the system can take.", fullName);
    return false;
}

} // namespace torv
