#pragma once
/// @file
/// BaseNode: the base of every object handed out by shared ownership. It
/// carries an intrusive atomic reference count and a run-time class
/// identity (its KelClass descriptor). A new object has count 0 and belongs
/// to the first SmartPtr that takes it; it dies when the count falls from 1
/// to 0. Objects are ended through unref(), never deleted by their users.

#include "object/ClassPattern.h"
#include "object/KelClass.h"
#include "object/SmartPtr.h"
#include "platform/Export.h"

#include <atomic>

namespace torv {

class Module;

/// An empty base: the hook for visitors of derived libraries.
class VisitorCore {};

/// The root of the class tree: intrusive count and run-time class identity.
class TORV_API BaseNode : public VisitorCore {
public:
    /// The count left behind in an object that is being destroyed.
    static constexpr unsigned int DEAD_MARKER = 0xF000DEADu;

    /// A new object, count 0, owned by the first SmartPtr that takes it.
    BaseNode() noexcept : refCounter(0) {}

    /// The descriptor of the object's most derived class; never null.
    virtual const KelClass* getClassType() const;

    /// The descriptor "BaseNode", a static of the library; never null.
    static const KelClass* Class();
    /// Class hooks run at module initialisation and termination; BaseNode's do nothing.
    static void initStatics() {}
    /// See initStatics().
    static void clearStatics() {}

    /// Raises the count atomically.
    void ref() const noexcept;
    /// Lowers the count atomically; destroys the object when it falls from 1 to 0.
    void unref() const;
    /// Lowers the count without ever destroying the object.
    void unrefNoDelete() const noexcept;
    /// The current count (a plain read).
    unsigned int getRefCounter() const noexcept { return refCounter.load(std::memory_order_relaxed); }

    /// True when the object's class is c or derives from it; false for null c.
    bool isKindOf(const KelClass* c) const;
    /// The name of the object's class, owned by its descriptor.
    const wchar_t* getClassName() const;
    /// The module whose code defined the object's class.
    const Module& getCodeModule() const;

protected:
    /// A copy never inherits its source's count.
    BaseNode(const BaseNode&) noexcept : VisitorCore(), refCounter(0) {}
    /// Assignment leaves the count alone.
    BaseNode& operator=(const BaseNode&) noexcept { return *this; }
    /// Destroyed only by the last unref(), never by users.
    virtual ~BaseNode();

private:
#if defined(TORV_CHECKED)
    // Traps when `count`, read by ref or unref, is the dead marker: the
    // object is being or has been destroyed.
    void validityCheck(unsigned int count) const;
#else
    void validityCheck(unsigned int) const {}
#endif

    mutable std::atomic<unsigned int> refCounter;
};

} // namespace torv
