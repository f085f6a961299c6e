#pragma once
// A console progress bar that follows Directory::copyContents. On a console
// it redraws one line in place after every file; otherwise (a file, a pipe)
// it writes a line at each quarter, so logs stay readable.
#include "filesystem/TorvFileProgressInterface.h"

#include <ostream>

namespace host {

class ProgressBar : public torv::TorvFileProgressInterface {
public:
    ProgressBar(std::ostream& out, unsigned long long totalFiles, bool live);

    void onFileCopied() override;
    // Ends the line of a live bar.
    void finish();

    unsigned long long filesCopied() const { return copied; }

private:
    static constexpr int WIDTH = 40;

    void draw();
    int quarterOf(unsigned long long files) const;

    std::ostream& out;
    const unsigned long long total;
    const bool live;
    unsigned long long copied = 0;
};

} // namespace host
