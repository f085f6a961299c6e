# cmake -P driver of torv_kit_misuse: each case configures a scratch project
# that uses the kit (over a stand-in torv::TorvBase) and must print what its
# regular expression expects; a case that expects an error must fail.
# One build folder for all, so that the compilers are detected once.

set(project ${TORV_WORK_DIR}/project)
set(build ${TORV_WORK_DIR}/build)
file(REMOVE_RECURSE ${project})
file(WRITE ${project}/CMakeLists.txt [[
cmake_minimum_required(VERSION 3.20)
project(KitCase LANGUAGES ${KIT_LANGUAGES})
add_library(torv::TorvBase INTERFACE IMPORTED)
include(${TORV_KIT})
include(${CMAKE_CURRENT_SOURCE_DIR}/case.cmake)
]])
file(WRITE ${project}/m.cpp "")
file(WRITE ${project}/m.rc "")
set(failures "")

# kit_case(<name> <languages> ERROR|OK <expected output regex> <case code>)
function(kit_case name languages outcome expected code)
  file(WRITE ${project}/case.cmake "${code}\n")
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${project} -B ${build} -G ${TORV_GENERATOR}
                          -DCMAKE_MAKE_PROGRAM=${TORV_MAKE_PROGRAM} -DCMAKE_TOOLCHAIN_FILE=${TORV_TOOLCHAIN_FILE}
                          -DTORV_KIT=${TORV_KIT} "-DKIT_LANGUAGES=${languages}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  string(REGEX REPLACE "[ \n]+" " " flat "${output}")
  if(result EQUAL 0)
    set(got OK)
  else()
    set(got ERROR)
  endif()
  if(NOT got STREQUAL outcome OR NOT flat MATCHES "${expected}")
    set(failures "${failures}${name}: expected ${outcome} and '${expected}', got ${got}:\n${output}\n"
        PARENT_SCOPE)
  endif()
endfunction()

set(module [[torv_add_module(M SOURCES m.cpp VERSION 1.0)]])
kit_case(no_cxx "C;RC" ERROR "the CXX language is not enabled" "${module}")
kit_case(version_tag "CXX;RC" ERROR "VERSION \"1.2.3-beta\" is not 1 to 4 numbers from 0 to 65535 separated by dots"
         [[torv_add_module(M SOURCES m.cpp VERSION 1.2.3-beta)]])
kit_case(version_five "CXX;RC" ERROR "VERSION \"1.2.3.4.5\" is not 1 to 4 numbers"
         [[torv_add_module(M SOURCES m.cpp VERSION 1.2.3.4.5)]])
kit_case(version_large "CXX;RC" ERROR "VERSION \"1.65536\" is not"
         [[torv_add_module(M SOURCES m.cpp VERSION 1.65536)]])
kit_case(version_missing "CXX;RC" ERROR "VERSION is required, for example VERSION 1.0.0"
         [[torv_add_module(M SOURCES m.cpp)]])
kit_case(unknown_argument "CXX;RC" ERROR "unknown arguments \"COMPANY_NAME;Us\"; it takes"
         [[torv_add_module(M SOURCES m.cpp VERSION 1.0 COMPANY_NAME Us)]])
kit_case(header_missing "CXX;RC" ERROR "RESOURCE_HEADER [^ ]*/project/nothere.h does not exist; give"
         [[torv_add_module(M SOURCES m.cpp VERSION 1.0 RESOURCE_HEADER nothere.h)]])
kit_case(translation_first "CXX;RC" ERROR "torv_add_translation\\(M\\): there is no module M yet; call torv_add_module\\(M"
         [[torv_add_translation(M LANGUAGE DEU RESOURCES m.rc)]])
kit_case(translation_of_a_library "CXX;RC" ERROR "L was not made by torv_add_module"
         [[add_library(L SHARED m.cpp)
torv_add_translation(L LANGUAGE DEU RESOURCES m.rc)]])
# Quotes, backslashes and UTF-8 reach the version block as written; a
# value left out is not there at all.
kit_case(values_escaped "CXX;RC" OK "windres 0, value at [0-9]+, CompanyName at -1"
         [=[torv_add_module(M SOURCES m.cpp VERSION 1.0 DESCRIPTION [[a"\ä]])
file(REMOVE ${CMAKE_BINARY_DIR}/v.res)
execute_process(COMMAND ${CMAKE_RC_COMPILER} -O coff -i M_module_version.rc -o v.res
                WORKING_DIRECTORY ${CMAKE_BINARY_DIR} RESULT_VARIABLE status)
file(READ ${CMAKE_BINARY_DIR}/v.res block HEX)
string(FIND "${block}" "610022005c00e400" value)
string(FIND "${block}" "43006f006d00700061006e0079004e0061006d006500" company)
message(STATUS "windres ${status}, value at ${value}, CompanyName at ${company}")]=])

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
