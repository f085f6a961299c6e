#include "ProgressBar.h"

#include <string>

namespace host {

ProgressBar::ProgressBar(std::ostream& out, unsigned long long totalFiles, bool live)
    : out(out), total(totalFiles), live(live)
{
    if (live)
        draw();
}

void ProgressBar::onFileCopied()
{
    const int quarterBefore = quarterOf(copied);
    ++copied;
    if (live || quarterOf(copied) != quarterBefore)
        draw();
}

void ProgressBar::finish()
{
    if (live)
        out << '\n';
    out.flush();
}

// More files than counted beforehand (the tree grew) keep the bar full.
int ProgressBar::quarterOf(unsigned long long files) const
{
    if (total == 0 || files >= total)
        return 4;
    return static_cast<int>(files * 4 / total);
}

void ProgressBar::draw()
{
    const unsigned long long shown = copied < total ? copied : total;
    const int filled = total == 0 ? WIDTH : static_cast<int>(shown * WIDTH / total);
    const int percent = total == 0 ? 100 : static_cast<int>(shown * 100 / total);
    out << (live ? "\r" : "") << "  [" << std::string(static_cast<size_t>(filled), '#')
        << std::string(static_cast<size_t>(WIDTH - filled), '.') << "] " << percent << "%  " << copied << '/' << total
        << " files" << (live ? "" : "\n");
    out.flush();
}

} // namespace host
