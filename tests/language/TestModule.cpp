// The test program's own Module, initialised before the tests run: its
// language is chosen at start-up like any program's.
#define TORV_EXECUTABLE_MODULE
#include "module/ModuleStartup.h"
