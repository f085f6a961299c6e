#include "string/StringVal.h"

#include <gtest/gtest.h>

using torv::StringVal;

TEST(StringVal, ConstructionDropsOneCountedTerminator)
{
    StringVal* wide = StringVal::construct(L"abc\0", 4, -1);
    EXPECT_EQ(wide->length(), 3);
    EXPECT_TRUE(wide->unref());
    const wchar_t twoNuls[] = {L'a', L'\0', L'\0'};
    StringVal* both = StringVal::construct(twoNuls, 3, -1);
    EXPECT_EQ(both->lazyLength(), 2) << "only one trailing NUL is dropped";
    both->unref();
    StringVal* narrow = StringVal::construct("abc\0", 4, -1);
    ASSERT_NE(narrow, nullptr);
    EXPECT_STREQ(narrow->stringValue(), L"abc");
    EXPECT_EQ(narrow->length(), 3);
    narrow->unref();
    EXPECT_EQ(StringVal::construct("abc", 0, -1), nullptr) << "an empty conversion yields no block";
}

TEST(StringVal, InPlaceEditsInvalidateLengthAndAnsiText)
{
    StringVal* v = StringVal::construct(L"abc", -1, 8);
    const char* first = v->stringAnsi();
    EXPECT_EQ(first, v->stringAnsi()) << "converted once per text version";
    (*v)[1] = L'X';
    EXPECT_STREQ(v->stringAnsi(), "aXc");
    (*v)[0] = L'\0';
    EXPECT_EQ(v->lazyLength(), -1);
    EXPECT_EQ(v->length(), 0);
    EXPECT_STREQ(v->stringAnsi(), "");
    v->unref();
}
