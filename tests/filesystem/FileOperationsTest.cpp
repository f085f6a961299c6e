#include "filesystem/Directory.h"
#include "filesystem/File.h"

#include "../support/TempFolder.h"
#include "platform/WinApi.h"
#include <sddl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace {

using namespace testsupport;
using namespace torv;

TEST(FileQueries, ExistsSizeStatTimesAndAccess)
{
    TempFolder temp;
    writeFile(temp / L"f", "abc");
    makeDirectory(temp / L"d");
    const SmartPtr<const File> file = temp.file(L"f"), missing = temp.file(L"none");
    EXPECT_TRUE(file->exists() && !temp.file(L"d")->exists());
    ULARGE_INTEGER size;
    size.QuadPart = 99;
    EXPECT_TRUE(!missing->getFileSize(size) && size.QuadPart == 99u) << "a failure leaves the size";
    EXPECT_TRUE(file->getFileSize(size) && size.QuadPart == 3u);

    HANDLE big = CreateFileW((temp / L"big").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    DWORD returned = 0;
    DeviceIoControl(big, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = 5LL << 30;
    const bool grown = SetFilePointerEx(big, end, nullptr, FILE_BEGIN) && SetEndOfFile(big);
    CloseHandle(big);
    if (grown && temp.file(L"big")->getFileSize(size))
        EXPECT_TRUE(size.HighPart == 1u && size.LowPart == 1u << 30) << size.QuadPart;

    struct _stat64i32 st = {};
    EXPECT_TRUE(file->stat(st) && st.st_size == 3);
    EXPECT_TRUE(temp.directory()->stat(st) && (st.st_mode & _S_IFDIR)) << "without its trailing backslash";
    FILETIME time = {};
    EXPECT_TRUE(file->getLastWriteTime(&time) && temp.directory()->getCreationTime(&time) && file->access(4));
    EXPECT_FALSE(file->getLastWriteTime(nullptr) || file->getCreationTime(nullptr)) << "nowhere to store it";
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FRSD;;;WD)", SDDL_REVISION_1, &readOnly, nullptr);
    EXPECT_TRUE(SetFileSecurityW((temp / L"f").c_str(), DACL_SECURITY_INFORMATION, readOnly) && file->access(4));
    EXPECT_FALSE(file->access(2) || file->access(6)) << "the descriptor grants reading only";
    LocalFree(readOnly);

    FILETIME untouched = {7, 9};
    EXPECT_FALSE(missing->stat(st) || missing->getLastWriteTime(&untouched) || missing->access(0));
    EXPECT_EQ(untouched.dwLowDateTime, 7u);
}

// A removed, a read-only or a held file: DirectoryRemove checks those, through this call.
TEST(FileRemove, RemovesFilesOnly)
{
    TempFolder temp;
    makeDirectory(temp / L"d");
    EXPECT_TRUE(temp.file(L"none")->remove() && temp.file(L"d")->remove() && isDirectoryOnDisk(temp / L"d"));
}

TEST(FileCopy, IntoDirectoryGivesTheNewFile)
{
    TempFolder temp;
    writeFile(temp / L"n\u00e4me with space.txt", "content");
    makeDirectory(temp / L"to");
    const SmartPtr<const File> source = temp.file(L"n\u00e4me with space.txt");
    const SmartPtr<const File> copied = source->copy(temp.directory(L"to"), false);
    ASSERT_TRUE(copied);
    EXPECT_EQ(std::wstring(copied->getFullName().c_str()), temp / L"to\\n\u00e4me with space.txt");
    EXPECT_EQ(readFile(temp / L"to\\n\u00e4me with space.txt"), "content");
    EXPECT_FALSE(source->copy(temp.directory(L"to"), false)) << "exists already";
    EXPECT_FALSE(source->copy(SmartPtr<const torv::Directory>(), true));
}

TEST(FileCopy, FailuresLeaveSourceAndTargetIntact)
{
    TempFolder temp;
    writeFile(temp / L"src", "source");
    writeFile(temp / L"held", "held");
    makeDirectory(temp / L"dir");
    const SmartPtr<const File> source = temp.file(L"src");

    EXPECT_FALSE(temp.file(L"missing")->copy(temp.file(L"out"), true) || isFileOnDisk(temp / L"out"));
    for (const wchar_t* target : {L"no folder\\out", L"dir"})
        EXPECT_FALSE(source->copy(temp.file(target), true)) << target;
    EXPECT_FALSE(source->copy(source, true)) << "onto itself";
    EXPECT_FALSE(source->copy(SmartPtr<const File>(), true));
    // Held open: the target, then the source.
    for (const auto& held : {std::make_pair(L"held", L"held"), std::make_pair(L"src", L"fresh")}) {
        ExclusiveOpen lock(temp / held.first);
        EXPECT_FALSE(source->copy(temp.file(held.second), true)) << held.first;
    }
    EXPECT_EQ(snapshot(temp.path()),
              (std::map<std::wstring, std::string>{{L"dir", "<folder>"}, {L"held", "held"}, {L"src", "source"}}))
        << "changed, or a partial copy left behind";
}

// Catches an overwrite that replaces a hidden file or drops a replaced file's attributes, and a replacement that
// fails on a partial name left taken by an earlier process with the same id.
TEST(FileCopy, OverwriteRespectsTheTargetsAttributesAndTakenPartialNames)
{
    TempFolder temp;
    writeFile(temp / L"src", "source");
    for (unsigned counter = 0; counter < 300; ++counter) {
        wchar_t name[64];
        swprintf(name, 64, L"~%lx-%x.torvpartial", GetCurrentProcessId(), counter);
        writeFile(temp / name, "stale");
    }
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
    // The target's attributes, and whether an overwrite replaces it.
    const std::pair<DWORD, bool> cases[] = {{FILE_ATTRIBUTE_HIDDEN, false},
                                            {FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, false},
                                            {FILE_ATTRIBUTE_READONLY, false},
                                            {FILE_ATTRIBUTE_SYSTEM, true},
                                            {FILE_ATTRIBUTE_NORMAL, true}};
    for (const auto& [attributes, replaced] : cases) {
        const std::wstring target = temp / L"target";
        SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        writeFile(target, "old");
        SetFileAttributesW(target.c_str(), attributes);
        if ((GetFileAttributesW(target.c_str()) & kept) != (attributes & kept))
            GTEST_SKIP() << "this file system keeps no attributes " << attributes;
        EXPECT_EQ(temp.file(L"src")->copy(temp.file(L"target"), true), replaced) << attributes;
        EXPECT_EQ(readFile(target), replaced ? "source" : "old") << attributes;
        EXPECT_EQ(GetFileAttributesW(target.c_str()) & kept, attributes & kept) << attributes;
    }
    EXPECT_EQ(snapshot(temp.path()).size(), 302u) << "a stale partial file was taken or a new one left";
}

// Catches a move that replaces an existing or held file, or loses the source on failure.
TEST(FileMove, NeverOverAnExistingFileNorFromAHeldOne)
{
    // From, to, and the file held open.
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> refused[] = {{L"a", L"b", nullptr},
                                                                                  {L"a", L"b", L"b"},
                                                                                  {L"a", L"c", L"a"},
                                                                                  {L"missing", L"c", nullptr},
                                                                                  {L"a", L"no folder\\c", nullptr}};
    TempFolder temp;
    writeFile(temp / L"a", "a");
    writeFile(temp / L"b", "b");
    makeDirectory(temp / L"sub");
    for (const auto& [from, to, held] : refused) {
        const std::unique_ptr<ExclusiveOpen> lock(held ? new ExclusiveOpen(temp / held) : nullptr);
        EXPECT_FALSE(temp.file(from)->move(temp.file(to))) << from << L" to " << to;
    }
    EXPECT_FALSE(temp.file(L"a")->move(SmartPtr<const File>()));
    EXPECT_EQ(snapshot(temp.path()),
              (std::map<std::wstring, std::string>{{L"a", "a"}, {L"b", "b"}, {L"sub", "<folder>"}}));

    EXPECT_TRUE(temp.file(L"a")->move(temp.file(L"sub\\c")) && !isFileOnDisk(temp / L"a")) << "across folders";
    EXPECT_EQ(readFile(temp / L"sub\\c"), "a");
}

TEST(FileTouch, CreatesOrStampsWithoutChangingContent)
{
    TempFolder temp;
    EXPECT_TRUE(temp.file(L"new")->touch() && readFile(temp / L"new").empty());
    EXPECT_FALSE(temp.file(L"no folder\\new")->touch());

    writeFile(temp / L"old", "kept");
    HANDLE handle = CreateFileW((temp / L"old").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME longAgo = {0, 0x01000000};
    SetFileTime(handle, nullptr, nullptr, &longAgo);
    CloseHandle(handle);
    EXPECT_TRUE(temp.file(L"old")->touch() && readFile(temp / L"old") == "kept");
    FILETIME written, now;
    ASSERT_TRUE(temp.file(L"old")->getLastWriteTime(&written));
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](FILETIME time) { return LONGLONG(time.dwHighDateTime) << 32 | time.dwLowDateTime; };
    EXPECT_LT(std::llabs(ticks(now) - ticks(written)), 6000000000LL) << "stamped with another time than now";
    EXPECT_TRUE(temp.file(L"old")->remove()) << "touch left the file open";
}

TEST(WindowsError, EmptyKnownAndUnknownCodes)
{
    SetLastError(0);
    const torv::String none = torv::getWindowsError();
    EXPECT_TRUE(!none.isNil() && none.isEmpty());

    // The system's text in its own choice of language, without the line end.
    wchar_t systemText[256];
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_FILE_NOT_FOUND, 0, systemText, 256, nullptr);
    SetLastError(ERROR_FILE_NOT_FOUND);
    const std::wstring known = torv::getWindowsError().c_str();
    EXPECT_EQ(known + L"\r\n", std::wstring(systemText, length));

    // An unknown code, and a message with inserts that no arguments fill, give the bracketed code.
    for (const DWORD code : {DWORD{0x2FFFFFFF}, DWORD{ERROR_BAD_EXE_FORMAT}}) {
        SetLastError(code);
        wchar_t bracketed[16];
        swprintf(bracketed, 16, L"[0x%08x]", static_cast<unsigned int>(code));
        EXPECT_STREQ(torv::getWindowsError().c_str(), bracketed);
    }
}

} // namespace
