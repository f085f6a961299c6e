#pragma once
/// @file
/// Directory: a directory path as an optional root (a drive "C:" or a share
/// "\\server\share"), an absolute flag and a list of level names. Parsing
/// accepts local, drive-relative and network paths, with or without the
/// long-path prefix; the full name always renders without that prefix.
/// Derived paths are new objects; only setName changes a Directory.
///
/// Disk operations work on the full name; from 248 characters on it reaches
/// the system with the long-path prefix. Removal never follows a junction or
/// a symbolic link to a directory: such an entry is removed as a link and
/// its target is left alone. Copying follows them like any directory.
///
/// The tree operations never report success for work they left out: an
/// entry whose name no path can hold (a name ending in a dot or a blank,
/// made by another system) and a folder the system will not list are passed
/// over, the rest is done, and the result is false. They keep the levels of
/// a tree in a list, not on the native stack. A full name longer than the
/// system can take is refused before any system call.

#include "filesystem/FileSystemItem.h"
#include "object/SmartPtr.h"
#include "platform/Export.h"
#include "string/String.h"

#include <vector>

namespace torv {

class File;
class FileSystemIterator;
class DirectoryIterator;
class FileIterator;
class TorvFileProgressInterface;
struct Place;

/// A directory path: optional root, absolute flag, level names.
class TORV_API Directory : public FileSystemItem {
    TORV_DECLARE_CLASS(Directory);

public:
    /// The empty relative path: the current directory, full name ".\".
    Directory();
    /// A copy of the path of other.
    Directory(const Directory& other);
    /// Takes over the path of other.
    Directory& operator=(const Directory& other);

    /// Null, with a message, for invalid names, an invalid drive letter, a
    /// network path without server or share, and ".." above the root.
    static SmartPtr<Directory> fromString(const String& path);

    /// Ends with a backslash, except for a drive-relative path without levels
    /// ("C:"). The empty relative path renders as ".\".
    const String getFullName() const override;
    /// The last level, "." when there is none.
    const String getName() const override;
    /// Replaces the last level; an invalid name or a path without levels
    /// leaves the directory as it is.
    void setName(const String& name) override;

    /// True for an absolute path.
    bool isAbsolute() const { return absolute; }
    /// Null for a root and for the empty relative path.
    SmartPtr<const Directory> getParent() const;
    /// Adds one level as given, "." and ".." included.
    SmartPtr<const Directory> appendLevel(const String& name) const;
    /// Adds the levels of a relative path and resolves "." and "..".
    SmartPtr<const Directory> appendPath(const Directory& relative) const;
    /// Adds the levels of `other` (its root and flag are ignored) and resolves
    /// them; a null `other` gives this directory. Null when the result would
    /// climb above the root.
    SmartPtr<const Directory> combine(const SmartPtr<const Directory>& other) const;
    /// The file's name in the combination with its directory; null when that
    /// combination climbs above the root or `file` is null.
    SmartPtr<const File> combine(const SmartPtr<const File>& file) const;
    /// Relative paths are resolved against the current directory of the
    /// process, or of their drive.
    SmartPtr<const Directory> makeAbsolute() const;
    /// This directory seen from `reference`; on another drive its absolute
    /// form. Levels are compared without regard to case.
    SmartPtr<const Directory> makeRelative(const SmartPtr<const Directory>& reference) const;
    /// Equal when both name the same directory (levels ignore case); Undetermined when other is
    /// null or an absolute form cannot be found.
    ComparisonResult equals(const SmartPtr<const Directory>& other) const;
    /// True when this full name occurs anywhere in the item's full name.
    bool contains(const FileSystemItem& item) const;

    /// Something, a directory or a file, exists at the full name.
    bool exists() const override;
    /// True when a directory exists at the full name.
    virtual bool isDirectory() const;
    /// True for an existing directory that holds nothing but "." and "..",
    /// at any length of its name; false for a file, a missing directory and
    /// one that cannot be searched.
    bool isEmpty() const;
    /// Makes the directory with every missing parent.
    bool create() const;
    /// Removes the directory, with `recursive` its contents first; true also
    /// when it does not exist. A link is removed as a link, with or without
    /// `recursive`.
    bool remove(bool recursive) const;
    /// Removes the files, and with `recursive` the subdirectories too. A
    /// read-only file or one held open stops it with false; what was removed
    /// before stays removed. On a directory that is itself a link it removes
    /// nothing and gives false, so the link's target is never emptied.
    bool removeContents(bool recursive) const;
    /// Copies into the existing `target`, subdirectories first, then files;
    /// calls `progress` after each copied file. Every immediate subdirectory
    /// is created in the target even without `recursive`, never its parents,
    /// so a target that goes away fails the copy. Refused with false, before
    /// anything is written, when source and target are the same directory or
    /// one lies inside the other, as the file system tells (any spelling of
    /// either, links included). A link in the source or the target that leads
    /// into either, or around them, stops the copy. A folder that cannot be
    /// listed makes the result false after the rest is copied. A failure
    /// stops the copy with false; what was copied stays, and no file is left
    /// half-written.
    bool copyContents(SmartPtr<const Directory> target, bool recursive, bool overwrite,
                      TorvFileProgressInterface* progress) const;

    /// Searches with a wildcard pattern; "*" finds everything. Null for an
    /// invalid pattern or when no absolute form can be found; a directory
    /// that does not exist gives an iterator that ends at once.
    SmartPtr<FileSystemIterator> findContents(const String& pattern) const;
    /// The same for subdirectories only.
    SmartPtr<DirectoryIterator> findDirectories(const String& pattern) const;
    /// The same for files only.
    SmartPtr<FileIterator> findFiles(const String& pattern) const;

protected:
    ~Directory() override;

private:
    static SmartPtr<Directory> fromStringLocal(const String& text);
    static SmartPtr<Directory> fromStringUNC(const String& text);
    static bool splitLevels(const String& text, int start, std::vector<String>& into);

    wchar_t getDriveLetter() const;
    bool normalize();
    SmartPtr<Directory> withLevelsOf(const Directory& other) const;
    bool sameStructure(const Directory& other) const;
    /// True when `other` is this directory or lies inside it, by root and
    /// levels without regard to case.
    bool encloses(const Directory& other) const;
    /// The same, with case folded as the file system folds it.
    bool enclosesFoldingCase(const Directory& other) const;
    /// The absolute form with "." and ".." resolved (network paths keep them
    /// when parsed); null when there is none.
    SmartPtr<const Directory> resolved() const;
    /// Neither directory is the other or lies inside it, asked of the file
    /// system; where either cannot be opened, their resolved paths are
    /// compared. False when either has no absolute form. Fills in where both
    /// really are, when the file system can tell.
    bool isApartFrom(const Directory& other, Place& mine, Place& theirs) const;
    SmartPtr<const Directory> searchBase(const String& pattern) const;
    DWORD attributes() const;
    bool isLink() const;
    struct TreePass;
    bool removeTree(TreePass& pass) const;
    bool removeFiles(bool& complete) const;
    bool copyTree(const SmartPtr<const Directory>& target, TreePass& pass) const;
    static bool leadsAway(const Directory& folder, const TreePass& pass);
    bool copyFiles(const SmartPtr<const Directory>& target, TreePass& pass) const;
    void countTree(bool recursive, unsigned long long& files, unsigned long long& bytes) const;
    static bool copyObserved(const File& file, unsigned long long size, const SmartPtr<const Directory>& target,
                             TreePass& pass);

    bool absolute;
    std::vector<String> levels;
    String root;
};

} // namespace torv
