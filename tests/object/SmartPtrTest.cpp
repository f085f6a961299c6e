#include "object/BaseNode.h"
#include "object/InterlockedCounter.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

using torv::BaseNode;
using torv::InterlockedCounter;
using torv::SmartPtr;

// Records its destructions and the count it died with.
class Tracked : public BaseNode {
    TORV_DECLARE_CLASS(Tracked);

public:
    struct Record {
        int destroyed = 0;
        unsigned int finalCount = 0;
    };
    explicit Tracked(Record& record) : record(record) {}

protected:
    Tracked(const Tracked& other) : BaseNode(other), record(other.record) {}
    ~Tracked() override
    {
        ++record.destroyed;
        record.finalCount = getRefCounter();
    }
private:
    Record& record;
};

class TrackedChild : public Tracked {
    TORV_DECLARE_CLASS(TrackedChild);

public:
    using Tracked::Tracked;
    TrackedChild(const TrackedChild& other) : Tracked(other) {}
};

TORV_DEFINE_CLASS(Tracked, BaseNode)
TORV_DEFINE_CLASS(TrackedChild, Tracked)

TEST(RefCount, LastUnrefDestroysOnceAndLeavesTheMarker)
{
    Tracked::Record record;
    Tracked* object = new Tracked(record);
    EXPECT_EQ(0u, object->getRefCounter());
    object->ref();
    object->ref();
    object->unref();
    EXPECT_EQ(1u, object->getRefCounter());
    EXPECT_EQ(0, record.destroyed);
    object->unref();
    EXPECT_EQ(1, record.destroyed);
    EXPECT_EQ(0xF000DEADu, record.finalCount);
}

TEST(RefCount, UnrefNoDeleteNeverDestroys)
{
    Tracked::Record record;
    SmartPtr<Tracked> held(new Tracked(record));
    held->unrefNoDelete();
    EXPECT_EQ(0u, held->getRefCounter());
    EXPECT_EQ(0, record.destroyed);
    held->ref();
}

TEST(RefCount, CopyStartsWithItsOwnCount)
{
    Tracked::Record record;
    SmartPtr<TrackedChild> a(new TrackedChild(record));
    SmartPtr<TrackedChild> b = a, c = a;
    EXPECT_EQ(3u, a->getRefCounter());
    TrackedChild* copy = new TrackedChild(*a);
    EXPECT_EQ(0u, copy->getRefCounter());
    SmartPtr<TrackedChild> owner(copy);
    EXPECT_EQ(3u, a->getRefCounter());
}

TEST(ClassPattern, ObjectsKnowTheirDescriptor)
{
    Tracked::Record record;
    SmartPtr<const BaseNode> object(new TrackedChild(record));
    EXPECT_EQ(TrackedChild::Class(), object->getClassType());
    EXPECT_STREQ(L"TrackedChild", object->getClassName());
    EXPECT_EQ(Tracked::Class(), TrackedChild::Class()->base);
    EXPECT_EQ(&thisModule(), &object->getCodeModule());
    EXPECT_TRUE(object->isKindOf(Tracked::Class()));
    EXPECT_TRUE(object->isKindOf(BaseNode::Class()));
    EXPECT_FALSE(SmartPtr<BaseNode>(new Tracked(record))->isKindOf(TrackedChild::Class()));
    EXPECT_EQ(nullptr, TrackedChild::Class()->create());
    EXPECT_STREQ(L"BaseNode", BaseNode::Class()->name);
    EXPECT_EQ(nullptr, BaseNode::Class()->base);
}

TEST(SmartPtr, CopiesAssignmentsAndConversionsShareOneCount)
{
    Tracked::Record record;
    {
        SmartPtr<TrackedChild> child(new TrackedChild(record));
        SmartPtr<const TrackedChild> constant = child;
        SmartPtr<Tracked> base = child;
        const BaseNode* raw = child;
        EXPECT_EQ(child.get(), raw);
        EXPECT_EQ(3u, child->getRefCounter());
        base = base;
        EXPECT_EQ(3u, child->getRefCounter());
        constant = nullptr;
        EXPECT_FALSE(constant);
        EXPECT_EQ(2u, (*child).getRefCounter());
        SmartPtr<Tracked> moved = std::move(base);
        EXPECT_FALSE(base);
        EXPECT_EQ(2u, moved->getRefCounter());
    }
    EXPECT_EQ(1, record.destroyed);
}

TEST(SmartPtr, AssignmentReleasesTheOldObject)
{
    Tracked::Record first, second;
    SmartPtr<Tracked> p(new Tracked(first));
    p = SmartPtr<Tracked>(new Tracked(second));
    EXPECT_EQ(1, first.destroyed);
    EXPECT_EQ(0, second.destroyed);
    SmartPtr<Tracked> empty;
    p = empty;
    EXPECT_EQ(1, second.destroyed);
    EXPECT_TRUE(!p);
}

TEST(SmartPtr, ThreadsCopyAndReleaseOneObject)
{
    Tracked::Record record;
    SmartPtr<const Tracked> shared(new Tracked(record));
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&shared] {
            for (int i = 0; i < 20000; ++i) {
                SmartPtr<const Tracked> copy = shared;
                SmartPtr<const BaseNode> base = copy;
                copy = base ? copy : nullptr;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(1u, shared->getRefCounter());
    EXPECT_EQ(0, record.destroyed);
    shared = nullptr;
    EXPECT_EQ(1, record.destroyed);
}

TEST(InterlockedCounter, OperatorsReturnOldOrNewValue)
{
    InterlockedCounter n(5);
    EXPECT_EQ(5u, n++);
    EXPECT_EQ(7u, ++n);
    EXPECT_EQ(7u, n--);
    EXPECT_EQ(5u, --n);
    EXPECT_EQ(9u, n = 9u);
    InterlockedCounter copy;
    copy = n;
    EXPECT_EQ(9u, static_cast<unsigned int>(copy));
    EXPECT_EQ(0u, static_cast<unsigned int>(InterlockedCounter()));
}

TEST(InterlockedCounter, ThreadsCountWithoutLoss)
{
    InterlockedCounter counter;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&counter] {
            for (int i = 0; i < 50000; ++i) {
                ++counter;
                counter++;
                --counter;
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(200000u, static_cast<unsigned int>(counter));
}

} // namespace
