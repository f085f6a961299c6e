// Reading string values from a version block built in memory, so that its
// lengths can be made to disagree with its terminators.
#include "module/VersionInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

void padToDword(Bytes& bytes) { bytes.resize((bytes.size() + 3) & ~size_t{3}); }

// One node: its length, value length and type, its NUL-terminated key,
// its value and its children, each part aligned to four bytes.
Bytes node(const std::wstring& key, const Bytes& value, WORD valueLength, WORD type,
           const std::vector<Bytes>& children = {})
{
    Bytes bytes(6);
    bytes.reserve(512); // room for every block here; keeps the compiler from warning on growth
    const BYTE* keyBytes = reinterpret_cast<const BYTE*>(key.c_str());
    bytes.insert(bytes.end(), keyBytes, keyBytes + (key.size() + 1) * sizeof(wchar_t));
    padToDword(bytes);
    std::copy(value.begin(), value.end(), std::back_inserter(bytes));
    for (const Bytes& child : children) {
        padToDword(bytes);
        std::copy(child.begin(), child.end(), std::back_inserter(bytes));
    }
    const WORD header[3] = {static_cast<WORD>(bytes.size()), valueLength, type};
    std::memcpy(bytes.data(), header, sizeof header);
    return bytes;
}

Bytes text(const std::wstring& units)
{
    const BYTE* first = reinterpret_cast<const BYTE*>(units.data());
    return Bytes(first, first + units.size() * sizeof(wchar_t));
}

// ProductName holds four units without a terminator and ends exactly where
// the next value's node begins.
Bytes blockWithUnterminatedName()
{
    VS_FIXEDFILEINFO fixed = {};
    fixed.dwSignature = VS_FFI_SIGNATURE;
    fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
    const BYTE* fixedBytes = reinterpret_cast<const BYTE*>(&fixed);
    const Bytes strings = node(
        L"040904b0", {}, 0, 1,
        {node(L"ProductName", text(L"Abcd"), 4, 1), node(L"ProductVersion", text(std::wstring(L"2.0\0", 4)), 4, 1)});
    const Bytes translation = node(L"Translation", {0x09, 0x04, 0xB0, 0x04}, 4, 0);
    return node(L"VS_VERSION_INFO", Bytes(fixedBytes, fixedBytes + sizeof fixed), sizeof fixed, 0,
                {node(L"StringFileInfo", {}, 0, 1, {strings}), node(L"VarFileInfo", {}, 0, 1, {translation})});
}

} // namespace

// Catches a value read up to the next NUL instead of within its length,
// which runs on into the following node.
TEST(VersionBlock, ValuesEndAtTheirLength)
{
    const auto info = torv::VersionInfo::fromBlock(blockWithUnterminatedName());
    EXPECT_EQ(info->queryString(L"ProductName").value_or(L"(absent)"), L"Abcd");
    EXPECT_EQ(info->queryString(L"ProductVersion").value_or(L"(absent)"), L"2.0");
    EXPECT_FALSE(info->queryString(L"CompanyName").has_value());
    // The value's path is formatted into 260 units, its NUL included: the longest name fits, one more throws.
    EXPECT_FALSE(info->queryString(std::wstring(234, L'N').c_str()).has_value());
    EXPECT_THROW(info->queryString(std::wstring(235, L'N').c_str()), std::runtime_error);
}
