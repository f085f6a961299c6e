#pragma once
// The one way library headers pull in the Windows API: without the min/max
// macros, which would break the standard library's functions of that name.
#ifndef NOMINMAX
#  define NOMINMAX
#endif
#include <windows.h>
