#include "string/StringVal.h"

#include <gtest/gtest.h>

#include <cstring>

using torv::StringVal;

TEST(StringVal, WideConstructionDropsOneCountedTerminator)
{
    StringVal* v = StringVal::construct(L"abc\0", 4, -1);
    EXPECT_EQ(v->length(), 3);
    EXPECT_STREQ(v->stringValue(), L"abc");
    EXPECT_TRUE(v->unref());

    const wchar_t twoNuls[] = {L'a', L'\0', L'\0'};
    StringVal* w = StringVal::construct(twoNuls, 3, -1);
    EXPECT_EQ(w->lazyLength(), 2) << "only one trailing NUL is dropped";
    EXPECT_TRUE(w->unref());
}

TEST(StringVal, NarrowConstructionConvertsAndRejectsNothing)
{
    StringVal* v = StringVal::construct("hello", -1, -1);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->length(), 5);
    EXPECT_STREQ(v->stringValue(), L"hello");
    EXPECT_STREQ(v->stringAnsi(), "hello");
    v->unref();

    StringVal* counted = StringVal::construct("abc\0", 4, -1);
    ASSERT_NE(counted, nullptr);
    EXPECT_EQ(counted->length(), 3);
    counted->unref();

    EXPECT_EQ(StringVal::construct("abc", 0, -1), nullptr) << "an empty conversion yields no block";
}

TEST(StringVal, ConcatenationMakesANewExactBlock)
{
    StringVal* a = StringVal::construct(L"ab", -1, -1);
    StringVal* b = a->concatenation(L"cde", -1);
    EXPECT_NE(a, b);
    EXPECT_STREQ(a->stringValue(), L"ab");
    EXPECT_STREQ(b->stringValue(), L"abcde");
    EXPECT_EQ(b->length(), 5);
    StringVal* same = a->concatenation(L"", 0);
    EXPECT_NE(same, a);
    EXPECT_STREQ(same->stringValue(), L"ab");
    a->unref();
    b->unref();
    same->unref();
}

TEST(StringVal, InPlaceEditMarksLengthUnknownAndDropsAnsiCache)
{
    StringVal* v = StringVal::construct(L"abc", -1, -1);
    EXPECT_STREQ(v->stringAnsi(), "abc");
    (*v)[0] = L'\0';
    EXPECT_EQ(v->lazyLength(), -1);
    EXPECT_EQ(v->length(), 0);
    EXPECT_STREQ(v->stringAnsi(), "");
    v->unref();
}

TEST(StringVal, AnsiCacheFollowsTextVersions)
{
    StringVal* v = StringVal::construct(L"abc", -1, 8);
    const char* first = v->stringAnsi();
    EXPECT_EQ(first, v->stringAnsi()) << "converted once per text version";
    (*v)[1] = L'X';
    EXPECT_STREQ(v->stringAnsi(), "aXc");
    v->unref();
}

TEST(StringVal, ReferenceCounting)
{
    StringVal* v = StringVal::construct(L"x", -1, -1);
    v->ref();
    EXPECT_EQ(v->inqRefCount(), 2u);
    EXPECT_FALSE(v->unref());
    EXPECT_STREQ(v->stringValue(), L"x");
    EXPECT_TRUE(v->unref());
}
