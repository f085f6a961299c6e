#include "object/InfoStringMap.h"

#include <gtest/gtest.h>

#include <iterator>
#include <type_traits>

namespace {

using namespace torv;

TEST(ObserverInfo, ExpireFlagSurvivesCopiesButNotTheCount)
{
    SmartPtr<ObserverInfo> original(new ObserverInfo);
    EXPECT_TRUE(original->willExpire());
    original->setExpire(false);
    SmartPtr<ObserverInfo> copy(new ObserverInfo(*original));
    EXPECT_TRUE(copy->getRefCounter() == 1u && !copy->willExpire());
    SmartPtr<ObserverInfo> assigned(new ObserverInfo);
    SmartPtr<ObserverInfo> extra = assigned;
    *assigned = *original;
    EXPECT_TRUE(!assigned->willExpire() && assigned->getRefCounter() == 2u);
}

TEST(InfoStringMap, KeysIgnoreCaseAndMissingOnesAreNil)
{
    InfoStringMap map;
    map.addInfo(L"Name", String(L"first"));
    map.addInfo(L"NAME", String(L"second"));
    map.addInfo(L"Empty", String::EMPTY);
    ASSERT_EQ(map.getNumberInfos(), 2u);
    EXPECT_STREQ(map.getInfos().begin()->first.c_str(), L"Empty");
    EXPECT_STREQ(std::next(map.getInfos().begin())->first.c_str(), L"Name") << "first spelling stays";
    EXPECT_STREQ(map.getInfoByKey(L"name").c_str(), L"second");
    EXPECT_TRUE(map.getInfoByKey(L"missing").isNil() && map.getInfoByKey(String()).isNil());
    EXPECT_FALSE(map.getInfoByKey(L"EMPTY").isNil());
}

// The exported constructor converts implicitly: hosts pass a map where a record is expected.
static_assert(std::is_convertible_v<const InfoStringMap::Infos&, InfoStringMap>);

TEST(InfoStringMap, CopiesTakeEntriesAndOnlyAssignmentTakesTheFlag)
{
    InfoStringMap source = InfoStringMap::Infos{{String(L"k"), String(L"v")}};
    source.setExpire(false);
    InfoStringMap copy(source);
    EXPECT_TRUE(copy.willExpire()) << "only assignment takes the flag";
    copy.addInfo(L"k", String(L"changed"));
    EXPECT_STREQ(source.getInfoByKey(L"k").c_str(), L"v") << "copies are independent";

    InfoStringMap assigned;
    assigned.addInfo(L"old", String(L"gone"));
    assigned = source;
    EXPECT_TRUE(!assigned.willExpire() && assigned.getNumberInfos() == 1u && assigned.getInfoByKey(L"old").isNil());
    // Self-copies keep the entries.
    assigned.setInfos(assigned.getInfos());
    InfoStringMap& same = assigned;
    assigned = same;
    EXPECT_STREQ(assigned.getInfoByKey(L"K").c_str(), L"v");
    assigned.setInfos(InfoStringMap::Infos{{String(L"c"), String(L"3")}});
    EXPECT_TRUE(assigned.getNumberInfos() == 1u && assigned.getInfoByKey(L"k").isNil());
}

} // namespace
