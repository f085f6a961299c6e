#pragma once
/// @file
/// The start-up code of one code module. Include this header in exactly one
/// source of every code module (library, executable, test program) that
/// uses this library. It defines the module's own thisModule() and the
/// calls that initialise and terminate that Module:
///
/// - In a library (the default) it defines DllMain and the entry function
///   TorvModuleEntry, which the library must be linked with as its entry
///   point (MinGW: -Wl,--entry,TorvModuleEntry). On process attach the entry
///   runs the extension raw entry hook before anything else, then the C
///   run-time, which runs the static initialisers and then DllMain:
///
///       attach  internalInit, AfxInitExtensionModule, a CDynLinkLibrary;
///               any failure fails the load;
///       detach  the CDynLinkLibrary deleted, AfxTermExtensionModule,
///               internalTerm.
///
/// - In an executable, define TORV_EXECUTABLE_MODULE before including it:
///   the Module is initialised once every static initialiser of the program
///   has run, just before main (wmain, WinMain), and terminated when the
///   program ends (main returns, or exit is called by the program or by
///   another module), before any exit-time destructor, atexit handler or
///   function-local static of the program; link order does not matter and
///   no link option is needed. MinGW: the start-up code takes the program's
///   atexit registrations into a list of its own (see _onexit below), which
///   needs the msvcrt-based run-time.

#include "module/Module.h"
#include "platform/MfcLayer.h"

#include <new>

/// This code module's own Module, built on the first call.
torv::Module& thisModule()
{
    static torv::Module module;
    return module;
}

namespace torv {

/// The start-up code's access to its Module's private init and term.
class ModuleStartup {
public:
    /// Initialises this module's Module; false when it fails or already ran.
    static bool init(HINSTANCE instance) { return thisModule().internalInit(instance); }
    /// Terminates this module's Module.
    static void term() { thisModule().internalTerm(); }
};

} // namespace torv

#if defined(TORV_EXECUTABLE_MODULE)

#  include <cstdlib>

#  if defined(_MSC_VER)

namespace {

void torvTermProgram() { torv::ModuleStartup::term(); }

void torvInitProgram()
{
    torv::ModuleStartup::init(GetModuleHandleW(nullptr));
    std::atexit(torvTermProgram);
}

} // namespace

// The C++ initialisers lie in .CRT$XCU; .CRT$XCY runs after all of them.
#    pragma section(".CRT$XCY", read)
extern "C" __declspec(allocate(".CRT$XCY")) void (*const torvProgramStartup)() = torvInitProgram;
#    pragma comment(linker, "/include:torvProgramStartup")

#  else

// The run-time's static-initialiser walk registers it, after every static
// initialiser and just before main.
extern "C" void __do_global_dtors(void);
// msvcrt.dll's own atexit: the process's exit list, which exit runs.
extern "C" int(__cdecl* __imp_atexit)(void(__cdecl*)(void));

namespace {

/// The program's exit functions in registration order. Plain data, ready
/// before any static initialiser runs, and never destroyed.
struct TorvExitList {
    SRWLOCK lock;
    _onexit_t* functions;
    size_t count;
    size_t capacity;
};
TorvExitList torvExitList = {SRWLOCK_INIT, nullptr, 0, 0};

/// Appends func; false when there is no room for it.
bool torvPushExitFunction(_onexit_t func)
{
    TorvExitList& list = torvExitList;
    AcquireSRWLockExclusive(&list.lock);
    if (list.count == list.capacity) {
        const size_t capacity = list.capacity ? list.capacity * 2 : 64;
        if (void* grown = std::realloc(list.functions, capacity * sizeof(_onexit_t))) {
            list.functions = static_cast<_onexit_t*>(grown);
            list.capacity = capacity;
        }
    }
    const bool pushed = list.count < list.capacity;
    if (pushed)
        list.functions[list.count++] = func;
    ReleaseSRWLockExclusive(&list.lock);
    return pushed;
}

/// Takes off the function registered last; null when none is left.
_onexit_t torvPopExitFunction()
{
    TorvExitList& list = torvExitList;
    AcquireSRWLockExclusive(&list.lock);
    const _onexit_t func = list.count ? list.functions[--list.count] : nullptr;
    ReleaseSRWLockExclusive(&list.lock);
    return func;
}

/// The one exit function the run-time holds, run by exit whoever calls it:
/// ends the Module, then runs the program's own exit functions, last
/// registered first (also those registered meanwhile).
void __cdecl torvProgramExit()
{
    torv::ModuleStartup::term();
    while (const _onexit_t func = torvPopExitFunction())
        func();
}

/// True once torvProgramExit is in the run-time's exit list.
bool torvExitListHandedOver()
{
    static const bool handedOver = __imp_atexit(torvProgramExit) == 0;
    return handedOver;
}

} // namespace

/// The program's _onexit, through which the run-time's atexit passes every
/// registration of the program, exit-time destructors and function-local
/// statics included: keeps func in the start-up code's own list, so that
/// the Module ends before all of them without any linker wrapping. The
/// registration of __do_global_dtors means every static initialiser has
/// run: the Module starts then. Null when func cannot be kept.
extern "C" _onexit_t __cdecl _onexit(_onexit_t func)
{
    if (!torvExitListHandedOver() || !torvPushExitFunction(func))
        return nullptr;
    if (reinterpret_cast<void (*)()>(func) == &__do_global_dtors)
        torv::ModuleStartup::init(GetModuleHandleW(nullptr));
    return func;
}

#  endif

#else

namespace {

AFX_EXTENSION_MODULE torvExtensionModule;
CDynLinkLibrary* torvDynLinkLibrary = nullptr;

BOOL torvAttachModule(HINSTANCE instance)
{
    if (!torv::ModuleStartup::init(instance))
        return FALSE;
    torvExtensionModule = AFX_EXTENSION_MODULE();
    if (!AfxInitExtensionModule(torvExtensionModule, instance))
        return FALSE;
    torvDynLinkLibrary = new (std::nothrow) CDynLinkLibrary(torvExtensionModule, FALSE);
    return torvDynLinkLibrary != nullptr;
}

void torvDetachModule()
{
    delete torvDynLinkLibrary;
    torvDynLinkLibrary = nullptr;
    AfxTermExtensionModule(torvExtensionModule, FALSE);
    torv::ModuleStartup::term();
}

} // namespace

/// The library's attach and detach handler; FALSE fails the load.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        return torvAttachModule(instance);
    case DLL_PROCESS_DETACH:
        torvDetachModule();
        return TRUE;
    default:
        return TRUE;
    }
}

#  if !defined(_MSC_VER)
// MinGW's run-time has no slot for the raw entry hook, so the library's
// entry runs it and then hands over to the run-time's own entry.
/// The C run-time's own library entry.
extern "C" BOOL WINAPI DllMainCRTStartup(HANDLE instance, DWORD reason, LPVOID reserved);

/// The library's entry point: the raw entry hook on attach, then the run-time.
extern "C" BOOL WINAPI TorvModuleEntry(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH)
        AfxRawEntryHook(instance, reason, reserved);
    return DllMainCRTStartup(instance, reason, reserved);
}
#  endif

#endif
