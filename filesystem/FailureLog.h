#pragma once
/// @file
/// FailureLog: lets a host read why a file-system operation failed. Without
/// one, the library's failure messages are discarded and false or a null
/// result is the only signal.

#include "platform/Export.h"
#include "string/String.h"

#include "platform/WinApi.h"
#include <vector>

namespace torv {

/// A scope that collects, in order, every failure the file-system classes
/// report on the calling thread while it lives.
///
/// Scopes nest: only the innermost one of a thread collects, and the one
/// around it collects again once it ends. Scopes end on the thread that
/// started them, in the reverse order of their start (as locals do). Other
/// threads are never affected, and outside any scope nothing is kept.
///
/// ```
/// torv::FailureLog log;
/// if (!source->copyContents(target, true, false, nullptr))
///     for (const auto& failure : log.failures())
///         show(failure.text);
/// ```
class TORV_API FailureLog {
public:
    /// One reported failure.
    struct Entry {
        /// The message exactly as the library composed it.
        String text;
        /// The system error behind it; 0 where no system call failed.
        DWORD code;
        /// The full names or texts of the paths it concerns, in the order
        /// the message names them.
        std::vector<String> paths;
    };

    /// Starts collecting on the calling thread.
    FailureLog();
    /// Hands collecting back to the scope around this one, if any.
    ~FailureLog();
    FailureLog(const FailureLog&) = delete;
    FailureLog& operator=(const FailureLog&) = delete;

    /// The failures collected so far, oldest first.
    const std::vector<Entry>& failures() const { return entries; }

    /// The scope that collects on the calling thread; null outside any.
    static FailureLog* innermost();
    /// Adds a failure; the library calls this for every failure it reports
    /// while the scope collects.
    void add(Entry entry);

private:
    FailureLog* enclosing;
    std::vector<Entry> entries;
};

} // namespace torv
