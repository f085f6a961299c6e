#pragma once
// A module made with the installed kit: it answers from its own symbols.

#include "string/String.h"

#if defined(PACKAGE_MODULE_BUILD)
#  define PACKAGE_MODULE_API __declspec(dllexport)
#else
#  define PACKAGE_MODULE_API __declspec(dllimport)
#endif

// The value of name in the module's embedded resource header,
// SymbolTable::UNKNOWN when it is not defined there.
PACKAGE_MODULE_API unsigned int packageSymbol(const torv::String& name);
// The module's greeting, from its translation library when one was loaded.
PACKAGE_MODULE_API torv::String packageGreeting();
