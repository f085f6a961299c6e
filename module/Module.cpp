#include "module/Module.h"

#include "module/Language.h"
#include "module/ModulePath.h"
#include "module/SymbolTable.h"
#include "object/KelClass.h"
#include "platform/CheckedBuild.h"

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

namespace torv {

namespace {

const DWORD PATH_BUFFER = MODULE_PATH_UNITS;
// The longest path Windows hands out.
const DWORD MAX_LONG_PATH = 32768;

// Calls fill(buffer, size) with growing buffers until the text fits;
// fill returns the length written, or at least size when it did not fit.
template <class Fill>
std::wstring fillGrowing(Fill fill)
{
    std::vector<wchar_t> buffer(PATH_BUFFER);
    for (;;) {
        const auto size = static_cast<DWORD>(buffer.size());
        const DWORD length = fill(buffer.data(), size);
        if (length < size)
            return std::wstring(buffer.data(), length);
        if (size >= MAX_LONG_PATH)
            return std::wstring();
        buffer.resize(std::max<DWORD>(length + 1, size * 2));
    }
}

// The module's file path, in its long form when that can be had. Paths
// beyond 260 characters get bigger buffers instead of a cut name.
std::wstring modulePath(HINSTANCE instance)
{
    std::wstring path =
        fillGrowing([instance](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(instance, buffer, size); });
    if (path.empty())
        return path;
    const std::wstring longPath =
        fillGrowing([&path](wchar_t* buffer, DWORD size) { return GetLongPathNameW(path.c_str(), buffer, size); });
    return longPath.empty() ? path : longPath;
}

// The module's translation library, or the module itself when it has none.
// A version block the search cannot read (it throws) counts as none: the
// exception must not leave a library's entry point or the program start-up.
HINSTANCE translationOf(HINSTANCE module) noexcept
{
    try {
        const HINSTANCE translation = LoadTranslationDLL(module, NO_LANGUAGE);
        return translation ? translation : module;
    } catch (const std::exception&) {
        return module;
    }
}

} // namespace

Module* Module::head = nullptr;
Module* Module::tail = nullptr;
unsigned long long Module::count = 0;

Module::Module()
    : next(nullptr), prev(tail), initialized(false), instance(nullptr), resourceInstance(nullptr), moduleName(nullptr),
      resourceSymbols(nullptr)
{
    (tail ? tail->next : head) = this;
    tail = this;
    ++count;
}

Module::~Module()
{
    validityCheck();
    --count;
    (next ? next->prev : tail) = prev;
    (prev ? prev->next : head) = next;
    if (initialized)
        internalTerm();
    delete moduleName;
}

const String& Module::getModuleName() const { return moduleName ? *moduleName : String::EMPTY; }

const Module* Module::findByName(const String& name)
{
    for (const Module* m = head; m; m = m->next)
        if (m->initialized && m->getModuleName().compareIgnoreCase(name) == 0)
            return m;
    return nullptr;
}

const Module* Module::findByHandle(HINSTANCE handle)
{
    for (const Module* m = head; m; m = m->next)
        if (m->initialized && m->instance == handle)
            return m;
    return nullptr;
}

const SymbolTable& Module::getResourceSymbols() const
{
    return resourceSymbols ? *resourceSymbols : SymbolTable::EMPTY;
}

bool Module::internalInit(HINSTANCE h)
{
    if (initialized || !h)
        return false;
    instance = h;
    resourceInstance = translationOf(h);
    initName();
    initialized = true;
    initSymbols();
    forEachOwnClass(&KelClass::initClassStatics);
    return true;
}

void Module::internalTerm()
{
    if (!initialized)
        return;
    if (resourceInstance != instance)
        FreeLibrary(resourceInstance);
    delete resourceSymbols;
    resourceSymbols = nullptr;
    // Same order as at initialisation: bases before derived classes.
    forEachOwnClass(&KelClass::clearClassStatics);
    initialized = false;
}

void Module::initName()
{
    const std::wstring name = baseNameOf(modulePath(instance));
    delete moduleName;
    moduleName = nullptr;
    moduleName = new String(name.c_str(), static_cast<int>(name.size()));
}

// A missing header, or one with any bad line, leaves no symbols at all.
void Module::initSymbols()
{
    resourceSymbols = new SymbolTable;
    std::unique_ptr<std::istream> header = loadResource(String(L"resource.h"), L"METADATA", true);
    if (!header || !resourceSymbols->parseHeaderFile(*header)) {
        delete resourceSymbols;
        resourceSymbols = nullptr;
    }
}

void Module::forEachOwnClass(void (KelClass::*hook)() const) const
{
    for (const KelClass* c = nullptr; KelClass::iterateAllClasses(c);) {
        if (c->module == this)
            (c->*hook)();
    }
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

#if defined(TORV_CHECKED)
void Module::validityCheck() const
{
    unsigned long long linked = 0;
    bool found = false;
    const Module* previous = nullptr;
    for (const Module* m = head; m && linked <= count; previous = m, m = m->next, ++linked) {
        checkThat(m->prev == previous, "module list: broken backward link");
        found = found || m == this;
    }
    checkThat(linked == count && tail == previous, "module list: ends or count disagree");
    checkThat(found, "module missing from the module list");
    for (const KelClass* c = nullptr; KelClass::iterateAllClasses(c);)
        checkThat(c->module != this, "module unregistered while a class descriptor names it");
}
#endif

} // namespace torv
