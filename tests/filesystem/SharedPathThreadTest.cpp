#include "filesystem/Directory.h"
#include "filesystem/File.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

using torv::Directory;
using torv::File;
using torv::SmartPtr;

// Several threads derive files and paths from one shared Directory; its
// count must come back to where it started and every result stay intact.
TEST(SharedPaths, OneDirectoryUsedByManyThreads)
{
    const SmartPtr<const Directory> shared = Directory::fromString(L"C:\\shared\\folder");
    const unsigned int before = shared->getRefCounter();
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&shared, &failures, t] {
            for (int i = 0; i < 2000; ++i) {
                const SmartPtr<const File> f = File::fromString(*shared, (L"f" + std::to_wstring(i) + L".txt").c_str());
                const SmartPtr<const File> renamed = f->replaceExtension(L"bak");
                const SmartPtr<const Directory> sub = shared->appendLevel(L"t");
                if (renamed->getDirectory().get() != shared.get() || !sub || sub->getParent()->equals(shared) != torv::FileSystemItem::Equal)
                    ++failures[t];
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
    EXPECT_EQ(shared->getRefCounter(), before);
}

} // namespace
