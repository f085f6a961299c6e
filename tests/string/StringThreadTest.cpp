#include "string/String.h"

#include "../support/OnThreads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using torv::String;

// Copies of one block are taken, edited and dropped on many threads at once; the block keeps its count.
TEST(StringThreads, SharedBlocksSurviveConcurrentCopiesAndEdits)
{
    const String shared(L"Frame0000 \"hi\"\n\u00e9\\");
    const unsigned before = shared.block()->inqRefCount();
    const unsigned emptyBefore = String::EMPTY.block()->inqRefCount();
    const int failures = testsupport::failuresOnThreads(5000, [&shared](int i) {
        String copy = shared, another;
        another = copy;
        String escaped = another;
        escaped.controlsToEsc(true);
        String name = copy.substr(0, 9);
        name.setIndex(static_cast<unsigned int>(i));
        name.incrementIndex();
        another[0] = L'S';
        return escaped.escToControls(true) == -1 && escaped == shared && name.getIndex() == i + 1u &&
               copy.substr(2, 1).block() == String::EMPTY.block();
    });
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(shared.block()->inqRefCount(), before);
    EXPECT_EQ(String::EMPTY.block()->inqRefCount(), emptyBefore);
    EXPECT_STREQ(shared.c_str(), L"Frame0000 \"hi\"\n\u00e9\\");
}

// An edited string has an unknown length and a stale ANSI text until it is next read: threads reading copies
// of it at once must all see the edited text, through one shared ANSI conversion.
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
        for (int t = 0; t < readers; ++t)
            threads.emplace_back([&, t, copy = edited] {
                for (--waiting; waiting > 0;)
                    std::this_thread::yield();
                lengths[t] = copy.length();
                texts[t] = copy.stringAnsi();
            });
        for (std::thread& t : threads)
            t.join();
        for (int t = 0; t < readers; ++t) {
            ASSERT_EQ(lengths[t], textLength);
            ASSERT_EQ(texts[t], texts[0]) << "one conversion per text version";
        }
        ASSERT_TRUE(texts[0][0] == 'b' && texts[0] == edited.stringAnsi());
    }
}
