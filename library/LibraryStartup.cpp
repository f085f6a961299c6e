// This library's own start-up code.
#include "module/ModuleStartup.h"
