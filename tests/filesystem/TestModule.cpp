// The test program's own Module.
#include "module/ModuleStartup.h"
