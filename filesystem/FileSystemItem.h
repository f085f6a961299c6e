#pragma once
/// @file
/// FileSystemItem: the abstract base of the path objects Directory and File.
/// A path object names a place in the file system; it holds no handle and
/// the place need not exist. Failures never throw: each composes a message
/// for reportError (which discards it) and shows as false or a null result.

#include "filesystem/TorvMessages.h"
#include "object/BaseNode.h"
#include "platform/Export.h"
#include "string/String.h"

#include "platform/WinApi.h"
#include <sys/stat.h>

namespace torv {

/// The abstract base of the path objects Directory and File.
class TORV_API FileSystemItem : public BaseNode, private TorvMessages {
    TORV_DECLARE_CLASS(FileSystemItem);

public:
    /// The result of Directory::equals and File::equals.
    enum ComparisonResult {
        Undetermined = 0, ///< the other item is null, or no absolute form was found
        Equal = 1,
        Different = 2
    };

    FileSystemItem();
    /// A copy with count 0.
    FileSystemItem(const FileSystemItem& other);
    /// Leaves the count alone.
    FileSystemItem& operator=(const FileSystemItem& other);

    /// True when the item exists on disk.
    virtual bool exists() const = 0;
    /// The path as text, owned by the caller.
    virtual const String getFullName() const = 0;
    /// The last component of the path.
    virtual const String getName() const = 0;
    /// Replaces the last component of the path.
    virtual void setName(const String& name) = 0;

    /// The sink of every failure message of the file-system classes.
    static void reportError(const String& message);

    /// Runs the C run-time's narrow _stat64i32 on the full name without a
    /// trailing separator; characters outside the ANSI code page are lost.
    bool stat(struct _stat64i32& st) const;
    /// `mode` as for _access: 0 existence, 2 write, 4 read, 6 both. Checks
    /// the item's security descriptor against the caller's token; the
    /// read-only attribute alone does not deny write access.
    bool access(int mode) const;
    /// The time of the last write; false (time unchanged) when it cannot be read.
    bool getLastWriteTime(FILETIME* time) const;
    /// The time of creation; false (time unchanged) when it cannot be read.
    bool getCreationTime(FILETIME* time) const;

protected:
    ~FileSystemItem() override;
};

/// The text of the calling thread's last system error: empty for no error,
/// "[0x%08x]" for a code the system cannot describe. Call it right after the
/// failing call, before anything else can change the last error.
TORV_API String getWindowsError();

} // namespace torv
