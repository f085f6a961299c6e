#pragma once
// Internal helpers that compose a failure message with String's printf and
// hand it to FileSystemItem::reportError.

#include "filesystem/FileSystemItem.h"

namespace torv {

template <class... Args>
void reportFailure(const wchar_t* format, const Args&... args)
{
    String message;
    message.printf(format, args...);
    FileSystemItem::reportError(message);
}

// For a failed system call: the system's error text is read before any
// full name is composed, so it still describes the failing call. The
// format takes the items' full names in order, then the error text.
template <class... Items>
void reportSystemFailure(const wchar_t* format, const Items&... items)
{
    const String error = getWindowsError();
    reportFailure(format, items.getFullName()..., error);
}

} // namespace torv
