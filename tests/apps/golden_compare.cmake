# Compares `lark-render --items` of one snippet with its expected dump.
#   cmake -DRENDER=<lark-render> -DSNIPPET=<x.html> -DEXPECTED=<x.items.jsonl>
#         -DACTUAL_DIR=<folder for failed output> -P golden_compare.cmake
# Options for the snippet come from its first line:
#   <!-- lark-render: --width 200 -->
# With LARK_UPDATE_GOLDEN=1 in the environment the expected file is rewritten
# (and the test says so); review the diff before committing it.
foreach(var RENDER SNIPPET EXPECTED ACTUAL_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "golden_compare.cmake needs -D${var}=...")
  endif()
endforeach()

file(READ "${SNIPPET}" snippet_text)
set(snippet_args "")
if(snippet_text MATCHES "^<!-- *lark-render:([^\n]*)-->")
  separate_arguments(snippet_args UNIX_COMMAND "${CMAKE_MATCH_1}")
endif()

execute_process(
  COMMAND "${RENDER}" --items ${snippet_args} "${SNIPPET}"
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "lark-render failed (${rc}) on ${SNIPPET}:\n${errors}")
endif()

get_filename_component(name "${EXPECTED}" NAME)
if("$ENV{LARK_UPDATE_GOLDEN}" STREQUAL "1")
  file(WRITE "${EXPECTED}" "${actual}")
  message(WARNING "golden: rewrote ${EXPECTED}; review the change before committing it")
  return()
endif()

if(NOT EXISTS "${EXPECTED}")
  message(FATAL_ERROR "golden: ${EXPECTED} is missing; create it with LARK_UPDATE_GOLDEN=1 and review it")
endif()
file(READ "${EXPECTED}" expected)
if(actual STREQUAL expected)
  return()
endif()

file(MAKE_DIRECTORY "${ACTUAL_DIR}")
set(actual_file "${ACTUAL_DIR}/${name}")
file(WRITE "${actual_file}" "${actual}")
find_program(DIFF_PROGRAM diff)
set(diff_text "")
if(DIFF_PROGRAM)
  execute_process(COMMAND "${DIFF_PROGRAM}" -u "${EXPECTED}" "${actual_file}" OUTPUT_VARIABLE diff_text)
endif()
message(FATAL_ERROR "golden: ${SNIPPET} differs from ${EXPECTED}\n"
                    "actual output: ${actual_file}\n${diff_text}")
