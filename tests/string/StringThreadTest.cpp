#include "string/String.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using torv::String;

// Copies of one block are taken and dropped on many threads at once; only the
// atomic count is shared, so the block survives with its count intact.
TEST(StringThreads, SharedBlockSurvivesConcurrentCopies)
{
    const String shared(L"shared across threads");
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

// A string edited in place has an unknown length and a stale ANSI text until
// it is next read. Copies of it handed to threads that read it at the same
// moment must all see the edited text, through one shared ANSI conversion.
TEST(StringThreads, ConcurrentReadersOfAnEditedStringAgree)
{
    const int readers = 4;
    const int textLength = 3000;
    for (int round = 0; round < 200; ++round) {
        String edited(std::wstring(textLength, L'a').c_str());
        edited.stringAnsi();
        edited[0] = L'b';

        std::atomic<int> waiting(readers);
        std::vector<int> lengths(readers);
        std::vector<const char*> texts(readers);
        std::vector<std::thread> threads;
        for (int t = 0; t < readers; ++t) {
            threads.emplace_back([&, t, copy = edited] {
                for (--waiting; waiting > 0;)
                    std::this_thread::yield();
                lengths[t] = copy.length();
                texts[t] = copy.stringAnsi();
            });
        }
        for (std::thread& t : threads)
            t.join();
        for (int t = 0; t < readers; ++t) {
            ASSERT_EQ(lengths[t], textLength);
            ASSERT_EQ(texts[t], texts[0]) << "one conversion per text version";
        }
        ASSERT_EQ(texts[0][0], 'b');
        ASSERT_EQ(texts[0], edited.stringAnsi());
    }
}
