#include "string/String.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using torv::String;

// Copies of one block are taken and dropped on many threads at once; only the
// atomic count is shared, so the block survives with its count intact.
TEST(StringThreads, SharedBlockSurvivesConcurrentCopies)
{
    const String shared(L"shared across threads");
    shared.length();
    shared.stringAnsi();
    const unsigned before = shared.block()->inqRefCount();

    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&shared] {
            for (int i = 0; i < 20000; ++i) {
                String copy = shared;
                String another;
                another = copy;
                String edited = another;
                if (i % 64 == 0)
                    edited[0] = L'S';
            }
        });
    }
    for (std::thread& t : threads)
        t.join();

    EXPECT_EQ(shared.block()->inqRefCount(), before);
    EXPECT_STREQ(shared.c_str(), L"shared across threads");
}

TEST(StringThreads, EmptyConstantIsSharedSafely)
{
    std::vector<std::thread> threads;
    const unsigned before = String::EMPTY.block()->inqRefCount();
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([] {
            for (int i = 0; i < 20000; ++i) {
                String piece = String(L"abc").substr(2, 1);
                EXPECT_EQ(piece.block(), String::EMPTY.block());
            }
        });
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(String::EMPTY.block()->inqRefCount(), before);
}
