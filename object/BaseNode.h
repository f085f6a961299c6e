#pragma once
// BaseNode: the base of every object handed out by shared ownership. It
// carries an intrusive atomic reference count and a run-time class
// identity (its KelClass descriptor). A new object has count 0 and belongs
// to the first SmartPtr that takes it; it dies when the count falls from 1
// to 0. Objects are ended through unref(), never deleted by their users.

#include "object/ClassPattern.h"
#include "object/KelClass.h"
#include "object/SmartPtr.h"
#include "platform/Export.h"

#include <atomic>

namespace torv {

class Module;

// An empty base: the hook for visitors of derived libraries.
class VisitorCore {
};

class TORV_API BaseNode : public VisitorCore {
public:
    // The count left behind in an object that is being destroyed.
    static constexpr unsigned int DEAD_MARKER = 0xF000DEADu;

    BaseNode() noexcept : refCounter(0) {}

    virtual const KelClass* getClassType() const;

    static const KelClass* Class();
    static void initStatics() {}
    static void clearStatics() {}

    void ref() const noexcept;
    void unref() const;
    // Lowers the count without ever destroying the object.
    void unrefNoDelete() const noexcept;
    unsigned int getRefCounter() const noexcept { return refCounter.load(std::memory_order_relaxed); }

    bool isKindOf(const KelClass* c) const;
    const wchar_t* getClassName() const;
    const Module& getCodeModule() const;

protected:
    // A copy never inherits its source's count.
    BaseNode(const BaseNode&) noexcept : VisitorCore(), refCounter(0) {}
    BaseNode& operator=(const BaseNode&) noexcept { return *this; }
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
