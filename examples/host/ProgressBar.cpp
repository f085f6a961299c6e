#include "ProgressBar.h"

#include "platform/WinApi.h"

#include <atomic>
#include <iomanip>
#include <string>

namespace host {

namespace {

std::atomic<bool> cancelRequested(false);

BOOL WINAPI requestCancel(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    cancelRequested = true;
    return TRUE; // the copy ends itself cleanly; the process is not killed
}

double secondsBetween(std::chrono::steady_clock::time_point from, std::chrono::steady_clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

} // namespace

void ProgressBar::cancelOnCtrlC() { SetConsoleCtrlHandler(requestCancel, TRUE); }

ProgressBar::ProgressBar(std::ostream& out, bool live) : out(out), live(live) {}

bool ProgressBar::onTotals(unsigned long long filesToCopy, unsigned long long bytesToCopy)
{
    totalFiles = filesToCopy;
    totalBytes = bytesToCopy;
    draw();
    return !cancelRequested;
}

bool ProgressBar::onBytesCopied(unsigned long long more)
{
    bytes += more;
    return update();
}

void ProgressBar::onFileCopied()
{
    ++files;
    update();
}

void ProgressBar::finish()
{
    if (live || filesDrawn != files)
        draw();
    if (live)
        out << '\n';
    out.flush();
}

bool ProgressBar::update()
{
    const auto now = std::chrono::steady_clock::now();
    if (live ? secondsBetween(drawn, now) >= 0.1 : quarterOf(bytes) != quarterDrawn)
        draw();
    return !cancelRequested;
}

// More bytes than counted beforehand (the tree grew) keep the bar full.
int ProgressBar::quarterOf(unsigned long long copied) const
{
    if (totalBytes == 0 || copied >= totalBytes)
        return 4;
    return static_cast<int>(copied * 4 / totalBytes);
}

void ProgressBar::draw()
{
    drawn = std::chrono::steady_clock::now();
    quarterDrawn = quarterOf(bytes);
    filesDrawn = files;
    const unsigned long long shown = bytes < totalBytes ? bytes : totalBytes;
    const int filled = totalBytes == 0 ? WIDTH : static_cast<int>(shown * WIDTH / totalBytes);
    const int percent = totalBytes == 0 ? 100 : static_cast<int>(shown * 100 / totalBytes);
    const double seconds = secondsBetween(start, drawn);
    const double rate = seconds > 0 ? static_cast<double>(bytes) / seconds : 0;
    out << (live ? "\r" : "") << "  [" << std::string(static_cast<size_t>(filled), '#')
        << std::string(static_cast<size_t>(WIDTH - filled), '.') << "] " << percent << "%  " << files << '/'
        << totalFiles << " files, " << std::fixed << std::setprecision(1) << bytes / 1048576.0 << " of "
        << totalBytes / 1048576.0 << " MiB, " << rate / 1048576.0 << " MiB/s";
    if (rate > 0)
        out << ", " << std::setprecision(0) << static_cast<double>(totalBytes - shown) / rate << " s left";
    out << (live ? "   " : "\n");
    out.flush();
}

} // namespace host
