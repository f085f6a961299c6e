#include "filesystem/Directory.h"
#include "filesystem/File.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

using torv::Directory;
using torv::File;
using torv::SmartPtr;

// Threads derive paths from one shared Directory; its count must come back
// to where it started and every result stay intact.
TEST(SharedPaths, OneDirectoryUsedByManyThreads)
{
    const SmartPtr<const Directory> shared = Directory::fromString(L"C:\\shared\\folder");
    const unsigned int before = shared->getRefCounter();
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                const SmartPtr<const File> f = File::fromString(*shared, (L"f" + std::to_wstring(i)).c_str());
                const SmartPtr<const Directory> sub = shared->appendLevel(L"t");
                if (f->replaceExtension(L"b")->getDirectory().get() != shared.get() ||
                    sub->getParent()->equals(shared) != torv::FileSystemItem::Equal)
                    ++failures;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(shared->getRefCounter(), before);
}

} // namespace
