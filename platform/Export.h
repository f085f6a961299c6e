#pragma once
/// @file
/// The one export macro of the library.

/// Marks an exported class, function or data member: exports while the
/// library itself is built (TORVBASE_BUILD), imports in every host module.
#if defined(_WIN32)
#  if defined(TORVBASE_BUILD)
#    define TORV_API __declspec(dllexport)
#  else
#    define TORV_API __declspec(dllimport)
#  endif
#else
#  define TORV_API
#endif
