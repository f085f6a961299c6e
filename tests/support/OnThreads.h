#pragma once
// Runs one body on eight threads at once, for objects that threads share;
// gives the number of rounds in which the body returned false.
#include <atomic>
#include <thread>
#include <vector>

namespace testsupport {

template <class Body>
int failuresOnThreads(int rounds, Body body)
{
    std::atomic<int> failures(0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < rounds; ++i)
                failures += body(i) ? 0 : 1;
        });
    for (std::thread& thread : threads)
        thread.join();
    return failures;
}

} // namespace testsupport
