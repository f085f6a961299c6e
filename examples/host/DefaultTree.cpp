#include "DefaultTree.h"

#include "filesystem/Directory.h"
#include "filesystem/File.h"
#include "module/Module.h"

#include <cstdlib>
#include <istream>
#include <memory>
#include <string>

namespace host {

namespace {

// Numbered lines naming the file, cut at exactly `size` bytes.
std::string generatedContents(const std::string& name, unsigned long size)
{
    std::string contents;
    contents.reserve(size + name.size() + 32);
    for (unsigned long line = 1; contents.size() < size; ++line)
        contents += name + " line " + std::to_string(line) + "\r\n";
    contents.resize(size);
    return contents;
}

bool writeFile(const torv::File& file, const std::string& contents)
{
    const HANDLE handle = CreateFileW(file.getFullName().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(contents.size());
    const bool ok = WriteFile(handle, contents.data(), size, &written, nullptr) && written == size;
    CloseHandle(handle);
    return ok;
}

struct ListedFile {
    unsigned long size = 0;
    std::string path;
};

// "<size> <path>"
bool parseListLine(const std::string& line, ListedFile& file)
{
    const char* start = line.c_str();
    char* end = nullptr;
    file.size = std::strtoul(start, &end, 10);
    if (end == start || *end != ' ' || end[1] == '\0')
        return false;
    file.path = end + 1;
    return true;
}

bool writeListedFile(const torv::Directory& folder, const ListedFile& listed)
{
    const torv::SmartPtr<torv::File> file =
        torv::File::fromString(folder.getFullName() + torv::String(listed.path.c_str()));
    return file && file->getDirectory()->create() && writeFile(*file, generatedContents(listed.path, listed.size));
}

} // namespace

bool writeDefaultTree(const torv::Directory& folder)
{
    const std::unique_ptr<std::istream> list =
        thisModule().loadResource(torv::String(L"DEFAULT_TREE"), RT_RCDATA, false);
    if (!list)
        return false;
    std::string line;
    while (std::getline(*list, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        ListedFile file;
        if (!parseListLine(line, file) || !writeListedFile(folder, file))
            return false;
    }
    return true;
}

} // namespace host
