#include "SiblingReport.h"

#include "Console.h"
#include "Shapes.h"
#include "Sibling.h"
#include "SymbolReport.h"
#include "module/Module.h"

namespace host {

namespace {

void printShape(std::ostream& out, const torv::SmartPtr<const sibling::Shape>& shape)
{
    out << "  " << utf8(shape->getClassName()) << ": " << utf8(shape->describe()) << '\n';
}

} // namespace

void printSiblingReport(std::ostream& out)
{
    out << "Sibling says: " << utf8(sibling::greeting()) << " (" << utf8(sibling::languageName()) << ")\n";
    printShape(out, new sibling::Circle(1.5));
    printShape(out, new sibling::Square(2.0));
    out << "Sibling symbols:\n";
    printSymbols(out, sibling::module().getResourceSymbols(),
                 {L"IDS_GREETING", L"ids_circle", L"IDR_SIBLING_NOTES", L"IDS_MISSING"});
}

} // namespace host
