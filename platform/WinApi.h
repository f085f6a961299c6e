#pragma once
/// @file
/// The one way library headers pull in the Windows API: without the min/max
/// macros, which would break the standard library's functions of that name.
#ifndef NOMINMAX
/// Keeps windows.h from defining the min and max macros.
#  define NOMINMAX
#endif
#include <windows.h>
