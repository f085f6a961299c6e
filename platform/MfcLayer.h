#pragma once
/// @file
/// The library's one door to the MFC run-time: extension-library
/// registration and string-table loading. An MSVC build with TORV_USE_MFC
/// takes the real MFC; every other build gets the small stand-in below,
/// which keeps only what the library relies on.

#include "platform/Export.h"
#include "platform/WinApi.h"

#if defined(TORV_USE_MFC)

#  include <afxdllx.h>
#  include <afxwin.h>

#else

/// The record an extension library keeps of itself; the library owns it.
struct AFX_EXTENSION_MODULE {
    BOOL bInitialized; ///< TRUE after AfxInitExtensionModule succeeded.
    HMODULE hModule;   ///< The library's own module handle.
    HMODULE hResource; ///< Where its resources are looked up.
    /// The class list the library registered during its static
    /// initialisation, as saved by the raw entry hook.
    const void* pFirstSharedClass;
    /// The factory list saved beside it.
    const void* pFirstSharedFactory;
};

class CDynLinkLibrary;

/// The process-wide state that extension libraries register with.
struct AFX_MODULE_STATE {
    const void* classList;        ///< Classes registered so far.
    const void* factoryList;      ///< Factories registered so far.
    CDynLinkLibrary* libraryList; ///< Head of the chain of extension libraries.
};

/// The process's one module state; never null, owned by the library.
TORV_API AFX_MODULE_STATE* AfxGetModuleState();

/// Runs on process attach before the library's static initialisers: sets
/// the module state's class and factory lists aside and empties them, so
/// the library's own registrations can be told apart. Always succeeds.
extern "C" TORV_API BOOL WINAPI AfxRawEntryHook(HINSTANCE instance, DWORD reason, LPVOID reserved);

/// Fills state for the library module; FALSE when module is null.
TORV_API BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module);
/// Marks state as not initialised and forgets its saved lists; never fails.
TORV_API void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all = FALSE);

/// One loaded extension library in the module state's library chain; its
/// resources join the search while it exists. Created with new by the
/// library's attach handler, which deletes it again on detach.
class TORV_API CDynLinkLibrary {
public:
    /// Links the library of state into the chain.
    CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL system = FALSE);
    /// Unlinks it from the chain.
    virtual ~CDynLinkLibrary();

    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

    HMODULE m_hModule;           ///< The library's module handle.
    HMODULE m_hResource;         ///< Where its resources are looked up.
    BOOL m_bSystem;              ///< TRUE for a system library.
    CDynLinkLibrary* m_pNextDLL; ///< Next in the chain, null at its end.
};

#endif

namespace torv {

class String;

namespace platform {

/// Loads string-table entry id from instance (null: the program's own file)
/// into text; false (text unchanged) for an absent and an empty entry alike.
TORV_API bool loadStringEntry(HINSTANCE instance, unsigned int id, String& text);

} // namespace platform
} // namespace torv
