// File-system benchmarks against std::filesystem in the same process: tree
// copies, directory enumeration, and path parsing with normalisation.

#include "BenchHarness.h"

#include "filesystem/Directory.h"
#include "filesystem/File.h"
#include "filesystem/FileSystemIterator.h"
#define TORV_EXECUTABLE_MODULE
#include "module/ModuleStartup.h"
#include "platform/WinApi.h"

#include <filesystem>
#include <fstream>
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

// Each repetition copies into a fresh target below `targets`.
void compareTreeCopy(const char* name, const fs::path& source, const fs::path& targets, int repetitions)
{
    int round = 0;
    const SmartPtr<const Directory> from = directoryOf(source);
    bench::compare(
        name,
        [&] {
            const fs::path target = targets / ("torv" + std::to_string(round++));
            fs::create_directories(target);
            if (!from->copyContents(directoryOf(target), true, false, nullptr))
                std::printf("copyContents failed\n");
        },
        [&] {
            const fs::path target = targets / ("std" + std::to_string(round++));
            fs::create_directories(targets);
            fs::copy(source, target, fs::copy_options::recursive);
        },
        repetitions);
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
    buildSmallTree(work / "small");
    buildLargeTree(work / "large");

    bench::printHeader("File system (ratio below 1: TorvBase is faster)");
    compareTreeCopy("copyContents 2,000 x 4 KiB", work / "small", work / "copies", 3);
    compareTreeCopy("copyContents 20 x 8 MiB", work / "large", work / "copies", 3);
    compareEnumeration(work / "small");
    compareParsing();

    fs::remove_all(work);
    return 0;
}
