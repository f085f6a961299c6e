#include "object/BaseNode.h"
#include "object/InterlockedCounter.h"

#include "../support/OnThreads.h"

#include <gtest/gtest.h>

namespace {

using namespace torv;

// Records its destructions and the count it died with.
class Tracked : public BaseNode {
    TORV_DECLARE_CLASS(Tracked);

public:
    struct Record {
        int destroyed = 0;
        unsigned int finalCount = 0;
    };
    explicit Tracked(Record& record) : record(record) {}
    Tracked(const Tracked& other) : BaseNode(other), record(other.record) {}

protected:
    ~Tracked() override { ++record.destroyed, record.finalCount = getRefCounter(); }

private:
    Record& record;
};

class TrackedChild : public Tracked {
    TORV_DECLARE_CLASS(TrackedChild);

public:
    using Tracked::Tracked;
};

TORV_DEFINE_CLASS(Tracked, BaseNode)
TORV_DEFINE_CLASS(TrackedChild, Tracked)

TEST(RefCount, CountsAndDiesOnceWithTheMarker)
{
    Tracked::Record record;
    Tracked* object = new Tracked(record);
    EXPECT_EQ(0u, object->getRefCounter());
    object->ref();
    object->ref();
    object->unref();
    object->ref();
    object->unrefNoDelete();
    EXPECT_EQ(1u, object->getRefCounter());
    Tracked* copy = new Tracked(*object);
    EXPECT_EQ(0u, copy->getRefCounter());
    copy->ref();
    copy->unrefNoDelete();
    EXPECT_EQ(0, record.destroyed) << "no delete below one";
    object->unref();
    EXPECT_TRUE(record.destroyed == 1 && record.finalCount == 0xF000DEADu) << std::hex << record.finalCount;
    copy->ref();
    copy->unref();
    EXPECT_EQ(2, record.destroyed);
}

TEST(ClassPattern, ObjectsKnowTheirDescriptorAndModule)
{
    Tracked::Record record;
    SmartPtr<const BaseNode> object(new TrackedChild(record));
    EXPECT_TRUE(object->getClassType() == TrackedChild::Class() && &object->getCodeModule() == &thisModule());
    EXPECT_STREQ(L"TrackedChild", object->getClassName());
    EXPECT_FALSE(SmartPtr<BaseNode>(new Tracked(record))->isKindOf(TrackedChild::Class()));
    EXPECT_EQ(nullptr, TrackedChild::Class()->create());
}

TEST(SmartPtr, CopiesConversionsAndAssignmentsShareOneCount)
{
    Tracked::Record first, second;
    {
        SmartPtr<TrackedChild> child(new TrackedChild(first));
        SmartPtr<const TrackedChild> constant = child;
        SmartPtr<Tracked> base = child;
        const BaseNode* raw = child;
        EXPECT_EQ(child.get(), raw);
        base = base;
        EXPECT_EQ(3u, (*child).getRefCounter());
        constant = nullptr;
        base = SmartPtr<Tracked>(new Tracked(second));
        EXPECT_TRUE(!constant && child->getRefCounter() == 1u);
    }
    EXPECT_TRUE(first.destroyed == 1 && second.destroyed == 1);
}

TEST(SmartPtr, ThreadsCopyAndReleaseOneObject)
{
    Tracked::Record record;
    SmartPtr<const Tracked> shared(new Tracked(record));
    EXPECT_EQ(0, testsupport::failuresOnThreads(20000, [&shared](int) {
                  SmartPtr<const Tracked> copy = shared;
                  const SmartPtr<const BaseNode> base = copy;
                  copy = nullptr;
                  return base.get() == shared.get();
              }));
    EXPECT_TRUE(shared->getRefCounter() == 1u && record.destroyed == 0);
    shared = nullptr;
    EXPECT_EQ(1, record.destroyed);
}

TEST(InterlockedCounter, OperatorsReturnOldOrNewValue)
{
    torv::InterlockedCounter n(5);
    EXPECT_EQ(5u, n++);
    EXPECT_EQ(7u, ++n);
    EXPECT_EQ(7u, n--);
    EXPECT_EQ(5u, --n);
    EXPECT_EQ(9u, n = 9u);
    torv::InterlockedCounter copy;
    copy = n;
    EXPECT_EQ(9u, static_cast<unsigned int>(copy));
}

} // namespace
