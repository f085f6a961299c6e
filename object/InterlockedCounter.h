#pragma once
// A 32-bit counter whose arithmetic and assignment from a number are atomic
// (full barriers); reading is a plain load and copying a plain copy.

#include <atomic>

namespace torv {

class InterlockedCounter {
public:
    InterlockedCounter() noexcept : value(0) {}
    InterlockedCounter(long v) noexcept : value(static_cast<unsigned int>(v)) {}
    InterlockedCounter(const InterlockedCounter& other) noexcept : value(other.load()) {}

    InterlockedCounter& operator=(const InterlockedCounter& other) noexcept
    {
        value.store(other.load(), std::memory_order_relaxed);
        return *this;
    }

    operator unsigned int() const noexcept { return load(); }

    unsigned int operator=(unsigned int v) noexcept
    {
        value.exchange(v);
        return v;
    }
    unsigned int operator++() noexcept { return value.fetch_add(1) + 1; }
    unsigned int operator++(int) noexcept { return value.fetch_add(1); }
    unsigned int operator--() noexcept { return value.fetch_sub(1) - 1; }
    unsigned int operator--(int) noexcept { return value.fetch_sub(1); }

private:
    unsigned int load() const noexcept { return value.load(std::memory_order_relaxed); }

    std::atomic<unsigned int> value;
};

} // namespace torv
