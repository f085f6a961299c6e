// A host as the family's programs are built: compiled against the headers
// of its day, it runs with whatever TorvBase.dll lies beside it and checks
// what crosses the boundary: inline string code over StringVal, SmartPtr
// counts, the library's and the sibling's virtual tables, the module list,
// symbols, the translation and the library calling a host's observer.
// Arguments: /lang=DEU <source folder> <target folder>.
#include "Shapes.h"
#include "Sibling.h"
#include "filesystem/Directory.h"
#include "filesystem/File.h"
#include "filesystem/TorvCopyObserver.h"
#include "module/Module.h"
#include "module/SymbolTable.h"
#include "object/KelClass.h"
#include "string/String.h"

#include <iostream>

namespace {

int checks = 0;
int passed = 0;

void check(const char* what, bool holds, const torv::String& seen = torv::String::NIL)
{
    ++checks;
    passed += holds;
    std::cout << (holds ? "ok   " : "FAIL ") << what;
    if (!holds && !seen.isNil())
        std::cout << ": " << seen;
    std::cout << '\n';
}

struct Counter : torv::TorvCopyObserver {
    bool wantsTotals() const override { return true; }
    bool onTotals(unsigned long long files, unsigned long long bytes) override
    {
        totalFiles = files;
        totalBytes = bytes;
        return true;
    }
    bool onFileStarting(const torv::File&, const torv::File&, unsigned long long) override { return ++started, true; }
    bool onBytesCopied(unsigned long long bytes) override { return copied += bytes, true; }
    bool onFileEnded(const torv::File&, const torv::File& target) override
    {
        lastTarget = target.getName();
        return true;
    }
    unsigned long long totalFiles = 0, totalBytes = 0, copied = 0;
    int started = 0;
    torv::String lastTarget;
};

bool registered(const wchar_t* name, const wchar_t* base)
{
    const torv::KelClass* c = nullptr;
    while (torv::KelClass::iterateAllClasses(c))
        if (torv::String(c->name) == name)
            return c->base && torv::String(c->base->name) == base;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    torv::String text(L"Hello");
    torv::String copy = text;
    copy << L", " << 42;
    check("String: inline appends and copy-on-write", text == L"Hello" && copy == L"Hello, 42", copy);
    check("String: length and ANSI text", copy.length() == 9 && std::string(copy.stringAnsi()) == "Hello, 42");

    const auto folder = torv::Directory::fromString(L"C:\\torv\\old");
    const auto level = folder->appendLevel(L"module");
    check("Directory: virtual getFullName", level->getFullName() == L"C:\\torv\\old\\module\\", level->getFullName());
    check("SmartPtr: shared count", folder->getRefCounter() == 1 && level->getRefCounter() == 1);

    const torv::SmartPtr<const sibling::Shape> circle = new sibling::Circle(1.0);
    check("sibling: its class and virtuals",
          torv::String(circle->getClassName()) == L"Circle" && circle->describe().find(L"3.14") >= 0,
          circle->describe());
    check("class registry: the sibling's classes below BaseNode",
          registered(L"Shape", L"BaseNode") && registered(L"Circle", L"Shape"));

    const torv::Module* sib = torv::Module::findByName(L"Sibling");
    check("module list: the sibling and its symbols",
          sib == &sibling::module() && sib->getResourceSymbols()[L"IDS_GREETING"] == 101);
    check("translation: the German greeting", sibling::greeting() == L"Hallo aus dem Geschwistermodul.",
          sibling::greeting());

    Counter counter;
    const auto source = torv::Directory::fromString(torv::String(argv[argc - 2]));
    const auto target = torv::Directory::fromString(torv::String(argv[argc - 1]));
    const bool copiedTree = source && target && target->create() && source->copyContents(target, true, true, &counter);
    check("copy: the library calls the host's observer",
          copiedTree && counter.totalFiles == 1 && counter.totalBytes == 12 && counter.started == 1 &&
              counter.copied == 12 && counter.lastTarget == L"a.txt",
          counter.lastTarget);

    std::cout << "old program: " << passed << " of " << checks << " checks passed\n";
    return passed == checks ? 0 : 1;
}
