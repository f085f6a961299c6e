#include "string/String.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;
using torv::String;

namespace {

enum Way {
    BOTH,
    TO_UTF8,
    FROM_UTF8
};

struct Utf8Case {
    std::wstring utf16;
    std::string utf8;
    Way way;
};

const std::string BAD = "\xEF\xBF\xBD";
const std::wstring BAD_UNIT = L"\xFFFD";

const Utf8Case UTF8_CASES[] = {
    {L"", "", BOTH},
    {L"plain ASCII", "plain ASCII", BOTH},
    {L"a\0b"s, "a\0b"s, BOTH},
    {L"\x00E4\x00DF \x20AC \xFFFF", "\xC3\xA4\xC3\x9F \xE2\x82\xAC \xEF\xBF\xBF", BOTH},
    {L"\xD83D\xDE00 \xDBFF\xDFFF", "\xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF", BOTH},
    {L"\xFFFD", BAD, BOTH},
    // Unpaired surrogates, alone, at the end and before a non-low unit.
    {L"\xDC00 x \xD800", BAD + " x " + BAD, TO_UTF8},
    {L"\xD800y\xDFFF\xD800", BAD + "y" + BAD + BAD, TO_UTF8},
    // Each maximal ill-formed subsequence is one U+FFFD.
    {L"a" + BAD_UNIT + BAD_UNIT, "a\x80\xFF", FROM_UTF8},
    {BAD_UNIT + BAD_UNIT, "\xC0\xAF", FROM_UTF8},                               // overlong lead
    {BAD_UNIT + BAD_UNIT + BAD_UNIT, "\xE0\x80\xAF", FROM_UTF8},                // overlong three bytes
    {BAD_UNIT + BAD_UNIT + BAD_UNIT, "\xED\xA0\x80", FROM_UTF8},                // encoded surrogate
    {BAD_UNIT + BAD_UNIT + BAD_UNIT + BAD_UNIT, "\xF4\x90\x80\x80", FROM_UTF8}, // above U+10FFFF
    {BAD_UNIT + L"!", "\xE2\x82!", FROM_UTF8},                                  // cut short by a byte
    {L"x" + BAD_UNIT, "x\xF0\x9F\x98", FROM_UTF8},                              // cut short by the end
};

TEST(StringUtf8, ConvertsBothWaysAndReplacesWhatIsInvalid)
{
    for (const Utf8Case& c : UTF8_CASES) {
        const std::string shown = testing::PrintToString(c.utf8);
        const String wide(c.utf16.c_str(), static_cast<int>(c.utf16.size()));
        if (c.way != FROM_UTF8)
            EXPECT_EQ(wide.toUtf8(), c.utf8) << shown;
        if (c.way != TO_UTF8) {
            const String converted = String::fromUtf8(c.utf8);
            EXPECT_FALSE(converted.isNil()) << shown;
            EXPECT_EQ(std::wstring(converted.c_str(), converted.length()), c.utf16) << shown;
        }
    }
    EXPECT_EQ(String::NIL.toUtf8(), "");
}

} // namespace
