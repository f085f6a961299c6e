#pragma once
/// @file
/// File: a file path as a shared Directory plus a name split at its last dot
/// into base name and extension. A File holds a reference to its Directory
/// object rather than a copy, so the Directory must be owned by SmartPtrs.

#include "filesystem/Directory.h"
#include "filesystem/FileSystemItem.h"
#include "object/SmartPtr.h"
#include "platform/Export.h"
#include "string/String.h"

namespace torv {

/// A file path: a shared directory, a base name and an extension.
class TORV_API File : public FileSystemItem {
    TORV_DECLARE_CLASS(File);

public:
    /// Shares the directory of other and copies its name.
    File(const File& other);
    /// Takes over the directory and the name of other.
    File& operator=(const File& other);

    /// Splits at the last backslash or colon; a path without either is a
    /// bare name in the empty relative directory. Null when the name part is
    /// missing or invalid (also "." and "..") or the directory part is.
    static SmartPtr<File> fromString(const String& path);
    /// The file `name` in `dir`; null when `name` is no valid file name.
    static SmartPtr<File> fromString(const Directory& dir, const String& name);

    /// The directory's full name followed by the name.
    const String getFullName() const override;
    /// The base name, then a dot and the extension when there is one.
    const String getName() const override;
    /// Splits at the last dot after the first character; without one the
    /// whole text becomes the base name and the extension stays. Unchecked.
    void setName(const String& name) override;

    /// The name up to its last dot.
    const String getBaseName() const { return baseName; }
    /// The text after the last dot, without it; empty when there is none.
    const String getExtension() const { return extension; }
    /// The directory, shared with this file.
    SmartPtr<const Directory> getDirectory() const { return directory; }
    /// `ext` is taken as it is; an empty one removes the extension.
    SmartPtr<const File> replaceExtension(const String& ext) const;
    /// True when the directory is absolute.
    bool isAbsolute() const;
    /// The file in the absolute form of its directory; null when that cannot be found.
    SmartPtr<const File> makeAbsolute() const;
    /// The file in its directory seen from ref; null when ref is null or no absolute form can be
    /// found.
    SmartPtr<const File> makeRelative(const SmartPtr<const Directory>& ref) const;
    /// Names compare without regard to case; directories as Directory::equals.
    ComparisonResult equals(const SmartPtr<const File>& other) const;

    /// A file, not a directory, exists at the full name.
    bool exists() const override;
    /// The size in bytes; false (size unchanged) when it cannot be read.
    bool getFileSize(ULARGE_INTEGER& size) const;
    /// True also when there is nothing to remove.
    bool remove() const;
    /// Copies into `target` under this file's name: the new File, or null.
    SmartPtr<const File> copy(SmartPtr<const Directory> target, bool overwrite) const;
    /// The target's directory must exist. No failure (a full disk, a
    /// vanished source, a locked target) leaves a partial file under the
    /// target's name: a new target that could not be finished is removed
    /// again, and an existing one is replaced only by a whole copy, written
    /// beside it under a passing name ("~...torvpartial") and renamed over
    /// it, keeping the attributes the target had. A read-only or hidden
    /// target is never overwritten. A copy onto itself fails, whatever the
    /// spelling of either name: the file system is asked whether they are
    /// one file.
    bool copy(SmartPtr<const File> target, bool overwrite) const;
    /// Fails when the target exists. Across volumes the file is copied as
    /// above and then the source deleted; when the source cannot be deleted
    /// the copy is taken back and the result is false.
    bool move(SmartPtr<const File> target) const;
    /// Creates the file when missing, else sets its last-write time to now.
    bool touch() const;

protected:
    ~File() override;

private:
    File();

    String baseName;
    SmartPtr<const Directory> directory;
    String extension;
};

} // namespace torv
