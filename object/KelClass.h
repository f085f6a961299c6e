#pragma once
/// @file
/// KelClass: the run-time descriptor of one class, and the process-wide
/// class registry, which is nothing but the tree of all descriptors: each
/// descriptor sits in its base's child list, root descriptors in the root
/// list, every list singly linked and newest first.
///
/// The iterate... functions share one protocol: set a cursor to null, call
/// repeatedly; each call moves the cursor and returns whether it is not null.
/// After the last descriptor the cursor is null again (and the walk restarts).

#include "platform/Export.h"

namespace torv {

class BaseNode;
class Module;

/// The run-time descriptor of one class; a function-local static of its
/// class, registered while it lives.
class TORV_API KelClass {
public:
    /// A root descriptor, registered at the head of the root list. name is
    /// not copied and must outlive the descriptor.
    KelClass(const wchar_t* name, const Module& module);
    /// A derived descriptor, registered at the head of base's child list.
    KelClass(const wchar_t* name, const KelClass* base, const Module& module);
    /// Unregisters the descriptor.
    virtual ~KelClass();

    /// A new object of the class, owned by the caller's first SmartPtr;
    /// null here, since no class of the library can be made without arguments.
    virtual BaseNode* create() const;
    /// Runs the class's initStatics(); nothing here.
    virtual void initClassStatics() const;
    /// Runs the class's clearStatics(); nothing here.
    virtual void clearClassStatics() const;

    /// Pre-order over the whole registry.
    static bool iterateAllClasses(const KelClass*& c);
    /// The root descriptors, newest first.
    static bool iterateRootClasses(const KelClass*& c);
    /// Direct base, its base, and so on; never this descriptor.
    bool iterateBaseClasses(const KelClass*& c) const;
    /// The direct children, newest first.
    bool iterateChildClasses(const KelClass*& c) const;
    /// Pre-order over this descriptor's subtree, without this descriptor.
    bool iterateDerivedClasses(const KelClass*& c) const;
    /// Descendants that have no child.
    bool iterateLeafClasses(const KelClass*& c) const;

    /// True for this descriptor and each of its ancestors; false for null.
    bool isDerivedFrom(const KelClass* other) const;

    KelClass(const KelClass&) = delete;
    KelClass& operator=(const KelClass&) = delete;

    const wchar_t* const name;  ///< The class name, not owned.
    const KelClass* const base; ///< The base's descriptor; null for a root.
    const Module* const module; ///< The module whose code defined the class.

private:
    const KelClass** listLink() const;
#if defined(TORV_CHECKED)
    // Traps when this descriptor leaves the registry while a derived
    // descriptor still hangs below it, or when it is not in its list.
    void validityCheck() const;
#else
    void validityCheck() const {}
#endif
    static bool finish(const KelClass*& c, const KelClass* next);
    static const KelClass* nextSiblingUpwards(const KelClass* c, const KelClass* stop);
    const KelClass* nextInSubtree(const KelClass* c) const;

    mutable const KelClass* firstChild;
    mutable const KelClass* nextSibling;

    static const KelClass* rootHead;

public:
    /// Head of the root list, most recently registered root first; null
    /// while none is registered. Read-only to everyone but registration.
    static const KelClass* const& rootClass;
};

} // namespace torv
