#pragma once
// A console progress bar that follows and steers Directory::copyContents:
// files and bytes, rate and time left. On a console it redraws one line in
// place about ten times a second; otherwise (a file, a pipe) it writes a
// line at each quarter of the bytes, so logs stay readable. Ctrl+C, once
// cancelRequests() is on, makes it cancel the copy.
#include "filesystem/TorvCopyObserver.h"

#include <chrono>
#include <ostream>

namespace host {

class ProgressBar : public torv::TorvCopyObserver {
public:
    ProgressBar(std::ostream& out, bool live);

    bool wantsTotals() const override { return true; }
    bool onTotals(unsigned long long files, unsigned long long bytes) override;
    bool onBytesCopied(unsigned long long bytes) override;
    void onFileCopied() override;
    // Ends the line of a live bar.
    void finish();

    unsigned long long filesCopied() const { return files; }
    unsigned long long filesInTotal() const { return totalFiles; }
    unsigned long long bytesCopied() const { return bytes; }

    // Lets Ctrl+C in the console cancel the copies that bars follow.
    static void cancelOnCtrlC();

private:
    static constexpr int WIDTH = 30;

    bool update();
    void draw();
    int quarterOf(unsigned long long copied) const;

    std::ostream& out;
    const bool live;
    const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point drawn = start;
    unsigned long long totalFiles = 0;
    unsigned long long totalBytes = 0;
    unsigned long long files = 0;
    unsigned long long bytes = 0;
    int quarterDrawn = -1;
    unsigned long long filesDrawn = 0;
};

} // namespace host
