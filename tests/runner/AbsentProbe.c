/* A program whose one DLL is not beside it: the runner must name the DLL. */
#if defined(TORV_ABSENT_LIBRARY)
__declspec(dllexport) int torvAbsent(void) { return 0; }
#else
__declspec(dllimport) int torvAbsent(void);
int main(void) { return torvAbsent(); }
#endif
