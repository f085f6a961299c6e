# The kit for sibling code modules built on TorvBase.
#
#   torv_add_module(<name> [EXECUTABLE]
#                   SOURCES <file>...
#                   VERSION <major[.minor[.patch[.build]]]>
#                   [RESOURCE_HEADER <resource.h>] [RESOURCES <file.rc>...]
#                   [DESCRIPTION <text>] [COMPANY <text>] [PRODUCT <text>])
#
# makes a library (or, with EXECUTABLE, a program) that has its own Module:
# the start-up code that defines its thisModule() and initialises and
# terminates it in the same order as TorvBase itself, a version block, and
# the resource header embedded as "RESOURCE.H" of type METADATA, so that its
# symbols can be looked up by name. A library also gets the export header
# <name in lower case>_export.h (macro <NAME>_EXPORT), made by CMake's
# GenerateExportHeader, on its public include path. The project enables CXX
# and RC; resource scripts are read as UTF-8. A value left out stays out of
# the version block, so that the data folder takes its default there.
#
#   torv_add_translation(<module> LANGUAGE <code> RESOURCES <file.rc>...)
#
# makes the resource-only translation library <module><code>.dll (for
# example SiblingDEU.dll) in the folder the module itself is written to,
# where the module's language search finds it.
#
#   torv_resource_only(<target>)
#
# links the library <target> from resources alone: no code, no run-time,
# no entry point; with GNU ld, lld and MSVC.
#
# Mistakes stop the configuration with a message that says what to change.
# Both GNU ld and lld link what the kit makes: the start-up code needs no
# link option (torv_program_startup(<target>) is kept, and does nothing,
# for programs that still call it).

include(GenerateExportHeader)

# The message's pieces are joined as given (ARGN would lose their ';').
function(_torv_fail call)
  set(text "")
  math(EXPR last "${ARGC} - 1")
  foreach(i RANGE 1 ${last})
    string(APPEND text "${ARGV${i}}")
  endforeach()
  message(FATAL_ERROR "${call}: ${text}")
endfunction()

# 1 to 4 numbers of 0 to 65535, as the binary version fields hold them.
function(_torv_check_version call version)
  string(REPLACE "." ";" parts "${version}")
  list(LENGTH parts count)
  set(valid TRUE)
  if(count LESS 1 OR count GREATER 4 OR version MATCHES "^\\.|\\.$|\\.\\.")
    set(valid FALSE)
  endif()
  foreach(part IN LISTS parts)
    string(LENGTH "${part}" digits)
    if(NOT part MATCHES "^[0-9]+$" OR digits GREATER 5)
      set(valid FALSE)
    elseif(part GREATER 65535)
      set(valid FALSE)
    endif()
  endforeach()
  if(NOT valid)
    _torv_fail("${call}" "VERSION \"${version}\" is not 1 to 4 numbers from 0 to 65535 "
               "separated by dots; give one such as 1.2.3 or 1.2.3.4 (a tag like -beta "
               "belongs in DESCRIPTION).")
  endif()
endfunction()

# A value as a string literal of a resource script.
function(_torv_rc_literal value out)
  string(REPLACE "\\" "\\\\" value "${value}")
  string(REPLACE "\"" "\"\"" value "${value}")
  string(REPLACE "\n" "\\n" value "${value}")
  string(REPLACE "\r" "\\r" value "${value}")
  string(REPLACE "\t" "\\t" value "${value}")
  set(${out} "\"${value}\"" PARENT_SCOPE)
endfunction()

function(_torv_require_languages call)
  get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
  foreach(language CXX RC)
    if(NOT language IN_LIST languages)
      _torv_fail("${call}" "the ${language} language is not enabled; the kit needs CXX and RC, "
                 "as in project(<name> LANGUAGES CXX RC).")
    endif()
  endforeach()
endfunction()

# windres reads a script in the ANSI code page unless told otherwise. On
# the sources: a target's compile options do not reach the resource compiler.
function(_torv_utf8_resources)
  if(CMAKE_RC_COMPILER MATCHES "windres")
    set(option --codepage=65001)
  elseif(MSVC)
    set(option /c65001)
  else()
    return()
  endif()
  foreach(script ${ARGN})
    set_property(SOURCE ${script} APPEND PROPERTY COMPILE_OPTIONS ${option})
  endforeach()
endfunction()

function(_torv_version_binary version out)
  string(REPLACE "." ";" parts "${version}")
  list(LENGTH parts count)
  while(count LESS 4)
    list(APPEND parts 0)
    math(EXPR count "${count} + 1")
  endwhile()
  list(SUBLIST parts 0 4 parts)
  string(REPLACE ";" "," joined "${parts}")
  set(${out} "${joined}" PARENT_SCOPE)
endfunction()

function(torv_program_startup target)
endfunction()

function(torv_resource_only target)
  # Linked by the driver of a language that is enabled; with no C in the
  # project a C link rule would be empty and the library never made.
  get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
  if("C" IN_LIST languages)
    set_target_properties(${target} PROPERTIES LINKER_LANGUAGE C)
  elseif("CXX" IN_LIST languages)
    set_target_properties(${target} PROPERTIES LINKER_LANGUAGE CXX)
  else()
    _torv_fail("torv_resource_only(${target})" "neither C nor CXX is enabled; enable CXX, "
               "as in project(<name> LANGUAGES CXX RC).")
  endif()
  if(MSVC)
    target_link_options(${target} PRIVATE /NOENTRY)
  else()
    # An entry point at RVA 0 is none; both linkers define __ImageBase
    # there (lld takes no number for the entry).
    target_link_options(${target} PRIVATE -nostdlib -Wl,-e,__ImageBase)
  endif()
endfunction()

function(torv_add_module name)
  set(call "torv_add_module(${name})")
  cmake_parse_arguments(ARG "EXECUTABLE" "VERSION;RESOURCE_HEADER;DESCRIPTION;COMPANY;PRODUCT"
                        "SOURCES;RESOURCES" ${ARGN})
  if(ARG_UNPARSED_ARGUMENTS)
    _torv_fail("${call}" "unknown arguments \"${ARG_UNPARSED_ARGUMENTS}\"; it takes EXECUTABLE, "
               "SOURCES, VERSION, RESOURCE_HEADER, RESOURCES, DESCRIPTION, COMPANY and PRODUCT.")
  endif()
  _torv_require_languages("${call}")
  if("${ARG_VERSION}" STREQUAL "")
    _torv_fail("${call}" "VERSION is required, for example VERSION 1.0.0.")
  endif()
  _torv_check_version("${call}" "${ARG_VERSION}")
  set(TORV_MODULE_NAME ${name})
  set(TORV_VERSION ${ARG_VERSION})
  _torv_version_binary(${ARG_VERSION} TORV_VERSION_BINARY)
  if("${ARG_PRODUCT}" STREQUAL "")
    set(ARG_PRODUCT ${name})
  endif()
  if(ARG_EXECUTABLE)
    set(TORV_MODULE_FILE ${name}.exe)
    set(TORV_FILE_TYPE VFT_APP)
    set(TORV_STARTUP_DEFINES "#define TORV_EXECUTABLE_MODULE")
  else()
    set(TORV_MODULE_FILE ${name}.dll)
    set(TORV_FILE_TYPE VFT_DLL)
    set(TORV_STARTUP_DEFINES "")
  endif()
  # A value given empty or left out is not written: a missing CompanyName
  # gives the data folder its default company.
  set(TORV_VERSION_VALUES "")
  foreach(entry "CompanyName=${ARG_COMPANY}" "FileDescription=${ARG_DESCRIPTION}"
                "FileVersion=${ARG_VERSION}" "InternalName=${name}" "OriginalFilename=${TORV_MODULE_FILE}"
                "ProductName=${ARG_PRODUCT}" "ProductVersion=${ARG_VERSION}")
    string(FIND "${entry}" "=" at)
    string(SUBSTRING "${entry}" 0 ${at} key)
    math(EXPR at "${at} + 1")
    string(SUBSTRING "${entry}" ${at} -1 value)
    if(NOT "${value}" STREQUAL "")
      _torv_rc_literal("${value}" literal)
      string(APPEND TORV_VERSION_VALUES "            VALUE \"${key}\", ${literal}\n")
    endif()
  endforeach()

  # Beside this file both in the source tree and in an installed package.
  set(templates ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/templates)
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${name}_module)
  configure_file(${templates}/ModuleStartup.cpp.in ${generated}_startup.cpp @ONLY)
  configure_file(${templates}/ModuleVersion.rc.in ${generated}_version.rc @ONLY)
  set(module_sources ${ARG_SOURCES} ${ARG_RESOURCES} ${generated}_startup.cpp ${generated}_version.rc)
  if(NOT "${ARG_RESOURCE_HEADER}" STREQUAL "")
    get_filename_component(TORV_RESOURCE_HEADER ${ARG_RESOURCE_HEADER} ABSOLUTE)
    if(NOT EXISTS "${TORV_RESOURCE_HEADER}" OR IS_DIRECTORY "${TORV_RESOURCE_HEADER}")
      _torv_fail("${call}" "RESOURCE_HEADER ${TORV_RESOURCE_HEADER} does not exist; give the "
                 "module's resource header, absolute or relative to ${CMAKE_CURRENT_SOURCE_DIR}.")
    endif()
    _torv_rc_literal("${TORV_RESOURCE_HEADER}" TORV_RESOURCE_HEADER_LITERAL)
    configure_file(${templates}/ModuleHeader.rc.in ${generated}_header.rc @ONLY)
    # The resource compiler does not report the embedded file as an input.
    set_source_files_properties(${generated}_header.rc PROPERTIES
                                OBJECT_DEPENDS ${TORV_RESOURCE_HEADER})
    list(APPEND module_sources ${generated}_header.rc)
  endif()

  if(ARG_EXECUTABLE)
    add_executable(${name} ${module_sources})
    # Installed package: the program gets TorvBase and the run-time beside it.
    if(COMMAND torv_copy_runtime_dlls)
      torv_copy_runtime_dlls(${name})
    endif()
  else()
    add_library(${name} SHARED ${module_sources})
    set_target_properties(${name} PROPERTIES PREFIX "" IMPORT_PREFIX "")
    if(MINGW)
      target_link_options(${name} PRIVATE -Wl,--entry,TorvModuleEntry)
    endif()
    string(TOLOWER ${name} lower)
    generate_export_header(${name} EXPORT_FILE_NAME ${CMAKE_CURRENT_BINARY_DIR}/${lower}_export.h)
    target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${CMAKE_CURRENT_BINARY_DIR}>)
  endif()
  set_target_properties(${name} PROPERTIES TORV_MODULE TRUE)
  _torv_utf8_resources(${ARG_RESOURCES})
  target_compile_definitions(${name} PRIVATE UNICODE _UNICODE)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE torv::TorvBase)
endfunction()

function(torv_add_translation module)
  set(call "torv_add_translation(${module})")
  cmake_parse_arguments(ARG "" "LANGUAGE" "RESOURCES" ${ARGN})
  if(ARG_UNPARSED_ARGUMENTS)
    _torv_fail("${call}" "unknown arguments \"${ARG_UNPARSED_ARGUMENTS}\"; it takes LANGUAGE and RESOURCES.")
  endif()
  if(NOT ARG_LANGUAGE OR NOT ARG_RESOURCES)
    _torv_fail("${call}" "LANGUAGE and RESOURCES are required, for example LANGUAGE DEU RESOURCES "
               "${module}DEU.rc.")
  endif()
  if(NOT TARGET ${module})
    _torv_fail("${call}" "there is no module ${module} yet; call torv_add_module(${module} ...) "
               "before its translations.")
  endif()
  get_target_property(is_module ${module} TORV_MODULE)
  if(NOT is_module)
    _torv_fail("${call}" "${module} was not made by torv_add_module; translate a module made "
               "with torv_add_module.")
  endif()
  set(target ${module}${ARG_LANGUAGE})
  # Loaded only as a data file: no import library, written beside the module.
  add_library(${target} MODULE ${ARG_RESOURCES})
  set_target_properties(${target} PROPERTIES PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY $<TARGET_FILE_DIR:${module}>
    RUNTIME_OUTPUT_DIRECTORY $<TARGET_FILE_DIR:${module}>)
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  _torv_utf8_resources(${ARG_RESOURCES})
  torv_resource_only(${target})
  add_dependencies(${module} ${target})
endfunction()
