#include "object/BaseNode.h"

#include "module/Module.h"
#include "platform/CheckedBuild.h"

namespace torv {

BaseNode::~BaseNode() = default;

const KelClass* BaseNode::Class()
{
    static const KelClass descriptor(L"BaseNode", ::thisModule());
    return &descriptor;
}

const KelClass* BaseNode::getClassType() const { return Class(); }

void BaseNode::ref() const noexcept { validityCheck(refCounter.fetch_add(1)); }

void BaseNode::unref() const
{
    const unsigned int before = refCounter.fetch_sub(1);
    validityCheck(before);
    if (before == 1) {
        refCounter.store(DEAD_MARKER);
        delete this;
    }
}

void BaseNode::unrefNoDelete() const noexcept { validityCheck(refCounter.fetch_sub(1)); }

bool BaseNode::isKindOf(const KelClass* c) const { return getClassType()->isDerivedFrom(c); }

const wchar_t* BaseNode::getClassName() const { return getClassType()->name; }

const Module& BaseNode::getCodeModule() const { return *getClassType()->module; }

#if defined(TORV_CHECKED)
void BaseNode::validityCheck(unsigned int count) const
{
    checkThat(count != DEAD_MARKER, "reference count change on a destroyed object");
}
#endif

} // namespace torv
