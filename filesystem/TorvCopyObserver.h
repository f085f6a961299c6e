#pragma once
/// @file
/// TorvCopyObserver: follows Directory::copyContents file by file and byte
/// by byte, and steers it: cancel, and stop, skip or retry a failed file.

#include "filesystem/TorvFileProgressInterface.h"

#include "platform/WinApi.h"

namespace torv {

class File;

/// A progress callback for Directory::copyContents that is told more than
/// TorvFileProgressInterface and can answer. Pass it where the copy takes a
/// TorvFileProgressInterface; every member has a default, so a host
/// overrides only what it needs.
///
/// For each file the copy calls, in this order: onFileStarting, then
/// onBytesCopied as the bytes go (possibly not at all), then, once the file
/// is whole, onFileCopied and onFileEnded; or onFileFailed instead of the
/// last two when the file could not be copied. A member that returns false
/// cancels the copy there: the file being copied is removed (a new target)
/// or left as it was (a target being replaced), what was copied before
/// stays, a failure "The copy of the directory '...' to '...' was
/// cancelled." is reported, and copyContents returns false.
///
/// The calls come on the thread that runs the copy, while it waits.
class TorvCopyObserver : public TorvFileProgressInterface {
public:
    /// What the copy does after a file failed.
    enum class FailureChoice {
        Stop,   ///< end the copy; copyContents returns false (the default)
        Skip,   ///< go on with the next file; copyContents finally returns false
        Retry,  ///< copy the same file again, from onFileStarting on
        Cancel, ///< end the copy as cancelled
    };

    /// Called once after each file copied whole, before onFileEnded.
    void onFileCopied() override {}

    /// True to be told the totals: the copy then scans the source once
    /// before it starts.
    virtual bool wantsTotals() const { return false; }
    /// The files and bytes the copy is to take, before its first byte.
    virtual bool onTotals(unsigned long long /*files*/, unsigned long long /*bytes*/) { return true; }
    /// A file is about to be copied; `size` is its size as the listing of
    /// its folder gave it.
    virtual bool onFileStarting(const File& /*source*/, const File& /*target*/, unsigned long long /*size*/)
    {
        return true;
    }
    /// `bytes` more of the current file are copied; the calls for one file
    /// sum to the size onFileStarting was told. Where the system reports progress during a copy
    /// they come about once per MiB, else once when the file is whole.
    virtual bool onBytesCopied(unsigned long long /*bytes*/) { return true; }
    /// The current file is copied whole; false cancels with it kept.
    virtual bool onFileEnded(const File& /*source*/, const File& /*target*/) { return true; }
    /// The current file could not be copied; its failure, with the system
    /// error `code`, has been reported. A new target is not left behind, a
    /// target being replaced is as it was.
    virtual FailureChoice onFileFailed(const File& /*source*/, const File& /*target*/, DWORD /*code*/)
    {
        return FailureChoice::Stop;
    }

protected:
    /// Not for deleting through this interface.
    ~TorvCopyObserver() = default;
};

} // namespace torv
