#include "object/KelClass.h"

#include "platform/CheckedBuild.h"

namespace torv {

const KelClass* KelClass::rootHead = nullptr;
const KelClass* const& KelClass::rootClass = KelClass::rootHead;

KelClass::KelClass(const wchar_t* name, const Module& module)
    : name(name), base(nullptr), module(&module), firstChild(nullptr), nextSibling(rootHead)
{
    rootHead = this;
}

KelClass::KelClass(const wchar_t* name, const KelClass* base, const Module& module)
    : name(name), base(base), module(&module), firstChild(nullptr), nextSibling(base->firstChild)
{
    base->firstChild = this;
}

KelClass::~KelClass()
{
    validityCheck();
    for (const KelClass** link = listLink(); *link; link = &(*link)->nextSibling) {
        if (*link == this) {
            *link = nextSibling;
            return;
        }
    }
}

const KelClass** KelClass::listLink() const { return base ? &base->firstChild : &rootHead; }

BaseNode* KelClass::create() const { return nullptr; }

void KelClass::initClassStatics() const {}

void KelClass::clearClassStatics() const {}

bool KelClass::finish(const KelClass*& c, const KelClass* next)
{
    c = next;
    return c != nullptr;
}

// The sibling of c or of its nearest ancestor that has one; null once the
// climb reaches stop (never taking stop's own sibling) or runs out.
const KelClass* KelClass::nextSiblingUpwards(const KelClass* c, const KelClass* stop)
{
    for (; c && c != stop; c = c->base) {
        if (c->nextSibling)
            return c->nextSibling;
    }
    return nullptr;
}

const KelClass* KelClass::nextInSubtree(const KelClass* c) const
{
    return c->firstChild ? c->firstChild : nextSiblingUpwards(c, this);
}

bool KelClass::iterateAllClasses(const KelClass*& c)
{
    if (!c)
        return finish(c, rootHead);
    return finish(c, c->firstChild ? c->firstChild : nextSiblingUpwards(c, nullptr));
}

bool KelClass::iterateRootClasses(const KelClass*& c) { return finish(c, c ? c->nextSibling : rootHead); }

bool KelClass::iterateBaseClasses(const KelClass*& c) const { return finish(c, (c ? c : this)->base); }

bool KelClass::iterateChildClasses(const KelClass*& c) const { return finish(c, c ? c->nextSibling : firstChild); }

bool KelClass::iterateDerivedClasses(const KelClass*& c) const { return finish(c, c ? nextInSubtree(c) : firstChild); }

bool KelClass::iterateLeafClasses(const KelClass*& c) const
{
    const KelClass* next = c;
    do
        next = next ? nextInSubtree(next) : firstChild;
    while (next && next->firstChild);
    return finish(c, next);
}

bool KelClass::isDerivedFrom(const KelClass* other) const
{
    for (const KelClass* d = this; d; d = d->base) {
        if (d == other)
            return true;
    }
    return false;
}

#if defined(TORV_CHECKED)
void KelClass::validityCheck() const
{
    checkThat(firstChild == nullptr, "class descriptor unregistered before its derived classes");
    const KelClass* entry = *listLink();
    while (entry && entry != this)
        entry = entry->nextSibling;
    checkThat(entry == this, "class descriptor missing from the class tree");
}
#endif

} // namespace torv
