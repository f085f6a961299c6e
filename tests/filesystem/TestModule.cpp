// The test program's own Module.
#define TORV_EXECUTABLE_MODULE
#include "module/ModuleStartup.h"
