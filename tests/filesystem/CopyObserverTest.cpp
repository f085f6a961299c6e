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
        EXPECT_EQ(overlap.code, 0u);
        EXPECT_EQ(overlap.paths.size(), 2u);
    }
    EXPECT_FALSE(Directory::fromString(L"C:\\")->appendPath(*Directory::fromString(L"D:\\")));

    ASSERT_EQ(outer.failures().size(), 2u) << "the outer scope collects again after the inner one";
    const FailureLog::Entry& copy = outer.failures()[0];
    EXPECT_EQ(text(copy.text).rfind(L"Failed to copy file '" + temp / L"none' to file '" + temp / L"t' because: ", 0),
              0u)
        << text(copy.text);
    EXPECT_EQ(copy.code, DWORD(ERROR_FILE_NOT_FOUND));
    ASSERT_EQ(copy.paths.size(), 2u);
    EXPECT_EQ(text(copy.paths[0]), temp / L"none");
    EXPECT_EQ(text(copy.paths[1]), temp / L"t");
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

// Records every call as a line, and cancels at one point of the `cancelOn`th file started (0: of any file).
class ScriptedObserver : public TorvCopyObserver {
public:
    Point cancelAt = Point::None;
    int cancelOn = 0;
    Choice onFailure = Choice::Stop;
    std::function<void()> beforeRetry = [] {};
    std::vector<std::wstring> calls;
    std::vector<std::wstring> ended;

    bool wantsTotals() const override { return true; }
    bool onTotals(unsigned long long files, unsigned long long bytes) override
    {
        calls.push_back(L"totals " + std::to_wstring(files) + L" " + std::to_wstring(bytes));
        return cancelAt != Point::Totals;
    }
    bool onFileStarting(const File& source, const File& /*target*/, unsigned long long size) override
    {
        ++started;
        bytes = 0;
        calls.push_back(L"start " + text(source.getName()) + L" " + std::to_wstring(size));
        return !due(Point::Starting);
    }
    bool onBytesCopied(unsigned long long more) override
    {
        bytes += more;
        return !due(Point::Bytes);
    }
    void onFileCopied() override { calls.push_back(L"copied"); }
    bool onFileEnded(const File& source, const File& /*target*/) override
    {
        calls.push_back(L"end " + text(source.getName()) + L" " + std::to_wstring(bytes));
        ended.push_back(text(source.getName()));
        return !due(Point::Ended);
    }
    Choice onFileFailed(const File& source, const File& /*target*/, DWORD code) override
    {
        calls.push_back(L"failed " + text(source.getName()) + (code ? L"" : L" without a code"));
        if (due(Point::Failed))
            return Choice::Cancel;
        if (onFailure == Choice::Retry)
            beforeRetry();
        return onFailure;
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
              (std::vector<std::wstring>{L"totals 2 8388609", L"start x.txt 1", L"copied", L"end x.txt 1",
                                         L"start big 8388608", L"copied", L"end big 8388608"}));
    EXPECT_EQ(readFile(temp / L"dst\\big").size(), 8u << 20);
}

// Catches a cancel that leaves a half-written or temporary file, touches a target being replaced, removes what was
// copied before, or goes unreported.
TEST(CopyObserver, CancelAtAnyPointKeepsWhatWasCopiedAndNothingHalfWritten)
{
    const struct {
        Point point;
        int file;
    } cases[] = {{Point::Totals, 0}, {Point::Starting, 1}, {Point::Starting, 3}, {Point::Bytes, 2},
                 {Point::Bytes, 3},  {Point::Ended, 2},    {Point::Failed, 0}};
    const std::string content(100000, 's');
    for (const auto& c : cases) {
        SCOPED_TRACE("cancel at point " + std::to_string(int(c.point)) + " of file " + std::to_string(c.file));
        TempFolder temp;
        makeDirectory(temp / L"src");
        makeDirectory(temp / L"dst");
        for (const wchar_t* name : {L"f1", L"f2", L"f3"})
            writeFile(temp / L"src\\" + name, content);
        writeFile(temp / L"dst\\f2", "old");
        std::unique_ptr<ExclusiveOpen> lock(c.point == Point::Failed ? new ExclusiveOpen(temp / L"dst\\f2") : nullptr);
        ScriptedObserver observer;
        observer.cancelAt = c.point;
        observer.cancelOn = c.file;
        FailureLog log;
        EXPECT_FALSE(temp.directory(L"src")->copyContents(temp.directory(L"dst"), true, true, &observer));
        lock.reset();

        ASSERT_FALSE(log.failures().empty());
        EXPECT_EQ(text(log.failures().back().text),
                  L"The copy of the directory '" + temp / L"src\\' to '" + temp / L"dst\\' was cancelled.");
        EXPECT_EQ(log.failures().back().code, DWORD(ERROR_CANCELLED));
        std::map<std::wstring, std::string> expected{{L"f2", "old"}};
        for (const std::wstring& name : observer.ended)
            expected[name] = content;
        EXPECT_EQ(snapshot(temp / L"dst\\"), expected);
        if (c.file > 0)
            EXPECT_EQ(observer.ended.size(), size_t(c.point == Point::Ended ? c.file : c.file - 1));
    }
}

// Catches a failed file that ends the copy although skipped, passes as a success, or is not copied again on retry.
TEST(CopyObserver, FailedFileIsStoppedAtSkippedOrRetried)
{
    for (const Choice choice : {Choice::Stop, Choice::Skip, Choice::Retry}) {
        SCOPED_TRACE("choice " + std::to_string(int(choice)));
        TempFolder temp;
        makeDirectory(temp / L"src");
        makeDirectory(temp / L"dst");
        for (const wchar_t* name : {L"f1", L"f2", L"f3"})
            writeFile(temp / L"src\\" + name, "new");
        writeFile(temp / L"dst\\f2", "old");
        std::unique_ptr<ExclusiveOpen> lock(new ExclusiveOpen(temp / L"dst\\f2"));
        ScriptedObserver observer;
        observer.onFailure = choice;
        observer.beforeRetry = [&] { lock.reset(); };
        EXPECT_EQ(temp.directory(L"src")->copyContents(temp.directory(L"dst"), true, true, &observer),
                  choice == Choice::Retry);
        lock.reset();

        const auto failed = std::find(observer.calls.begin(), observer.calls.end(), L"failed f2");
        ASSERT_NE(failed, observer.calls.end()) << "no failure told, or told without its code";
        if (choice == Choice::Stop)
            EXPECT_EQ(failed + 1, observer.calls.end()) << "the copy went on after a stop";
        if (choice == Choice::Retry)
            EXPECT_EQ(*(failed + 1), L"start f2 3");
        EXPECT_EQ(observer.ended.size(), choice == Choice::Skip    ? 2u
                                         : choice == Choice::Retry ? 3u
                                                                   : observer.ended.size());
        std::map<std::wstring, std::string> expected{{L"f2", "old"}};
        for (const std::wstring& name : observer.ended)
            expected[name] = "new";
        EXPECT_EQ(snapshot(temp / L"dst\\"), expected);
    }
}

} // namespace
