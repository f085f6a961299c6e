#pragma once
/// @file
/// The shared, reference-counted character block behind every String.
/// Its field order is part of the exported interface: String's inline
/// accessors read it directly.

#include "platform/Export.h"

#include <atomic>

namespace torv {

class String;

/// A reference-counted block of UTF-16 text with room for capacity units
/// and a terminating NUL. Owned jointly by the Strings that point to it.
/// One spare unit after the terminator is always NUL, and every unit after
/// the text is NUL when the block is made, so a unit written at index
/// length (which may overwrite the terminator) leaves the text terminated
/// inside the block.
class TORV_API StringVal {
public:
    /// New block with length units of s (-1: up to NUL; a trailing NUL is
    /// dropped) and room for capacity units (-1 or less than the length:
    /// the length). Its count is
    /// 1 and the caller owns it; throws AllocationFailure when out of memory.
    static StringVal* construct(const wchar_t* s, int length, int capacity);
    /// The same from text in the ANSI code page; null when the conversion
    /// yields nothing.
    static StringVal* construct(const char* s, int length, int capacity);

    /// New block, count 1, owned by the caller, with this text followed by
    /// length units of s (-1: up to NUL).
    StringVal* concatenation(const wchar_t* s, int length);

    /// Raises the count atomically.
    void ref() { refCount.fetch_add(1, std::memory_order_seq_cst); }
    /// Lowers the count atomically; true when this call destroyed the block.
    bool unref();
    /// The current count (a plain read).
    unsigned int inqRefCount() const { return refCount.load(std::memory_order_relaxed); }

    /// The number of units up to the first NUL, measured again after a write.
    int length() const;
    /// The stored length; -1 after a write through operator[].
    int lazyLength() const { return len; }
    /// The text, NUL-terminated, owned by the block.
    const wchar_t* stringValue() const { return chars; }
    /// The text in the ANSI code page, owned by the block and cached until
    /// the text changes; "" when it cannot be converted.
    const char* stringAnsi() const;

    /// The unit at index; no range check.
    wchar_t at(int index) const { return chars[index]; }
    /// The writable unit at index, 0..length (length at most the capacity);
    /// forgets the stored length. No range check (the checked build traps
    /// past the capacity, and on a spare NUL or guard unit overwritten).
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
    /// `units` as a block length; throws AllocationFailure past INT_MAX.
    static int checkedLength(long long units);

    wchar_t* str() { return chars; }
    const wchar_t* str() const { return chars; }
    void dropAnsiCache() const;
#if defined(TORV_CHECKED)
    // Guard units follow the spare NUL; they are checked when the block is
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
