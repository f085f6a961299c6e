# GoogleTest from the distribution's sources, built with the cross compiler.
set(TORV_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT TARGET gtest)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TORV_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# One test executable per subsystem; ctest runs each as one test under Wine.
function(torv_add_test_suite name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/CrashStatus.cpp)
  target_compile_definitions(${name} PRIVATE UNICODE _UNICODE)
  target_link_libraries(${name} PRIVATE torv::TorvBase gtest gtest_main ${ARG_LIBRARIES})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  if(TORV_CHECKED AND name IN_LIST TORV_HEAP_CHECKED_SUITES)
    torv_add_heap_check(${name})
  endif()
endfunction()

# The suites that also run under Wine's heap checking in the checked build;
# the file-system suite takes minutes there and is left out. So are the
# tests that share objects between eight threads: there Wine's heap checking
# reports a damaged block tail and then fails its own assertion, in the
# release build too, and the checked build's guard units find nothing.
set(TORV_HEAP_CHECKED_SUITES torv_string_tests torv_object_tests torv_module_tests torv_language_tests)
set(TORV_HEAP_SKIPPED_TESTS "StringThreads.*:SmartPtr.ThreadsCopyAndReleaseOneObject")

# The suite once more with Wine validating the heap at every call and
# filling freed blocks; fails on a crash or on any heap error Wine reports.
function(torv_add_heap_check name)
  add_test(NAME ${name}_heap
    COMMAND sh ${PROJECT_SOURCE_DIR}/cmake/heap-check.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
            ${CMAKE_CURRENT_BINARY_DIR}/${name}.heap.log $<TARGET_FILE:${name}> --gtest_brief=1
            --gtest_filter=-${TORV_HEAP_SKIPPED_TESTS})
  set_tests_properties(${name}_heap PROPERTIES TIMEOUT 600 LABELS heap)
  # Both runs share the prefix's registry and the user's language settings,
  # which the language suite changes: never at the same time.
  set_tests_properties(${name} ${name}_heap PROPERTIES RESOURCE_LOCK ${name})
endfunction()
