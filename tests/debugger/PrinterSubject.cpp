// A program for the debugger printers' test: it builds one value of each
// printed kind and stops in stopHere, where the test prints them.
#include "filesystem/Directory.h"
#include "filesystem/File.h"
#include "module/Module.h"
#include "module/SymbolTable.h"
#include "object/BaseNode.h"
#include "string/String.h"

#include <cstdio>

__attribute__((noinline)) void stopHere(int values) { std::printf("%d values\n", values); }

int main()
{
    const torv::String nil;
    const torv::String empty(L"");
    const torv::String text(L"Hello w\u00f6rld");
    const torv::String shared = text;
    const torv::SmartPtr<const torv::Directory> folder = torv::Directory::fromString(L"C:\\data\\in\\");
    const torv::SmartPtr<const torv::File> file = torv::File::fromString(L"C:\\data\\in\\notes.txt");
    const torv::KelClass& descriptor = *torv::BaseNode::Class();
    const torv::Module& module = *descriptor.module;
    const torv::SymbolTable& symbols = module.getResourceSymbols();
    stopHere(static_cast<int>(nil.length() + shared.length() + empty.length()) + (folder && file ? 2 : 0) +
             static_cast<int>(symbols.symbols().size()));
    return 0;
}
