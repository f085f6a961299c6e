#pragma once
// The export macro of Sibling.dll: exports while the sibling is built,
// imports in its hosts.
#if defined(SIBLING_BUILD)
#  define SIBLING_API __declspec(dllexport)
#else
#  define SIBLING_API __declspec(dllimport)
#endif
