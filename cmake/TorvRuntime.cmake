# Build-tree conveniences for the MinGW build: every binary lands in one
# folder beside the shared C++ run-time, and runs under Wine.
set(TORV_BIN_DIR ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${TORV_BIN_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${TORV_BIN_DIR})
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

if(MINGW)
  # The exported interface carries std types, so every module shares one
  # dynamically linked C++ run-time.
  set(TORV_RUNTIME_DLLS)
  # The compiler's own flags tell it which run-time it links (target, -B).
  separate_arguments(compiler_flags UNIX_COMMAND "${CMAKE_CXX_FLAGS}")
  if(CMAKE_CXX_COMPILER_TARGET)
    list(PREPEND compiler_flags --target=${CMAKE_CXX_COMPILER_TARGET})
  endif()
  if(CMAKE_SYSROOT)
    list(PREPEND compiler_flags --sysroot=${CMAKE_SYSROOT})
  endif()
  # The compiler as the build calls it, for checks that run it directly.
  set(TORV_CXX_COMMAND ${CMAKE_CXX_COMPILER} ${compiler_flags})
  set(runtime_dll_names libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  # The stack protector of the checked build has a run-time of its own.
  if(TORV_CHECKED)
    list(APPEND runtime_dll_names libssp-0.dll)
  endif()
  foreach(dll ${runtime_dll_names})
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} ${compiler_flags} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(path "${path}" REALPATH)
    if(NOT EXISTS "${path}")
      message(FATAL_ERROR "C++ run-time ${dll} not found")
    endif()
    file(COPY "${path}" DESTINATION ${TORV_BIN_DIR})
    list(APPEND TORV_RUNTIME_DLLS "${path}")
  endforeach()
endif()

if(CMAKE_CROSSCOMPILING AND CMAKE_HOST_UNIX)
  find_program(TORV_WINE NAMES wine wine64 PATHS /usr/lib/wine REQUIRED)
  set(runner_permissions FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
                         GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(TORV_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(TORV_WINEPREFIX_DEFAULT ${TORV_WINEPREFIX})
  set(TORV_WINE_COMMAND ${TORV_WINE})
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in
                 ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY ${runner_permissions})
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
  # The installed runner names no path of this machine: Wine from PATH and
  # one prefix per user.
  set(TORV_WINEPREFIX_DEFAULT "\${XDG_DATA_HOME:-\$HOME/.local/share}/torv/wineprefix")
  set(TORV_WINE_COMMAND wine)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in
                 ${CMAKE_BINARY_DIR}/torv-wine-run @ONLY ${runner_permissions})
endif()
