// UTF-8 both ways, by hand: the system's conversion drops or keeps invalid
// input depending on flags and version, and the result here must be the
// same everywhere.
#include "string/AllocationFailure.h"
#include "string/String.h"

#include <climits>

namespace torv {

namespace {

constexpr char32_t REPLACEMENT = 0xFFFD;

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isHigh(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLow(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The range the second byte of a sequence may take, which rules out
// overlong forms, surrogates and values above U+10FFFF; the later bytes
// are 80..BF.
struct Lead {
    int length;
    unsigned char low;
    unsigned char high;
};

Lead leadOf(unsigned char byte)
{
    if (byte >= 0xC2 && byte <= 0xDF)
        return {2, 0x80, 0xBF};
    if (byte == 0xE0)
        return {3, 0xA0, 0xBF};
    if (byte == 0xED)
        return {3, 0x80, 0x9F};
    if (byte >= 0xE1 && byte <= 0xEF)
        return {3, 0x80, 0xBF};
    if (byte == 0xF0)
        return {4, 0x90, 0xBF};
    if (byte >= 0xF1 && byte <= 0xF3)
        return {4, 0x80, 0xBF};
    if (byte == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

} // namespace

std::string String::toUtf8() const
{
    std::string out;
    const int count = length();
    const wchar_t* units = c_str();
    out.reserve(static_cast<std::size_t>(count));
    // A high surrogate at the end meets the terminating NUL, which is no low one.
    for (int i = 0; i < count; ++i) {
        const wchar_t unit = units[i];
        if (isHigh(unit) && isLow(units[i + 1])) {
            appendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            appendUtf8(out, isHigh(unit) || isLow(unit) ? REPLACEMENT : static_cast<char32_t>(unit));
        }
    }
    return out;
}

String String::fromUtf8(const std::string& s)
{
    // Never more units than bytes.
    if (s.size() > static_cast<std::size_t>(INT_MAX) - 1)
        throw AllocationFailure();
    std::wstring units;
    units.reserve(s.size());
    const std::size_t size = s.size();
    std::size_t i = 0;
    while (i < size) {
        const auto byte = static_cast<unsigned char>(s[i]);
        if (byte < 0x80) {
            units += static_cast<wchar_t>(byte);
            ++i;
            continue;
        }
        const Lead lead = leadOf(byte);
        char32_t c = byte & (0x7F >> lead.length);
        int taken = 1;
        for (; taken < lead.length && i + taken < size; ++taken) {
            const auto next = static_cast<unsigned char>(s[i + taken]);
            const unsigned char low = taken == 1 ? lead.low : 0x80;
            const unsigned char high = taken == 1 ? lead.high : 0xBF;
            if (next < low || next > high)
                break;
            c = (c << 6) | (next & 0x3F);
        }
        i += static_cast<std::size_t>(taken);
        if (taken != lead.length || lead.length == 0) {
            units += static_cast<wchar_t>(REPLACEMENT);
        } else if (c >= 0x10000) {
            units += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            units += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            units += static_cast<wchar_t>(c);
        }
    }
    return String(units.c_str(), static_cast<int>(units.size()));
}

} // namespace torv
