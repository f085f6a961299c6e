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
///   has run, just before main (wmain, WinMain), and terminated when main
///   returns or exit is called, before any exit-time destructor; link order
///   does not matter. MinGW: the program must be linked with
///   -Wl,--wrap=__main,--wrap=exit (torv_add_module(... EXECUTABLE) and
///   torv_program_startup() in cmake/TorvModuleKit.cmake add them); without
///   them the link fails on __real___main.

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

namespace {

void torvTermProgram() { torv::ModuleStartup::term(); }

void torvInitProgram()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    torv::ModuleStartup::init(GetModuleHandleW(nullptr));
    // For exit called where it is not wrapped (another module): registered
    // after every static object's destructor, so it still runs before them.
    std::atexit(torvTermProgram);
}

} // namespace

#  if defined(_MSC_VER)
// The C++ initialisers lie in .CRT$XCU; .CRT$XCY runs after all of them.
#    pragma section(".CRT$XCY", read)
extern "C" __declspec(allocate(".CRT$XCY")) void (*const torvProgramStartup)() = torvInitProgram;
#    pragma comment(linker, "/include:torvProgramStartup")
#  else
// The run-time calls __main after its own set-up and before main; the real
// one runs the static initialisers. exit is where main's return and every
// exit call of the program meet, before any exit-time destructor.
extern "C" void __real___main();
extern "C" [[noreturn]] void __real_exit(int code);

extern "C" void __wrap___main()
{
    __real___main();
    torvInitProgram();
}

extern "C" [[noreturn]] void __wrap_exit(int code)
{
    torvTermProgram();
    __real_exit(code);
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
