// File-system benchmarks against std::filesystem in the same process: tree
// copies, directory enumeration, and path parsing with normalisation.

#include "BenchHarness.h"

#include "filesystem/Directory.h"
#include "filesystem/FailureLog.h"
#include "filesystem/File.h"
#include "filesystem/FileSystemIterator.h"
#include "filesystem/TorvCopyObserver.h"
#define TORV_EXECUTABLE_MODULE
#include "module/ModuleStartup.h"
#include "platform/WinApi.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using torv::Directory;
using torv::SmartPtr;

namespace {

void writeFile(const fs::path& path, std::size_t size)
{
    std::ofstream out(path, std::ios::binary);
    const std::string chunk(64 * 1024, 'x');
    for (std::size_t written = 0; written < size; written += chunk.size())
        out.write(chunk.data(), static_cast<std::streamsize>(std::min(chunk.size(), size - written)));
}

// 2,000 files of 4 KiB in 40 folders.
void buildSmallTree(const fs::path& root)
{
    for (int folder = 0; folder < 40; ++folder) {
        const fs::path dir = root / ("folder " + std::to_string(folder));
        fs::create_directories(dir);
        for (int file = 0; file < 50; ++file)
            writeFile(dir / ("file" + std::to_string(file) + ".dat"), 4096);
    }
}

// 20 files of 8 MiB.
void buildLargeTree(const fs::path& root)
{
    fs::create_directories(root);
    for (int file = 0; file < 20; ++file)
        writeFile(root / ("large" + std::to_string(file) + ".bin"), 8u << 20);
}

SmartPtr<const Directory> directoryOf(const fs::path& path) { return Directory::fromString(path.wstring().c_str()); }

// Counts files, as a host of the per-file callback does.
class FileCounter : public torv::TorvFileProgressInterface {
public:
    void onFileCopied() override { ++files; }
    unsigned long long files = 0;
};

// Takes everything the extended callback offers: totals, each file, bytes.
class FullObserver : public torv::TorvCopyObserver {
public:
    bool wantsTotals() const override { return true; }
    bool onTotals(unsigned long long files, unsigned long long bytes) override { return files + bytes != 0; }
    bool onFileStarting(const torv::File&, const torv::File&, unsigned long long size) override
    {
        expected += size;
        return true;
    }
    bool onBytesCopied(unsigned long long bytes) override
    {
        copied += bytes;
        return true;
    }
    unsigned long long expected = 0;
    unsigned long long copied = 0;
};

using TreeCopy = std::function<void(const fs::path& source, const fs::path& target)>;

TreeCopy torvCopy(torv::TorvFileProgressInterface* progress)
{
    return [progress](const fs::path& source, const fs::path& target) {
        fs::create_directory(target); // which the standard copy makes itself
        torv::FailureLog log;
        if (!directoryOf(source)->copyContents(directoryOf(target), true, false, progress))
            std::printf("copyContents failed: %ls\n",
                        log.failures().empty() ? L"no reason given" : log.failures().front().text.c_str());
    };
}

void standardCopy(const fs::path& source, const fs::path& target)
{
    fs::copy(source, target, fs::copy_options::recursive);
}

// Each repetition of either copies into a fresh target below `targets`.
void compareTreeCopies(const char* name, const fs::path& source, const fs::path& targets, const TreeCopy& candidate,
                       const TreeCopy& baseline)
{
    int round = 0;
    const auto intoFreshTarget = [&](const TreeCopy& copy) {
        return [&] {
            const fs::path target = targets / std::to_string(round++);
            fs::create_directories(targets);
            copy(source, target);
        };
    };
    bench::compare(name, intoFreshTarget(candidate), intoFreshTarget(baseline), 5);
    fs::remove_all(targets);
}

void compareEnumeration(const fs::path& root)
{
    std::vector<SmartPtr<const Directory>> folders;
    std::vector<fs::path> paths;
    for (const fs::directory_entry& entry : fs::directory_iterator(root)) {
        paths.push_back(entry.path());
        folders.push_back(directoryOf(entry.path()));
    }
    bench::compare(
        "enumerate 2,000 files in 40 folders",
        [&] {
            std::size_t count = 0;
            for (const SmartPtr<const Directory>& folder : folders) {
                const SmartPtr<torv::FileIterator> files = folder->findFiles(L"*");
                for (SmartPtr<const torv::File> f = files->getNext(); f; f = files->getNext())
                    ++count;
            }
            bench::keep(count);
        },
        [&] {
            std::size_t count = 0;
            for (const fs::path& path : paths) {
                for (const fs::directory_entry& entry : fs::directory_iterator(path))
                    count += entry.path().filename().empty() ? 0 : 1;
            }
            bench::keep(count);
        },
        10);
}

void compareParsing()
{
    std::vector<std::wstring> texts;
    texts.reserve(100000);
    for (int i = 0; i < 100000; ++i) {
        texts.push_back(L"C:\\data\\project " + std::to_wstring(i % 97) + L"\\build\\..\\src\\.\\module" +
                        std::to_wstring(i) + L"\\include");
    }
    std::vector<torv::String> strings;
    for (const std::wstring& text : texts)
        strings.emplace_back(text.c_str());
    bench::compare(
        "parse + normalise 100,000 paths",
        [&] {
            std::size_t levels = 0;
            for (const torv::String& text : strings)
                levels += Directory::fromString(text)->getName().length();
            bench::keep(levels);
        },
        [&] {
            std::size_t levels = 0;
            for (const std::wstring& text : texts)
                levels += fs::path(text).lexically_normal().filename().native().size();
            bench::keep(levels);
        },
        5);
}

} // namespace

int main()
{
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const fs::path work = fs::path(temp) / ("torvfs-bench-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(work); // left by a run that was stopped: Wine reuses process ids
    buildSmallTree(work / "small");
    buildLargeTree(work / "large");

    bench::printHeader("File system (ratio below 1: TorvBase is faster)");
    compareTreeCopies("copyContents 2,000 x 4 KiB", work / "small", work / "copies", torvCopy(nullptr), standardCopy);
    compareTreeCopies("copyContents 20 x 8 MiB", work / "large", work / "copies", torvCopy(nullptr), standardCopy);
    FileCounter counter;
    FullObserver observer;
    compareTreeCopies("observer/per-file 2,000 x 4 KiB", work / "small", work / "copies", torvCopy(&observer),
                      torvCopy(&counter));
    compareTreeCopies("observer/per-file 20 x 8 MiB", work / "large", work / "copies", torvCopy(&observer),
                      torvCopy(&counter));
    if (observer.copied != observer.expected)
        std::printf("observer told %llu of %llu bytes\n", observer.copied, observer.expected);
    compareEnumeration(work / "small");
    compareParsing();

    fs::remove_all(work);
    return 0;
}
