#include "object/InfoStringMap.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

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
    EXPECT_EQ(copy->getRefCounter(), 1u);
    EXPECT_FALSE(copy->willExpire());

    SmartPtr<ObserverInfo> assigned(new ObserverInfo);
    SmartPtr<ObserverInfo> extra = assigned;
    *assigned = *original;
    EXPECT_FALSE(assigned->willExpire());
    EXPECT_EQ(assigned->getRefCounter(), 2u);
}

TEST(InfoStringMap, MissingKeyIsNilAndEmptyValueIsNot)
{
    InfoStringMap map;
    map.addInfo(L"Empty", String::EMPTY);
    EXPECT_TRUE(map.getInfoByKey(L"missing").isNil());
    EXPECT_TRUE(map.getInfoByKey(String()).isNil());
    EXPECT_FALSE(map.getInfoByKey(L"empty").isNil());
    EXPECT_TRUE(map.getInfoByKey(L"EMPTY").isEmpty());
}

TEST(InfoStringMap, KeysIgnoreCaseAndKeepTheirFirstSpelling)
{
    InfoStringMap map;
    map.addInfo(L"Name", String(L"first"));
    map.addInfo(L"NAME", String(L"second"));
    map.addInfo(L"Other", String(L"x"));
    ASSERT_EQ(map.getNumberInfos(), 2u);
    EXPECT_STREQ(map.getInfos().begin()->first.c_str(), L"Name");
    EXPECT_STREQ(map.getInfoByKey(L"name").c_str(), L"second");
}

TEST(InfoStringMap, CopiesTakeEntriesAndOnlyAssignmentTakesTheFlag)
{
    InfoStringMap source;
    source.addInfo(L"k", String(L"v"));
    source.setExpire(false);

    InfoStringMap copy(source);
    EXPECT_TRUE(copy.willExpire());
    EXPECT_STREQ(copy.getInfoByKey(L"k").c_str(), L"v");

    InfoStringMap assigned;
    assigned.addInfo(L"old", String(L"gone"));
    assigned = source;
    EXPECT_FALSE(assigned.willExpire());
    EXPECT_EQ(assigned.getNumberInfos(), 1u);
    EXPECT_TRUE(assigned.getInfoByKey(L"old").isNil());

    // Copies are independent of their source.
    copy.addInfo(L"k", String(L"changed"));
    EXPECT_STREQ(source.getInfoByKey(L"k").c_str(), L"v");
}

TEST(InfoStringMap, SelfCopiesKeepTheEntries)
{
    InfoStringMap map(InfoStringMap::Infos{{String(L"a"), String(L"1")}, {String(L"b"), String(L"2")}});
    EXPECT_TRUE(map.willExpire());
    map.setInfos(map.getInfos());
    InfoStringMap& same = map;
    map = same;
    EXPECT_EQ(map.getNumberInfos(), 2u);
    EXPECT_STREQ(map.getInfoByKey(L"B").c_str(), L"2");

    map.setInfos(InfoStringMap::Infos{{String(L"c"), String(L"3")}});
    EXPECT_EQ(map.getNumberInfos(), 1u);
    EXPECT_TRUE(map.getInfoByKey(L"a").isNil());
}

TEST(InfoStringMap, ClassIdentity)
{
    const SmartPtr<const InfoStringMap> map(new InfoStringMap);
    EXPECT_STREQ(map->getClassName(), L"InfoStringMap");
    EXPECT_TRUE(map->isKindOf(ObserverInfo::Class()));
    EXPECT_TRUE(map->isKindOf(BaseNode::Class()));
    EXPECT_EQ(InfoStringMap::Class()->base, ObserverInfo::Class());
    EXPECT_EQ(ObserverInfo::Class()->base, BaseNode::Class());
    EXPECT_STREQ(ObserverInfo::Class()->name, L"ObserverInfo");

    const SmartPtr<const ObserverInfo> info(new ObserverInfo);
    EXPECT_FALSE(info->isKindOf(InfoStringMap::Class()));
    // Both classes belong to the library, not to this test program.
    EXPECT_EQ(&map->getCodeModule(), &info->getCodeModule());
    EXPECT_NE(&map->getCodeModule(), &thisModule());
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
    std::atomic<int> mismatches(0);
    {
        SmartPtr<CountedMap> created(new CountedMap(destroyed));
        created->addInfo(L"Key", String(L"value"));
        const SmartPtr<const InfoStringMap> shared(created);
        created = nullptr;

        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([shared, &mismatches] {
                for (int i = 0; i < 5000; ++i) {
                    SmartPtr<const InfoStringMap> local = shared;
                    const String value = local->getInfoByKey(L"KEY");
                    if (value != L"value")
                        ++mismatches;
                }
            });
        }
        for (std::thread& thread : threads)
            thread.join();
        EXPECT_EQ(shared->getRefCounter(), 1u);
        EXPECT_EQ(destroyed.load(), 0);
    }
    EXPECT_EQ(mismatches.load(), 0);
    EXPECT_EQ(destroyed.load(), 1);
}

} // namespace
