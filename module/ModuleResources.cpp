// Module: resource lookup with the translation library first, the choice
// among language variants, and access to a resource's bytes as memory or
// as an input stream.
#include "module/Module.h"

#include "module/ThreadLocaleSwitch.h"

#include <set>
#include <streambuf>

namespace torv {

namespace {

using LanguageSet = std::set<LANGID>;
const LANGID NO_VARIANT = 0;

BOOL CALLBACK collectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR target)
{
    reinterpret_cast<LanguageSet*>(target)->insert(language);
    return TRUE;
}

// A single variant always wins; otherwise the requested language, then its
// primary language with the neutral sublanguage, else none.
LANGID chooseLanguage(HINSTANCE h, const wchar_t* name, const wchar_t* type, LANGID requested)
{
    LanguageSet languages;
    if (!EnumResourceLanguagesW(h, type, name, collectLanguage, reinterpret_cast<LONG_PTR>(&languages)) ||
        languages.empty())
        return NO_VARIANT;
    if (languages.size() == 1)
        return *languages.begin();
    const LANGID neutral = requested & 0x3FF;
    if (languages.count(requested))
        return requested;
    return languages.count(neutral) ? neutral : NO_VARIANT;
}

// Moves r to the variant chosen for *languageChoice; on return
// *languageChoice is the LCID of that variant, or the thread locale.
HRSRC findLanguageVariant(HINSTANCE h, const wchar_t* name, const wchar_t* type, HRSRC r, DWORD* const languageChoice)
{
    if (*languageChoice == 0)
        *languageChoice = GetThreadLocale();
    const LANGID chosen = chooseLanguage(h, name, type, LOWORD(*languageChoice));
    const LCID current = GetThreadLocale();
    *languageChoice = current;
    if (chosen == NO_VARIANT)
        return r;
    // The chosen language with the sort order of the thread locale.
    const LCID lcid = (current & 0x000F0000) | chosen;
    ThreadLocaleSwitch localeSwitch(lcid);
    if (HRSRC variant = FindResourceExW(h, type, name, chosen)) {
        *languageChoice = lcid;
        return variant;
    }
    return r;
}

const wchar_t* resourceName(const String& name) { return name.isNil() ? nullptr : name.c_str(); }

const wchar_t* resourceName(unsigned int id) { return MAKEINTRESOURCEW(id & 0xFFFF); }

} // namespace

std::pair<HINSTANCE, HRSRC> Module::findResourceImpl(const wchar_t* name, const wchar_t* type, bool tryTranslation,
                                                     DWORD* const languageChoice) const
{
    const std::pair<HINSTANCE, HRSRC> none(nullptr, nullptr);
    // A module not yet initialised has null handles, which search the
    // program's own file.
    HINSTANCE h = tryTranslation ? resourceInstance : instance;
    if (!name)
        return none;
    HRSRC r = FindResourceW(h, name, type);
    if (!r)
        return tryTranslation ? findResourceImpl(name, type, false, languageChoice) : none;
    if (languageChoice)
        r = findLanguageVariant(h, name, type, r, languageChoice);
    return std::make_pair(h, r);
}

std::pair<void*, DWORD> Module::getResourceImpl(const wchar_t* name, const wchar_t* type, bool tryTranslation,
                                                DWORD* const languageChoice) const
{
    const std::pair<void*, DWORD> none(nullptr, 0);
    const std::pair<HINSTANCE, HRSRC> found = findResourceImpl(name, type, tryTranslation, languageChoice);
    if (!found.second)
        return none;
    HGLOBAL loaded = LoadResource(found.first, found.second);
    const DWORD size = SizeofResource(found.first, found.second);
    void* bytes = loaded ? LockResource(loaded) : nullptr;
    return bytes && size ? std::make_pair(bytes, size) : none;
}

std::unique_ptr<std::istream> Module::loadResourceImpl(const wchar_t* name, const wchar_t* type,
                                                       bool tryTranslation) const
{
    // Reads the resource bytes in place; they are never written.
    class ResourceBuffer : public std::streambuf {
    public:
        ResourceBuffer(void* bytes, DWORD size)
        {
            char* first = static_cast<char*>(bytes);
            setg(first, first, first + size);
        }
        ~ResourceBuffer() override = default;
    };
    class ResourceStream : public std::istream {
    public:
        explicit ResourceStream(ResourceBuffer* buffer) : std::istream(buffer), buffer(buffer) {}
        ~ResourceStream() override { delete buffer; }

    private:
        ResourceBuffer* buffer;
    };

    DWORD languageChoice = 0;
    const std::pair<void*, DWORD> bytes = getResourceImpl(name, type, tryTranslation, &languageChoice);
    if (!bytes.first)
        return nullptr;
    ThreadLocaleSwitch localeSwitch(languageChoice);
    std::unique_ptr<ResourceBuffer> buffer(new ResourceBuffer(bytes.first, bytes.second));
    std::unique_ptr<std::istream> stream(new ResourceStream(buffer.get()));
    static_cast<void>(buffer.release()); // the stream owns it now
    return stream;
}

HINSTANCE Module::findResource(const String& name, const wchar_t* type, bool tryTranslation,
                               DWORD* const languageChoice) const
{
    return findResourceImpl(resourceName(name), type, tryTranslation, languageChoice).first;
}

HINSTANCE Module::findResource(unsigned int id, const wchar_t* type, bool tryTranslation,
                               DWORD* const languageChoice) const
{
    return findResourceImpl(resourceName(id), type, tryTranslation, languageChoice).first;
}

std::pair<void*, DWORD> Module::getResource(const String& name, const wchar_t* type, bool tryTranslation,
                                            DWORD* const languageChoice) const
{
    return getResourceImpl(resourceName(name), type, tryTranslation, languageChoice);
}

std::pair<void*, DWORD> Module::getResource(unsigned int id, const wchar_t* type, bool tryTranslation,
                                            DWORD* const languageChoice) const
{
    return getResourceImpl(resourceName(id), type, tryTranslation, languageChoice);
}

std::unique_ptr<std::istream> Module::loadResource(const String& name, const wchar_t* type, bool tryTranslation) const
{
    return loadResourceImpl(resourceName(name), type, tryTranslation);
}

std::unique_ptr<std::istream> Module::loadResource(unsigned int id, const wchar_t* type, bool tryTranslation) const
{
    return loadResourceImpl(resourceName(id), type, tryTranslation);
}

} // namespace torv
