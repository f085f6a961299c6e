#include "string/StringVal.h"

#include "platform/CheckedBuild.h"
#include "string/AllocationFailure.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <malloc.h>
#include <new>

namespace torv {

namespace {

const char emptyAnsi[1] = {'\0'};

// -1 stands for "up to the NUL"; other negative lengths take no units.
int givenLength(const wchar_t* s, int length)
{
    if (length == -1)
        return static_cast<int>(std::wcslen(s));
    return length < 0 ? 0 : length;
}

int adjustedLength(const wchar_t* s, int length)
{
    length = givenLength(s, length);
    if (length > 0 && s[length - 1] == L'\0')
        return length - 1;
    return length;
}

} // namespace

int StringVal::checkedLength(long long units)
{
    if (units > INT_MAX)
        throw AllocationFailure();
    return static_cast<int>(units);
}

// Never less than the object itself: short texts leave part of the
// declared one-unit array's padding unused but allocated. The terminator
// and the spare NUL follow the capacity.
std::size_t StringVal::allocationSize(int capacity)
{
    const std::size_t textBytes = (static_cast<std::size_t>(capacity) + 2 + GUARD_UNITS) * sizeof(wchar_t);
    return std::max(sizeof(StringVal), offsetof(StringVal, chars) + textBytes);
}

StringVal::StringVal(const wchar_t* s, int length, int capacity) : refCount(0), len(length), ansiCache(nullptr)
{
    if (length > 0)
        std::wmemcpy(chars, s, static_cast<std::size_t>(length));
    // Every unit after the text is NUL, the spare one included, so a unit
    // written at the length leaves the text terminated inside the block.
    std::wmemset(chars + length, L'\0', static_cast<std::size_t>(capacity - length) + 2);
}

StringVal::~StringVal() { delete[] ansiCache.load(std::memory_order_acquire); }

StringVal* StringVal::construct(void* memory, const wchar_t* s, int length, int capacity)
{
    auto* block = new (memory) StringVal(s, length, capacity);
    block->refCount.store(1, std::memory_order_relaxed);
    return block;
}

StringVal* StringVal::construct(const wchar_t* s, int length, int capacity)
{
    length = adjustedLength(s, length);
    // -1 asks for the length; a smaller room could not hold the text.
    if (capacity < length)
        capacity = length;
    void* memory = std::malloc(allocationSize(capacity));
#if defined(TORV_CHECKED)
    if (!allocationMayProceed()) {
        std::free(memory);
        memory = nullptr;
    }
#endif
    if (memory == nullptr)
        throw AllocationFailure();
    StringVal* block = construct(memory, s, length, capacity);
    block->armGuards(capacity);
    return block;
}

StringVal* StringVal::construct(const char* s, int length, int capacity)
{
    if (length < -1)
        length = 0;
    else if (length > 0 && s[length - 1] == '\0')
        --length;
    const int units = MultiByteToWideChar(CP_ACP, 0, s, length, nullptr, 0);
    if (units == 0)
        return nullptr;
    if (capacity == -1)
        capacity = units;
    StringVal* block = construct(L"", 0, capacity);
    // The text may take the capacity; a length of -1 converts the terminator
    // too, into the unit after it. More would leave no spare unit.
    const int room = length == -1 ? capacity + 1 : capacity;
    const int written = MultiByteToWideChar(CP_ACP, 0, s, length, block->chars, room);
    if (written == 0) {
        destruct(block);
        return nullptr;
    }
    // A length of -1 converts the terminator too.
    block->len = (length == -1 && block->chars[written - 1] == L'\0') ? written - 1 : written;
    block->chars[block->len] = L'\0';
    block->validityCheck(static_cast<unsigned int>(block->len));
    return block;
}

void StringVal::destruct(StringVal* block)
{
    block->validityCheck(0);
    block->~StringVal();
    std::free(block);
}

StringVal* StringVal::concatenation(const wchar_t* s, int length)
{
    length = givenLength(s, length);
    const int own = this->length();
    StringVal* block = construct(chars, own, checkedLength(static_cast<long long>(own) + length));
    if (length > 0)
        std::wmemcpy(block->chars + own, s, static_cast<std::size_t>(length));
    block->len = own + length;
    block->chars[block->len] = L'\0';
    block->validityCheck(static_cast<unsigned int>(block->len));
    return block;
}

bool StringVal::unref()
{
    if (refCount.fetch_sub(1, std::memory_order_acq_rel) != 1)
        return false;
    destruct(this);
    return true;
}

void StringVal::dropAnsiCache() const { delete[] ansiCache.exchange(nullptr, std::memory_order_acq_rel); }

int StringVal::length() const
{
    if (len == -1) {
        len = static_cast<int>(std::wcslen(chars));
        dropAnsiCache();
    }
    return len;
}

const char* StringVal::stringAnsi() const
{
    if (chars[0] == L'\0')
        return emptyAnsi;
    if (len != -1) {
        if (char* cached = ansiCache.load(std::memory_order_acquire))
            return cached;
    }
    length();
    const int bytes = WideCharToMultiByte(CP_ACP, 0, chars, len + 1, nullptr, 0, nullptr, nullptr);
    if (bytes == 0)
        return emptyAnsi;
    char* converted = allocateArray<char>(static_cast<std::size_t>(bytes));
    WideCharToMultiByte(CP_ACP, 0, chars, len + 1, converted, bytes, nullptr, nullptr);
    char* stored = nullptr;
    if (ansiCache.compare_exchange_strong(stored, converted, std::memory_order_acq_rel))
        return converted;
    // Another reader of this shared block converted it first.
    delete[] converted;
    return stored;
}

#if defined(TORV_CHECKED)

namespace {

const wchar_t GUARD = 0xFDFD;

} // namespace

// The block's size comes from the C run-time, so the capacity needs no
// field of its own.
int StringVal::capacity() const
{
    const std::size_t bytes = _msize(const_cast<StringVal*>(this)) - offsetof(StringVal, chars);
    return static_cast<int>(bytes / sizeof(wchar_t)) - 2 - GUARD_UNITS;
}

void StringVal::armGuards(int capacity) { std::wmemset(chars + capacity + 2, GUARD, GUARD_UNITS); }

void StringVal::validityCheck(unsigned int index) const
{
    const int room = capacity();
    checkThat(index <= static_cast<unsigned int>(room), "write past a string block's capacity");
    checkThat(chars[room + 1] == L'\0', "string block overrun: spare NUL overwritten");
    for (int i = 2; i < 2 + GUARD_UNITS; ++i)
        checkThat(chars[room + i] == GUARD, "string block overrun: guard units overwritten");
}

#endif

} // namespace torv
