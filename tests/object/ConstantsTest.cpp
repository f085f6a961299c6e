// The library's exported data members, read through the import table of this test program.
#include "module/Module.h"
#include "module/SymbolTable.h"
#include "object/BaseNode.h"
#include "object/InfoStringMap.h"
#include "object/NumericTraits.h"
#include "string/String.h"
#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>

namespace {

using namespace torv;

template <class To, class From>
To bitsOf(const From& value)
{
    static_assert(sizeof(To) == sizeof(From), "bit patterns of equal size");
    To bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST(ExportedConstants, StringsSymbolsAndTheOutOfRangeSlot)
{
    EXPECT_TRUE(String::NIL.block() == nullptr && String::EMPTY.block() != nullptr && String::EMPTY.length() == 0);
    // The one slot that NIL strings hand out for writing.
    String nil, other;
    wchar_t& slot = nil[0];
    EXPECT_TRUE(slot == L'\x0007' && &slot == &other[3]);
    const SymbolTable& none = SymbolTable::EMPTY;
    EXPECT_TRUE(none.lookupSymbol(L"IDS_ANY") == 0xFFFFFFFFu && none.lookupSymbol(String()) == 0xFFFFFFFFu);
    EXPECT_TRUE(none.lookupValue(0).empty());
}

TEST(ExportedConstants, RootClassAndModuleList)
{
    ASSERT_EQ(KelClass::rootClass, BaseNode::Class());
    const Module* library = InfoStringMap::Class()->module;
    unsigned long long seen = 0;
    int found = 0;
    for (Module::const_iterator it = Module::begin(); it != Module::end(); ++it, ++seen)
        found += (&*it == library) + (&*it == &thisModule());
    EXPECT_EQ(seen, Module::count);
    EXPECT_EQ(found, 2) << "the library and this program";
}

TEST(ExportedConstants, BoundingBoxTraitsHaveExactValuesAndNullColoursAreZero)
{
    EXPECT_EQ(bitsOf<std::uint32_t>(TorvBoundingBoxTraits<float>::epsilon), 0x3727C5ACu);
    EXPECT_NE(static_cast<double>(TorvBoundingBoxTraits<float>::epsilon), 1e-5);
    EXPECT_EQ(bitsOf<std::uint64_t>(TorvBoundingBoxTraits<double>::epsilon), 0x3EE4F8B588E368F1ull);
    const Vec3d<float>& maxFloat = TorvBoundingBoxTraits<float>::maxVector;
    for (float component : {maxFloat.x, maxFloat.y, maxFloat.z})
        EXPECT_EQ(bitsOf<std::uint32_t>(component), 0x7F7FFFFFu);
    const Vec3d<double>& maxDouble = TorvBoundingBoxTraits<double>::maxVector;
    for (double component : {maxDouble.x, maxDouble.y, maxDouble.z})
        EXPECT_EQ(bitsOf<std::uint64_t>(component), 0x7FEFFFFFFFFFFFFFull);
    EXPECT_EQ(TorvBoundingBoxTraits<float>::sqrt(4.0f), 2.0f);
    EXPECT_EQ(TorvBoundingBoxTraits<double>::sqrt(2.0), std::sqrt(2.0));
    EXPECT_TRUE(ScanPtColor<int>::nullReference.color == 0 && ScanPtColor<double>::nullReference.color == 0.0);
    EXPECT_EQ(ScanPtColor<Vec3d<double>>::nullReference.color, Vec3d<double>(0, 0, 0));
    const auto& floatColour = ScanPtColor<Vec3d<float>>::nullReference;
    const unsigned char zeros[sizeof floatColour] = {};
    EXPECT_EQ(std::memcmp(&floatColour, zeros, sizeof floatColour), 0);
}

} // namespace
