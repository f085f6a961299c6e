#pragma once
// The one export macro of the library: exports while the library itself is
// built, imports in every host module.
#if defined(_WIN32)
#  if defined(TORVBASE_BUILD)
#    define TORV_API __declspec(dllexport)
#  else
#    define TORV_API __declspec(dllimport)
#  endif
#else
#  define TORV_API
#endif
