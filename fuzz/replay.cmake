# The fuzz targets as ordinary programs that replay the committed corpus
# and every past crash input (fuzz/regressions) once: part of `make test`
# and of the sanitizer build, with neither clang nor libFuzzer.
set(LARK_FUZZ_DIR ${PROJECT_SOURCE_DIR}/fuzz)
include(${LARK_FUZZ_DIR}/targets.cmake)

lark_add_fuzz_common(lark_fuzz_replay_common)

foreach(name ${LARK_FUZZ_TARGETS})
  set(target lark_fuzz_${name}_replay)
  add_executable(${target} ${LARK_FUZZ_DIR}/${name}_fuzzer.cpp ${LARK_FUZZ_DIR}/replay_main.cpp)
  target_link_libraries(${target} PRIVATE lark_fuzz_replay_common)
  lark_target_warnings(${target})

  set(dirs ${LARK_FUZZ_DIR}/corpus/${name})
  # A target gets its regressions folder with its first finding.
  if(EXISTS ${LARK_FUZZ_DIR}/regressions/${name})
    list(APPEND dirs ${LARK_FUZZ_DIR}/regressions/${name})
  endif()
  # FuzzReplayEngine, FuzzReplayValues ...
  string(SUBSTRING ${name} 0 1 first)
  string(SUBSTRING ${name} 1 -1 rest)
  string(TOUPPER ${first} first)
  add_test(NAME FuzzReplay${first}${rest} COMMAND ${target} ${dirs})
  set_tests_properties(FuzzReplay${first}${rest} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 900)
endforeach()
