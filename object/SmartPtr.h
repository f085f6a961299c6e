#pragma once
// SmartPtr<T>: the owning pointer over BaseNode objects. It shares the
// object's intrusive count: taking a pointer raises it, dropping one lowers
// it, and the last release destroys the object.

#include <type_traits>
#include <utility>

namespace torv {

template <class T>
class SmartPtr {
public:
    using element_type = T;

    SmartPtr() noexcept : ptr(nullptr) {}
    SmartPtr(decltype(nullptr)) noexcept : ptr(nullptr) {}
    SmartPtr(T* p) : ptr(p) { acquire(); }
    SmartPtr(const SmartPtr& other) : ptr(other.ptr) { acquire(); }
    SmartPtr(SmartPtr&& other) noexcept : ptr(other.ptr) { other.ptr = nullptr; }

    // SmartPtr<Derived> to SmartPtr<Base>, SmartPtr<T> to SmartPtr<const T>.
    template <class U, class = std::enable_if_t<std::is_convertible<U*, T*>::value>>
    SmartPtr(const SmartPtr<U>& other) : ptr(other.get()) { acquire(); }

    ~SmartPtr() { release(); }

    // Counted copy first, so assigning a pointer to itself is harmless.
    SmartPtr& operator=(const SmartPtr& other)
    {
        SmartPtr copy(other);
        swap(copy);
        return *this;
    }
    SmartPtr& operator=(SmartPtr&& other) noexcept
    {
        SmartPtr taken(std::move(other));
        swap(taken);
        return *this;
    }

    void swap(SmartPtr& other) noexcept { std::swap(ptr, other.ptr); }

    T* get() const noexcept { return ptr; }
    T& operator*() const noexcept { return *ptr; }
    T* operator->() const noexcept { return ptr; }
    // Also the null test and the conversion to a pointer to a base class.
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
