# The kit for sibling code modules built on TorvBase.
#
#   torv_add_module(<name> [EXECUTABLE]
#                   SOURCES <file>...
#                   VERSION <major.minor.patch[.build]>
#                   [RESOURCE_HEADER <resource.h>] [RESOURCES <file.rc>...]
#                   [DESCRIPTION <text>] [COMPANY <text>] [PRODUCT <text>])
#
# makes a library (or, with EXECUTABLE, a program) that has its own Module:
# the start-up code that defines its thisModule() and initialises and
# terminates it in the same order as TorvBase itself, a version block, and
# the resource header embedded as "RESOURCE.H" of type METADATA, so that its
# symbols can be looked up by name.
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
# Both GNU ld and lld link what the kit makes: the start-up code needs no
# link option (torv_program_startup(<target>) is kept, and does nothing,
# for programs that still call it).

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
  set_target_properties(${target} PROPERTIES LINKER_LANGUAGE C)
  if(MSVC)
    target_link_options(${target} PRIVATE /NOENTRY)
  else()
    # An entry point at RVA 0 is none; both linkers define __ImageBase
    # there (lld takes no number for the entry).
    target_link_options(${target} PRIVATE -nostdlib -Wl,-e,__ImageBase)
  endif()
endfunction()

function(torv_add_module name)
  cmake_parse_arguments(ARG "EXECUTABLE" "VERSION;RESOURCE_HEADER;DESCRIPTION;COMPANY;PRODUCT"
                        "SOURCES;RESOURCES" ${ARGN})
  if(NOT ARG_VERSION)
    message(FATAL_ERROR "torv_add_module(${name}): VERSION is required")
  endif()
  set(TORV_MODULE_NAME ${name})
  set(TORV_VERSION ${ARG_VERSION})
  _torv_version_binary(${ARG_VERSION} TORV_VERSION_BINARY)
  set(TORV_DESCRIPTION "${ARG_DESCRIPTION}")
  set(TORV_COMPANY "${ARG_COMPANY}")
  set(TORV_PRODUCT "${ARG_PRODUCT}")
  if(NOT TORV_PRODUCT)
    set(TORV_PRODUCT ${name})
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

  # Beside this file both in the source tree and in an installed package.
  set(templates ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/templates)
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${name}_module)
  configure_file(${templates}/ModuleStartup.cpp.in ${generated}_startup.cpp @ONLY)
  configure_file(${templates}/ModuleVersion.rc.in ${generated}_version.rc @ONLY)
  set(module_sources ${ARG_SOURCES} ${ARG_RESOURCES} ${generated}_startup.cpp ${generated}_version.rc)
  if(ARG_RESOURCE_HEADER)
    get_filename_component(TORV_RESOURCE_HEADER ${ARG_RESOURCE_HEADER} ABSOLUTE)
    configure_file(${templates}/ModuleHeader.rc.in ${generated}_header.rc @ONLY)
    # The resource compiler does not report the embedded file as an input.
    set_source_files_properties(${generated}_header.rc PROPERTIES
                                OBJECT_DEPENDS ${TORV_RESOURCE_HEADER})
    list(APPEND module_sources ${generated}_header.rc)
  endif()

  if(ARG_EXECUTABLE)
    add_executable(${name} ${module_sources})
  else()
    add_library(${name} SHARED ${module_sources})
    set_target_properties(${name} PROPERTIES PREFIX "" IMPORT_PREFIX "")
    if(MINGW)
      target_link_options(${name} PRIVATE -Wl,--entry,TorvModuleEntry)
    endif()
  endif()
  target_compile_definitions(${name} PRIVATE UNICODE _UNICODE)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE torv::TorvBase)
endfunction()

function(torv_add_translation module)
  cmake_parse_arguments(ARG "" "LANGUAGE" "RESOURCES" ${ARGN})
  if(NOT ARG_LANGUAGE OR NOT ARG_RESOURCES)
    message(FATAL_ERROR "torv_add_translation(${module}): LANGUAGE and RESOURCES are required")
  endif()
  set(target ${module}${ARG_LANGUAGE})
  # Loaded only as a data file: no import library, written beside the module.
  add_library(${target} MODULE ${ARG_RESOURCES})
  set_target_properties(${target} PROPERTIES PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY $<TARGET_FILE_DIR:${module}>
    RUNTIME_OUTPUT_DIRECTORY $<TARGET_FILE_DIR:${module}>)
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  torv_resource_only(${target})
  add_dependencies(${module} ${target})
endfunction()
