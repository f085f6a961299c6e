# Cross-compiles for Windows x64 with Debian's clang and links with lld,
# against the C++ run-time of the MinGW-w64 posix-thread GCC, so that
# clang-built binaries share libstdc++-6.dll with GCC-built hosts.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TORV_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${TORV_MINGW_TRIPLET})
set(CMAKE_CXX_COMPILER_TARGET ${TORV_MINGW_TRIPLET})
set(CMAKE_RC_COMPILER ${TORV_MINGW_TRIPLET}-windres)
set(CMAKE_SYSROOT /usr/${TORV_MINGW_TRIPLET})

# The posix-thread GCC's folder holds libstdc++, libgcc and their headers.
file(GLOB TORV_MINGW_GCC_DIR LIST_DIRECTORIES true /usr/lib/gcc/${TORV_MINGW_TRIPLET}/*-posix)
list(SORT TORV_MINGW_GCC_DIR)
list(GET TORV_MINGW_GCC_DIR -1 TORV_MINGW_GCC_DIR)
set(TORV_LIBSTDCXX_INCLUDE ${TORV_MINGW_GCC_DIR}/include/c++)
# -B lets the compiler report where the run-time DLLs are (-print-file-name).
set(CMAKE_CXX_FLAGS_INIT "-B${TORV_MINGW_GCC_DIR} -stdlib++-isystem ${TORV_LIBSTDCXX_INCLUDE} -stdlib++-isystem ${TORV_LIBSTDCXX_INCLUDE}/${TORV_MINGW_TRIPLET} -stdlib++-isystem ${TORV_LIBSTDCXX_INCLUDE}/backward")
set(CMAKE_C_FLAGS_INIT "-B${TORV_MINGW_GCC_DIR}")
# -pthread: the posix-thread run-time (and GoogleTest) need winpthread,
# which the GCC driver links by itself. lld (Debian's lld), the linker of
# clang-based MinGW toolchains: the GCC build covers GNU ld.
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-L${TORV_MINGW_GCC_DIR} -pthread -fuse-ld=lld")
endforeach()

set(CMAKE_FIND_ROOT_PATH /usr/${TORV_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
