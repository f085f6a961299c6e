#pragma once
/// @file
/// The callback a host implements to follow Directory::copyContents. The
/// host owns the object; the copy only borrows it and cannot be cancelled
/// through it.

namespace torv {

/// The callback that a host implements to follow Directory::copyContents.
class TorvFileProgressInterface {
public:
    /// Called once after each copied file, at every depth of the tree.
    virtual void onFileCopied() = 0;

protected:
    /// Not for deleting through this interface.
    ~TorvFileProgressInterface() = default;
};

} // namespace torv
