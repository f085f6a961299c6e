// Tree operations against what the file system really does: other spellings of one folder, links back into the
// copy, listings that fail, names beyond the system's limit, trees deeper than a small stack.
#include "filesystem/Directory.h"
#include "filesystem/FailureLog.h"
#include "filesystem/File.h"

#include "../support/TempFolder.h"
#include "platform/WinApi.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <tuple>
#include <utility>

namespace {

using namespace testsupport;
using namespace torv;

SmartPtr<const Directory> folder(const std::wstring& path) { return Directory::fromString(path.c_str()); }

bool copyInto(const std::wstring& source, const std::wstring& target)
{
    return folder(source)->copyContents(folder(target), true, true, nullptr);
}

std::wstring shortName(const std::wstring& path)
{
    wchar_t name[MAX_PATH];
    const DWORD length = GetShortPathNameW(path.c_str(), name, MAX_PATH);
    return length > 0 && length < MAX_PATH ? name : L"";
}

std::wstring upperCase(std::wstring path)
{
    CharUpperW(&path[0]);
    return path;
}

// Catches "same folder" decided from path text: copying X\a into X, or X into X\a\a, through another spelling of
// X overwrote "OUTER" with "INNER" or recursed into itself; a file copied onto itself got past the check too.
TEST(TreeIdentity, OtherSpellingsOfOneFolderAreRefused)
{
    const std::wstring links = fromEnvironment("TORV_LINKS");
    TempFolder temp;
    const std::wstring x = temp / L"\u00c4rger \u03a3\u03bf\u03c6\u03af\u03b1\\";
    const std::wstring linked = links + L"x\\"; // made with its link and drive letter on the Linux side
    makeDirectory(x);
    const CurrentDirectory onItsDrive(x);
    const std::tuple<const char*, std::wstring, std::wstring> spellings[] = {
        {"short name", x, shortName(x)},
        {"rootless", x, x.substr(2)},
        {"letter case outside ASCII", x, upperCase(x)},
        {"a second drive letter", linked, links.empty() ? L"" : fromEnvironment("TORV_SECOND_DRIVE") + L"x\\"},
        {"a link", linked, links.empty() ? L"" : links + L"alias\\"},
    };
    for (const auto& [what, folder, spelled] : spellings) {
        const DWORD attributes = GetFileAttributesW(spelled.c_str());
        if (spelled.empty() || spelled == folder || attributes == INVALID_FILE_ATTRIBUTES) {
            std::printf("[  SKIPPED ] %s: this system cannot spell the folder so\n", what);
            continue;
        }
        for (const wchar_t* level : {L"a", L"a\\a"})
            CreateDirectoryW((folder + level).c_str(), nullptr);
        writeFile(folder + L"a\\f.txt", "OUTER");
        writeFile(folder + L"a\\a\\f.txt", "INNER");
        const auto before = snapshot(folder);
        EXPECT_FALSE(copyInto(folder + L"a\\", spelled)) << what;
        EXPECT_FALSE(copyInto(folder, spelled + L"a\\a\\")) << what;
        EXPECT_FALSE(File::fromString((folder + L"a\\f.txt").c_str())
                         ->copy(File::fromString((spelled + L"a\\f.txt").c_str()), true))
            << what;
        EXPECT_EQ(snapshot(folder), before) << what;
    }
}

// Catches a copy that follows a link back into itself: a runaway copy inside the target, or one over the source.
TEST(TreeIdentity, LinksBackIntoTheCopyAreNotFollowed)
{
    const std::wstring links = fromEnvironment("TORV_LINKS");
    if (links.empty())
        GTEST_SKIP() << "needs the links that the test run makes on the Linux side (TORV_LINKS)";
    TempFolder temp;
    const std::tuple<const char*, std::wstring, std::wstring> cases[] = {
        {"a source link to the target", links + L"srcA\\", links + L"dstA\\"},
        {"a source link to its own folder", links + L"srcB\\", temp.path()},
        {"a target link to the source", links + L"srcC\\", links + L"dstC\\"},
    };
    for (const auto& [what, source, target] : cases) {
        const auto sourceBefore = snapshot(source), targetBefore = snapshot(target);
        EXPECT_FALSE(copyInto(source, target)) << what;
        EXPECT_EQ(snapshot(source), sourceBefore) << what;
        EXPECT_EQ(snapshot(target), targetBefore) << what;
    }
}

// Catches a removal that follows a link and empties the folder it leads to. Wine cannot remove these links made on
// the Linux side; the result must say so.
TEST(TreeIdentity, RemovalDoesNotFollowLinks)
{
    const std::wstring links = fromEnvironment("TORV_LINKS");
    if (links.empty())
        GTEST_SKIP() << "needs the links that the test run makes on the Linux side (TORV_LINKS)";
    EXPECT_FALSE(folder(links + L"tree\\link\\")->removeContents(true)) << "emptying a link refused";
    const bool removed = folder(links + L"tree\\")->remove(true);
    EXPECT_EQ(removed, !isDirectoryOnDisk(links + L"tree"));
    EXPECT_EQ(readFile(links + L"outside\\keep.txt"), "keep");
}

// Catches a folder that cannot be listed passing as an empty one: created empty in the target, its files lost,
// and the copy or removal reported as done.
TEST(DeniedListing, AFolderThatCannotBeListedFailsTheTreeOperation)
{
    const std::wstring denied = fromEnvironment("TORV_DENIED");
    if (denied.empty())
        GTEST_SKIP() << "runs as torv_filesystem_denied_listing, without root's permission override";
    FailureLog log;
    EXPECT_FALSE(copyInto(denied + L"src\\", denied + L"dst\\"));
    EXPECT_EQ(readFile(denied + L"dst\\top.txt"), "top") << "the rest is copied";
    EXPECT_TRUE(!log.failures().empty() && log.failures()[0].code == ERROR_ACCESS_DENIED) << "the reason is kept";
    EXPECT_FALSE(copyInto(denied + L"linked\\", denied + L"dst2\\") || isDirectoryOnDisk(denied + L"dst2\\toLocked"))
        << "a link that cannot be opened is not followed";
    EXPECT_FALSE(folder(denied + L"src\\")->removeContents(true));
    EXPECT_TRUE(isDirectoryOnDisk(denied + L"src\\locked") && !isFileOnDisk(denied + L"src\\top.txt"));
}

// Catches a name beyond the system's limit that wraps round to a short one and overwrites an unrelated file there.
TEST(TreeLimits, NamesBeyondTheSystemLimitAreRefused)
{
    TempFolder temp;
    writeFile(temp / L"src", "source");
    std::wstring relative;
    while ((temp.path() + relative).size() < 33053)
        relative += std::wstring(250, L'w') + L"\\";
    const auto before = snapshot(temp.path());
    EXPECT_FALSE(temp.file(L"src")->copy(temp.file(relative + L"f"), true));
    EXPECT_FALSE(temp.file(L"src")->move(temp.file(relative + L"f")) || temp.file(relative + L"f")->remove());
    EXPECT_FALSE(temp.directory(relative)->create());
    EXPECT_FALSE(temp.directory()->copyContents(temp.directory(relative), true, true, nullptr));
    EXPECT_EQ(snapshot(temp.path()), before);
}

DWORD WINAPI runBody(void* body)
{
    (*static_cast<std::function<void()>*>(body))();
    return 0;
}

// Catches a tree walk that recurses on the native stack: a frame of a few hundred bytes per level overflows a
// 64 KiB thread's stack long before 400 levels (Wine looks a deep path up level by level, which makes deeper trees slow to test);
// and a path beyond MAX_PATH that is created or queried without the long form.
TEST(TreeLimits, DeepTreesOnASmallStack)
{
    TempFolder temp;
    std::wstring deep = temp / L"src\\";
    makeDirectory(deep);
    for (int level = 0; level < 398; ++level)
        makeDirectory(deep += L"d\\");
    ASSERT_TRUE(folder(deep + L"d\\d\\")->create()) << "the two missing levels";
    EXPECT_TRUE(folder(deep + L"d\\d\\")->isEmpty() && !folder(deep)->isEmpty());
    writeFile((deep += L"d\\d\\") + L"f", "deep");
    EXPECT_TRUE(File::fromString((deep + L"f").c_str())->exists());
    makeDirectory(temp / L"dst");
    bool copied = false, removed = false;
    std::string copiedText;
    std::function<void()> body = [&] {
        copied = copyInto(temp / L"src\\", temp / L"dst\\");
        copiedText = readFile(temp / L"dst\\" + deep.substr((temp / L"src\\").size()) + L"f");
        removed = temp.directory(L"src")->remove(true) && temp.directory(L"dst")->remove(true);
    };
    const HANDLE thread = CreateThread(nullptr, 64 * 1024, runBody, &body, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_TRUE(thread);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_TRUE(copied && copiedText == "deep") << copiedText;
    EXPECT_TRUE(removed && !isDirectoryOnDisk(temp / L"src"));
}

} // namespace
