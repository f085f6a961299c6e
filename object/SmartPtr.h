#pragma once
/// @file
/// SmartPtr<T>: the owning pointer over BaseNode objects. It shares the
/// object's intrusive count: taking a pointer raises it, dropping one lowers
/// it, and the last release destroys the object.

#include <type_traits>
#include <utility>

namespace torv {

/// Shared owner of a BaseNode object of type T, or null.
template <class T>
class SmartPtr {
public:
    /// The pointed-to type.
    using element_type = T;

    /// A null pointer.
    SmartPtr() noexcept : ptr(nullptr) {}
    /// A null pointer.
    SmartPtr(decltype(nullptr)) noexcept : ptr(nullptr) {}
    /// Shares ownership of p (raises its count); p may be null.
    SmartPtr(T* p) : ptr(p) { acquire(); }
    /// Shares the object of other.
    SmartPtr(const SmartPtr& other) : ptr(other.ptr) { acquire(); }
    /// Takes the object of other, which becomes null.
    SmartPtr(SmartPtr&& other) noexcept : ptr(other.ptr) { other.ptr = nullptr; }

    /// SmartPtr<Derived> to SmartPtr<Base>, SmartPtr<T> to SmartPtr<const T>.
    template <class U, class = std::enable_if_t<std::is_convertible<U*, T*>::value>>
    SmartPtr(const SmartPtr<U>& other) : ptr(other.get())
    {
        acquire();
    }

    /// Releases the object; the last owner destroys it.
    ~SmartPtr() { release(); }

    /// Counted copy first, so assigning a pointer to itself is harmless.
    SmartPtr& operator=(const SmartPtr& other)
    {
        if (this != &other) {
            SmartPtr copy(other);
            swap(copy);
        }
        return *this;
    }
    /// Takes the object of other, releasing the one held before.
    SmartPtr& operator=(SmartPtr&& other) noexcept
    {
        SmartPtr taken(std::move(other));
        swap(taken);
        return *this;
    }

    /// Exchanges the objects of the two pointers.
    void swap(SmartPtr& other) noexcept { std::swap(ptr, other.ptr); }

    /// The object, or null; still owned by the pointers.
    T* get() const noexcept { return ptr; }
    /// The object; the pointer must not be null.
    T& operator*() const noexcept { return *ptr; }
    /// The object; the pointer must not be null.
    T* operator->() const noexcept { return ptr; }
    /// Also the null test and the conversion to a pointer to a base class.
    operator T*() const noexcept { return ptr; }

private:
    void acquire() const
    {
        if (ptr)
            ptr->ref();
    }
    void release() const
    {
        if (ptr)
            ptr->unref();
    }

    T* ptr;
};

} // namespace torv
