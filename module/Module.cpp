#include "module/Module.h"

namespace torv {

Module* Module::head = nullptr;
Module* Module::tail = nullptr;
unsigned long long Module::count = 0;

Module::Module()
    : next(nullptr), prev(tail), initialized(false), instance(nullptr), resourceInstance(nullptr),
      moduleName(nullptr), resourceSymbols(nullptr)
{
    (tail ? tail->next : head) = this;
    tail = this;
    ++count;
}

Module::~Module()
{
    --count;
    (next ? next->prev : tail) = prev;
    (prev ? prev->next : head) = next;
}

Module::const_iterator& Module::const_iterator::operator++()
{
    current = current ? current->next : head;
    return *this;
}

Module::const_iterator& Module::const_iterator::operator--()
{
    current = current ? current->prev : tail;
    return *this;
}

} // namespace torv
