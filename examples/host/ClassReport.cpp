#include "ClassReport.h"

#include "Console.h"
#include "module/Module.h"
#include "object/KelClass.h"

#include <string>

namespace host {

namespace {

int depthOf(const torv::KelClass& c)
{
    int depth = 0;
    for (const torv::KelClass* base = nullptr; c.iterateBaseClasses(base);)
        ++depth;
    return depth;
}

} // namespace

void printClassTree(std::ostream& out)
{
    out << "Classes:\n";
    for (const torv::KelClass* c = nullptr; torv::KelClass::iterateAllClasses(c);) {
        const std::string indent(static_cast<size_t>(2 + 2 * depthOf(*c)), ' ');
        out << indent << utf8(c->name) << "  [" << utf8(c->module->getModuleName()) << "]\n";
    }
}

} // namespace host
