#include "filesystem/Directory.h"

#include "filesystem/FailureReport.h"
#include "filesystem/File.h"
#include "filesystem/FileIdentity.h"
#include "filesystem/NameCheck.h"
#include "platform/WinApi.h"

#include <algorithm>
#include <cwchar>
#include <string>

namespace torv {

TORV_DEFINE_CLASS(Directory, FileSystemItem)

namespace {

const wchar_t* const invalidNameMessage = L"The path or file name '%s' contains invalid characters.";

bool isDotDot(const String& level) { return level == L".."; }

bool isDot(const String& level) { return level == L"."; }

bool equalIgnoringCase(const String& a, const String& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

// The current directory of the process, or of the drive `letter`, as the
// system resolves "X:" or ".". The C run-time's own query refuses drives
// other than the current one under Wine; this one also works beyond
// MAX_PATH. Empty for a drive that does not exist.
String currentDirectory(wchar_t letter)
{
    const wchar_t driveRoot[] = {letter, L':', L'\\', L'\0'};
    if (letter && GetDriveTypeW(driveRoot) <= DRIVE_NO_ROOT_DIR)
        return String();
    const wchar_t driveOnly[] = {letter, L':', L'\0'};
    const wchar_t* const asked = letter ? driveOnly : L".";
    std::vector<wchar_t> buffer(GetFullPathNameW(asked, 0, nullptr, nullptr));
    const DWORD length = GetFullPathNameW(asked, static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (length == 0 || length >= buffer.size())
        return String();
    return String(buffer.data(), static_cast<int>(length));
}

} // namespace

Directory::Directory() : absolute(false) {}

Directory::Directory(const Directory& other) = default;

Directory& Directory::operator=(const Directory& other) = default;

Directory::~Directory() = default;

SmartPtr<Directory> Directory::fromString(const String& path)
{
    if (path.startsWith(L"\\\\?\\UNC\\"))
        return fromStringUNC(path.substr(8));
    if (path.startsWith(L"\\\\?\\"))
        return fromStringLocal(path.substr(4));
    if (path.startsWith(L"\\\\"))
        return fromStringUNC(path.substr(2));
    String local = path;
    local.replace(L'/', L'\\');
    return fromStringLocal(local);
}

SmartPtr<Directory> Directory::fromStringLocal(const String& text)
{
    SmartPtr<Directory> directory(new Directory);
    int pos = 0;
    if (text.find(L':') == 1) {
        wchar_t letter = text[0];
        if (letter >= L'a' && letter <= L'z')
            letter = static_cast<wchar_t>(letter - L'a' + L'A');
        if (letter < L'A' || letter > L'Z') {
            reportFailure(L"Invalid drive letter in path '%s'.", text);
            return nullptr;
        }
        directory->root = String(letter, 1) + L":";
        pos = 2;
    }
    if (text[pos] == L'\\') {
        directory->absolute = true;
        ++pos;
    }
    if (!splitLevels(text, pos, directory->levels))
        return nullptr;
    if (directory->absolute && !directory->normalize())
        return nullptr;
    return directory;
}

SmartPtr<Directory> Directory::fromStringUNC(const String& text)
{
    String separated = text;
    separated.replace(L'/', L'\\');
    SmartPtr<Directory> directory(new Directory);
    std::vector<String>& levels = directory->levels;
    if (!splitLevels(separated, 0, levels))
        return nullptr;
    if (levels.size() < 2) {
        reportFailure(L"The network path '%s' is missing the server and/or share name.", text);
        return nullptr;
    }
    directory->root = L"\\\\" + levels[0] + L"\\" + levels[1];
    levels.erase(levels.begin(), levels.begin() + 2);
    directory->absolute = true;
    return directory;
}

bool Directory::splitLevels(const String& text, int start, std::vector<String>& into)
{
    const int length = text.length();
    for (int pos = start; pos < length;) {
        int separator = text.find(L'\\', pos);
        if (separator < 0)
            separator = length;
        if (separator > pos) {
            String level = text.substr(pos, separator);
            if (!isValidName(level)) {
                reportFailure(invalidNameMessage, text);
                return false;
            }
            into.push_back(std::move(level));
        }
        pos = separator + 1;
    }
    return true;
}

const String Directory::getFullName() const
{
    std::wstring text(root.c_str());
    if (absolute)
        text += L'\\';
    for (const String& level : levels) {
        text.append(level.c_str(), static_cast<std::size_t>(level.length()));
        text += L'\\';
    }
    if (text.empty())
        return L".\\";
    return String(text.c_str(), static_cast<int>(text.size()));
}

const String Directory::getName() const { return levels.empty() ? String(L".") : levels.back(); }

void Directory::setName(const String& name)
{
    if (!levels.empty() && isValidName(name))
        levels.back() = name;
}

wchar_t Directory::getDriveLetter() const { return root.find(L':') == 1 ? root[0] : L'\0'; }

SmartPtr<const Directory> Directory::getParent() const
{
    if (levels.empty())
        return nullptr;
    SmartPtr<Directory> parent(new Directory(*this));
    parent->levels.pop_back();
    return parent;
}

SmartPtr<const Directory> Directory::appendLevel(const String& name) const
{
    if (!isValidName(name)) {
        reportFailure(invalidNameMessage, name);
        return nullptr;
    }
    SmartPtr<Directory> extended(new Directory(*this));
    extended->levels.push_back(name);
    return extended;
}

SmartPtr<Directory> Directory::withLevelsOf(const Directory& other) const
{
    SmartPtr<Directory> extended(new Directory(*this));
    extended->levels.insert(extended->levels.end(), other.levels.begin(), other.levels.end());
    if (!extended->normalize())
        return nullptr;
    return extended;
}

SmartPtr<const Directory> Directory::appendPath(const Directory& relative) const
{
    if (relative.absolute) {
        reportFailure(L"The path to be appended must be relative.", relative.getFullName());
        return nullptr;
    }
    return withLevelsOf(relative);
}

SmartPtr<const Directory> Directory::combine(const SmartPtr<const Directory>& other) const
{
    if (!other)
        return SmartPtr<const Directory>(this);
    return withLevelsOf(*other);
}

SmartPtr<const File> Directory::combine(const SmartPtr<const File>& file) const
{
    if (!file)
        return File::fromString(*this, String());
    const SmartPtr<const Directory> combined = combine(file->getDirectory());
    if (!combined)
        return nullptr;
    return File::fromString(*combined, file->getName());
}

bool Directory::normalize()
{
    std::vector<String> rebuilt;
    rebuilt.reserve(levels.size());
    for (const String& level : levels) {
        if (isDot(level))
            continue;
        if (!isDotDot(level)) {
            rebuilt.push_back(level);
            continue;
        }
        if (rebuilt.empty()) {
            reportFailure(L"Invalid path '%s': parent references go beyond root.", getFullName());
            return false;
        }
        rebuilt.pop_back();
    }
    levels.swap(rebuilt);
    return true;
}

SmartPtr<const Directory> Directory::makeAbsolute() const
{
    if (absolute)
        return SmartPtr<const Directory>(this);
    const String current = currentDirectory(getDriveLetter());
    if (current.isEmpty()) {
        reportFailure(L"Failed to get the current working directory.");
        return nullptr;
    }
    const SmartPtr<Directory> base = fromString(current);
    if (!base) {
        reportFailure(L"Current working directory is invalid.");
        return nullptr;
    }
    return base->withLevelsOf(*this);
}

SmartPtr<const Directory> Directory::makeRelative(const SmartPtr<const Directory>& reference) const
{
    SmartPtr<const Directory> self = makeAbsolute();
    const SmartPtr<const Directory> base = reference ? reference->makeAbsolute() : SmartPtr<const Directory>();
    if (!self || !base) {
        reportFailure(L"Failed to get absolute paths of this and the reference directory.");
        return nullptr;
    }
    if (self->getDriveLetter() != base->getDriveLetter())
        return self;
    const std::vector<String>& mine = self->levels;
    const std::vector<String>& theirs = base->levels;
    std::size_t common = 0;
    while (common < mine.size() && common < theirs.size() && equalIgnoringCase(mine[common], theirs[common]))
        ++common;
    SmartPtr<Directory> relative(new Directory);
    relative->levels.assign(theirs.size() - common, String(L".."));
    relative->levels.insert(relative->levels.end(), mine.begin() + static_cast<std::ptrdiff_t>(common), mine.end());
    return relative;
}

bool Directory::sameStructure(const Directory& other) const
{
    return levels.size() == other.levels.size() && encloses(other);
}

// Compared level by level, so "C:\a" does not enclose "C:\ab".
bool Directory::encloses(const Directory& other) const
{
    return equalIgnoringCase(root, other.root) && levels.size() <= other.levels.size() &&
           std::equal(levels.begin(), levels.end(), other.levels.begin(), equalIgnoringCase);
}

SmartPtr<const Directory> Directory::resolved() const
{
    const SmartPtr<const Directory> absoluteForm = makeAbsolute();
    return absoluteForm ? absoluteForm->withLevelsOf(Directory()) : nullptr;
}

bool Directory::enclosesFoldingCase(const Directory& other) const
{
    return equalFoldingCase(root, other.root) && levels.size() <= other.levels.size() &&
           std::equal(levels.begin(), levels.end(), other.levels.begin(), equalFoldingCase);
}

// The text decides only where nothing can be opened: for every folder that
// exists, the file system knows its other spellings.
bool Directory::isApartFrom(const Directory& other, Place& mine, Place& theirs) const
{
    const SmartPtr<const Directory> self = resolved();
    const SmartPtr<const Directory> another = other.resolved();
    if (!self || !another)
        return false;
    if (locate(self->getFullName(), mine) && locate(another->getFullName(), theirs))
        return areApart(mine, theirs);
    return !self->enclosesFoldingCase(*another) && !another->enclosesFoldingCase(*self);
}

FileSystemItem::ComparisonResult Directory::equals(const SmartPtr<const Directory>& other) const
{
    if (!other)
        return Undetermined;
    if (absolute == other->absolute)
        return sameStructure(*other) ? Equal : Different;
    // The relative side is seen through the current directory.
    const SmartPtr<const Directory> resolved = absolute ? other->makeAbsolute() : makeAbsolute();
    if (!resolved)
        return Undetermined;
    return resolved->sameStructure(absolute ? *this : *other) ? Equal : Different;
}

bool Directory::contains(const FileSystemItem& item) const
{
    const String fullName = getFullName();
    return !fullName.isEmpty() && item.getFullName().find(fullName.c_str()) >= 0;
}

} // namespace torv
