#include "platform/MfcLayer.h"

#include "string/String.h"

#if !defined(TORV_USE_MFC)

namespace {

AFX_MODULE_STATE moduleState = {nullptr, nullptr, nullptr};

// The lists set aside by the last raw entry hook. The loader serialises
// library attach, so one slot serves the library being attached.
const void* savedClassList = nullptr;
const void* savedFactoryList = nullptr;

} // namespace

AFX_MODULE_STATE* AfxGetModuleState() { return &moduleState; }

BOOL WINAPI AfxRawEntryHook(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        savedClassList = moduleState.classList;
        savedFactoryList = moduleState.factoryList;
        moduleState.classList = nullptr;
        moduleState.factoryList = nullptr;
    }
    return TRUE;
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module)
{
    if (!module)
        return FALSE;
    if (state.bInitialized)
        return TRUE;
    // What was registered since the hook belongs to this library; the
    // state gets back the lists of the libraries loaded before.
    state.pFirstSharedClass = moduleState.classList;
    state.pFirstSharedFactory = moduleState.factoryList;
    moduleState.classList = savedClassList;
    moduleState.factoryList = savedFactoryList;
    state.hModule = module;
    state.hResource = module;
    state.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL)
{
    state.bInitialized = FALSE;
    state.pFirstSharedClass = nullptr;
    state.pFirstSharedFactory = nullptr;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL system)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(system), m_pNextDLL(moduleState.libraryList)
{
    moduleState.libraryList = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    for (CDynLinkLibrary** link = &moduleState.libraryList; *link; link = &(*link)->m_pNextDLL) {
        if (*link == this) {
            *link = m_pNextDLL;
            return;
        }
    }
}

bool torv::platform::loadStringEntry(HINSTANCE instance, unsigned int id, String& text)
{
    // With no buffer size the call hands out the entry in place. A null
    // instance searches the program's own file.
    const wchar_t* entry = nullptr;
    const int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&entry), 0);
    if (length <= 0 || !entry)
        return false;
    text = String(entry, length);
    return true;
}

#else

bool torv::platform::loadStringEntry(HINSTANCE instance, unsigned int id, String& text)
{
    CStringW loaded;
    // A null instance stands for the program's own file.
    if (!instance)
        instance = GetModuleHandleW(nullptr);
    if (!loaded.LoadString(instance, id) || loaded.IsEmpty())
        return false;
    text = String(static_cast<const wchar_t*>(loaded), loaded.GetLength());
    return true;
}

#endif
