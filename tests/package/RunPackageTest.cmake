# cmake -P driver of the package test: install, relocate, build the consumer
# against the relocated package, run it and check what it prints.

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
  file(GLOB_RECURSE files ${prefix}/*.cmake ${prefix}/*.in)
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

function(check_found_in prefix cache)
  file(STRINGS ${cache} found REGEX "^TorvBase_DIR:")
  string(FIND "${found}" "${prefix}/" at)
  if(NOT at GREATER -1)
    message(FATAL_ERROR "TorvBase was not found in ${prefix}: ${found}")
  endif()
endfunction()

# The consumer prints its findings; only the greeting depends on the language.
function(check_consumer_run greeting)
  execute_process(COMMAND ${TORV_EMULATOR} ${consumer_build}/package_consumer.exe ${ARGN}
                  WORKING_DIRECTORY ${consumer_build}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  string(REPLACE "\r" "" output "${output}")
  string(CONFIGURE [[string: package 42
directory: C:\torv\package\consumer\
module: TorvBase
module: PackageModule
symbol: 4711
missing: 1
greeting: @greeting@
]] expected @ONLY)
  if(NOT result EQUAL 0 OR NOT output STREQUAL expected)
    message(FATAL_ERROR "the consumer ${ARGN} exited with ${result} and printed:\n"
                        "${output}${errors}\nexpected:\n${expected}")
  endif()
endfunction()

set(installed ${TORV_WORK_DIR}/installed)
set(relocated ${TORV_WORK_DIR}/moved/TorvBase)
set(consumer_build ${TORV_WORK_DIR}/consumer)
file(REMOVE_RECURSE ${TORV_WORK_DIR})
file(MAKE_DIRECTORY ${TORV_WORK_DIR}/moved)

run_step("install" ${CMAKE_COMMAND} --install ${TORV_BUILD_DIR} --prefix ${installed}
         --config ${TORV_CONFIG})
# Moved, not copied: nothing may still point to where it was installed.
file(RENAME ${installed} ${relocated})
check_no_tree_paths(${relocated})

set(configure_args -S ${TORV_CONSUMER_DIR} -B ${consumer_build} -G ${TORV_GENERATOR}
    -DCMAKE_BUILD_TYPE=${TORV_CONFIG} -DCMAKE_PREFIX_PATH=${relocated})
if(TORV_MAKE_PROGRAM)
  list(APPEND configure_args -DCMAKE_MAKE_PROGRAM=${TORV_MAKE_PROGRAM})
endif()
if(TORV_TOOLCHAIN_FILE)
  list(APPEND configure_args -DCMAKE_TOOLCHAIN_FILE=${TORV_TOOLCHAIN_FILE})
endif()
run_step("configuring the consumer" ${CMAKE_COMMAND} ${configure_args})
check_found_in(${relocated} ${consumer_build}/CMakeCache.txt)
# One job: ctest runs other suites beside this one.
run_step("building the consumer" ${CMAKE_COMMAND} --build ${consumer_build} --config ${TORV_CONFIG}
         --parallel 1)

check_consumer_run("Hello from the package")
check_consumer_run("Hallo aus dem Paket" /lang=DEU)
message(STATUS "package consumer ran from ${relocated}")
