#include "string/String.h"

#include "string/AllocationFailure.h"

#include <cstring>
#include <cwchar>

namespace torv {

StringBuffer::StringBuffer(String& owner, int size, bool keep)
    : owner(&owner), buffer(nullptr), size(size), wide(true), keep(keep)
{
    if (keep && size < owner.length())
        this->size = owner.length();
}

StringBuffer::StringBuffer(const StringBuffer& other)
    : owner(other.owner), buffer(nullptr), size(other.size), wide(true), keep(other.keep)
{
}

void StringBuffer::releaseArray()
{
    if (wide)
        delete[] static_cast<wchar_t*>(buffer);
    else
        delete[] static_cast<char*>(buffer);
    buffer = nullptr;
}

StringBuffer::operator wchar_t*()
{
    releaseArray();
    const int units = size < 0 ? 0 : size;
    auto* array = allocateArray<wchar_t>(static_cast<std::size_t>(units) + 1);
    array[0] = L'\0';
    array[units] = L'\0';
    if (keep && !owner->isNil())
        std::wcsncat(array, owner->c_str(), static_cast<std::size_t>(units));
    buffer = array;
    wide = true;
    return array;
}

StringBuffer::operator char*()
{
    releaseArray();
    const int bytes = size < 0 ? 0 : size;
    char* array = allocateArray<char>(static_cast<std::size_t>(bytes) + 1);
    array[0] = '\0';
    array[bytes] = '\0';
    if (keep && !owner->isNil())
        std::strncat(array, owner->stringAnsi(), static_cast<std::size_t>(bytes));
    buffer = array;
    wide = false;
    return array;
}

StringBuffer::~StringBuffer()
{
    if (!buffer)
        return;
    String text = wide ? String(static_cast<const wchar_t*>(buffer)) : String(static_cast<const char*>(buffer));
    releaseArray();
    *owner = std::move(text);
}

} // namespace torv
