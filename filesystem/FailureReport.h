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

// The system's text for `code`, as getWindowsError gives it for the last
// error.
String systemErrorText(DWORD code);

// For a failed system call whose error is `code`, which is the last error
// again afterwards. The format takes the items' full names in order, then
// the error text.
template <class... Items>
void reportSystemError(DWORD code, const wchar_t* format, const Items&... items)
{
    String message;
    message.printf(format, items.getFullName()..., systemErrorText(code));
    deliverFailure(message, code, [&] { return std::vector<String>{items.getFullName()...}; });
    SetLastError(code);
}

// As reportSystemError, for the call that failed last: its error is read
// before any full name is composed, so it still describes that call.
template <class... Items>
void reportSystemFailure(const wchar_t* format, const Items&... items)
{
    reportSystemError(GetLastError(), format, items...);
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
