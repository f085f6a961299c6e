#pragma once
/// @file
/// Module: the record of one code module (library or executable) of the
/// process: its handles, its name and its resource symbols. Every Module
/// links itself into one process-wide list in creation order.
///
/// Each code module owns exactly one Module, created by its own
/// thisModule() (see module/ModuleStartup.h, included by exactly one source
/// of every code module), and initialised and terminated by that module's
/// start-up code.

#include "platform/Export.h"
#include "platform/WinApi.h"
#include "string/String.h"

#include <istream>
#include <iterator>
#include <memory>
#include <utility>

namespace torv {
class KelClass;
class Module;
class SymbolTable;
class ModuleStartup;
} // namespace torv

/// Defined by every code module for itself (never exported): that module's
/// own Module, created on the first call and owned by that module.
torv::Module& thisModule();

namespace torv {

/// The record of one code module of the process; a function-local static
/// of that module, never copied.
class TORV_API Module {
public:
    /// Walks the process-wide module list in creation order.
    class TORV_API const_iterator {
    public:
        using iterator_category = std::bidirectional_iterator_tag; ///< Bidirectional.
        using value_type = const Module;                           ///< A module record.
        using difference_type = unsigned long long;                ///< Distance type.
        using pointer = const Module*;                             ///< Pointer to a record.
        using reference = const Module&;                           ///< Reference to a record.

        /// The end position.
        const_iterator() noexcept : current(nullptr) {}

        /// The module at this position; not at the end position.
        reference operator*() const { return *current; }
        /// The module at this position; null at the end position.
        pointer operator->() const { return current; }

        /// Stepping from the end position wraps: forward to the first module,
        /// backward to the last. The postfix forms also return the iterator
        /// after the step.
        const_iterator& operator++();
        const_iterator& operator++(int) { return ++*this; } ///< See the prefix form.
        const_iterator& operator--();                       ///< See operator++().
        const_iterator& operator--(int) { return --*this; } ///< See operator++().

        /// The module at this position; null at the end position.
        pointer position() const { return current; }

    protected:
        friend class Module;
        /// The position of at (null: the end).
        explicit const_iterator(const Module* at) noexcept : current(at) {}

    private:
        const Module* current;
    };
    /// Walks the module list backwards.
    using const_reverse_iterator = std::reverse_iterator<const_iterator>;

    static Module* head;             ///< First module of the list; null while empty.
    static Module* tail;             ///< Last module of the list; null while empty.
    static unsigned long long count; ///< Number of modules in the list.

    /// The first module.
    static const_iterator begin() { return const_iterator(head); }
    /// The end position.
    static const_iterator end() { return const_iterator(nullptr); }
    /// The last module, walking backwards.
    static const_reverse_iterator rbegin() { return const_reverse_iterator(end()); }
    /// The end of the backward walk.
    static const_reverse_iterator rend() { return const_reverse_iterator(begin()); }

    /// The module's name, owned by the module; String::EMPTY until the
    /// module is initialised.
    const String& getModuleName() const;
    /// The symbols of the embedded resource header, owned by the module;
    /// SymbolTable::EMPTY when the module has no (valid) embedded header.
    const SymbolTable& getResourceSymbols() const;

    /// The initialised module whose name is `name`, without regard to case
    /// (as the system compares module names); null when none is.
    static const Module* findByName(const String& name);
    /// The initialised module whose own handle is `handle`; null when none
    /// is (a translation library's handle is not a module's).
    static const Module* findByHandle(HINSTANCE handle);

    /// The module's own handle; null until it is initialised.
    HINSTANCE getInstance() const { return instance; }
    /// The translation library when one was loaded, else the instance.
    HINSTANCE getResourceInstance() const { return resourceInstance; }
    /// True between initialisation and termination.
    bool isInitialized() const { return initialized; }

    /// Resource lookup: with tryTranslation the translation library first,
    /// then the module's own file. languageChoice (may be null) carries the
    /// wanted LCID in (0: the thread locale) and the chosen one out. The
    /// library that holds the resource; null if none does.
    HINSTANCE findResource(const String& name, const wchar_t* type, bool tryTranslation,
                           DWORD* const languageChoice) const;
    /// The same by numeric id.
    HINSTANCE findResource(unsigned int id, const wchar_t* type, bool tryTranslation,
                           DWORD* const languageChoice) const;
    /// The resource's bytes, owned by the loaded library; (null, 0) if none.
    std::pair<void*, DWORD> getResource(const String& name, const wchar_t* type, bool tryTranslation,
                                        DWORD* const languageChoice) const;
    /// The same by numeric id.
    std::pair<void*, DWORD> getResource(unsigned int id, const wchar_t* type, bool tryTranslation,
                                        DWORD* const languageChoice) const;
    /// A read-only stream over the bytes, owned by the caller; empty if
    /// none. Valid while the library holding the resource stays loaded.
    std::unique_ptr<std::istream> loadResource(const String& name, const wchar_t* type, bool tryTranslation) const;
    /// The same by numeric id.
    std::unique_ptr<std::istream> loadResource(unsigned int id, const wchar_t* type, bool tryTranslation) const;

    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

private:
    friend torv::Module& ::thisModule();
    friend class ModuleStartup;

    Module();
    ~Module();

    /// Initialises the module from its handle; false, changing nothing, when
    /// it is initialised already or h is null. Never throws out of the
    /// translation search: a module whose search fails starts without one.
    bool internalInit(HINSTANCE h);
    /// Terminates an initialised module; does nothing otherwise.
    void internalTerm();
    void initName();
    void initSymbols();
    void forEachOwnClass(void (KelClass::*hook)() const) const;
#if defined(TORV_CHECKED)
    // Traps when the module list is broken (links, ends or count disagree,
    // or this module is not in it) or a class descriptor still names this
    // module as it leaves the list.
    void validityCheck() const;
#else
    void validityCheck() const {}
#endif

    std::pair<HINSTANCE, HRSRC> findResourceImpl(const wchar_t* name, const wchar_t* type, bool tryTranslation,
                                                 DWORD* const languageChoice) const;
    std::pair<void*, DWORD> getResourceImpl(const wchar_t* name, const wchar_t* type, bool tryTranslation,
                                            DWORD* const languageChoice) const;
    std::unique_ptr<std::istream> loadResourceImpl(const wchar_t* name, const wchar_t* type, bool tryTranslation) const;

    Module* next;
    Module* prev;
    bool initialized;
    HINSTANCE instance;
    HINSTANCE resourceInstance;
    String* moduleName;
    SymbolTable* resourceSymbols;
};

/// True at the same position.
inline bool operator==(const Module::const_iterator& a, const Module::const_iterator& b)
{
    return a.position() == b.position();
}
/// True at different positions.
inline bool operator!=(const Module::const_iterator& a, const Module::const_iterator& b)
{
    return a.position() != b.position();
}

} // namespace torv
