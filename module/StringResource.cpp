#include "module/StringResource.h"

#include "module/Module.h"
#include "platform/MfcLayer.h"

namespace torv {

namespace {

const wchar_t LOAD_ERROR[] = L"Error loading string resource!";

} // namespace

StringResource::StringResource() : id(0xFFFFFFFFu), module(nullptr) {}

StringResource::StringResource(unsigned int id, const Module& m) : id(id), module(&m) {}

StringResource::operator const String&() const
{
    if (cached.isNil() && module)
        cached = String::loadFromResource(id, *module);
    return cached;
}

// The translation library first, then the module's own file.
String String::loadFromResource(unsigned int id, const Module& m)
{
    String text;
    if (platform::loadStringEntry(m.getResourceInstance(), id, text) ||
        platform::loadStringEntry(m.getInstance(), id, text))
        return text;
    return String(LOAD_ERROR);
}

} // namespace torv
