#include "string/StringBuilder.h"

#include "string/AllocationFailure.h"
#include "string/TextConversion.h"

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <utility>

namespace torv {

namespace {

// Every allocation failure of the builder leaves through here.
[[noreturn]] void failAllocation() { throw AllocationFailure(); }

const int largestCapacity = INT_MAX - 1;
const int smallestCapacity = 16;

// The buffer with room for `capacity` units and a NUL; the old one stays
// valid when that fails.
wchar_t* resized(wchar_t* units, int capacity)
{
    void* grown = std::realloc(units, (static_cast<std::size_t>(capacity) + 1) * sizeof(wchar_t));
    if (!grown)
        failAllocation();
    return static_cast<wchar_t*>(grown);
}

} // namespace

StringBuilder::~StringBuilder() { std::free(units); }

StringBuilder::StringBuilder(StringBuilder&& other) noexcept
    : units(std::exchange(other.units, nullptr)), used(std::exchange(other.used, 0)),
      capacity(std::exchange(other.capacity, 0))
{
}

StringBuilder& StringBuilder::operator=(StringBuilder&& other) noexcept
{
    if (this != &other) {
        std::free(units);
        units = std::exchange(other.units, nullptr);
        used = std::exchange(other.used, 0);
        capacity = std::exchange(other.capacity, 0);
    }
    return *this;
}

void StringBuilder::reserve(int count)
{
    if (count <= capacity)
        return;
    units = resized(units, count);
    capacity = count;
}

wchar_t* StringBuilder::makeRoom(int extra)
{
    if (extra > capacity - used) {
        if (extra > largestCapacity - used)
            failAllocation();
        const int doubled = capacity > largestCapacity / 2 ? largestCapacity : std::max(capacity * 2, smallestCapacity);
        reserve(std::max(doubled, used + extra));
    }
    return units + used;
}

StringBuilder& StringBuilder::appendUnits(const wchar_t* s, int count)
{
    if (count > 0) {
        std::wmemcpy(makeRoom(count), s, static_cast<std::size_t>(count));
        used += count;
    }
    return *this;
}

String StringBuilder::toString() const
{
    if (used == 0)
        return String::EMPTY;
    // Appending to a non-NIL string keeps every unit, a trailing NUL too,
    // in a block of exactly the combined length.
    String text(String::EMPTY);
    text.write(units, used);
    return text;
}

StringBuilder& StringBuilder::write(const wchar_t* s, int count)
{
    if (!s)
        return *this;
    return appendUnits(s, count == -1 ? static_cast<int>(std::wcslen(s)) : count);
}

template <class Number>
StringBuilder& StringBuilder::appendNumber(Number v)
{
    const NumberText text(v);
    return appendUnits(text.units(), text.length());
}

StringBuilder& StringBuilder::operator<<(const String& t) { return appendUnits(t.c_str(), t.length()); }
StringBuilder& StringBuilder::operator<<(const wchar_t* s) { return write(s, -1); }
StringBuilder& StringBuilder::operator<<(wchar_t c) { return appendUnits(&c, c == L'\0' ? 0 : 1); }
StringBuilder& StringBuilder::operator<<(const char* s) { return *this << String(s); }
StringBuilder& StringBuilder::operator<<(char v) { return appendNumber(static_cast<signed char>(v)); }
StringBuilder& StringBuilder::operator<<(unsigned char v) { return appendNumber(v); }
StringBuilder& StringBuilder::operator<<(short v) { return appendNumber(v); }
StringBuilder& StringBuilder::operator<<(unsigned short v) { return appendNumber(v); }
StringBuilder& StringBuilder::operator<<(int v) { return appendNumber(v); }
StringBuilder& StringBuilder::operator<<(unsigned int v) { return appendNumber(v); }
StringBuilder& StringBuilder::operator<<(long v) { return appendNumber(v); }
StringBuilder& StringBuilder::operator<<(unsigned long v) { return appendNumber(v); }
StringBuilder& StringBuilder::operator<<(long long v) { return appendNumber(v); }
StringBuilder& StringBuilder::operator<<(unsigned long long v) { return appendNumber(v); }
StringBuilder& StringBuilder::operator<<(bool v) { return write(truthText(v), -1); }
StringBuilder& StringBuilder::operator<<(double v) { return appendNumber(v); }
StringBuilder& StringBuilder::operator<<(float v) { return appendNumber(v); }

// The count is taken first so that the output is formatted once into its
// place. A count that wrapped past INT_MAX shows as a negative count or as
// a formatted length that differs from it.
StringBuilder& StringBuilder::printf_apply(const wchar_t* format, ...)
{
    if (!format)
        return *this;
    va_list arguments;
    va_start(arguments, format);
    const int count = _vscwprintf(format, arguments);
    va_end(arguments);
    if (count < 0)
        failAllocation();
    if (count == 0)
        return *this;
    wchar_t* at = makeRoom(count);
    va_start(arguments, format);
    const int written = _vsnwprintf(at, static_cast<std::size_t>(count) + 1, format, arguments);
    va_end(arguments);
    if (written != count)
        failAllocation();
    // String's printf keeps the output up to its first NUL.
    used += static_cast<int>(std::wcslen(at));
    return *this;
}

} // namespace torv
