#pragma once
// Internal helpers that compose a failure message with String's printf and
// hand it to FileSystemItem::reportError.

#include "filesystem/FileSystemItem.h"
#include "filesystem/SystemPath.h"

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
