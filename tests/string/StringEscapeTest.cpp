#include "string/String.h"
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

using torv::String;

namespace {

// Each escape is also decoded back; then texts that decode otherwise or report their first invalid escape.
TEST(StringEscape, EscapesBothWaysOrReportsFirstInvalid)
{
    const std::tuple<const wchar_t*, bool, const wchar_t*> escapes[] = {{L"a\n\"b", false, L"a\\n\\\"b"},
                                                                        {L"\r\n", false, L"\\r\\n"},
                                                                        {L"C:\\dir", false, L"C:\\\\dir"},
                                                                        {L"\u00e9", true, L"\\u00E9"},
                                                                        {L"\u00e9\t", false, L"\u00e9\t"},
                                                                        {L"x\uFFFFy", true, L"x\\uFFFFy"},
                                                                        {L"\xD83D\xDE00", true, L"\\uD83D\\uDE00"},
                                                                        {L"\x7F\x80", true, L"\x7F\\u0080"},
                                                                        {L"pl\nain", true, L"pl\\nain"},
                                                                        {L"", true, L""}};
    std::vector<std::tuple<const wchar_t*, bool, int, const wchar_t*>> cases = {
        {L"\\u00e9", true, -1, L"\u00e9"}, {L"\\u00e9", false, -1, L"\\u00e9"}, {L"a\\nb\\t", true, 4, L"a\\nb\\t"},
        {L"\\u12", true, 0, L"\\u12"},     {L"\\u12x4", true, 0, L"\\u12x4"},   {L"ok\\r\\n\\", true, -1, L"ok\r\n\\"},
        {L"\\\\\\", false, -1, L"\\\\"},   {L"x\\q\\z", false, 1, L"x\\q\\z"},  {L"a\\u0000b", true, -1, L"a"}};
    for (const auto& [text, unicode, escaped] : escapes) {
        String s(text);
        s.controlsToEsc(unicode);
        EXPECT_STREQ(s.c_str(), escaped) << text;
        EXPECT_EQ(s.length(), static_cast<int>(wcslen(escaped)));
        cases.emplace_back(escaped, unicode, -1, text);
    }
    for (const auto& [text, unicode, result, after] : cases) {
        String s(text);
        EXPECT_EQ(s.escToControls(unicode), result) << text;
        EXPECT_STREQ(s.c_str(), after) << text;
        EXPECT_EQ(s.length(), static_cast<int>(wcslen(after))) << text;
    }
}

TEST(StringEscape, NilAndSharedCopiesAreNeverWritten)
{
    String nil;
    nil.controlsToEsc(true);
    EXPECT_TRUE(nil.escToControls(true) == -1 && nil.isNil());
    const String invalid(L"a\\xb");
    String attempt = invalid;
    EXPECT_TRUE(attempt.escToControls(false) == 1 && attempt.block() == invalid.block());
    // A decode writes its own copy; the escaping one is checked on shared copies by the thread test.
    String escaped(L"line\\n"), decoded = escaped;
    EXPECT_TRUE(decoded.escToControls(false) == -1 && decoded == L"line\n" && escaped == L"line\\n");
}

} // namespace
