#include "object/BaseNode.h"

#include "module/Module.h"

namespace torv {

BaseNode::~BaseNode() = default;

const KelClass* BaseNode::Class()
{
    static const KelClass descriptor(L"BaseNode", ::thisModule());
    return &descriptor;
}

const KelClass* BaseNode::getClassType() const
{
    return Class();
}

void BaseNode::ref() const noexcept
{
    refCounter.fetch_add(1);
}

void BaseNode::unref() const
{
    if (refCounter.fetch_sub(1) == 1) {
        refCounter.store(DEAD_MARKER);
        delete this;
    }
}

void BaseNode::unrefNoDelete() const noexcept
{
    refCounter.fetch_sub(1);
}

bool BaseNode::isKindOf(const KelClass* c) const
{
    return getClassType()->isDerivedFrom(c);
}

const wchar_t* BaseNode::getClassName() const
{
    return getClassType()->name;
}

const Module& BaseNode::getCodeModule() const
{
    return *getClassType()->module;
}

} // namespace torv
