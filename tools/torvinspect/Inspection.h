#pragma once
// What torvinspect finds in one module file: how it was loaded, its version
// values and data folder, its symbols, string-table languages, translation
// search, help file and classes.
#include "module/LanguageChoice.h"
#include "module/SymbolTable.h"

#include <string>
#include <utility>
#include <vector>

namespace inspect {

struct ClassEntry {
    std::wstring name;
    std::wstring base; // empty for a root of the class tree
    int depth;         // 0 for a root
};

struct Inspection {
    std::wstring path;
    bool asLibrary = false;
    std::wstring howLoaded; // which way, and why
    std::vector<std::pair<std::wstring, std::wstring>> version;
    std::wstring versionProblem; // why values are missing; empty when none is
    std::wstring dataFolder;
    bool hasSymbolHeader = false;
    torv::SymbolTable symbols;
    std::vector<LANGID> stringLanguages;
    bool searched = false; // the translation search ran (as a library)
    torv::LanguageChoice choice;
    std::wstring helpFile;
    std::vector<ClassEntry> classes;
};

// Loads `path` and reads everything above; false, with `error` set, when it
// is not a module that can be loaded either way.
bool inspectModule(const std::wstring& path, Inspection& result, std::wstring& error);

} // namespace inspect
