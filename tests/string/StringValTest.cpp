#include "string/StringVal.h"

#include <gtest/gtest.h>

using torv::StringVal;

TEST(StringVal, TrailingTerminatorInLengthIsDropped)
{
    StringVal* v = StringVal::construct(L"abc\0", 4, -1);
    EXPECT_EQ(v->length(), 3);
    EXPECT_STREQ(v->stringValue(), L"abc");
    EXPECT_TRUE(v->unref());
}
