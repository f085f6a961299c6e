# Runs the example host once and checks its exit code and output.
#   cmake -DEMULATOR=<runner> -DHOST=<ExampleHost.exe> -DCASE=<case.cmake> -P CheckHost.cmake
# The case file sets ARGS (the host's arguments), EXIT (the expected exit
# code), EXPECT (regular expressions the output must all match), and
# optionally FRESH (folders removed first), SAME_TREES (two folders
# whose files must be equal afterwards) and JSON (members of the output as
# JSON with their values).
include(${CASE})

foreach(folder ${FRESH})
  file(REMOVE_RECURSE ${folder})
endforeach()

execute_process(COMMAND ${EMULATOR} ${HOST} ${ARGS}
                RESULT_VARIABLE exit_code OUTPUT_VARIABLE output ERROR_VARIABLE errors)
message("${output}")

set(failures)
if(NOT exit_code STREQUAL EXIT)
  list(APPEND failures "exit code ${exit_code}, expected ${EXIT}")
endif()
foreach(pattern ${EXPECT})
  if(NOT output MATCHES "${pattern}")
    list(APPEND failures "no match for: ${pattern}")
  endif()
endforeach()

# JSON: "member.path=value" pairs the output, parsed as JSON, must hold.
foreach(pair ${JSON})
  string(REGEX MATCH "^([^=]*)=(.*)$" unused "${pair}")
  string(REPLACE "." ";" members "${CMAKE_MATCH_1}")
  set(wanted "${CMAKE_MATCH_2}")
  string(JSON value ERROR_VARIABLE json_error GET "${output}" ${members})
  if(json_error OR NOT value STREQUAL wanted)
    list(APPEND failures "JSON ${CMAKE_MATCH_1} is '${value}' ${json_error}, expected '${wanted}'")
  endif()
endforeach()

if(SAME_TREES)
  list(GET SAME_TREES 0 source)
  list(GET SAME_TREES 1 target)
  file(GLOB_RECURSE files RELATIVE ${source} ${source}/*)
  foreach(file ${files})
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${source}/${file} ${target}/${file}
                    RESULT_VARIABLE different)
    if(different)
      list(APPEND failures "copy of ${file} differs or is missing")
    endif()
  endforeach()
endif()

if(failures)
  string(REPLACE ";" "\n  " failures "${failures}")
  message(FATAL_ERROR "stderr:\n${errors}\nfailed:\n  ${failures}")
endif()
