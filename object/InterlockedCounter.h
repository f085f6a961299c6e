#pragma once
/// @file
/// A 32-bit counter whose arithmetic and assignment from a number are atomic
/// (full barriers); reading is a plain load and copying a plain copy.

#include <atomic>

namespace torv {

/// An unsigned 32-bit counter safe to change from several threads.
class InterlockedCounter {
public:
    /// Starts at 0.
    InterlockedCounter() noexcept : value(0) {}
    /// Starts at v, taken modulo 2^32.
    InterlockedCounter(long v) noexcept : value(static_cast<unsigned int>(v)) {}
    /// Copies the current value.
    InterlockedCounter(const InterlockedCounter& other) noexcept : value(other.load()) {}

    /// Copies the current value (a plain store).
    InterlockedCounter& operator=(const InterlockedCounter& other) noexcept
    {
        value.store(other.load(), std::memory_order_relaxed);
        return *this;
    }

    /// The current value.
    operator unsigned int() const noexcept { return load(); }

    /// Stores v atomically and returns it.
    unsigned int operator=(unsigned int v) noexcept
    {
        value.exchange(v);
        return v;
    }
    /// Atomic increment; the new value.
    unsigned int operator++() noexcept { return value.fetch_add(1) + 1; }
    /// Atomic increment; the old value.
    unsigned int operator++(int) noexcept { return value.fetch_add(1); }
    /// Atomic decrement, wrapping below 0; the new value.
    unsigned int operator--() noexcept { return value.fetch_sub(1) - 1; }
    /// Atomic decrement, wrapping below 0; the old value.
    unsigned int operator--(int) noexcept { return value.fetch_sub(1); }

private:
    unsigned int load() const noexcept { return value.load(std::memory_order_relaxed); }

    std::atomic<unsigned int> value;
};

} // namespace torv
