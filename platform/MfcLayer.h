#pragma once
// The library's one door to the MFC run-time: extension-library
// registration and string-table loading. An MSVC build with TORV_USE_MFC
// takes the real MFC; every other build gets the small stand-in below,
// which keeps only what the library relies on.

#include "platform/Export.h"
#include "platform/WinApi.h"

#if defined(TORV_USE_MFC)

#include <afxwin.h>
#include <afxdllx.h>

#else

// The record an extension library keeps of itself.
struct AFX_EXTENSION_MODULE {
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
    // The class and factory lists the library registered during its static
    // initialisation, as saved by the raw entry hook.
    const void* pFirstSharedClass;
    const void* pFirstSharedFactory;
};

class CDynLinkLibrary;

// The process-wide state that extension libraries register with.
struct AFX_MODULE_STATE {
    const void* classList;
    const void* factoryList;
    CDynLinkLibrary* libraryList;
};

TORV_API AFX_MODULE_STATE* AfxGetModuleState();

// Runs on process attach before the library's static initialisers: sets
// the module state's class and factory lists aside and empties them, so
// the library's own registrations can be told apart. Always succeeds.
extern "C" TORV_API BOOL WINAPI AfxRawEntryHook(HINSTANCE instance, DWORD reason, LPVOID reserved);

TORV_API BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module);
TORV_API void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL all = FALSE);

// One loaded extension library in the module state's library chain; its
// resources join the search while it exists.
class TORV_API CDynLinkLibrary {
public:
    CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL system = FALSE);
    virtual ~CDynLinkLibrary();

    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;
    CDynLinkLibrary* m_pNextDLL;
};

#endif

namespace torv {

class String;

namespace platform {

/// Loads string-table entry id from instance (null: the program's own file)
/// into text. An absent and an empty entry fail alike: false.
TORV_API bool loadStringEntry(HINSTANCE instance, unsigned int id, String& text);

} // namespace platform
} // namespace torv
