#pragma once
// Internal: what the file system itself says a path is. Text cannot tell
// that a short name, another drive letter, a link or a case difference
// outside ASCII name one folder; an open handle can.

#include "platform/WinApi.h"
#include "string/String.h"

namespace torv {

// The volume and the file's number on it.
struct FileIdentity {
    DWORD volume = 0;
    ULONGLONG index = 0;
    bool operator==(const FileIdentity& other) const { return volume == other.volume && index == other.index; }
};

// Where a folder or file really is: its identity and the path the system
// resolved it to, links and other spellings undone.
struct Place {
    FileIdentity identity;
    String finalPath;
};

// Opens what is at `fullName`, following links, and reads its identity.
// False when nothing can be opened there.
bool identify(const String& fullName, FileIdentity& identity);

// The same, with the path the system resolved it to.
// False when nothing can be opened there.
bool locate(const String& fullName, Place& place);

// True when `inner` is the folder `outer` or lies inside it. Every folder on
// the way up from inner's final path is asked for its identity, so no
// spelling of either path can hide the relation.
bool liesWithin(const Place& inner, const FileIdentity& outer);

// Neither folder is the other or lies inside the other.
bool areApart(const Place& one, const Place& other);

// Text equal as the file system folds case: all of Unicode, not just ASCII.
bool equalFoldingCase(const String& a, const String& b);

} // namespace torv
