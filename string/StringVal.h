#pragma once
// The shared, reference-counted character block behind every String.
// Its field order is part of the exported interface: String's inline
// accessors read it directly.

#include "platform/Export.h"

#include <atomic>

namespace torv {

class String;

class TORV_API StringVal {
public:
    static StringVal* construct(const wchar_t* s, int length, int capacity);
    // Null when the ANSI conversion yields nothing.
    static StringVal* construct(const char* s, int length, int capacity);

    // New block with this text followed by `length` units of s (-1: up to NUL).
    StringVal* concatenation(const wchar_t* s, int length) const;

    void ref() { refCount.fetch_add(1, std::memory_order_seq_cst); }
    // True when this call destroyed the block.
    bool unref();
    unsigned int inqRefCount() const { return refCount.load(std::memory_order_relaxed); }

    int length() const;
    int lazyLength() const { return len; }
    const wchar_t* stringValue() const { return chars; }
    const char* stringAnsi() const;

    wchar_t at(int index) const { return chars[index]; }
    wchar_t& operator[](int index)
    {
        validityCheck(static_cast<unsigned int>(index));
        len = -1;
        return chars[index];
    }

    StringVal(const StringVal&) = delete;
    StringVal& operator=(const StringVal&) = delete;

private:
    friend class String;

    StringVal(const wchar_t* s, int length, int capacity);
    ~StringVal();
    static StringVal* construct(void* memory, const wchar_t* s, int length, int capacity);
    static void destruct(StringVal* block);
    static std::size_t allocationSize(int capacity);

    wchar_t* str() { return chars; }
    const wchar_t* str() const { return chars; }
    void dropAnsiCache() const;
#if defined(TORV_CHECKED)
    // Guard units follow the capacity; they are checked when the block is
    // released and by every write. Traps when they were overwritten or when
    // `index`, a unit about to be written, lies past the capacity.
    static constexpr int GUARD_UNITS = 4;
    void validityCheck(unsigned int index) const;
    void armGuards(int capacity);
    int capacity() const;
#else
    static constexpr int GUARD_UNITS = 0;
    void validityCheck(unsigned int) const {}
    void armGuards(int) {}
#endif

    std::atomic<unsigned int> refCount;
    mutable int len;
    // Filled at most once per text version, also by concurrent readers of a
    // shared block: the first conversion stored wins.
    mutable std::atomic<char*> ansiCache;
    wchar_t chars[1];
};

} // namespace torv
