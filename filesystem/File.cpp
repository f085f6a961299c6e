#include "filesystem/File.h"

#include "filesystem/Directory.h"
#include "filesystem/NameCheck.h"

#include <algorithm>
#include <cwchar>

namespace torv {

TORV_DEFINE_CLASS(File, FileSystemItem)

namespace {

bool isFileName(const String& name) { return isValidName(name) && name != L"." && name != L".."; }

// Null equals only null; otherwise the case of letters does not count.
bool samePart(const String& a, const String& b)
{
    if (a.isNil() || b.isNil())
        return a.isNil() && b.isNil();
    return a.block() == b.block() || _wcsicmp(a.c_str(), b.c_str()) == 0;
}

} // namespace

File::File() = default;

File::File(const File& other) = default;

File& File::operator=(const File& other) = default;

File::~File() = default;

SmartPtr<File> File::fromString(const String& path)
{
    const int separator = std::max(path.findLastOf(L':'), path.findLastOf(L'\\'));
    if (separator < 0) {
        const SmartPtr<const Directory> current(new Directory);
        return fromString(*current, path);
    }
    const SmartPtr<Directory> dir = Directory::fromString(path.substr(0, separator + 1));
    if (!dir)
        return nullptr;
    return fromString(*dir, path.substr(separator + 1));
}

SmartPtr<File> File::fromString(const Directory& dir, const String& name)
{
    if (!isFileName(name))
        return nullptr;
    SmartPtr<File> file(new File);
    file->directory = SmartPtr<const Directory>(&dir);
    file->setName(name);
    return file;
}

const String File::getFullName() const { return directory->getFullName() + getName(); }

const String File::getName() const
{
    if (extension.isEmpty())
        return baseName;
    return baseName + L"." + extension;
}

void File::setName(const String& name)
{
    const int dot = name.findLastOf(L'.');
    if (dot > 0) {
        baseName = name.substr(0, dot);
        extension = name.substr(dot + 1);
    } else {
        baseName = name;
    }
}

SmartPtr<const File> File::replaceExtension(const String& ext) const
{
    SmartPtr<File> renamed(new File(*this));
    renamed->extension = ext;
    return renamed;
}

bool File::isAbsolute() const { return directory->isAbsolute(); }

SmartPtr<const File> File::makeAbsolute() const
{
    if (isAbsolute())
        return SmartPtr<const File>(this);
    const SmartPtr<const Directory> absolute = directory->makeAbsolute();
    if (!absolute)
        return nullptr;
    return fromString(*absolute, getName());
}

SmartPtr<const File> File::makeRelative(const SmartPtr<const Directory>& ref) const
{
    const SmartPtr<const Directory> relative = directory->makeRelative(ref);
    if (!relative)
        return nullptr;
    return fromString(*relative, getName());
}

FileSystemItem::ComparisonResult File::equals(const SmartPtr<const File>& other) const
{
    if (!other)
        return Undetermined;
    const ComparisonResult folders = directory->equals(other->directory);
    if (folders != Equal)
        return folders;
    return samePart(baseName, other->baseName) && samePart(extension, other->extension) ? Equal : Different;
}

} // namespace torv
