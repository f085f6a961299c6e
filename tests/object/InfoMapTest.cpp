#include "object/InfoStringMap.h"

#include "../support/OnThreads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <iterator>
#include <type_traits>

namespace {

using torv::BaseNode;
using torv::InfoStringMap;
using torv::ObserverInfo;
using torv::SmartPtr;
using torv::String;

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

// Counts destructions, to see that a shared map dies exactly once.
class CountedMap : public InfoStringMap {
public:
    explicit CountedMap(std::atomic<int>& destroyed) : destroyed(destroyed) {}
    ~CountedMap() override { ++destroyed; }

private:
    std::atomic<int>& destroyed;
};

TEST(InfoStringMap, ThreadsShareOneMap)
{
    std::atomic<int> destroyed(0);
    int mismatches = -1;
    {
        SmartPtr<CountedMap> created(new CountedMap(destroyed));
        created->addInfo(L"Key", String(L"value"));
        const SmartPtr<const InfoStringMap> shared(created);
        created = nullptr;

        mismatches = testsupport::failuresOnThreads(5000, [&shared](int) {
            const SmartPtr<const InfoStringMap> local = shared;
            return local->getInfoByKey(L"KEY") == L"value";
        });
        EXPECT_TRUE(shared->getRefCounter() == 1u && destroyed == 0);
    }
    EXPECT_TRUE(mismatches == 0 && destroyed == 1) << mismatches;
}

} // namespace
