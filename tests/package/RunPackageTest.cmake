# cmake -P driver of the package test: install, relocate, check that only
# public headers are there and each compiles alone, then build the starter
# project (a copy of examples/starter) with the relocated package's own
# toolchain file and run its ctest under the package's Wine runner.

function(run_step what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result
                  OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${output}")
  endif()
endfunction()

# An installed file that names the build or source tree breaks once the
# package is moved.
function(check_no_tree_paths prefix)
  file(GLOB_RECURSE files ${prefix}/*.cmake ${prefix}/*.in ${prefix}/bin/torv-wine-run)
  foreach(file ${files})
    file(READ ${file} text)
    foreach(tree ${TORV_BUILD_DIR} ${TORV_SOURCE_DIR})
      string(FIND "${text}" "${tree}" at)
      if(at GREATER -1)
        message(FATAL_ERROR "${file} names the tree ${tree}")
      endif()
    endforeach()
  endforeach()
endfunction()

# A public header that includes an internal one fails here: those are not
# installed.
function(check_headers include_dir)
  string(REPLACE "|" ";" internal "${TORV_INTERNAL_HEADERS}")
  foreach(header ${internal})
    if(EXISTS ${include_dir}/${header})
      message(FATAL_ERROR "the internal header ${header} is installed")
    endif()
  endforeach()
  string(REPLACE "|" ";" compiler "${TORV_HEADER_COMPILER}")
  file(GLOB_RECURSE headers RELATIVE ${include_dir} ${include_dir}/*.h)
  foreach(header ${headers})
    run_step("compiling ${header} alone" ${compiler} -std=c++17 -fsyntax-only -DUNICODE -D_UNICODE
             -I${include_dir} -x c++ ${include_dir}/${header})
  endforeach()
endfunction()

function(check_in file text)
  file(READ ${file} content)
  string(FIND "${content}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${file} does not name ${text}")
  endif()
endfunction()

# Every line of the getting-started page's CMake blocks is one of the
# starter's, so the page shows what CI builds.
function(check_guide guide)
  file(READ ${starter_source}/CMakeLists.txt starter)
  file(READ ${starter_source}/Words/CMakeLists.txt words)
  file(STRINGS ${guide} lines ENCODING UTF-8)
  set(in_block FALSE)
  foreach(line IN LISTS lines)
    if(line MATCHES "^```cmake")
      set(in_block TRUE)
    elseif(line MATCHES "^```")
      set(in_block FALSE)
    elseif(in_block AND NOT line STREQUAL "...")
      string(FIND "${starter}${words}" "${line}\n" at)
      if(at EQUAL -1)
        message(FATAL_ERROR "${guide} shows a line the starter does not have:\n${line}")
      endif()
    endif()
  endforeach()
endfunction()

set(installed ${TORV_WORK_DIR}/installed)
set(relocated ${TORV_WORK_DIR}/moved/TorvBase)
set(starter_source ${TORV_WORK_DIR}/starter)
set(starter_build ${TORV_WORK_DIR}/starter-build)
file(REMOVE_RECURSE ${TORV_WORK_DIR})
file(MAKE_DIRECTORY ${TORV_WORK_DIR}/moved)

run_step("install" ${CMAKE_COMMAND} --install ${TORV_BUILD_DIR} --prefix ${installed}
         --config ${TORV_CONFIG})
# Moved, not copied: nothing may still point to where it was installed.
file(RENAME ${installed} ${relocated})
check_no_tree_paths(${relocated})
check_headers(${relocated}/include/torv)

# The starter as a user copies it, configured as the getting-started page
# says: the package's toolchain file, the package on the prefix path.
file(COPY ${TORV_STARTER_DIR}/ DESTINATION ${starter_source})
check_guide(${TORV_SOURCE_DIR}/docs/getting-started.md)
get_filename_component(toolchain ${TORV_TOOLCHAIN_FILE} NAME)
run_step("configuring the starter" ${CMAKE_COMMAND} -S ${starter_source} -B ${starter_build}
         -G ${TORV_GENERATOR} -DCMAKE_MAKE_PROGRAM=${TORV_MAKE_PROGRAM} -DCMAKE_BUILD_TYPE=${TORV_CONFIG}
         -DCMAKE_TOOLCHAIN_FILE=${relocated}/share/torv/${toolchain} -DCMAKE_PREFIX_PATH=${relocated})
check_in(${starter_build}/CMakeCache.txt "TorvBase_DIR:PATH=${relocated}/")
check_in(${starter_build}/CTestTestfile.cmake "${relocated}/bin/torv-wine-run")
# One job: ctest runs other suites beside this one.
run_step("building the starter" ${CMAKE_COMMAND} --build ${starter_build} --parallel 1)
# The build tree's Wine prefix, ready: a first run would make one per user.
set(ENV{TORV_WINEPREFIX} ${TORV_WINEPREFIX})
run_step("the starter's tests" ${CMAKE_CTEST_COMMAND} --test-dir ${starter_build} --output-on-failure)
message(STATUS "the starter ran from ${relocated}")
