#include "filesystem/ByteProgress.h"
#include "filesystem/Directory.h"
#include "filesystem/FailureLog.h"
#include "filesystem/TorvCopyObserver.h"

#include "../support/TempFolder.h"
#include "platform/WinApi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace testsupport;
using namespace torv;
using Choice = TorvCopyObserver::FailureChoice;

std::wstring text(const String& s) { return s.c_str(); }

// Catches a failure that reaches no log, the wrong one, or loses its code, its paths or the last error.
TEST(FailureLog, CollectsEachFailureWithCodeAndPathsInTheInnermostScopeOfItsThread)
{
    TempFolder temp;
    makeDirectory(temp / L"x");
    makeDirectory(temp / L"x\\a");
    const SmartPtr<const File> missing = temp.file(L"none");
    const SmartPtr<const File> target = temp.file(L"t");
    FailureLog outer;
    EXPECT_FALSE(missing->copy(target, false));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND)) << "the host can still read the last error";
    {
        FailureLog inner;
        EXPECT_FALSE(temp.directory(L"x")->copyContents(temp.directory(L"x\\a"), true, false, nullptr));
        std::thread([&] { EXPECT_FALSE(missing->copy(target, false)); }).join();
        ASSERT_EQ(inner.failures().size(), 1u) << "another thread's failure or the outer one collected";
        const FailureLog::Entry& overlap = inner.failures()[0];
        EXPECT_EQ(text(overlap.text), L"The directory '" + temp / L"x\\" + L"' cannot be copied into '" +
                                          temp / L"x\\a\\" + L"': one is the other or lies inside it.");
        EXPECT_TRUE(overlap.code == 0u && overlap.paths.size() == 2u);
    }
    EXPECT_FALSE(Directory::fromString(L"C:\\")->appendPath(*Directory::fromString(L"D:\\")));

    ASSERT_EQ(outer.failures().size(), 2u) << "the outer scope collects again after the inner one";
    const FailureLog::Entry& copy = outer.failures()[0];
    EXPECT_EQ(text(copy.text).rfind(L"Failed to copy file '" + temp / L"none' to file '" + temp / L"t' because: ", 0),
              0u)
        << text(copy.text);
    EXPECT_EQ(copy.code, DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(copy.paths == (std::vector<String>{(temp / L"none").c_str(), (temp / L"t").c_str()}));
    EXPECT_EQ(text(outer.failures()[1].paths.at(0)), L"D:\\");
}

enum class Point {
    None,
    Totals,
    Starting,
    Bytes,
    Ended,
    Failed
};

// Records every call as a line; cancels at one point of the `cancelOn`th file started (0: of any file); before f2
// starts, does `onF2` to it; answers a failure with `onFailure`, undoing `onF2` first for a retry.
class ScriptedObserver : public TorvCopyObserver {
public:
    Point cancelAt = Point::None;
    int cancelOn = 0;
    Choice onFailure = Choice::Stop;
    std::function<void(bool undo)> onF2 = [](bool) {};
    std::vector<std::wstring> calls, ended;

    bool wantsTotals() const override { return true; }
    bool onTotals(unsigned long long files, unsigned long long bytes) override
    {
        calls.push_back(L"totals " + std::to_wstring(files) + L" " + std::to_wstring(bytes));
        return cancelAt != Point::Totals;
    }
    bool onFileStarting(const File& source, const File&, unsigned long long size) override
    {
        ++started;
        bytes = 0;
        if (source.getName() == L"f2" && std::count(calls.begin(), calls.end(), L"failed f2") == 0)
            onF2(false);
        calls.push_back(L"start " + text(source.getName()) + L" " + std::to_wstring(size));
        return !due(Point::Starting);
    }
    bool onBytesCopied(unsigned long long more) override
    {
        calls.push_back(L"bytes " + std::to_wstring(more));
        return (bytes += more, !due(Point::Bytes));
    }
    void onFileCopied() override { calls.push_back(L"copied"); }
    bool onFileEnded(const File& source, const File&) override
    {
        calls.push_back(L"end " + text(source.getName()) + L" " + std::to_wstring(bytes));
        ended.push_back(text(source.getName()));
        return !due(Point::Ended);
    }
    Choice onFileFailed(const File& source, const File&, DWORD code) override
    {
        calls.push_back(L"failed " + text(source.getName()) + (code ? L"" : L" without a code"));
        if (onFailure == Choice::Retry)
            onF2(true);
        return due(Point::Failed) ? Choice::Cancel : onFailure;
    }

private:
    bool due(Point point) const { return cancelAt == point && (cancelOn == 0 || started == cancelOn); }
    int started = 0;
    unsigned long long bytes = 0;
};

// Catches calls out of order, totals or byte counts that do not add up to the tree, and a lost old callback.
TEST(CopyObserver, ToldTotalsThenEachFileAsItStartsGoesAndEnds)
{
    TempFolder temp;
    makeDirectory(temp / L"src");
    makeDirectory(temp / L"src\\sub");
    makeDirectory(temp / L"dst");
    writeFile(temp / L"src\\big", std::string(8u << 20, 'b'));
    writeFile(temp / L"src\\sub\\x.txt", "x");
    ScriptedObserver observer;
    EXPECT_TRUE(temp.directory(L"src")->copyContents(temp.directory(L"dst"), true, false, &observer));
    EXPECT_EQ(observer.calls,
              (std::vector<std::wstring>{L"totals 2 8388609", L"start x.txt 1", L"bytes 1", L"copied", L"end x.txt 1",
                                         L"start big 8388608", L"bytes 8388608", L"copied", L"end big 8388608"}));
    EXPECT_EQ(readFile(temp / L"dst\\big").size(), 8u << 20);
}

// Catches byte reports in other steps than a MiB, a report of no bytes, or a file's last bytes not reported: the
// steps that the system's progress calls drive, which Wine never makes.
TEST(ByteProgress, ReportsEachMiBAndTheRestAtTheEnd)
{
    const unsigned long long MiB = 1u << 20;
    ScriptedObserver observer;
    ByteProgress bytes(observer, 3 * MiB + 5), empty(observer, 0);
    for (const unsigned long long copied : {0ull, MiB - 1, MiB, MiB + 7, 2 * MiB + 6, 3 * MiB + 5})
        EXPECT_TRUE(bytes.advance(copied)) << copied;
    EXPECT_TRUE(bytes.finish() && empty.finish());
    EXPECT_EQ(observer.calls, (std::vector<std::wstring>{L"bytes 1048576", L"bytes 1048582", L"bytes 1048575"}));
}

// Three source files f1..f3 of `content`; the target holds an older f2.
void makeThreeFiles(const TempFolder& temp, const std::string& content)
{
    makeDirectory(temp / L"src");
    makeDirectory(temp / L"dst");
    for (const wchar_t* name : {L"f1", L"f2", L"f3"})
        writeFile(temp / L"src\\" + name, content);
    writeFile(temp / L"dst\\f2", "old");
}

// The target after a copy that ended `ended` whole: those, and the older f2.
std::map<std::wstring, std::string> copiedOverOld(const std::vector<std::wstring>& ended, const std::string& content)
{
    std::map<std::wstring, std::string> expected{{L"f2", "old"}};
    for (const std::wstring& name : ended)
        expected[name] = content;
    return expected;
}

// Catches a cancel that leaves a half-written or temporary file, touches a target being replaced, removes what was
// copied before, or goes unreported.
TEST(CopyObserver, CancelAtAnyPointKeepsWhatWasCopiedAndNothingHalfWritten)
{
    const std::pair<Point, int> cases[] = {{Point::Totals, 0}, {Point::Starting, 1}, {Point::Starting, 3},
                                           {Point::Bytes, 2},  {Point::Bytes, 3},    {Point::Ended, 2},
                                           {Point::Failed, 0}};
    const std::string content(100000, 's');
    for (const auto& [point, file] : cases) {
        SCOPED_TRACE("cancel at point " + std::to_string(int(point)) + " of file " + std::to_string(file));
        TempFolder temp;
        makeThreeFiles(temp, content);
        std::unique_ptr<ExclusiveOpen> lock(point == Point::Failed ? new ExclusiveOpen(temp / L"dst\\f2") : nullptr);
        ScriptedObserver observer;
        observer.cancelAt = point;
        observer.cancelOn = file;
        FailureLog log;
        EXPECT_FALSE(temp.directory(L"src")->copyContents(temp.directory(L"dst"), true, true, &observer));
        lock.reset();

        ASSERT_FALSE(log.failures().empty());
        EXPECT_EQ(text(log.failures().back().text),
                  L"The copy of the directory '" + temp / L"src\\' to '" + temp / L"dst\\' was cancelled.");
        EXPECT_EQ(log.failures().back().code, DWORD(ERROR_CANCELLED));
        EXPECT_EQ(snapshot(temp / L"dst\\"), copiedOverOld(observer.ended, content));
        if (file > 0)
            EXPECT_EQ(observer.ended.size(), size_t(point == Point::Ended ? file : file - 1));
    }
}

// Catches a file that fails during the copy (its target locked, its source gone) and ends the copy although
// skipped, passes as a success, is not copied again on retry, or leaves a half-written file.
TEST(CopyObserver, FailedFileIsStoppedAtSkippedOrRetried)
{
    const std::pair<bool, Choice> cases[] = {{true, Choice::Stop},  {true, Choice::Skip},  {true, Choice::Retry},
                                             {false, Choice::Stop}, {false, Choice::Skip}, {false, Choice::Retry}};
    const std::string content(100000, 'n');
    for (const auto& [locked, choice] : cases) {
        SCOPED_TRACE(std::string(locked ? "target locked" : "source gone") + ", choice " + std::to_string(int(choice)));
        TempFolder temp;
        makeThreeFiles(temp, content);
        std::unique_ptr<ExclusiveOpen> lock;
        ScriptedObserver observer;
        observer.onFailure = choice;
        observer.onF2 = [&, locked = locked](bool undo) {
            if (locked)
                lock.reset(undo ? nullptr : new ExclusiveOpen(temp / L"dst\\f2"));
            else if (undo)
                writeFile(temp / L"src\\f2", content);
            else
                DeleteFileW((temp / L"src\\f2").c_str());
        };
        EXPECT_EQ(temp.directory(L"src")->copyContents(temp.directory(L"dst"), true, true, &observer),
                  choice == Choice::Retry);
        lock.reset();

        const auto failed = std::find(observer.calls.begin(), observer.calls.end(), L"failed f2");
        ASSERT_NE(failed, observer.calls.end()) << "no failure told, or told without its code";
        if (choice == Choice::Stop)
            EXPECT_EQ(failed + 1, observer.calls.end()) << "the copy went on after a stop";
        if (choice == Choice::Retry)
            EXPECT_EQ(*(failed + 1), L"start f2 100000");
        if (choice != Choice::Stop)
            EXPECT_EQ(observer.ended.size(), choice == Choice::Skip ? 2u : 3u);
        EXPECT_EQ(snapshot(temp / L"dst\\"), copiedOverOld(observer.ended, content));
    }
}

} // namespace
