#include "object/BaseNode.h"

#include <gtest/gtest.h>

namespace {

using torv::BaseNode;
using torv::SmartPtr;

// Counts destructions so the tests can see when an object really dies.
class Probe : public BaseNode {
    TORV_DECLARE_CLASS(Probe);

public:
    explicit Probe(int* destroyed = nullptr) : destroyed(destroyed) {}
    Probe(const Probe& other) : BaseNode(other), destroyed(other.destroyed) {}

private:
    ~Probe() override
    {
        if (destroyed)
            ++*destroyed;
    }
    int* destroyed;
};

TORV_DEFINE_CLASS(Probe, BaseNode)

TEST(BaseNode, NewObjectHasCountZeroAndDiesOnLastUnref)
{
    int destroyed = 0;
    Probe* p = new Probe(&destroyed);
    EXPECT_EQ(0u, p->getRefCounter());
    p->ref();
    p->ref();
    p->unref();
    EXPECT_EQ(1u, p->getRefCounter());
    EXPECT_EQ(0, destroyed);
    p->unref();
    EXPECT_EQ(1, destroyed);
}

TEST(BaseNode, DescriptorNamesClassBaseAndModule)
{
    SmartPtr<Probe> p(new Probe);
    EXPECT_STREQ(L"Probe", p->getClassName());
    EXPECT_EQ(BaseNode::Class(), Probe::Class()->base);
    EXPECT_EQ(&thisModule(), &p->getCodeModule());
    EXPECT_TRUE(p->isKindOf(BaseNode::Class()));
}

} // namespace
